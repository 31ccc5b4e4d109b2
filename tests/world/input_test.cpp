#include "world/input/input.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "shell/window_input.h"
#include "world/input_test_support.h"

namespace {

class Input : public testing::Test {
 protected:
  void SetUp() override { inputtest::ResetInput(); }
  void TearDown() override { IO_Free(); }
};

void Type(const std::string& text) {
  for (unsigned char c : text) IO_OnChar(c);
}

TEST_F(Input, KeysFollowTheStepNotTheEvents) {
  int32_t stepsBefore = IO_StepCount();
  // A tap that falls between two steps is seen only as released.
  IO_OnKeyDown(keys::kLetterA);
  IO_OnKeyUp(keys::kLetterA);
  IO_Update();
  EXPECT_FALSE(IO_KeyPressed(keys::kLetterA));
  EXPECT_TRUE(IO_KeyReleased(keys::kLetterA));
  EXPECT_FALSE(IO_KeyDown(keys::kLetterA));
  EXPECT_EQ(IO_GetLastKey(), keys::kLetterA);
  EXPECT_EQ(IO_GetCurrentKey(), 0);

  // A held key is pressed in its first step only; repeats do not press it again.
  IO_OnKeyDown(keys::kSpace);
  IO_Update();
  EXPECT_TRUE(IO_KeyPressed(keys::kSpace));
  EXPECT_TRUE(IO_KeyDown(keys::kSpace));
  EXPECT_FALSE(IO_KeyReleased(keys::kLetterA)) << "edges last one step";
  IO_OnKeyDown(keys::kSpace);
  IO_Update();
  EXPECT_FALSE(IO_KeyPressed(keys::kSpace));
  EXPECT_TRUE(IO_KeyDown(keys::kSpace));
  EXPECT_EQ(IO_GetCurrentKey(), keys::kSpace);

  IO_OnKeyUp(keys::kSpace);
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased(keys::kSpace));
  EXPECT_FALSE(IO_KeyDown(keys::kSpace));
  IO_Update();
  EXPECT_FALSE(IO_KeyReleased(keys::kSpace));
  EXPECT_EQ(IO_StepCount() - stepsBefore, 5);
}

TEST_F(Input, CodesDevicesAndButtonsOutsideTheirRangesDoNothing) {
  IO_OnKeyDown(256);
  IO_OnKeyDown(-1);
  IO_Update();
  EXPECT_FALSE(IO_KeyDown(256));
  EXPECT_FALSE(IO_KeyDown(-1));
  EXPECT_EQ(IO_GetLastKey(), 0);
  IO_SetLastKey(300);
  IO_SetCurrentKey(-5);
  IO_ClearKey(256);
  IO_ClearKey(-1);
  EXPECT_EQ(IO_GetLastKey(), 0);
  EXPECT_EQ(IO_GetCurrentKey(), 0);

  for (int32_t device : {-1, 5}) {
    IO_SetCurrentButton(1, device);
    IO_SetLastButton(1, device);
    IO_ClearButton(1, device);
    EXPECT_EQ(IO_GetCurrentButton(device), 0);
    EXPECT_EQ(IO_GetLastButton(device), 0);
    EXPECT_FALSE(IO_ButtonDown(1, device));
    EXPECT_FALSE(IO_WheelUp(device));
    EXPECT_EQ(IO_MouseX(device), 0);
  }
  IO_OnMouseButtonDown(0);
  IO_OnMouseButtonDown(4);
  IO_Update();
  EXPECT_EQ(IO_GetCurrentButton(0), 0);
  EXPECT_FALSE(IO_ButtonDown(4, 0));
  IO_SetCurrentButton(4, 0);
  EXPECT_EQ(IO_GetCurrentButton(0), 0);
}

TEST_F(Input, MouseButtonsWheelAndPosition) {
  IO_OnMouseButtonDown(2);
  IO_OnMouseMove(40, 30);
  EXPECT_TRUE(IO_OnWheelUp());
  IO_Update();
  EXPECT_TRUE(IO_ButtonPressed(2, 0));
  EXPECT_TRUE(IO_ButtonDown(2, 0));
  EXPECT_EQ(IO_GetCurrentButton(0), 2);
  EXPECT_TRUE(IO_WheelUp(0));
  EXPECT_FALSE(IO_WheelDown(0));
  EXPECT_EQ(IO_MouseX(0), 40);
  EXPECT_EQ(IO_WindowMouseY(), 30);
  EXPECT_EQ(IO_MouseX(1), 0) << "only the system mouse is fed";
  EXPECT_FALSE(IO_ButtonDown(2, 1));

  IO_OnMouseButtonUp(2);
  IO_Update();
  EXPECT_FALSE(IO_WheelUp(0)) << "a wheel turn lasts one step";
  EXPECT_FALSE(IO_ButtonPressed(2, 0));
  EXPECT_TRUE(IO_ButtonReleased(2, 0));
  EXPECT_FALSE(IO_ButtonDown(2, 0));
  EXPECT_EQ(IO_GetCurrentButton(0), 0);
  EXPECT_EQ(IO_GetLastButton(0), 2);

  // Clearing a button reaches the window side too, so it stays cleared.
  IO_OnMouseButtonDown(1);
  IO_Update();
  IO_ClearButton(1, 0);
  IO_Update();
  EXPECT_FALSE(IO_ButtonDown(1, 0));
}

TEST_F(Input, KeyMapAppliesToEveryKeyEvent) {
  IO_SetKeyMap(65, 66);
  IO_OnKeyDown(65);
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(66));
  EXPECT_FALSE(IO_KeyDown(65));
  EXPECT_EQ(IO_GetLastKey(), 66);
  IO_OnKeyUp(65);
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased(66));
  EXPECT_FALSE(IO_KeyDown(66));

  EXPECT_EQ(IO_GetKeyMap(300), 300);
  EXPECT_EQ(IO_GetKeyMap(-7), -7);
  IO_SetKeyMap(300, 1);
  IO_SetKeyMap(67, 999);
  IO_OnKeyDown(67);  // mapped out of range: ignored
  IO_Update();
  EXPECT_EQ(IO_GetLastKey(), 66);

  IO_ResetKeyMap();
  EXPECT_EQ(IO_GetKeyMap(65), 65);
  EXPECT_EQ(IO_GetKeyMap(67), 67);
}

TEST_F(Input, TypedCharactersKeepWholeUnits) {
  IO_OnChar(0x20AC);  // euro sign
  IO_Update();
  EXPECT_EQ(IO_GetLastChar(), 0x20AC);
  EXPECT_STREQ(IO_GetKeyboardString(), "\xE2\x82\xAC");

  IO_SetLastChar(0xC3);
  EXPECT_EQ(IO_GetLastChar(), 0xC3) << "no sign extension";

  // Characters whose low byte looks like a control code are still text.
  IO_OnChar(0x201C);
  IO_OnChar(0x0100);
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "\xE2\x82\xAC\xE2\x80\x9C\xC4\x80");
}

TEST_F(Input, BackspaceControlCodesAndTheLengthLimit) {
  IO_OnChar(8);
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "");

  Type("abc");
  IO_OnChar(8);
  IO_OnChar(13);
  IO_OnChar(27);
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "ab");
  EXPECT_EQ(IO_GetLastChar(), 27);

  IO_SetKeyboardString(nullptr);
  Type(std::string(1022, 'a') + "z");
  IO_Update();
  EXPECT_EQ(std::string(IO_GetKeyboardString()).size(), 1023u);
  IO_OnChar('Q');
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "zQ");
}

TEST_F(Input, SettingTheStringDecodesBoundedText) {
  IO_SetKeyboardString("h\xC3\xA9\xE2\x82\xAC");
  EXPECT_STREQ(IO_GetKeyboardString(), "h\xC3\xA9\xE2\x82\xAC");
  IO_OnChar('!');  // the window side carries on from the text set
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "h\xC3\xA9\xE2\x82\xAC!");

  std::string longText(3000, 'x');
  IO_SetKeyboardString(longText.c_str());
  EXPECT_EQ(std::string(IO_GetKeyboardString()), std::string(1024, 'x'));

  IO_SetKeyboardString(
      "a\xF0\x9F\x98\x80"
      "b");  // four-byte sequence: one replacement unit
  EXPECT_STREQ(IO_GetKeyboardString(),
               "a\xEF\xBF\xBD"
               "b");
  IO_SetKeyboardString("ok\xE2\x82");  // cut sequence ends the text
  EXPECT_STREQ(IO_GetKeyboardString(), "ok");
  IO_SetKeyboardString(nullptr);
  EXPECT_STREQ(IO_GetKeyboardString(), "");
}

TEST_F(Input, ClearForgetsTextKeysAndButtons) {
  Type("hello");
  IO_OnKeyDown(keys::kLeft);
  IO_OnMouseButtonDown(1);
  IO_Update();
  IO_Clear();
  EXPECT_STREQ(IO_GetKeyboardString(), "");
  EXPECT_FALSE(IO_KeyDown(keys::kLeft));
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "") << "the window side is cleared too";
  EXPECT_FALSE(IO_KeyDown(keys::kLeft));
  EXPECT_FALSE(IO_ButtonDown(1, 0));
  EXPECT_EQ(IO_GetLastKey(), 0);
  EXPECT_EQ(IO_GetLastButton(0), 0);
  EXPECT_EQ(IO_GetLastChar(), 0);
  Type("x");
  IO_Update();
  EXPECT_STREQ(IO_GetKeyboardString(), "x");
}

TEST_F(Input, StateSetBeforeTheFirstStepSurvivesIt) {
  IO_Init();  // start-up again: the next step is the first
  IO_SetCurrentKey(71);
  IO_SetLastKey(70);
  IO_Update();
  EXPECT_EQ(IO_GetCurrentKey(), 71);
  EXPECT_EQ(IO_GetLastKey(), 70);
  // After the first step the window side rules again.
  IO_SetCurrentKey(72);
  IO_Update();
  EXPECT_EQ(IO_GetCurrentKey(), 71);
}

// Keys the game presses at start-up are taken as messages before the first
// step: they read pressed in it, beside what the game set itself.
TEST_F(Input, MessagesTakenBeforeTheFirstStepReachIt) {
  IO_Init();
  IO_OnKeyDown(66);  // typed while the game loads: the start's state wins
  IO_GameStarting();
  IO_SetKeyboardString("ab");
  IO_SetCurrentKey(71);
  IO_OnKeyDown(65);
  IO_OnMouseButtonDown(2);
  IO_Update();
  EXPECT_TRUE(IO_KeyPressed(65));
  EXPECT_TRUE(IO_KeyDown(65));
  EXPECT_EQ(IO_GetLastKey(), 65);
  EXPECT_TRUE(IO_ButtonPressed(2, 0));
  EXPECT_STREQ(IO_GetKeyboardString(), "ab");
  EXPECT_EQ(IO_GetCurrentKey(), 65);
  EXPECT_FALSE(IO_KeyDown(66));
  IO_OnKeyUp(65);
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased(65));
  EXPECT_FALSE(IO_KeyDown(65));
}

}  // namespace

#include "world/input/input_record.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/run_flags.h"
#include "support/test_support.h"
#include "world/input/input.h"
#include "world/input_test_support.h"

namespace {

using testsupport::ConsoleCapture;
using testsupport::ReadRaw;
using testsupport::ScratchFolder;
using testsupport::WriteRaw;
namespace rec = input_record;

class InputRecord : public testing::Test {
 protected:
  void SetUp() override { inputtest::ResetInput(); }
  void TearDown() override { inputtest::ResetInput(); }

  // Opens the named file the way the command line asks for it.
  void Start(const char* option, const std::string& path) {
    IO_Free();
    Runner_ParseOptions((std::string(option) + " \"" + path + "\"").c_str());
    IO_Init();
  }
  // Recording: the first step, which takes the step side as it is.
  void FirstStep() { IO_Update(); }
  ScratchFolder folder_;
};

std::string Block() { return std::string(kInputRecordSize, '\0'); }

uint8_t At(const std::string& bytes, size_t offset) { return static_cast<uint8_t>(bytes.at(offset)); }

TEST_F(InputRecord, FieldsLieAtTheirOffsetsLittleEndian) {
  InputStepSide step{};
  step.lastChar = 0x20AC;
  step.keyboardString[0] = 'h';
  step.keyboardString[1024] = 0x1234;
  step.lastKey = -2;
  step.currentKey = 0x41;
  step.keyDown[65] = 1;
  step.keyReleased[66] = 1;
  step.keyPressed[67] = 1;
  step.lastButton[4] = 3;
  step.currentButton[1] = 2;
  step.buttonDown[0][0] = 1;
  step.buttonDown[1][2] = 1;
  step.buttonReleased[4][2] = 1;
  step.buttonPressed[2][1] = 1;
  step.wheelUp[3] = 1;
  step.wheelDown[4] = 1;
  step.cursorX = 0x01020304;
  step.cursorY = 7;
  step.windowMouseX = 300;
  step.windowMouseY = -1;
  std::string b = Block();
  InputRecord_Encode(step, reinterpret_cast<uint8_t*>(b.data()));

  EXPECT_EQ(At(b, rec::kLastChar), 0xAC);
  EXPECT_EQ(At(b, rec::kLastChar + 1), 0x20);
  EXPECT_EQ(At(b, rec::kKeyboardString), 'h');
  EXPECT_EQ(At(b, rec::kKeyboardString + 2048), 0x34);
  EXPECT_EQ(At(b, rec::kKeyboardString + 2049), 0x12);
  EXPECT_EQ(b.substr(rec::kLastKey, 4), std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(At(b, rec::kCurrentKey), 0x41);
  EXPECT_EQ(At(b, 2060 + 65), 1);
  EXPECT_EQ(At(b, 2316 + 66), 1);
  EXPECT_EQ(At(b, 2572 + 67), 1);
  EXPECT_EQ(At(b, rec::kLastButton + 16), 3);
  EXPECT_EQ(At(b, rec::kCurrentButton + 4), 2);
  EXPECT_EQ(At(b, 2868), 1);
  EXPECT_EQ(At(b, 2868 + 5), 1) << "device 1, button 3";
  EXPECT_EQ(At(b, rec::kButtonReleased + 14), 1);
  EXPECT_EQ(At(b, rec::kButtonPressed + 7), 1);
  EXPECT_EQ(At(b, rec::kWheelUp + 3), 1);
  EXPECT_EQ(At(b, rec::kWheelDown + 4), 1);
  EXPECT_EQ(b.substr(2923, 8), std::string("\x04\x03\x02\x01\x07\x00\x00\x00", 8));
  EXPECT_EQ(b.substr(rec::kWindowMouse, 8), std::string("\x2C\x01\x00\x00\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(rec::kWindowMouse + 8, kInputRecordSize);
}

TEST_F(InputRecord, AnyBlockReadsBackToTheSameBytes) {
  std::string original = Block();
  uint32_t seed = 12345;
  for (char& c : original) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  InputStepSide step{};
  InputRecord_Decode(reinterpret_cast<const uint8_t*>(original.data()), &step);
  std::string again = Block();
  InputRecord_Encode(step, reinterpret_cast<uint8_t*>(again.data()));
  EXPECT_EQ(again, original);
}

TEST_F(InputRecord, EachStepWritesOneBlockOfItsStepSide) {
  std::string path = folder_ / "steps.rec";
  Start("-record", path);
  FirstStep();
  IO_OnKeyDown(65);
  IO_Update();
  IO_Update();
  IO_OnKeyUp(65);
  IO_Update();
  std::string all = ReadRaw(path);  // flushed after every block
  ASSERT_EQ(all.size(), 4 * kInputRecordSize);
  std::string bytes = all.substr(kInputRecordSize);
  EXPECT_EQ(At(bytes, rec::kKeyPressed + 65), 1);
  EXPECT_EQ(At(bytes, rec::kKeyDown + 65), 1);
  EXPECT_EQ(At(bytes, kInputRecordSize + rec::kKeyPressed + 65), 0);
  EXPECT_EQ(At(bytes, kInputRecordSize + rec::kKeyDown + 65), 1);
  EXPECT_EQ(At(bytes, 2 * kInputRecordSize + rec::kKeyReleased + 65), 1);
  EXPECT_EQ(At(bytes, 2 * kInputRecordSize + rec::kKeyDown + 65), 0);

  // A recording played back gives the same step side, step by step.
  Start("-playback", path);
  IO_Update();
  EXPECT_FALSE(IO_KeyDown(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyPressed(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65));
  EXPECT_FALSE(IO_KeyPressed(65));
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased(65));
  EXPECT_FALSE(IO_KeyDown(65));
}

TEST_F(InputRecord, PlaybackReplacesTheWindowAndHoldsKeysAtTheEnd) {
  std::string block = Block();
  block[2125] = 1;  // key 65 down
  block[2382] = 1;  // key 66 released
  block[rec::kWheelUp] = 1;
  std::string path = folder_ / "one.rec";
  WriteRaw(path, block);
  Start("-playback", path);
  IO_OnKeyDown(70);  // the window is not listened to while playing back

  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65));
  EXPECT_TRUE(IO_KeyReleased(66));
  EXPECT_FALSE(IO_KeyDown(70));
  EXPECT_TRUE(IO_WheelUp(0));
  for (int32_t code = 0; code < 256; ++code) EXPECT_FALSE(IO_KeyPressed(code)) << code;

  IO_Update();  // past the end
  EXPECT_TRUE(IO_KeyDown(65)) << "held keys stay held";
  EXPECT_FALSE(IO_KeyReleased(66));
  EXPECT_FALSE(IO_WheelUp(0));
  EXPECT_FALSE(IO_KeyDown(70));
}

TEST_F(InputRecord, ACutLastBlockEndsPlaybackWithOneLine) {
  std::string full = Block();
  full[rec::kKeyDown + 32] = 1;
  std::string cut = Block().substr(0, 100);
  std::string path = folder_ / "cut.rec";
  WriteRaw(path, full + cut);
  Start("-playback", path);
  ConsoleCapture console;
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(32));
  IO_Update();
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(32));
  ASSERT_EQ(console.Lines().size(), 1u);
  EXPECT_NE(console.Text().find("cut.rec"), std::string::npos);
}

TEST_F(InputRecord, FilesThatCannotBeOpenedAreNamedAndIgnored) {
  std::string missing = folder_ / "no/such/folder/out.rec";
  {
    ConsoleCapture console;
    Start("-record", missing);
    ASSERT_EQ(console.Lines().size(), 1u);
    EXPECT_NE(console.Text().find(missing), std::string::npos);
  }
  FirstStep();
  IO_OnKeyDown(65);
  IO_Update();
  EXPECT_TRUE(IO_KeyDown(65)) << "recording that failed still polls";

  std::string absent = folder_ / "absent.rec";
  {
    ConsoleCapture console;
    Start("-playback", absent);
    EXPECT_NE(console.Text().find(absent), std::string::npos);
  }
  IO_Update();
  IO_Update();
  EXPECT_FALSE(IO_KeyDown(65));
}

TEST_F(InputRecord, PlaybackTurnsRecordingOff) {
  std::string path = folder_ / "both.rec";
  std::string block = Block();
  WriteRaw(path, block);
  IO_Free();
  Runner_ParseOptions(("-record x -playback \"" + path + "\"").c_str());
  IO_Init();
  EXPECT_FALSE(g_runFlags.recordInput);
  IO_Update();
  IO_Update();
  EXPECT_EQ(ReadRaw(path), block) << "the played-back file is not written to";
}

}  // namespace

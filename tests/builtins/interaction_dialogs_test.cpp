// The dialog, highscore and splash built-ins with the scripted host: the
// texts they show, what they refuse, and the table drawn on the recording
// device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/interaction/handlers.h"
#include "device_streams.h"
#include "platform/answers.h"
#include "platform/switches.h"
#include "requests/http_request.h"
#include "shell/dialogs.h"
#include "support/test_support.h"
#include "world/save/highscores.h"

namespace {

class InteractionDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KORVALITH_HEADLESS", "1", 1);
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
    HTTP_ResetForTest();
  }
  void TearDown() override {
    InputQuery_Forget();
    HTTP_ResetForTest();
    Score_ResetSettings();
    Score_Clear();
  }
  // What the call printed.
  static std::string Shown(BuiltinFunction handler, std::initializer_list<GoldenArg> args, std::string* text = nullptr,
                           double* real = nullptr) {
    ::testing::internal::CaptureStdout();
    {
      BuiltinCall call(handler, args);
      if (text != nullptr) *text = call.Text();
      if (real != nullptr) *real = call.Real();
    }
    return ::testing::internal::GetCapturedStdout();
  }
};

TEST_F(InteractionDialogs, NumbersShowEveryDigitAndLongDefaultsAreCut) {
  double real = 0;
  EXPECT_EQ(Shown(F_ShowMessage, {R(1e10)}, nullptr, &real), "10000000000\n");
  EXPECT_EQ(real, 1);
  EXPECT_EQ(Shown(F_ShowMessage, {R(-3e9)}), "-3000000000\n");
  EXPECT_EQ(Shown(F_ShowMessage, {R(2.5)}), "2.50\n");
  EXPECT_EQ(Shown(F_ShowMessage, {S("a#b\\#c")}), "a\nb#c\n");
  EXPECT_EQ(Shown(F_ShowMessage, {S("")}, nullptr, &real), "") << "an empty text shows nothing";
  EXPECT_EQ(real, 1);
  EXPECT_EQ(Shown(F_GetInteger, {S("n"), R(1e10)}, nullptr, &real), "n\n10000000000\n");
  EXPECT_EQ(real, 1e10);
  // A shown number holds at most 63 characters: a huge one's further digits
  // are dropped, in a message and in a whole default alike.
  const std::string big = "100000000000000005250476025520442024870446858110815915491585411";
  ASSERT_EQ(big.size(), 63u);
  EXPECT_EQ(Shown(F_ShowMessage, {R(1e300)}), big + "\n");
  EXPECT_EQ(Shown(F_ShowMessage, {R(-1e300)}), "-" + big.substr(0, 62) + "\n");
  EXPECT_EQ(Shown(F_GetInteger, {S("n"), R(1e300)}), "n\n" + big + "\n");
  EXPECT_EQ(Shown(F_GetIntegerAsync, {S("n"), R(-1e300)}), "n\n-" + big.substr(0, 62) + "\n");
  EXPECT_EQ(Shown(F_ShowMessage, {R(-std::ldexp(1.0, 203))}),
            "-12855504354071922204335696738729300820177623950262342682411008\n")
      << "a sign and 62 digits stay whole";

  // A huge real default is written whole, with its two decimals.
  std::string text;
  const std::string shown = Shown(F_GetString, {S("p"), R(1e300)}, &text);
  ASSERT_EQ(shown.size(), 2u + 304u + 1u) << "301 digits, the point and two decimals";
  EXPECT_EQ(shown.substr(shown.size() - 4), ".00\n");
  EXPECT_EQ(text, shown.substr(2, 304)) << "Return confirms the box as shown";
  EXPECT_EQ(Shown(F_GetString, {S("p"), S("")}, &text), "p\n\n") << "an empty default shows an empty box";
  EXPECT_EQ(text, "");
}

// The typed text is read as a number the standard's way: blanks first.
TEST_F(InteractionDialogs, TypedNumbersSkipLeadingBlanks) {
  testsupport::ScratchFolder folder{"kv_typed"};
  testsupport::WriteRaw(folder / "answers.txt", "  12\n\t-3.5e1x\nCancel\n0x10\n");
  setenv("KORVALITH_ANSWERS", (folder / "answers.txt").c_str(), 1);
  Switches_Reload();
  Answers_Reset();
  for (double expected : {12.0, -35.0, 0.0, 0.0}) {
    double real = -1;
    Shown(F_GetInteger, {S("n"), R(5)}, nullptr, &real);
    EXPECT_EQ(real, expected);
  }
  unsetenv("KORVALITH_ANSWERS");
  Switches_Reload();
}

TEST_F(InteractionDialogs, ArgumentsThatAreNotTextsAskNothing) {
  double real = -1;
  std::string text = "x";
  EXPECT_EQ(Shown(F_ShowQuestion, {R(3)}, nullptr, &real), "");
  EXPECT_EQ(real, 0);
  EXPECT_EQ(Shown(F_GetInteger, {R(3), R(7.5)}, nullptr, &real), "");
  EXPECT_EQ(real, 8) << "the rounded default";
  EXPECT_EQ(Shown(F_GetString, {R(3), S("d")}, &text), "");
  EXPECT_EQ(text, "");
  EXPECT_EQ(Shown(F_GetLoginAsync, {S("a"), R(1)}, nullptr, &real), "");
  EXPECT_EQ(real, 0);
  EXPECT_EQ(Shown(F_GetStringAsync, {R(1), S("d")}, nullptr, &real), "");
  EXPECT_EQ(real, 0);
  EXPECT_EQ(g_httpRequestList, nullptr);
  for (BuiltinFunction handler : {F_GetOpenFilename, F_GetSaveFilename}) {
    EXPECT_EQ(Shown(handler, {S("Text|*.txt"), R(1)}, &text), "");
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(Shown(F_GetOpenFilenameExt, {S("Text|*.txt"), S("a")}, &text), "") << "two of four arguments";
  EXPECT_EQ(Shown(F_GetOpenFilename, {S("Text|*.txt"), S("")}, &text), "Open\n") << "asked, cancelled";
  EXPECT_EQ(text, "");
}

TEST_F(InteractionDialogs, HighscoreSettingsAndEntries) {
  testsupport::ConsoleCapture console;
  BuiltinCall(F_HighscoreSetStrings, {S("Best"), R(1), S("bye")});
  BuiltinCall(F_HighscoreClear, {});
  EXPECT_EQ(BuiltinCall(F_HighscoreName, {R(10)}).Text(), "") << "a real leaves the empty-place name empty";
  BuiltinCall(F_HighscoreSetStrings, {S("Best"), S("---"), S("bye")});
  BuiltinCall(F_HighscoreClear, {});
  EXPECT_EQ(BuiltinCall(F_HighscoreName, {R(10)}).Text(), "---");
  EXPECT_EQ(Score_Settings().caption, "Best");
  EXPECT_EQ(Score_Settings().footer, "bye");
  BuiltinCall(F_HighscoreAdd, {S("x"), R(50.5)});
  EXPECT_EQ(BuiltinCall(F_HighscoreValue, {R(1)}).Real(), 50);
  for (double place : {0.0, 11.0, -1.0, 1e300}) {
    EXPECT_EQ(BuiltinCall(F_HighscoreValue, {R(place)}).Real(), 0);
    EXPECT_EQ(BuiltinCall(F_HighscoreName, {R(place)}).Text(), "");
  }
  BuiltinCall(F_HighscoreSetFont, {S("Arial"), R(12), R(1)});
  EXPECT_EQ(Score_Settings().fontName, "Arial");
  ASSERT_EQ(console.Lines().size(), 1u);
  EXPECT_EQ(console.Lines()[0], "Function F_HighscoreSetFont has no implementation.\n\n");
}

// The table as direct text draws: ten rows `row` apart from (x, top), each
// place's name at the left edge and its value ending at `right`.
void Table(float x, float top, float row, float right) {
  for (int32_t place = 1; place <= 10; ++place) {
    const float y = top + row * static_cast<float>(place - 1);
    const char* empty = Score_GetName(place) != nullptr ? Score_GetName(place) : "";
    const char* name = place == 1 ? "ann" : place == 2 ? "" : empty;
    const std::string value = place == 1 ? "1234" : place == 2 ? "7" : "0";
    GR_Text_Draw(x, y, name, -1, -1);
    GR_Text_Draw(right - static_cast<float>(GR_Text_String_Width(value.c_str(), -1, -1)), y, value.c_str(), -1, -1);
  }
}

TEST_F(InteractionDialogs, TheTableDrawsTenRowsWithValuesEndingAtTheRightEdge) {
  testsupport::ConsoleCapture quiet;
  devicetest::Device device;
  device.Start();
  device.Warm();
  Score_Clear();
  Score_Set(1, "ann", 1234);
  Score_Set(2, nullptr, 7);

  device.ExpectSame(
      "table",
      [] {
        BuiltinCall(F_DrawHighscore, {R(0), R(0), R(200), R(100)});
      },
      [] { Table(0, 0, 10, 200); }, [] { Table(0, 0, 10, 201); });
  device.ExpectSame(
      "rows stay 10 apart",
      [] {
        BuiltinCall(F_DrawHighscore, {R(0.5), R(0), R(200.5), R(105)});
      },
      [] { Table(0, 0, 10, 200); }, [] { Table(0, 0, 11, 200); });
  device.Stop();
}

}  // namespace

// The dialog, highscore and splash built-ins with the scripted host: the
// texts they show, what they refuse, and the table drawn on a recording
// text layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/graphics/calls.h"
#include "builtins/interaction/handlers.h"
#include "platform/answers.h"
#include "platform/switches.h"
#include "shell/dialogs.h"
#include "shell/http_request.h"
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

  // A huge real default is written whole, with its two decimals.
  std::string text;
  const std::string shown = Shown(F_GetString, {S("p"), R(1e300)}, &text);
  ASSERT_EQ(shown.size(), 2u + 304u + 1u) << "301 digits, the point and two decimals";
  EXPECT_EQ(shown.substr(shown.size() - 4), ".00\n");
  EXPECT_EQ(text, shown.substr(2, 304)) << "Return confirms the box as shown";
  EXPECT_EQ(Shown(F_GetString, {S("p"), S("")}, &text), "p\n\n") << "an empty default shows an empty box";
  EXPECT_EQ(text, "");
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

// Every text drawn, where, on a layer whose glyphs are 7 pixels wide.
struct Drawn {
  float x, y;
  std::string text;
};
std::vector<Drawn> g_drawn;

int32_t Width(const char* text, int32_t, int32_t) { return static_cast<int32_t>(std::strlen(text)) * 7; }
void Draw(float x, float y, const char* text, int32_t, int32_t) { g_drawn.push_back({x, y, text}); }

TEST_F(InteractionDialogs, TheTableDrawsTenRowsWithValuesEndingAtTheRightEdge) {
  GraphicsCalls recording = GraphicsCalls_Real();
  recording.stringWidth = Width;
  recording.text = Draw;
  GraphicsCalls_Install(&recording);
  Score_Clear();
  Score_Set(1, "ann", 1234);
  Score_Set(2, nullptr, 7);

  g_drawn.clear();
  BuiltinCall(F_DrawHighscore, {R(0), R(0), R(200), R(100)});
  ASSERT_EQ(g_drawn.size(), 20u);
  for (size_t place = 0; place < 10; ++place) {
    const Drawn& name = g_drawn[place * 2];
    const Drawn& value = g_drawn[place * 2 + 1];
    EXPECT_EQ(name.x, 0);
    EXPECT_EQ(name.y, 10.0f * static_cast<float>(place));
    EXPECT_EQ(value.y, name.y);
    EXPECT_EQ(value.x + 7.0f * static_cast<float>(value.text.size()), 200.0f) << value.text;
  }
  EXPECT_EQ(g_drawn[0].text, "ann");
  EXPECT_EQ(g_drawn[1].text, "1234");
  EXPECT_EQ(g_drawn[2].text, "") << "a place without a name";

  g_drawn.clear();
  BuiltinCall(F_DrawHighscore, {R(0.5), R(0), R(200.5), R(105)});
  ASSERT_EQ(g_drawn.size(), 20u);
  EXPECT_EQ(g_drawn[18].y, 90.0f) << "rows stay 10 apart";
  EXPECT_EQ(g_drawn[0].x, 0.0f);
  GraphicsCalls_Install(nullptr);
}

}  // namespace

#include "script/events/error_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/answers.h"
#include "platform/switches.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/event.h"
#include "support/test_support.h"

namespace {

ErrorPlace g_place;
int g_quitCode = 0;
int g_inputClears = 0;

void CurrentPlace(ErrorPlace* place) { *place = g_place; }
std::string EventName(int32_t type, int32_t number) {
  return "event " + std::to_string(type) + "/" + std::to_string(number);
}
std::string ObjectName(int32_t index) { return index == 3 ? "obj_player" : "<undefined>"; }
std::string TimeLineName(int32_t index) { return index == 2 ? "tl_intro" : "<undefined>"; }
void RequestQuit(int32_t code) { g_quitCode = code; }
void ClearInput() { ++g_inputClears; }

class ErrorReport : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrorHooks hooks;
    hooks.currentPlace = CurrentPlace;
    hooks.eventName = EventName;
    hooks.objectName = ObjectName;
    hooks.timeLineName = TimeLineName;
    hooks.requestQuit = RequestQuit;
    hooks.clearInput = ClearInput;
    Error_SetHooks(hooks);
    Error_ResetState();
    g_place = ErrorPlace{3, 1, 3, 0};
    g_quitCode = 0;
    g_inputClears = 0;
    g_runFlags.showErrorDialog = false;
    g_runFlags.errorsFatal = false;
  }
  void TearDown() override {
    Error_SetHooks(ErrorHooks());
    Error_ResetState();
    RunFlags_Reset();
    unsetenv("KORVALITH_ANSWERS");
    Switches_Reload();
    Answers_Reset();
  }

  // Runs fn with stdout captured and returns what it printed.
  template <typename Fn>
  std::string Captured(Fn fn) {
    ::testing::internal::CaptureStdout();
    fn();
    return ::testing::internal::GetCapturedStdout();
  }
};

std::string CompileErrorOf(const char* source, bool expression, int32_t position, const char* message) {
  CCode code(source, expression);
  Code_Error_Clear();
  Code_Error_Set(&code, position, message);
  return g_errorText;
}

TEST(CompileError, ProgramFormGivesLineTextAndColumn) {
  EXPECT_EQ(CompileErrorOf("a = 1\n b = #", false, 11, "Unexpected symbol."),
            "Error in code at line 2:\n    b = #\n\nat position 6: Unexpected symbol.");
  // Carriage returns and UTF-8 continuation bytes are not columns.
  EXPECT_EQ(CompileErrorOf("a\r\nb\r\n\xC3\xA9\xC3\xA9 = #", false, 13, "m"),
            "Error in code at line 3:\n   \xC3\xA9\xC3\xA9 = #\n\nat position 6: m");
  // Positions outside the text are clamped.
  EXPECT_EQ(CompileErrorOf("ab", false, 99, "m"), "Error in code at line 1:\n   ab\n\nat position 3: m");
  EXPECT_EQ(CompileErrorOf("ab\ncd", false, -5, "m"), "Error in code at line 1:\n   ab\n\nat position 1: m");
}

TEST(CompileError, ExpressionFormQuotesTheWholeText) {
  EXPECT_EQ(CompileErrorOf("1 +\n*", true, 4, "Unexpected symbol in expression."),
            "Error in expression: 1 +\n*\n position 1: Unexpected symbol in expression.");
}

TEST(CompileError, OnlyTheFirstErrorIsKeptUntilCleared) {
  CCode code("abc", false);
  Code_Error_Clear();
  Code_Error_Set(&code, 0, "first");
  Code_Error_Set(&code, 1, "second");
  EXPECT_NE(std::string(g_errorText).find("first"), std::string::npos);
  EXPECT_TRUE(Code_Error_Recorded());
  Code_Error_Clear();
  Code_Error_Set(&code, 1, "second");
  EXPECT_NE(std::string(g_errorText).find("second"), std::string::npos);
}

TEST_F(ErrorReport, ShowPrefixesThePlace) {
  Error_Show("bad thing", false);
  EXPECT_STREQ(Error_Last(), "ERROR in\naction number 1\nof event 3/1\nfor object obj_player:\n\n\nbad thing");
  EXPECT_TRUE(Error_Occurred());
  EXPECT_EQ(g_quitCode, 0);
  EXPECT_EQ(g_inputClears, 1);

  g_place = ErrorPlace{kEventTimeLine, 30, 2, 0};
  Error_Show(nullptr, true);
  EXPECT_STREQ(Error_Last(), "FATAL ERROR in\naction number 1\nat time step30\nof time line tl_intro:\n\n\n");
  EXPECT_EQ(g_quitCode, kRoomCodeQuitAfterError);
  EXPECT_TRUE(Error_Stopping());
}

TEST_F(ErrorReport, ShowCutsLongTextsOnACharacterBoundary) {
  std::string message;
  while (message.size() < 40000) message += "\xE2\x82\xAC";  // three-byte characters
  Error_Show(message.c_str(), false);
  std::string last = Error_Last();
  EXPECT_LE(last.size(), static_cast<size_t>(kErrorShowLimit));
  EXPECT_GT(last.size(), static_cast<size_t>(kErrorShowLimit) - 3);
  EXPECT_EQ(last.substr(last.size() - 3), "\xE2\x82\xAC");
}

TEST_F(ErrorReport, OptionsDecideFatalityAndTheDialog) {
  g_runFlags.errorsFatal = true;
  Error_Show("x", false);
  EXPECT_TRUE(Error_Stopping());
  EXPECT_EQ(g_quitCode, kRoomCodeQuitAfterError);
  EXPECT_EQ(std::string(Error_Last()).rfind("ERROR in", 0), 0u);  // the text keeps the caller's prefix

  // While stopping, even a fatal report changes nothing.
  g_quitCode = 0;
  Error_SetOccurred(false);
  Error_Report("later", true);
  EXPECT_FALSE(Error_Occurred());
  EXPECT_EQ(g_quitCode, 0);
  EXPECT_EQ(std::string(Error_Last()).find("later"), std::string::npos);
}

TEST_F(ErrorReport, DialogOffStillRecordsAndLogs) {
  testsupport::ConsoleCapture console;
  std::string out = Captured([] { Error_Report("plain", false); });
  EXPECT_EQ(out, "");
  EXPECT_EQ(console.Text(), "ERROR!!! :: plain\n");
  EXPECT_TRUE(Error_Occurred());
  EXPECT_STREQ(Error_Last(), "plain");
}

TEST_F(ErrorReport, HeadlessDialogPrintsAndTakesTheScriptedAnswer) {
  testsupport::ScratchFolder folder;
  std::string answers = folder / "answers.txt";
  testsupport::WriteRaw(answers, "Abort\r\nIgnore\n");
  testsupport::ConsoleCapture console;
  setenv("KORVALITH_ANSWERS", answers.c_str(), 1);
  setenv("KORVALITH_HEADLESS", "1", 1);
  Switches_Reload();
  Answers_Reset();
  g_runFlags.showErrorDialog = true;

  std::string rule = "\n" + std::string(43, '_') + "\n";
  std::string out = Captured([] { Error_Report("one\n\ntwo\tthree", false); });
  EXPECT_EQ(out, rule + "one\ntwo       three\n");
  EXPECT_EQ(console.Text(), "ERROR!!! :: one\n\ntwo\tthree\n");
  EXPECT_TRUE(Error_Stopping());  // Abort made it fatal
  EXPECT_EQ(g_quitCode, kRoomCodeQuitAfterError);

  Error_ResetState();
  Captured([] { Error_Report("two", false); });  // Ignore
  EXPECT_FALSE(Error_Stopping());
  Captured([] { Error_Report("three", false); });  // no answers left: Ignore
  EXPECT_FALSE(Error_Stopping());
  Captured([] { Error_Report("four", true); });  // fatal: no Ignore to take
  EXPECT_TRUE(Error_Stopping());
}

TEST(ErrorDialogText, LineEndsTabsAndTheCut) {
  std::string rule = "\r\n" + std::string(43, '_') + "\r\n";
  EXPECT_EQ(Error_DialogText("a\n\nb\r\nc\n\n\nd\te"), rule + "a\r\nb\r\nc\r\n\r\nd       e");
  EXPECT_EQ(Error_DialogText(nullptr), rule);
  // Ten thousand tabs would need seven times their length: cut at twice
  // the length plus 255 bytes.
  std::string tabs(10000, '\t');
  std::string shown = Error_DialogText(tabs.c_str());
  EXPECT_EQ(shown.size(), 2 * tabs.size() + 255);
  // A multi-byte character straddling the cut is dropped whole: 47 bytes of
  // rule, 1400 of blanks and 301 letters leave 109 bytes for 36 1/3 euros.
  std::string mixed = std::string(200, '\t') + std::string(301, 'x');
  for (int i = 0; i < 100; ++i) mixed += "\xE2\x82\xAC";
  std::string cut = Error_DialogText(mixed.c_str());
  EXPECT_EQ(cut.size(), 2 * mixed.size() + 255 - 1);
  EXPECT_EQ(cut.substr(cut.size() - 3), "\xE2\x82\xAC");
}

}  // namespace

#include "runtime/console.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/memory.h"

namespace {

std::vector<std::string> g_paneLines;
void RecordPane(const char* text) { g_paneLines.emplace_back(text); }

using testsupport::RecordingConsole;

class ConsoleTest : public testing::Test {
 protected:
  void TearDown() override {
    Console_SetPaneHook(nullptr);
    g_debugConsole = &g_defaultConsole;
    g_releaseConsole = &g_defaultConsole;
    g_paneLines.clear();
  }
};

TEST_F(ConsoleTest, LongLineReachesStdoutWholeAndThePaneCut) {
  Console_SetPaneHook(RecordPane);
  std::string ascii(5000, 'x');
  std::string accented;
  for (int i = 0; i < 2500; ++i) accented += "\xC3\xA9";  // leads at even offsets
  testing::internal::CaptureStdout();
  g_defaultConsole.Output("%s\n", ascii.c_str());
  g_defaultConsole.Output("%s", accented.c_str());
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, ascii + "\n" + accented);
  ASSERT_EQ(g_paneLines.size(), 2u);
  EXPECT_EQ(g_paneLines[0], std::string(4095, 'x'));
  EXPECT_EQ(g_paneLines[1], accented.substr(0, 4094));  // byte 4095 would split a code point
}

TEST_F(ConsoleTest, RedirectedDebugConsoleTakesEveryTraceLine) {
  RecordingConsole recorder;
  g_debugConsole = &recorder;
  testing::internal::CaptureStdout();
  MemoryManager::DumpTotal();
  g_debugConsole->Output("Process Chunk: %s   %d\n", "GEN8", 12);
  g_releaseConsole->Output("game line\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "game line\n");
  ASSERT_EQ(recorder.lines.size(), 2u);
  EXPECT_EQ(recorder.lines[0].rfind("Total memory used = ", 0), 0u);
  EXPECT_EQ(recorder.lines[1], "Process Chunk: GEN8   12\n");
}

}  // namespace

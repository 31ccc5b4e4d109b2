#include "world/start/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/run_flags.h"
#include "script/vm/breakpoints.h"

namespace {

class CommandLine : public testing::Test {
 protected:
  void SetUp() override {
    g_gameFileName.clear();
    VM_ClearBreakpoints();
  }
  void TearDown() override {
    g_gameFileName.clear();
    VM_ClearBreakpoints();
    RunFlags_Reset();
  }
};

TEST_F(CommandLine, CopyIsCutAndTokensAreCapped) {
  Runner_SetCommandLine(std::string(9000, 'x'));
  EXPECT_EQ(std::string(g_commandLine).size(), 8191u);

  std::string longToken(5000, 'a');
  std::string text = longToken + " next";
  size_t end = Runner_NextToken(0, text.c_str());
  EXPECT_EQ(end, 5000u) << "the scan goes on to the end of the long token";
  EXPECT_EQ(std::string(g_token), std::string(4095, 'a'));
  Runner_NextToken(end, text.c_str());
  EXPECT_STREQ(g_token, "next");
}

TEST_F(CommandLine, QuotesKeepBlanksAndArgumentsRoundTrip) {
  const char* argv[] = {"/usr/bin/korvalith", "-game", "my games/q.win", "say\"hi\""};
  std::string line = Runner_JoinArguments(4, argv);
  EXPECT_EQ(line, "/usr/bin/korvalith -game \"my games/q.win\" sayhi");
  size_t p = Runner_NextToken(0, line.c_str());
  p = Runner_NextToken(p, line.c_str());
  EXPECT_STREQ(g_token, "-game");
  p = Runner_NextToken(p, line.c_str());
  EXPECT_STREQ(g_token, "my games/q.win");
  Runner_NextToken(p, line.c_str());
  EXPECT_STREQ(g_token, "sayhi");
  EXPECT_EQ(Runner_NextToken(3, nullptr), 3u);
  EXPECT_STREQ(g_token, "");
}

TEST_F(CommandLine, OptionsAndTheirArguments) {
  Runner_ParseOptions("prog -game first.win -game second.win -oldexec -trace -debug -steam -unknown -inawindow");
  EXPECT_EQ(g_gameFileName, "first.win");
  EXPECT_FALSE(g_runFlags.useBytecode);
  EXPECT_TRUE(g_runFlags.bytecodeTrace);
  EXPECT_TRUE(g_debugMode);
  EXPECT_EQ(g_runFlags.debuggerFlags, 2);
  EXPECT_EQ(g_runFlags.overlayFlags, 2) << "the frame bars are shown";
  g_runFlags.overlayFlags = 0;
  EXPECT_TRUE(g_runFlags.steamMode);
  EXPECT_TRUE(g_runFlags.inAWindow);

  Runner_ParseOptions(nullptr);
  EXPECT_TRUE(g_runFlags.useBytecode) << "a reset turns the machine back on";
  EXPECT_FALSE(g_debugMode);
  EXPECT_TRUE(g_runFlags.bytecodeTrace) << "trace is not reset";
}

TEST_F(CommandLine, BreakpointsKeepTheFirstTen) {
  std::string text = "prog -bp scr";
  for (int i = 1; i <= 10; ++i) text += " -bp s" + std::to_string(i) + "@" + std::to_string(i + 1);
  Runner_ParseOptions(text.c_str());
  ASSERT_EQ(VM_BreakpointCount(), 10);
  EXPECT_STREQ(VM_GetBreakpoint(0)->script, "scr");
  EXPECT_EQ(VM_GetBreakpoint(0)->line, -1) << "no @ reads as line 0";
  EXPECT_STREQ(VM_GetBreakpoint(1)->script, "s1");
  EXPECT_EQ(VM_GetBreakpoint(1)->line, 1);
}

TEST_F(CommandLine, BreakpointLinesOutOfRangeSaturate) {
  Runner_ParseOptions("prog -bp a@99999999999 -bp b@-99999999999 -bp c@x");
  ASSERT_EQ(VM_BreakpointCount(), 3);
  EXPECT_EQ(VM_GetBreakpoint(0)->line, INT32_MAX - 1);
  EXPECT_EQ(VM_GetBreakpoint(1)->line, INT32_MIN);
  EXPECT_EQ(VM_GetBreakpoint(2)->line, -1) << "no number reads as line 0";
}

}  // namespace

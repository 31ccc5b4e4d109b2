#include "script/vm/vm_error.h"

#include <gtest/gtest.h>

#include <string>

#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"
#include "script/vm/breakpoints.h"
#include "support/test_support.h"

namespace {

VMSourcePlace At(int32_t position) { return VMSourcePlace{true, position}; }

TEST(VMSourceLines, LineNumbersAndTextsOnEveryLineEnding) {
  const char* lf = "a = 1\nb = 2\nc = 3";
  EXPECT_EQ(VM_SourceLine(lf, At(0)), 0);
  EXPECT_EQ(VM_SourceLine(lf, At(7)), 1);
  EXPECT_STREQ(VM_SourceLineText(lf, At(7)), "b = 2");  // stops at LF, not at the end
  EXPECT_EQ(VM_SourceLine(lf, At(500)), 2);             // past the end: the last line
  EXPECT_STREQ(VM_SourceLineText(lf, At(500)), "c = 3");
  const char* crlf = "x\r\nyy\r\nz";
  EXPECT_EQ(VM_SourceLine(crlf, At(4)), 1);
  EXPECT_STREQ(VM_SourceLineText(crlf, At(4)), "yy");
  EXPECT_EQ(VM_SourceLine("single", At(3)), 0);
  EXPECT_STREQ(VM_SourceLineText("single", At(3)), "single");
  EXPECT_EQ(VM_SourceLine(lf, VMSourcePlace{}), -1);
  EXPECT_STREQ(VM_SourceLineText(lf, VMSourcePlace{}), "<unknown source line>");
  std::string longLine(400, 'q');
  EXPECT_EQ(std::string(VM_SourceLineText(longLine.c_str(), At(10))).size(), 255u);
}

TEST(VMErrorReport, ByteExactWithListsAndFrames) {
  Variable_Global_Init();
  CVariableList locals, callerLocals, self;
  ScriptValue three{kValueReal, nullptr, 3.0};
  locals.SetValue(100000, 0, three);
  const char* source = "first\nsecond line\nthird";
  VMErrorFrame frames[2];
  frames[0].name = "caller";
  frames[0].place = At(8);
  frames[0].source = source;
  frames[0].locals = &callerLocals;
  frames[1].name = nullptr;  // a frame without saved code shows no line
  VMErrorState state;
  state.name = "inner";
  state.source = "the callee's own text\nwhich the caller's line never shows";
  state.locals = &locals;
  state.selfVariables = &self;  // empty: no heading
  state.currentLine = 0;
  state.depth = 2;
  state.frames = frames;
  TErrStreamConsole console;
  VM_WriteErrorReport(&console, state, "DoAdd :: Execution Error");
  std::string rule(92, '#');
  testsupport::RecordingConsole dump;
  locals.Dump(&dump);
  // The caller's line shows the caller's own text, ended by its line feed.
  std::string expected =
      rule + "\nVMError!! Occurred - DoAdd :: Execution Error\n at inner (line -1) - <unknown source line>\n" + rule +
      "\n" + rule + "\nLocal Variables : \n" + dump.Text() +
      "stack frame is\ninner (line 0)\ncalled from - caller (line 1) - second line\n";
  EXPECT_EQ(console.Text(), expected);
}

TEST(VMErrorReport, TheStreamConsoleGrowsWithoutCutting) {
  TErrStreamConsole console;
  std::string big(3000, 'x');
  for (int i = 0; i < 40; ++i) console.Output("%s", big.c_str());
  EXPECT_EQ(console.Length(), 120000);
  EXPECT_GT(console.Capacity(), 120000);
  EXPECT_EQ(std::string(console.Text()).find_first_not_of('x'), std::string::npos);
}

TEST(VMBreakpoints, TableLimitLinesAndMatching) {
  VM_ClearBreakpoints();
  VM_AddBreakpoint("scr_move", 12);
  for (int i = 0; i < 10; ++i) VM_AddBreakpoint("other", i);
  EXPECT_EQ(VM_BreakpointCount(), 10);  // the eleventh was ignored
  EXPECT_TRUE(VM_BreakpointMatches("scr_move", 11));
  EXPECT_FALSE(VM_BreakpointMatches("scr_move", 12));
  EXPECT_FALSE(VM_BreakpointMatches("SCR_MOVE", 11));
  // Given as line 0 it is stored as -1, the line of code without line
  // pairs, which never matches.
  EXPECT_FALSE(VM_BreakpointMatches("other", -1));
  EXPECT_TRUE(VM_BreakpointMatches("other", 0));  // given as line 1
  EXPECT_FALSE(VM_BreakpointMatches("other", 9));
  VM_BreakpointBreak();  // no debugger attached: nothing happens
  VM_ClearBreakpoints();
}

}  // namespace

// Script text compiled by the generator and run on the machine.
#include <gtest/gtest.h>

#include <string>

#include "front_end_support.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "script_test_support.h"

namespace {

int32_t g_calls = 0;

class VMGenerated : public ::testing::Test {
 protected:
  void SetUp() override {
    front_test::RegisterNames();
    int32_t id = -1;
    if (!Function_Find("count_call", &id))
      Function_Add(
          "count_call",
          [](ScriptValue* r, CInstance*, CInstance*, int32_t, ScriptValue*) {
            ++g_calls;
            ScriptValue_SetReal(r, 1);
          },
          0);
    Variable_Global_Init();
    g_calls = 0;
    g_runFlags.useBytecode = true;
    VM_InstallGenerator();
    VM_Install();
  }
  void TearDown() override {
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
    RunFlags_Reset();
  }
  // Runs a program and reads self's variable `name` afterwards.
  double Program(const char* text, const char* name) {
    CCode code(text, false);
    EXPECT_TRUE(code.Compile("test")) << text;
    EXPECT_NE(code.code, nullptr) << text;
    OwnedValue result;
    EXPECT_TRUE(Code_Execute(AsInstance(&self_), AsInstance(&self_), &code, result.Slot()));
    OwnedValue v;
    return Variable_GetValue(AsInstance(&self_), Code_Variable_Find(name), 0, v.Slot()) ? v.v.real : -999;
  }

  StubWorld world_;
  StubInstance self_;
};

TEST_F(VMGenerated, RepeatCountsAndContinue) {
  EXPECT_EQ(Program("n = 0; repeat (0) n += 1", "n"), 0);
  EXPECT_EQ(Program("n = 0; repeat (-1) n += 1", "n"), 0);
  EXPECT_EQ(Program("n = 0; repeat (2.7) n += 1", "n"), 2);
  EXPECT_EQ(Program("n = 0; repeat (5) { n += 1; continue; n += 100 }", "n"), 5);
  EXPECT_EQ(Program("n = 0; i = 0; do { i += 1; if (i < 3) continue; n += 1 } until (i >= 5)", "n"), 3);
  EXPECT_EQ(Program("n = 0; for (i = 0; i < 6; i += 1) { if (i mod 2 == 0) continue; n += i }", "n"), 9);
  EXPECT_EQ(Program("n = 0; while (1) { n += 1; if (n >= 4) break }", "n"), 4);
}

TEST_F(VMGenerated, SwitchForms) {
  EXPECT_EQ(Program("n = 0; switch (2) { default: n = 9; break; case 2: n = 2 }", "n"), 9);
  EXPECT_EQ(Program("n = 0; switch (3) { case 1: n = 1; break; default: n = 9; break; case 3: n = 3 }", "n"), 9);
  EXPECT_EQ(Program("n = 0; switch (1) { case 1: n += 1; case 2: n += 2; break; case 3: n += 4 }", "n"), 3);
  EXPECT_EQ(Program("n = 0; switch (5) { case 1: n = 1; break; default: n = 7 }", "n"), 7);
  EXPECT_EQ(Program("n = 5; switch (2) { case 1: n = 1; break; case 2: }", "n"), 5);
  EXPECT_EQ(Program("n = 0; switch (\"b\") { case \"a\": n = 1; break; case \"b\": n = 2 }", "n"), 2);
}

TEST_F(VMGenerated, ContinueInsideASwitchLeavesTheStackFlat) {
  EXPECT_EQ(Program("n = 0; repeat (100000) { switch (n mod 3) { case 0: n += 1; continue; default: n += 1 } }", "n"),
            100000);
}

TEST_F(VMGenerated, BothSidesOfALogicalOperatorRun) {
  EXPECT_EQ(Program("n = 0; if (0 && count_call()) n = 1", "n"), 0);
  EXPECT_EQ(g_calls, 1);
}

TEST_F(VMGenerated, StringsAndTolerance) {
  EXPECT_EQ(Program("s = \"ab\"; t = s + \"cd\"; n = (t == \"abcd\")", "n"), 1);
  EXPECT_EQ(Program("a = 0.1; b = 0.2; n = (a + b == 0.3)", "n"), 1);
  EXPECT_EQ(Program("n = (1 != 1.00002)", "n"), 1);
}

// A comparison with a constant decides the branch after it directly; every
// operator, both outcomes, the tolerance, and values the quick form refuses.
TEST_F(VMGenerated, ComparisonsWithAConstantSteerBranches) {
  EXPECT_EQ(Program("var i; n = 0; for (i = 0; i < 5; i += 1) n += 1", "n"), 5);
  EXPECT_EQ(Program("var i; n = 0; for (i = 0; i <= 5; i += 1) n += 1", "n"), 6);
  EXPECT_EQ(Program("var i; n = 0; for (i = 9; i > 5; i -= 1) n += 1", "n"), 4);
  EXPECT_EQ(Program("var i; n = 0; for (i = 9; i >= 5; i -= 1) n += 1", "n"), 5);
  EXPECT_EQ(Program("var i; n = 0; for (i = 0; i != 7; i += 1) n += 1", "n"), 7);
  EXPECT_EQ(Program("var i; n = 0; i = 0.3; if (i == 0.3) n = 1 else n = 2", "n"), 1);
  EXPECT_EQ(Program("var i; n = 0; i = 1.000001; if (i == 1) n = 1 else n = 2", "n"), 1);
  EXPECT_EQ(Program("var i; n = 0; i = 4; while !(i < 2) { i -= 1; n += 1 }", "n"), 3);
  // A loop's step going straight to its test: the test keeps the tolerance,
  // a test of another local than the one stepped, and a test that branches
  // back when true.
  EXPECT_EQ(Program("var i; n = 0; for (i = 0; i < 1; i += 0.1) n += 1", "n"), 10);
  EXPECT_EQ(Program("var i; n = 0; for (i = 1; i > 0; i -= 0.1) n += 1", "n"), 10);
  EXPECT_EQ(Program("var i, j; n = 0; j = 0; for (i = 0; j < 3; i += 1) { j += 1; n += 1 }", "n"), 3);
  EXPECT_EQ(Program("var i; n = 0; i = 0; do { i += 1; n += 1 } until (i >= 4)", "n"), 4);
  EXPECT_EQ(Program("n = 0; i = 3; if (i * 2 < 7) n = 1 else n = 2", "n"), 1);
  EXPECT_EQ(Program("n = 0; i = 4; if (i * 2 < 7) n = 1 else n = 2", "n"), 2);
  EXPECT_EQ(Program("n = 0; i = 4; k = (i * 2 < 9); n = k + 1", "n"), 2);
  EXPECT_EQ(Program("var i; n = 0; i = \"a\"; if (i == \"a\") n = 1 else n = 2", "n"), 1);
}

TEST_F(VMGenerated, GlobalvarInCodeThatNeverRunsStillMakesTheNameGlobal) {
  Program("if (0) { globalvar gv; } gv = 4", "gv");
  OwnedValue v;
  ASSERT_TRUE(Variable_Global_Get(Code_Variable_Find("gv"), 0, v.Slot()));
  EXPECT_EQ(v.v.real, 4);
  EXPECT_EQ(self_.variables.Find(Code_Variable_Find("gv")), nullptr);
}

TEST_F(VMGenerated, CodeGivenToTheMachineLetsItsTreeGoAndStillRuns) {
  CCode code("n = 2; if (n > 1) { n += 3 }", false);
  ASSERT_TRUE(code.Compile("test"));
  ASSERT_NE(code.code, nullptr);
  EXPECT_EQ(code.root.childCount, 0);
  EXPECT_EQ(code.root.children, nullptr);
  OwnedValue result;
  ASSERT_TRUE(Code_Execute(AsInstance(&self_), AsInstance(&self_), &code, result.Slot()));
  OwnedValue n;
  ASSERT_TRUE(Variable_GetValue(AsInstance(&self_), Code_Variable_Find("n"), 0, n.Slot()));
  EXPECT_EQ(n.v.real, 5);
  // Code without bytecode, or without a machine to run it, keeps its tree
  // for the interpreter.
  CCode empty("", false);
  ASSERT_TRUE(empty.Compile("test"));
  EXPECT_EQ(empty.code, nullptr);
  EXPECT_EQ(empty.root.kind, kNodeEmptyProgram);
  Code_SetVMExecutor(nullptr);
  CCode kept("n = 7", false);
  ASSERT_TRUE(kept.Compile("test"));
  EXPECT_NE(kept.code, nullptr);
  ASSERT_EQ(kept.root.childCount, 1);
  ASSERT_TRUE(Code_Execute(AsInstance(&self_), AsInstance(&self_), &kept, result.Slot()));
  ASSERT_TRUE(Variable_GetValue(AsInstance(&self_), Code_Variable_Find("n"), 0, n.Slot()));
  EXPECT_EQ(n.v.real, 7);
}

TEST_F(VMGenerated, AKeptTreeLargerThanOneScratchBlockIsCopiedWhole) {
  Code_SetVMExecutor(nullptr);
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "big = big + 1;";
  text = "big = 0;" + text + "big = big + 0.5";
  CCode code(text.c_str(), false);
  ASSERT_TRUE(code.Compile("test"));
  ASSERT_EQ(code.root.childCount, 3002);
  OwnedValue result;
  ASSERT_TRUE(Code_Execute(AsInstance(&self_), AsInstance(&self_), &code, result.Slot()));
  OwnedValue big;
  ASSERT_TRUE(Variable_GetValue(AsInstance(&self_), Code_Variable_Find("big"), 0, big.Slot()));
  EXPECT_EQ(big.v.real, 3000.5);
}

TEST_F(VMGenerated, WithBreakResumesAfterTheLoop) {
  StubInstance others[3];
  for (int32_t i = 0; i < 3; ++i) others[i].id = 100100 + i;
  world_.objects = {{&others[0]}, {&others[0], &others[1]}, {&others[0], &others[1], &others[2]}};
  for (int32_t object = 0; object < 3; ++object) {
    for (StubInstance& o : others) o.variables.Clear();
    std::string text = "n = 0; with (" + std::to_string(object) + ") { m = 1; break; } n += 10";
    EXPECT_EQ(Program(text.c_str(), "n"), 10) << object;
    int32_t visited = 0;
    for (StubInstance& o : others) visited += o.variables.Count();
    EXPECT_EQ(visited, 1) << object;
  }
}

}  // namespace

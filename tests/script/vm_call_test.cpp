// Script calls on the machine: frames, argument slots, recursion, the
// overflow of the call stack, the report of a nested call and call traces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "script/events/script.h"
#include "script/variables/variable_names.h"
#include "script/vm/breakpoints.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "snippet_runner.h"
#include "support/test_support.h"
#include "vm_test_support.h"

namespace {

bool ReadArgumentCount(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_SetReal(out, g_argumentCount);
  return true;
}

class VMCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Variable_BuiltIn_Find("argument_count") < 0) Variable_BuiltIn_Add("argument_count", ReadArgumentCount, nullptr);
    VM_InstallGenerator();
    VM_Install();
  }
  void TearDown() override {
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
    RunFlags_Reset();
  }

  snippet::Runner runner_{false};
};

TEST_F(VMCalls, ArgumentSlotsAndCountAreTheCalleesAndComeBackAfterwards) {
  std::string sixteen = "return argument_count * 1000";
  for (int32_t i = 0; i < 16; ++i) sixteen += " + argument" + std::to_string(i);
  ASSERT_TRUE(runner_.SetScripts({
      {"three", "return argument_count * 1000 + argument0 * 100 + argument1 * 10 + argument2"},
      {"none", "return argument_count * 1000 + argument0 + argument15"},
      {"sixteen", sixteen},
      {"outer",
       "var r; r = three(1, 2, 3); test_print(r, argument_count, argument0, argument1);"
       "r = sixteen(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16); test_print(r, argument_count, argument1);"
       "r = none(); test_print(r, argument_count, argument0, argument1); return argument0 + argument1"},
  }));
  EXPECT_EQ(runner_.RunJoined("test_print(outer(7, 8), argument_count)"), "3123 2 7 8 | 16136 2 8 | 0 2 7 8 | 15 0");
  // Text arguments are handed over and the caller's own come back intact.
  ASSERT_TRUE(runner_.SetScripts(
      {{"join", "return argument0 + argument1"}, {"keep", "var r; r = join(\"x\", argument0); return r + argument0"}}));
  EXPECT_EQ(runner_.RunJoined("test_print(keep(\"ab\"))"), "xabab");
  // A count shown by a callee only goes back to what the slots showed
  // before, whether or not its caller had shown its own.
  ASSERT_TRUE(runner_.SetScripts({{"shows", "return argument_count"},
                                  {"passes", "return shows(1, 2, 3) * 10 + argument0"},
                                  {"both", "var c; c = argument_count; return passes(4, 5) * 10 + c"}}));
  EXPECT_EQ(runner_.RunJoined("var a; a = passes(5, 6); test_print(a, argument_count); a = both(7); "
                              "test_print(a, argument_count)"),
            "35 0 | 341 0");
}

TEST_F(VMCalls, ExitAndEmptyScriptsGiveZeroAndTheCallerGoesOn) {
  ASSERT_TRUE(runner_.SetScripts(
      {{"leaves", "test_print(\"in\"); exit; test_print(\"never\")"}, {"empty", ""}, {"ends", "var a; a = 5"}}));
  EXPECT_EQ(runner_.RunJoined("test_print(leaves() + 1, empty() + 2, ends() + 3); test_print(\"after\")"),
            "in | 1 2 3 | after");
}

TEST_F(VMCalls, AReturnedValueTakesThePlaceOfWhatTheCalleeLeftOnItsStack) {
  // A return from inside repeat or a switch on a text leaves the counter or
  // the text below the value: both go, and the caller's own temporaries
  // below the call stay.
  ASSERT_TRUE(runner_.SetScripts({
      {"counted", "repeat (3) { return \"r\" + argument0 } return \"none\""},
      {"chosen", "switch (argument0) { case \"a\": return argument0 + \"!\"; default: return 5 }"},
      {"plain", "return argument0"},
  }));
  EXPECT_EQ(runner_.RunJoined("test_print(\"<\" + counted(\"x\") + \">\", chosen(\"a\"), chosen(\"b\") + 1)"),
            "<rx> a! 6");
  EXPECT_EQ(
      runner_.RunJoined("var s; s = \"\"; repeat (2) { s += plain(\"p\") + chosen(\"a\") } test_print(s, plain(4.5))"),
      "pa!pa! 4.5");
}

TEST_F(VMCalls, RecursionKeepsEachFramesLocals) {
  ASSERT_TRUE(runner_.SetScripts({
      {"depth", "var d; d = argument0; if (d <= 0) return 0; return depth(d - 1) + 1 + (d - argument0)"},
      {"fib", "if (argument0 < 2) return argument0; return fib(argument0 - 1) + fib(argument0 - 2)"},
  }));
  EXPECT_EQ(runner_.RunJoined("test_print(depth(100), fib(15))"), "100 610");
}

// Runs a program under debugger evaluation, where an error only stops the
// run; whether one occurred.
bool FailsUnderEvaluation(snippet::Runner& runner, const char* text) {
  g_runFlags.debuggerEvaluating = true;
  Error_ResetState();
  runner.Run(text);
  g_runFlags.debuggerEvaluating = false;
  bool failed = Error_Occurred();
  Error_ResetState();
  return failed;
}

// A script keeps its own locals only once it stores one: calls that store
// none, first stores made after a call came back, an element as the first
// store, and depths that alternate between the two must all see their own
// values, and every list goes back to the pool, an error's unwinding
// included.
TEST_F(VMCalls, LocalsOfFramesThatStoreLateOrNeverStayApart) {
  ASSERT_TRUE(runner_.SetScripts({
      {"none", "return argument0 * 2"},
      {"element", "var a; a[2] = argument0; return a[2] + none(a[2])"},
      {"odd",
       "var v; if (argument0 mod 2 == 1) v = argument0 * 10; if (argument0 <= 0) return 0;"
       "var r; r = odd(argument0 - 1); if (argument0 mod 2 == 1) return r + v; return r + argument0"},
      {"late", "var x; x = none(argument0); var y; y = none(x); return x * 100 + y"},
      {"fails", "var q; q = 0; return 1 / q"},
      {"between", "return fails()"},
      {"first_in_with", "var u; with (all) { u = none(argument0) } return u"},
      {"looped", "var i, t; t = 0; for (i = 0; i < 3; i += 1) { with (all) { t += i + none(0) } } return t"},
  }));
  EXPECT_EQ(runner_.RunJoined("var k; k = none(3); test_print(k, element(4), odd(5), late(1), none(k))"),
            "6 12 96 204 12");
  EXPECT_EQ(runner_.RunJoined("test_print(first_in_with(4), looped())"), "8 6");  // two instances in the room
  EXPECT_EQ(VM_LocalsDepth(), 0);
  EXPECT_TRUE(FailsUnderEvaluation(runner_, "var w; w = 1; w = between()"));
  EXPECT_EQ(VM_LocalsDepth(), 0);
  EXPECT_EQ(runner_.RunJoined("var k; k = none(1); var j; j = late(2); test_print(k, j)"), "2 408");
}

// A call's arguments stay in its frame until something other than the
// machine's own reads could see the slots: slots past those given must read
// empty even where an earlier call at the same depth gave more, a text read
// moves them to the slots in the middle of a script, and an error's
// unwinding gives every text back and leaves the slots as they were.
TEST_F(VMCalls, ArgumentsHeldInTheFrameReadAsTheSlotsWould) {
  ASSERT_TRUE(runner_.SetScripts({
      {"four", "return argument0 + argument1 + argument2 + argument3"},
      {"late", "return argument0 * 10 + argument3"},
      {"mixed",
       "var t; t = argument0 + \"!\"; if (four(argument1, 1, 1, 1) != argument1 + 3) return \"bad\"; return t + "
       "argument0"},
      {"deep", "if (argument1 <= 0) return argument0; return deep(argument0 + \"x\", argument1 - 1) + argument0"},
      {"fails", "var t; t = argument0 + \"\"; var q; q = 0; return 1 / q"},
      {"holds", "return argument1 + fails(argument0)"},
      {"ignores", "return 1"},
  }));
  EXPECT_EQ(runner_.RunJoined("test_print(four(1, 2, 3, 4), late(5), mixed(\"ab\", 7), deep(\"a\", 2), late(6))"),
            "10 50 ab!ab axxaxa 60");
  // The first failing run keeps what the error report holds on to; a second
  // must hold no more.
  uint32_t blocks = 0;
  for (int32_t run = 0; run < 2; ++run) {
    if (run == 1) blocks = MemoryManager::BlockCount();
    EXPECT_TRUE(FailsUnderEvaluation(runner_, "var r; r = ignores(\"t\", \"u\"); r = holds(\"text\", 1)"));
  }
  EXPECT_EQ(g_argumentExtent, 0);
  for (const ScriptValue& slot : g_arguments) EXPECT_TRUE(slot.kind == kValueReal && slot.text == nullptr);
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
  EXPECT_EQ(VM_LocalsDepth(), 0);
}

TEST_F(VMCalls, WithInsideACalledScriptIsClosedWhenItReturns) {
  ASSERT_TRUE(runner_.SetScripts({{"visit", "with (all) { return 4 } return 9"}}));
  EXPECT_EQ(runner_.RunJoined("var k; k = 0; repeat (3) k += visit(); z = k; test_print(k)"), "12");
  EXPECT_NE(runner_.self.variables.Find(Code_Variable_Find("z")), nullptr);
  EXPECT_EQ(runner_.other.variables.Find(Code_Variable_Find("z")), nullptr);
}

// A call leaving from inside with loops of its own, nested or not, hands
// the caller back the self and other it had, inside a with loop of the
// caller's too.
TEST_F(VMCalls, LeavingFromInsideWithLoopsGivesTheCallerItsInstancesBack) {
  ASSERT_TRUE(runner_.SetScripts({{"nested", "with (all) { with (other) { exit } } return 2"},
                                  {"inner_return", "with (other) { with (all) { return 3 } }"}}));
  EXPECT_EQ(runner_.RunJoined("var k; k = nested() + inner_return(); z = k; with (other) { y = nested() + "
                              "inner_return(); x = 1 } test_print(k)"),
            "3");
  int32_t x = Code_Variable_Find("x"), y = Code_Variable_Find("y"), z = Code_Variable_Find("z");
  EXPECT_NE(runner_.self.variables.Find(z), nullptr);
  EXPECT_EQ(runner_.other.variables.Find(z), nullptr);
  EXPECT_NE(runner_.other.variables.Find(y), nullptr);
  EXPECT_NE(runner_.other.variables.Find(x), nullptr);
  EXPECT_EQ(runner_.self.variables.Find(y), nullptr);
}

TEST_F(VMCalls, ACallInsideAWithBodyReturnsIntoTheLoop) {
  // The caller's open with loop stays open across the call, whatever the
  // callee opens and leaves behind.
  ASSERT_TRUE(runner_.SetScripts(
      {{"four", "return 4"}, {"leave", "exit"}, {"inner_with", "with (all) { return 1 } return 2"}}));
  EXPECT_EQ(runner_.RunJoined("var k; k = 0; with (all) { k += four(); leave(); k += inner_with() } test_print(k)"),
            "10");
}

TEST_F(VMCalls, ScriptCallsAreTracedWithoutANewMachineLine) {
  ASSERT_TRUE(runner_.SetScripts({{"leaf", "return 1"}, {"branch", "return leaf() + leaf()"}}));
  testsupport::RecordingConsole console;
  tagIConsole* saved = g_debugConsole;
  g_debugConsole = &console;
  g_runFlags.bytecodeTrace = true;
  runner_.Run("branch()");
  g_runFlags.bytecodeTrace = false;
  g_debugConsole = saved;
  EXPECT_EQ(console.Text(), "script = snippet\nscript call = branch\nscript call = leaf\nscript call = leaf\n");
}

// Gives a script a new code object made from `text`, freeing the old one, as
// a script store that replaces one script would.
void ReplaceScriptCode(const char* name, const char* text) {
  CScript* script = Script_Get(Script_Find(name));
  ASSERT_NE(script, nullptr);
  delete script->code;
  script->code = new CCode(text, false);
  ASSERT_TRUE(script->code->Compile((std::string("Script.") + name).c_str()));
}

// Gives `middle` positions by hand: the first word on line 0, everything
// after it at `position`. The new buffer is made before the old one goes,
// so that it cannot take the old one's place in memory.
void GiveMiddlePositions(uint32_t position) {
  CCode* middle = Script_Get(Script_Find("middle"))->code;
  auto* pairs = static_cast<uint8_t*>(KV_ALLOC(16, true));
  const uint32_t words[4] = {0, 0, 4, position};
  std::memcpy(pairs, words, sizeof words);
  auto* positions = new VMBuffer();
  positions->Adopt(pairs, 16);
  delete middle->debug;
  middle->debug = positions;
}

// change(n) while code runs: 0 compiles `callee` anew, 1 empties the bytes
// of the buffer `callee` runs, 2 gives `middle` new positions.
void Change(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue* arguments) {
  if (arguments[0].real == 0) ReplaceScriptCode("callee", "return argument0 * 100");
  if (arguments[0].real == 1) Script_Get(Script_Find("callee"))->code->code->Adopt(nullptr, 0);
  if (arguments[0].real == 2) GiveMiddlePositions(14);  // line 1, where its call is
  ScriptValue_SetReal(result, 0.0);
}

void AddChange() {
  int32_t id = 0;
  if (!Function_Find("change", &id)) Function_Add("change", Change, 1);
}

// The caller's call records stay while the callee changes under them: every
// call runs the callee as it stands then.
TEST_F(VMCalls, ACallRunsTheCalleeAsItStandsAtThatCall) {
  AddChange();
  ASSERT_TRUE(runner_.SetScripts({{"callee", "return argument0 + 1"},
                                  {"caller", "return callee(argument0) * 10"},
                                  {"twice", "var a; a = callee(1); change(0); return a + callee(2)"}}));
  EXPECT_EQ(runner_.RunJoined("test_print(caller(1))"), "20");
  // A new code object, compiled from another text.
  ReplaceScriptCode("callee", "return argument0 + 2");
  EXPECT_EQ(runner_.RunJoined("test_print(caller(1))"), "30");
  // Changed while the caller runs, between two calls of one caller's code,
  // and between two turns of one call record in a loop: compiled anew, or
  // its buffer left without bytes (a call then gives 0, as a script without
  // code does).
  EXPECT_EQ(runner_.RunJoined("test_print(twice())"), "203");
  ReplaceScriptCode("callee", "return argument0 + 1");
  EXPECT_EQ(runner_.RunJoined("var i, s; s = 0; for (i = 1; i <= 3; i += 1) { s = s * 1000 + caller(i); change(0) } "
                              "test_print(s)"),
            "22003000");
  ReplaceScriptCode("callee", "return argument0 + 1");
  EXPECT_EQ(runner_.RunJoined("var i, s; s = 0; for (i = 1; i <= 3; i += 1) { s = s * 1000 + caller(i); change(1) } "
                              "test_print(s)"),
            "20000000");
  // The whole store loaded again: the same names, other texts.
  ASSERT_TRUE(runner_.SetScripts({{"caller", "return callee(argument0) * 10"}, {"callee", "return -argument0"}}));
  EXPECT_EQ(runner_.RunJoined("test_print(caller(4))"), "-40");
}

// The first with loop count at which a run of `program` under `withs` nested
// with loops overflows the stack; -1 when none up to 80 does.
int32_t WithsThatOverflow(snippet::Runner& runner, const std::string& program) {
  for (int32_t withs = 0; withs <= 80; ++withs) {
    std::string text;
    for (int32_t i = 0; i < withs; ++i) text += "with (self) ";
    if (FailsUnderEvaluation(runner, (text + program).c_str())) return withs;
  }
  return -1;
}

// Near the bottom of a deep recursion the room left for values depends on
// the with loops open around it: each takes 20 bytes, five more values on
// the stack 80. Calls at the same depths with fewer with loops open must not
// leave their limits to later ones, and the overflow's unwinding through
// every frame leaves nothing behind.
TEST_F(VMCalls, TheRoomLeftAtDepthFollowsTheWithLoopsOpenAroundTheCalls) {
  // Sums nested to the right keep every term but the last two on the stack.
  std::string five;
  for (int32_t i = 0; i < 5; ++i) five += " + (argument0";
  ASSERT_TRUE(runner_.SetScripts({
      {"fewer",
       "if (argument0 > 0) return fewer(argument0 - 1); return argument0" + five + five + std::string(10, ')')},
      {"more",
       "if (argument0 > 0) return more(argument0 - 1); return argument0" + five + five + five + std::string(15, ')')},
  }));
  EXPECT_EQ(runner_.RunJoined("test_print(fewer(3), more(428))"), "0 0");
  int32_t fewerOverflow = WithsThatOverflow(runner_, "fewer(428)");
  int32_t moreOverflow = WithsThatOverflow(runner_, "more(428)");
  ASSERT_GT(moreOverflow, 0);
  EXPECT_EQ(fewerOverflow - moreOverflow, 4);
  EXPECT_EQ(WithsThatOverflow(runner_, "fewer(428)"), fewerOverflow);
  EXPECT_EQ(VM_LocalsDepth(), 0);
  EXPECT_EQ(g_argumentExtent, 0);
  EXPECT_EQ(runner_.RunJoined("var r; r = fewer(2); with (self) { r += more(1) } test_print(r, argument_count)"),
            "0 0");
}

using VMCallsDeathTest = VMCalls;

void RunToDeath(snippet::Runner& runner, const char* text) {
  PrepareToDie();
  // The store's own table goes with the static objects at exit; empty it
  // first so the leak check still finds every script reachable.
  std::atexit(Script_Clear);
  runner.Run(text);
  std::exit(0);
}

TEST_F(VMCallsDeathTest, UnboundedRecursionIsAStackOverflow) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(runner_.SetScripts({{"forever", "return forever(argument0 + 1)"}}));
  EXPECT_EXIT(RunToDeath(runner_, "forever(0)"), ::testing::ExitedWithCode(255),
              "VMError!! Occurred - Stack overflow...\n");
}

TEST_F(VMCallsDeathTest, ANestedErrorShowsTheFramesItWasCalledFrom) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(
      runner_.SetScripts({{"inner", "var q; q = 0; return 1 / q"}, {"middle", "var m; m = 3; return inner()"}}));
  EXPECT_EXIT(RunToDeath(runner_, "var w; w = 2; middle()"), ::testing::ExitedWithCode(255),
              "VMError!! Occurred - DoDiv :: Divide by zero\n"
              " at Script.inner \\(line -1\\) - <unknown source line>\n"
              "(.|\n)*stack frame is\nScript.inner \\(line 0\\)\n"
              "called from - Script.middle \\(line -1\\) - <unknown source line>\n"
              "m = 3\n"
              "called from - snippet \\(line -1\\) - <unknown source line>\n"
              "w = 2\n");
}

TEST_F(VMCallsDeathTest, AFrameWithoutLocalsShowsNoneAndItsCallerStillShowsItsOwn) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(runner_.SetScripts({{"inner", "var q; q = 0; return 1 / q"}, {"middle", "return inner() + 1"}}));
  EXPECT_EXIT(RunToDeath(runner_, "var w; w = 2; var n; n = middle()"), ::testing::ExitedWithCode(255),
              "stack frame is\nScript.inner \\(line 0\\)\n"
              "called from - Script.middle \\(line -1\\) - <unknown source line>\n"
              "called from - snippet \\(line -1\\) - <unknown source line>\n"
              "w = 2\n");
}

TEST_F(VMCallsDeathTest, ACallerFrameShowsTheLineOfItsCall) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(
      runner_.SetScripts({{"inner", "var q; q = 0; return 1 / q"}, {"middle", "var m; m = 3;\nreturn inner()"}}));
  // Pairs by hand: the first word on line 0, everything after it on line 1,
  // where the call is.
  CCode* middle = Script_Get(Script_Find("middle"))->code;
  ASSERT_NE(middle, nullptr);
  auto* pairs = static_cast<uint8_t*>(KV_ALLOC(16, true));
  const uint32_t words[4] = {0, 0, 4, 14};
  std::memcpy(pairs, words, sizeof words);
  delete middle->debug;
  middle->debug = new VMBuffer();
  middle->debug->Adopt(pairs, 16);
  EXPECT_EXIT(RunToDeath(runner_, "middle()"), ::testing::ExitedWithCode(255),
              "called from - Script.middle \\(line 1\\) - return inner\\(\\)\n");
}

// The caller's record found `middle` while its positions put everything on
// line 0; they change in the same run, and the report reads the new ones.
TEST_F(VMCallsDeathTest, ACallerFrameShowsPositionsGivenAfterAnEarlierCall) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  AddChange();
  ASSERT_TRUE(runner_.SetScripts({{"inner", "return 1 / argument0"},
                                  {"middle", "var m; m = 3;\nreturn inner(argument0)"},
                                  {"outer", "return middle(argument0)"}}));
  GiveMiddlePositions(0);
  EXPECT_EXIT(RunToDeath(runner_, "outer(1); change(2); outer(0)"), ::testing::ExitedWithCode(255),
              "called from - Script.middle \\(line 1\\) - return inner\\(argument0\\)\n");
}

// Limits worked out at a depth while no breakpoint was set must not serve
// a later run with one: every instruction of a callee then tracks its line,
// which the report's frame shows.
TEST_F(VMCallsDeathTest, ABreakpointSetBetweenRunsReachesTheCallees) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  ASSERT_TRUE(runner_.SetScripts({{"inner", "return 1 / argument0"}, {"middle", "return inner(argument0)"}}));
  auto run = [this] {
    PrepareToDie();
    std::atexit(Script_Clear);
    runner_.Run("middle(1)");
    VM_AddBreakpoint("elsewhere", 1);
    runner_.Run("middle(0)");
    std::exit(0);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(255), "stack frame is\nScript.inner \\(line -1\\)\n");
}

// One call record reached again with values that do not fit: a callee it
// found before is entered only once the arguments are checked. `twice` is
// made by hand: its record calls `less` with a real, then with an int, or
// with nothing on the stack at all, as a result of 0 comes round again.
TEST_F(VMCallsDeathTest, ACallRecordReachedAgainChecksItsArgumentsEachTime) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  for (bool pushes : {true, false}) {
    ASSERT_TRUE(runner_.SetScripts({{"less", "return argument0 - 1"}, {"twice", "return 0"}}));
    Asm code;
    code.Short(1).Conv(kI, kV);
    int32_t call = code.Here();
    code.Call(kFirstScriptFunctionId + Script_Find("less"), 1).Conv(kV, kB);
    int32_t done = code.Here();
    code.Branch(kOpBt, 0);
    if (pushes) code.Short(2);
    int32_t again = code.Here();
    code.Branch(kOpB, 0);
    code.Patch(again, call);
    code.Patch(done, code.Here());
    code.Short(7).Conv(kI, kV).W(Asm::Op(kOpRet, kV));
    const VMBuffer* made = code.Buffer();
    auto* bytes = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(made->size), false));
    std::memcpy(bytes, made->bytes, static_cast<size_t>(made->size));
    Script_Get(Script_Find("twice"))->code->code->Adopt(bytes, made->size);
    EXPECT_EXIT(RunToDeath(runner_, "twice()"), ::testing::ExitedWithCode(255), "Malformed bytecode\n at Script.twice")
        << pushes;
  }
}

}  // namespace

#include "script/vm/vm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/vm/vm_error.h"
#include "script/vm/vm_operators.h"
#include "script_test_support.h"
#include "support/test_support.h"
#include "vm_test_support.h"

namespace {

constexpr int32_t kVarA = 100000, kVarB = 100001;

const char* TestStrings(const VMBuffer*, int32_t index) {
  static const char* const texts[] = {"ab", "cd", "true"};
  return index >= 0 && index < 3 ? texts[index] : nullptr;
}

class VMTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Variable_Global_Init();
    VM_SetStringSource(TestStrings);
    self_.id = 100001;
    other_.id = 100002;
  }
  void TearDown() override {
    VM_SetStringSource(nullptr);
    RunFlags_Reset();
  }
  std::string Run(Asm& code) {
    OwnedValue result;
    EXPECT_TRUE(
        VM_Exec("test", AsInstance(&self_), AsInstance(&other_), code.Buffer(), result.Slot(), nullptr, nullptr));
    if (result.v.kind == kValueString) return "s:" + result.Text();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", result.v.real);
    return buffer;
  }
  double Self(int32_t id, int32_t k = 0) {
    OwnedValue v;
    return self_.variables.GetValue(id, k, v.Slot()) ? v.v.real : -999;
  }

  StubWorld world_;
  StubInstance self_, other_;
};

TEST_F(VMTest, ValuesFlowThroughTheTypedStack) {
  Asm a;
  a.Short(2).Short(3).Bin(kOpAdd, kI, kI).Double(0.5).Bin(kOpMul, kD, kI).Conv(kD, kV);
  EXPECT_EQ(Run(a), "2.5");
  Asm s;
  s.Str(0).Str(1).Bin(kOpAdd, kS, kS).Conv(kS, kV);
  EXPECT_EQ(Run(s), "s:abcd");
  Asm t;  // a borrowed constant converted twice stays intact
  t.Str(2).W(Asm::Op(kOpDup, kS)).Conv(kS, kB).W(Asm::Op(kOpPopz, kB)).Conv(kS, kV);
  EXPECT_EQ(Run(t), "s:true");
  Asm big;
  big.Int(70000).Conv(kI, kV);
  EXPECT_EQ(Run(big), "70000");
}

TEST_F(VMTest, ExitKeepsTheCallersResultAndRetHandsTheTopValue) {
  Asm a;
  a.Short(7).Conv(kI, kV).W(kVMExitWord).Short(9);
  OwnedValue result;
  ScriptValue_SetReal(result.Slot(), 42);
  ASSERT_TRUE(VM_Exec("t", nullptr, nullptr, a.Buffer(), &result.v, nullptr, nullptr));
  EXPECT_EQ(result.v.real, 42);
  Asm r;
  r.Short(5).Conv(kI, kV).W(kVMReturnWord).Short(1).Conv(kI, kV);
  EXPECT_EQ(Run(r), "5");
}

// The machine's own number paths must agree with the operator module on
// every pair of int, double and variant real operands: same type, same value,
// same error.
TEST_F(VMTest, ArithmeticAndComparisonsAgreeWithTheOperatorModule) {
  const uint8_t ops[] = {kOpMul, kOpDiv, kOpRem, kOpMod, kOpAdd, kOpSub,
                         kOpSlt, kOpSle, kOpSeq, kOpSne, kOpSge, kOpSgt};
  const uint8_t types[] = {kI, kD, kV};
  const double values[][2] = {{7, 2}, {-7.5, 2}, {1, 1.000001}, {5, 0}, {3, 1e-11}, {-9, 4}};
  g_runFlags.debuggerEvaluating = true;
  for (uint8_t op : ops) {
    for (uint8_t lt : types) {
      for (uint8_t rt : types) {
        for (const auto& pair : values) {
          auto slot = [](uint8_t type, double v) {
            VMSlot out{};
            if (type == kI)
              VMSlot_SetInt(&out, static_cast<int32_t>(v));
            else if (type == kD)
              VMSlot_SetDouble(&out, v);
            else
              VMSlot_SetReal(&out, v);
            return out;
          };
          VMSlot left = slot(lt, pair[0]), right = slot(rt, pair[1]);
          bool compare = op >= kOpSlt;
          const char* error = compare ? VMOp_Compare(op, &left, &right) : VMOp_Binary(op, &left, &right);
          Asm a;
          auto push = [&a](uint8_t type, double v) {
            if (type == kI)
              a.Int(static_cast<int32_t>(v));
            else
              a.Double(v);
            if (type == kV) a.Conv(kD, kV);
          };
          push(lt, pair[0]);
          push(rt, pair[1]);
          a.Bin(op, rt, lt);
          if (left.type != kSlotVariant) a.Conv(static_cast<uint8_t>(left.type), kV);
          OwnedValue result;
          Error_ResetState();
          bool ok = VM_Exec("t", nullptr, nullptr, a.Buffer(), result.Slot(), nullptr, nullptr);
          std::string where = std::to_string(op) + " " + std::to_string(lt) + "/" + std::to_string(rt) + " " +
                              std::to_string(pair[0]) + "," + std::to_string(pair[1]);
          ASSERT_EQ(ok, error == nullptr) << where;
          if (!ok) continue;
          double expected = left.type == kSlotDouble || left.type == kSlotVariant ? left.d : left.i;
          if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(result.v.real)) << where;  // real mod 0
          else
            EXPECT_EQ(result.v.real, expected) << where;
        }
      }
    }
  }
  g_runFlags.debuggerEvaluating = false;
  Error_ResetState();
}

TEST_F(VMTest, LocalsTakeOverStoredTextsAndKeepTheirOwnCopies) {
  Asm a;
  a.Str(0).PopVar(kInstanceLocal, kVarA, kS);  // a = "ab" (borrowed, so copied)
  a.PushVar(kInstanceLocal, kVarA).Str(1).Bin(kOpAdd, kS, kV).PopVar(kInstanceLocal, kVarA, kV);
  a.PushVar(kInstanceLocal, kVarA).PopVar(kInstanceLocal, kVarB, kV);  // b = a = "abcd"
  a.Short(1).PopVar(kInstanceLocal, kVarA, kI);                        // a = 1 frees "abcd"
  a.PushVar(kInstanceLocal, kVarB).PushVar(kInstanceLocal, kVarB).Bin(kOpAdd, kV, kV);
  EXPECT_EQ(Run(a), "s:abcdabcd");
  // The pool keeps the list's nodes and last values; a second run holds
  // exactly as many blocks as the first.
  uint32_t blocks = MemoryManager::BlockCount();
  EXPECT_EQ(Run(a), "s:abcdabcd");
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

TEST_F(VMTest, SelectorsReadAndWrite) {
  Asm a;
  a.Short(4).Conv(kI, kV).PopVar(kInstanceSelf, kVarA, kV);
  a.Short(6).PopVar(kInstanceOther, kVarA, kI);
  a.Short(8).PopVar(kInstanceGlobal, kVarB, kI);
  a.Short(1).PopVar(kInstanceNoone, kVarB, kI);  // nothing stored
  a.Short(3).PopVar(kInstanceLocal, kVarB, kI);
  a.PushVar(kInstanceLocal, kVarB)
      .PushVar(kInstanceGlobal, kVarB)
      .Bin(kOpAdd, kV, kV)  // 3 + 8
      .PushVar(kInstanceNoone, kVarA)
      .Bin(kOpAdd, kV, kV)  // + 0
      .PushVar(kInstanceSelf, kVarA)
      .Bin(kOpAdd, kV, kV)  // + 4
      .PushVar(kInstanceOther, kVarA)
      .Bin(kOpAdd, kV, kV);  // + 6
  EXPECT_EQ(Run(a), "21");
  OwnedValue v;
  ASSERT_TRUE(Variable_Global_Get(kVarB, 0, v.Slot()));
  EXPECT_EQ(v.v.real, 8);
  ASSERT_TRUE(other_.variables.GetValue(kVarA, 0, v.Slot()));
  EXPECT_EQ(v.v.real, 6);
}

TEST_F(VMTest, UnspecifiedSelectorFollowsGlobalvarAndIdsReachInstances) {
  Asm a;
  a.Short(1).PopVar(kInstanceNotSpecified, kVarA + 5, kI);
  Run(a);
  EXPECT_EQ(Self(kVarA + 5), 1);
  Variable_DeclareGlobal(kVarA + 6);
  Asm g;
  g.Short(2).PopVar(kInstanceNotSpecified, kVarA + 6, kI).PushVar(kInstanceGlobal, kVarA + 6);
  EXPECT_EQ(Run(g), "2");
  EXPECT_EQ(self_.variables.Find(kVarA + 6), nullptr);
  // An instance id through the stack, then an object index.
  world_.room = {&self_, &other_};
  world_.objects = {{&other_}};
  Asm i;
  i.Short(9).Int(100002).PopVarStack(kVarA + 7, false, kI).Short(0).PushVarStack(kVarA + 7, false);
  EXPECT_EQ(Run(i), "9");
}

TEST_F(VMTest, ArrayElementsAndTheIndexFromTheStack) {
  Asm a;
  a.Short(5).Short(-1).Short(3).PopVarStack(kVarA, true, kI);  // self.a[3] = 5
  a.Short(-1).Short(3).PushVarStack(kVarA, true);
  EXPECT_EQ(Run(a), "5");
  EXPECT_EQ(Self(kVarA, 3), 5);
}

TEST_F(VMTest, BuiltinCallsSeeTheirArgumentsInOrder) {
  static std::vector<double> seen;
  static int32_t seenCount = -1;
  Function_Add(
      "vm_test_collect",
      [](ScriptValue* result, CInstance*, CInstance*, int32_t argc, ScriptValue* args) {
        seen.clear();
        seenCount = argc;
        for (int32_t i = 0; i < argc; ++i) seen.push_back(args[i].real);
        ScriptValue_SetString(result, "done");
      },
      -1);
  int32_t id = -1;
  ASSERT_TRUE(Function_Find("vm_test_collect", &id));
  for (int32_t argc : {0, 3, 16}) {
    Asm a;
    for (int32_t i = argc - 1; i >= 0; --i) a.Short(static_cast<int16_t>(i + 1)).Conv(kI, kV);
    a.Call(id, argc);
    EXPECT_EQ(Run(a), "s:done");
    ASSERT_EQ(seenCount, argc);
    for (int32_t i = 0; i < argc; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], i + 1);
  }
  // Texts handed to a built-in are freed after it.
  uint32_t blocks = MemoryManager::BlockCount();
  Asm t;
  t.Str(0).Conv(kS, kV).Call(id, 1).W(Asm::Op(kOpPopz, kV));
  Run(t);
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

TEST_F(VMTest, ExtensionCallsAndMissingScriptsGiveZero) {
  Asm a;
  a.Short(1).Conv(kI, kV).Call(500003, 1).Call(100000 + 4000, 0).Bin(kOpAdd, kV, kV);
  EXPECT_EQ(Run(a), "0");
}

TEST_F(VMTest, LoopsBranchOnBools) {
  // a = 0; repeat 5: a += 2
  Asm a;
  a.Short(0).PopVar(kInstanceLocal, kVarA, kI);
  a.Short(5);
  int32_t top = a.Here();
  a.W(Asm::Op(kOpDup, kI)).Short(0).Bin(kOpSle, kI, kI);  // dup; <= 0
  int32_t exitBranch = a.Here();
  a.Branch(kOpBt, 0);
  a.PushVar(kInstanceLocal, kVarA).Short(2).Bin(kOpAdd, kI, kV).PopVar(kInstanceLocal, kVarA, kV);
  a.Short(1).Bin(kOpSub, kI, kI);
  int32_t back = a.Here();
  a.Branch(kOpB, 0);
  a.Patch(back, top);
  a.Patch(exitBranch, a.Here());
  a.W(Asm::Op(kOpPopz, kI)).PushVar(kInstanceLocal, kVarA);
  EXPECT_EQ(Run(a), "10");
}

TEST_F(VMTest, UnknownOpcodesAreSkippedWithTheirOperand) {
  Asm a;
  a.Short(3).W(0x7F000000u).W(Asm::Op(0x42, kI)).W(0xFFFFFFFFu).W(Asm::Op(kOpBreak, kE, 0, 77)).Conv(kI, kV);
  EXPECT_EQ(Run(a), "3");
}

// ---- with ------------------------------------------------------------------

class VMWithTest : public VMTest {
 protected:
  // with (selector) { counter += 1; other.seen += 1 * order } records the
  // visiting order in a global list of ids.
  static std::vector<int32_t>& Visits() {
    static std::vector<int32_t> visits;
    return visits;
  }
  void SetUp() override {
    VMTest::SetUp();
    Function_Add(
        "vm_test_visit",
        [](ScriptValue*, CInstance* self, CInstance* other, int32_t, ScriptValue*) {
          Visits().push_back(reinterpret_cast<StubInstance*>(self)->id);
          Visits().push_back(other == nullptr ? 0 : reinterpret_cast<StubInstance*>(other)->id);
        },
        0);
    ASSERT_TRUE(Function_Find("vm_test_visit", &visit_));
    for (int32_t i = 0; i < 4; ++i) many_[i].id = 100010 + i;
    Visits().clear();
  }
  // pushenv; call visit; popenv; [extra]; with an optional `break` first.
  Asm With(int32_t selector, bool breakAfterFirst) {
    Asm a;
    a.Int(selector);
    int32_t push = a.Here();
    a.Branch(kOpPushEnv, 0);
    int32_t body = a.Here();
    a.Call(visit_, 0).W(Asm::Op(kOpPopz, kV));
    int32_t breakAt = -1;
    if (breakAfterFirst) {
      breakAt = a.Here();
      a.Branch(kOpB, 0);
    }
    int32_t pop = a.Here();
    a.Branch(kOpPopEnv, 0);
    a.Patch(pop, body);
    a.Patch(push, pop);
    if (breakAfterFirst) {
      int32_t cleanup = a.Here();
      a.Branch(kOpB, 0);
      a.Patch(breakAt, a.Here());
      a.W(kVMWithClose);
      a.Patch(cleanup, a.Here());
    }
    a.Short(1).Conv(kI, kV);
    return a;
  }
  std::vector<int32_t> Ids(std::initializer_list<int32_t> ids) { return ids; }

  int32_t visit_ = -1;
  StubInstance many_[4];
};

TEST_F(VMWithTest, SelfOtherAndNoone) {
  Asm self = With(kInstanceSelf, false);
  Run(self);
  EXPECT_EQ(Visits(), Ids({100001, 100001}));
  Visits().clear();
  Asm other = With(kInstanceOther, false);
  Run(other);
  EXPECT_EQ(Visits(), Ids({100002, 100001}));
  Visits().clear();
  Asm noone = With(kInstanceNoone, false);
  EXPECT_EQ(Run(noone), "1");
  EXPECT_TRUE(Visits().empty());
}

TEST_F(VMWithTest, ObjectsRunTwoInOrderAndMoreFromTheLastBack) {
  world_.objects = {
      {}, {&many_[0], &many_[1]}, {&many_[0], &many_[1], &many_[2]}, {&many_[0], &many_[1], &many_[2], &many_[3]}};
  Asm empty = With(0, false);
  Run(empty);
  EXPECT_TRUE(Visits().empty());
  Asm two = With(1, false);
  Run(two);
  EXPECT_EQ(Visits(), Ids({100010, 100001, 100011, 100001}));
  Visits().clear();
  Asm three = With(2, false);
  Run(three);
  EXPECT_EQ(Visits(), Ids({100012, 100001, 100011, 100001, 100010, 100001}));
  Visits().clear();
  many_[1].marked = true;
  Asm four = With(3, false);
  Run(four);
  EXPECT_EQ(Visits(), Ids({100013, 100001, 100012, 100001, 100010, 100001}));
}

TEST_F(VMWithTest, BreakClosesTheLoopAndRestoresSelf) {
  world_.objects = {{&many_[0], &many_[1], &many_[2], &many_[3]}};
  uint32_t blocks = MemoryManager::BlockCount();
  Asm a = With(0, true);
  a.W(Asm::Op(kOpPopz, kV)).Call(visit_, 0);
  Run(a);
  EXPECT_EQ(Visits(), Ids({100013, 100001, 100001, 100002}));
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
}

TEST_F(VMWithTest, ExitInsideAWithOverFourFreesItsList) {
  world_.objects = {{&many_[0], &many_[1], &many_[2], &many_[3]}};
  Asm a;
  a.Short(0);
  int32_t push = a.Here();
  a.Branch(kOpPushEnv, 0);
  a.W(kVMExitWord);
  int32_t pop = a.Here();
  a.Branch(kOpPopEnv, 0);
  a.Patch(push, pop);
  a.Patch(pop, push + 4);
  uint32_t blocks = MemoryManager::BlockCount();
  Run(a);
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
  EXPECT_EQ(VM_LocalsDepth(), 0);
}

TEST_F(VMWithTest, AllWalksTheRoom) {
  world_.room = {&many_[0], &many_[1]};
  Asm a = With(kInstanceAll, false);
  Run(a);
  EXPECT_EQ(Visits(), Ids({100010, 100001, 100011, 100001}));
}

// ---- errors ----------------------------------------------------------------

using VMDeathTest = VMTest;

void RunToDeath(Asm& code) {
  PrepareToDie();
  VM_Exec("dies", nullptr, nullptr, code.Buffer(), nullptr, nullptr, nullptr);
}

TEST_F(VMDeathTest, MachineErrorsReportAndExitWithStatus255) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  Asm underflow;
  underflow.Bin(kOpAdd, kI, kI);
  EXPECT_EXIT(
      RunToDeath(underflow), ::testing::ExitedWithCode(255),
      "VMError!! Occurred - Execution Error - Malformed bytecode\n at dies \\(line -1\\) - <unknown source line>");
  Asm mismatch;
  mismatch.Short(1).Short(2).Bin(kOpAdd, kD, kI);
  EXPECT_EXIT(RunToDeath(mismatch), ::testing::ExitedWithCode(255), "Malformed bytecode");
  Asm wild;
  wild.Branch(kOpB, 1000);
  EXPECT_EXIT(RunToDeath(wild), ::testing::ExitedWithCode(255), "Malformed bytecode");
  Asm cut;
  cut.W(Asm::Op(kOpPush, kD)).W(0);
  EXPECT_EXIT(RunToDeath(cut), ::testing::ExitedWithCode(255), "Malformed bytecode");
  Asm zero;
  zero.Short(1).Short(0).Bin(kOpDiv, kI, kI);
  EXPECT_EXIT(RunToDeath(zero), ::testing::ExitedWithCode(255), "VMError!! Occurred - DoDiv :: Divide by zero\n");
  Asm local;
  local.Short(kInstanceLocal).Branch(kOpPushEnv, 1).Branch(kOpPopEnv, 0);
  EXPECT_EXIT(RunToDeath(local), ::testing::ExitedWithCode(255), "Cannot use local in with statement");
  Asm global;
  global.Short(kInstanceGlobal).Branch(kOpPushEnv, 1).Branch(kOpPopEnv, 0);
  EXPECT_EXIT(RunToDeath(global), ::testing::ExitedWithCode(255), "Cannot use global in with statement");
}

TEST_F(VMDeathTest, VariableErrorsNameTheVariable) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  int32_t id = Code_Variable_Find("a");
  Asm negative;
  negative.Short(1).Short(-5).Short(-1).PopVarStack(id, true, kI);
  EXPECT_EXIT(RunToDeath(negative), ::testing::ExitedWithCode(255),
              "Pop :: Execution Error - Variable index out of range a");
  Asm missing;
  missing.PushVar(kInstanceLocal, id);
  g_runFlags.unsetVariableIsError = true;
  EXPECT_EXIT(RunToDeath(missing), ::testing::ExitedWithCode(255), "Push :: Execution Error - Variable Get a");
  Asm malformed;
  malformed.Short(1).W(Asm::Op(kOpPop, kI, kI, -1)).W(Asm::Ref(id, true, true));
  EXPECT_EXIT(RunToDeath(malformed), ::testing::ExitedWithCode(255), "Pop :: Execution Error - Instruction malformed");
  g_runFlags.unsetVariableIsError = false;
}

// A built-in that runs code again, without end.
Asm* g_reentering = nullptr;
void Reenter(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {
  VM_Exec("again", nullptr, nullptr, g_reentering->Buffer(), nullptr, nullptr, nullptr);
}

TEST_F(VMDeathTest, RunawayNestingIsAStackOverflowNotASignal) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  Function_Add("vm_test_reenter", Reenter, 0);
  int32_t id = -1;
  ASSERT_TRUE(Function_Find("vm_test_reenter", &id));
  static Asm code;
  code.Call(id, 0);
  g_reentering = &code;
  EXPECT_EXIT(RunToDeath(code), ::testing::ExitedWithCode(255), "VMError!! Occurred - Stack overflow...");
}

TEST_F(VMTest, UnderDebuggerEvaluationAnErrorOnlyRaisesTheFlag) {
  g_runFlags.debuggerEvaluating = true;
  Error_ResetState();
  Asm a;
  a.Short(1).Short(0).Bin(kOpDiv, kI, kI);
  uint32_t blocks = MemoryManager::BlockCount();
  EXPECT_FALSE(VM_Exec("eval", nullptr, nullptr, a.Buffer(), nullptr, nullptr, nullptr));
  g_runFlags.debuggerEvaluating = false;
  EXPECT_TRUE(Error_Occurred());
  EXPECT_EQ(MemoryManager::BlockCount(), blocks);
  EXPECT_EQ(VM_LocalsDepth(), 0);
  Error_ResetState();
}

TEST_F(VMTest, TraceLinesInRunOrder) {
  testsupport::RecordingConsole console;
  tagIConsole* saved = g_debugConsole;
  g_debugConsole = &console;
  g_runFlags.bytecodeTrace = true;
  int32_t id = -1;
  Function_Add(
      "vm_test_nothing", [](ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {}, 0);
  ASSERT_TRUE(Function_Find("vm_test_nothing", &id));
  Asm a;
  a.Call(id, 0).Call(id, 0);
  Run(a);
  g_debugConsole = saved;
  EXPECT_EQ(console.Text(), "script = test\nfunc call = vm_test_nothing\nfunc call = vm_test_nothing\n");
}

}  // namespace

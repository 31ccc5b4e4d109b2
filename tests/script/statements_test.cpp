// The tree walk's statements, run on compiled snippets over stub instances.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "front_end_support.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "script/script_test_support.h"
#include "script/tree/interpreter.h"
#include "script/tree/interpreter_statements.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"

namespace {

// Built-ins the snippets call: a NaN, and marking self or other for deletion.
void GiveNaN(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue*) {
  ScriptValue_SetReal(result, std::nan(""));
}
void MarkSelf(ScriptValue*, CInstance* self, CInstance*, int32_t, ScriptValue*) {
  reinterpret_cast<StubInstance*>(self)->marked = true;
}
void MarkOther(ScriptValue*, CInstance*, CInstance* other, int32_t, ScriptValue*) {
  reinterpret_cast<StubInstance*>(other)->marked = true;
}

void RegisterTestFunctions() {
  int32_t id = -1;
  if (Function_Find("test_nan", &id)) return;
  Function_Add("test_nan", GiveNaN, 0);
  Function_Add("test_mark_self", MarkSelf, 0);
  Function_Add("test_mark_other", MarkOther, 0);
}

class Statements : public ::testing::Test {
 protected:
  void SetUp() override {
    g_runFlags.useBytecode = false;
    g_runFlags.unsetVariableIsError = true;
    g_runFlags.showErrorDialog = false;
    Code_Constant_Init();
    RegisterTestFunctions();
    front_test::RegisterNames();
    Variable_Global_Init();
    Statements_Install();
    self.id = 100001;
    other.id = 100002;
  }
  void TearDown() override {
    Interpreter_SetStatementHandler(nullptr);
    Code_Constant_Free();
    Resolve_SetConstantResolver(nullptr);
    Error_ResetState();
    RunFlags_Reset();
  }

  // Runs a program with self and other; false with the error in error_.
  bool Run(const char* text, StubInstance* on = nullptr) {
    StubInstance* runner = on == nullptr ? &self : on;
    CCode code(text, false);
    error_.clear();
    if (!code.Compile("snippet")) {
      error_ = "compile: " + front_test::Message();
      return false;
    }
    result_.Slot();
    bool ok = Code_Execute(AsInstance(runner), AsInstance(&other), &code, result_.Slot());
    if (!ok) error_ = front_test::Message();
    return ok;
  }

  // A variable of an instance (self by default) as text; "unset" when missing.
  std::string Var(const char* name, StubInstance* on = nullptr) {
    OwnedValue value;
    CVariableList& list = (on == nullptr ? self : *on).variables;
    if (!list.GetValue(Code_Variable_Find(name), 0, value.Slot())) return "unset";
    return Show(value.v);
  }
  std::string Global(const char* name) {
    OwnedValue value;
    if (!Variable_Global_Get(Code_Variable_Find(name), 0, value.Slot())) return "unset";
    return Show(value.v);
  }
  static std::string Show(const ScriptValue& value) {
    if (value.kind == kValueString) return "'" + std::string(ScriptValue_Text(value)) + "'";
    char text[32];
    std::snprintf(text, sizeof text, "%g", value.real);
    return text;
  }
  std::string Result() const { return Show(result_.v); }

  StubWorld world;
  StubInstance self;
  StubInstance other;
  std::string error_;
  OwnedValue result_;

 private:
};

TEST_F(Statements, ConditionsUseTheirOwnTruth) {
  // Loops judge in single precision, where 0.4999999999 is 0.5; if needs more.
  ASSERT_TRUE(Run("n = 0; t = 0.4999999999; while (t) { n += 1; t = 0 }")) << error_;
  EXPECT_EQ(Var("n"), "1");
  ASSERT_TRUE(Run("a = 0; b = 0; c = 0; if (0.4999999999) a = 1; if (0.5) b = 1; if (0.5000001) c = 1")) << error_;
  EXPECT_EQ(Var("a") + Var("b") + Var("c"), "001");
  ASSERT_TRUE(Run("n = 0; do n += 1 until (0.4999999999)")) << error_;
  EXPECT_EQ(Var("n"), "1");
  ASSERT_TRUE(Run("n = 0; for (i = 0; 0.4999999999 - i; i += 1) n += 1")) << error_;
  EXPECT_EQ(Var("n"), "1");
  ASSERT_TRUE(Run("a = 0; if (0) a = 1 else a = 2")) << error_;
  EXPECT_EQ(Var("a"), "2");
}

TEST_F(Statements, RepeatRoundsItsCountHalvesToEven) {
  const struct {
    const char* count;
    const char* times;
  } cases[] = {{"2.5", "2"}, {"3.5", "4"},        {"3.4", "3"},        {"0", "0"},
               {"-1", "0"},  {"test_nan()", "0"}, {"10000000000", "0"}};
  for (const auto& c : cases) {
    std::string text = std::string("n = 0; repeat (") + c.count + ") n += 1";
    ASSERT_TRUE(Run(text.c_str())) << c.count << ": " << error_;
    EXPECT_EQ(Var("n"), c.times) << c.count;
  }
}

TEST_F(Statements, LoopsTakeUpBreakAndContinue) {
  ASSERT_TRUE(Run("n = 0; s = 0; while (n < 10) { n += 1; if (n == 2) continue; if (n == 4) break; s += n }"))
      << error_;
  EXPECT_EQ(Var("n") + "," + Var("s"), "4,4");
  ASSERT_TRUE(Run("n = 0; s = 0; do { n += 1; if (n == 2) continue; s += n } until (n >= 3)")) << error_;
  EXPECT_EQ(Var("s"), "4");
  ASSERT_TRUE(Run("n = 0; do { n += 1; break } until (0)")) << error_;
  EXPECT_EQ(Var("n"), "1");
  // continue in a for still runs the step.
  ASSERT_TRUE(Run("s = 0; for (i = 0; i < 5; i += 1) { if (i == 1) continue; if (i == 3) break; s += 10 }")) << error_;
  EXPECT_EQ(Var("i") + "," + Var("s"), "3,20");
  ASSERT_TRUE(Run("n = 0; repeat (5) { n += 1; if (n == 2) break }")) << error_;
  EXPECT_EQ(Var("n"), "2");
  // An inner break leaves only the inner loop.
  ASSERT_TRUE(Run("n = 0; repeat (3) { repeat (4) { n += 1; break } }")) << error_;
  EXPECT_EQ(Var("n"), "3");
}

TEST_F(Statements, JumpsOutOfTheCodeEndItAsASuccess) {
  for (const char* jump : {"break", "continue", "exit"}) {
    std::string text = std::string("a = 1; ") + jump + "; a = 2";
    ASSERT_TRUE(Run(text.c_str())) << jump;
    EXPECT_EQ(Var("a"), "1") << jump;
  }
  ASSERT_TRUE(Run("n = 0; while (1) { n += 1; if (n > 2) exit }; n = 10")) << error_;
  EXPECT_EQ(Var("n"), "3");
  ASSERT_TRUE(Run("repeat (3) { return 'done' }; a = 5")) << error_;
  EXPECT_EQ(Result(), "'done'");
}

// A lone ';' where a statement belongs is an error once it runs; one that
// never runs costs nothing.
TEST_F(Statements, EmptyStatementsFailWhenTheyRun) {
  const struct {
    const char* text;
    bool fails;
    const char* n;  // n afterwards
  } cases[] = {
      {"a = 1; n = 0; if (a) ; else n = 1", true, "0"},
      {"a = 0; n = 0; if (a) ; else n = 1", false, "1"},
      {"i = 0; n = 0; for (; i < 3; i += 1) n += 1", true, "0"},
      {"n = 0; repeat (2) ;", true, "0"},
      {"n = 0; repeat (0) ;", false, "0"},
      {"n = 0; { ; n = 1 }", true, "0"},
      {"n = 0; with (self) ;", true, "0"},
      {"n = 0; with (noone) ;", false, "0"},
      {"n = 2; n += 1;; n += 1", false, "4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.text), !c.fails) << c.text;
    EXPECT_EQ(c.fails ? error_ : std::string(), c.fails ? "Statement expected." : "") << c.text;
    EXPECT_EQ(Var("n"), c.n) << c.text;
  }
}

TEST_F(Statements, SwitchSearchesLabelsThenFallsThrough) {
  ASSERT_TRUE(Run("a = 0; switch (2) { case 1: a = 1 case 2: a = 2 case 3: a = 3 }")) << error_;
  EXPECT_EQ(Var("a"), "3");
  ASSERT_TRUE(Run("a = -1; b = -1; switch (5) { default: a = 0 case 5: b = 5 }")) << error_;
  EXPECT_EQ(Var("a") + "," + Var("b"), "0,5");
  ASSERT_TRUE(Run("a = 0; switch (1) { case '1': a = 1 }")) << error_;
  EXPECT_EQ(Var("a"), "0");
  ASSERT_TRUE(Run("a = 0; switch ('x') { case 'y': a = 1; break; case 'x': a = 2; break; case 'z': a = 3 }")) << error_;
  EXPECT_EQ(Var("a"), "2");
  // Labels computed at run time, and no match without a default.
  ASSERT_TRUE(Run("k = 7; a = 0; switch (7) { case k - 1: a = 1; break; case k: a = 2 }")) << error_;
  EXPECT_EQ(Var("a"), "2");
  ASSERT_TRUE(Run("a = 0; switch (9) { case 1: a = 1 }")) << error_;
  EXPECT_EQ(Var("a"), "0");
  // Statements before the first label are never reached.
  ASSERT_TRUE(Run("a = 0; b = 0; switch (1) { b = 1; case 1: a = 1 }")) << error_;
  EXPECT_EQ(Var("a") + "," + Var("b"), "1,0");
  // A switch takes up break but hands continue to the loop around it.
  ASSERT_TRUE(Run("n = 0; s = 0; repeat (3) { n += 1; switch (n) { case 2: continue; default: s += n } }")) << error_;
  EXPECT_EQ(Var("s"), "4");
}

TEST_F(Statements, SwitchLabelThatFailsIsReportedAndSkipped) {
  ASSERT_TRUE(Run("a = 0; switch (3) { case never_set_label: a = 1; break; case 3: a = 3 }")) << error_;
  EXPECT_EQ(Var("a"), "3");
  EXPECT_NE(Error_Last(), std::string(""));
  EXPECT_NE(std::string(Error_Last()).find("never_set_label"), std::string::npos);
}

TEST_F(Statements, LabelsOutsideASwitchFail) {
  EXPECT_FALSE(Run("k = 1; case k: a = 1"));
  EXPECT_EQ(error_, "Case statement only allowed inside switch statement.");
  EXPECT_FALSE(Run("default: a = 1"));
  EXPECT_EQ(error_, "Default statement only allowed inside switch statement.");
  EXPECT_FALSE(Run("case 1: a = 1"));
  EXPECT_EQ(error_, "Statement expected.");
}

TEST_F(Statements, WrongTypesOfConditionsCountsAndTargets) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"if ('a') b = 1", "Expression expected"},
      {"while ('a') b = 1", "bool expression expected"},
      {"do b = 1 until ('a')", "bool expression expected"},
      {"for (i = 0; 'a'; i += 1) b = 1", "Expression expected"},
      {"repeat ('3') b = 1", "Repeat count must be a number"},
      {"with ('a') b = 1", "Object id expected"},
      {"with (local) b = 1", "Cannot use local in with statement."},
      {"with (global) b = 1", "Cannot use global in with statement."},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Run(c.text)) << c.text;
    EXPECT_EQ(error_, c.message) << c.text;
  }
  // An error inside a loop body ends the loop and the code.
  EXPECT_FALSE(Run("n = 0; while (1) { n += 1; t = 'a'; u = t + 1 }"));
  EXPECT_EQ(Var("n"), "1");
}

TEST_F(Statements, GlobalvarActsWhenItRuns) {
  ASSERT_TRUE(Run("if (0) globalvar stmt_late; stmt_late = 1")) << error_;
  EXPECT_EQ(Var("stmt_late"), "1");
  EXPECT_EQ(Global("stmt_late"), "unset");
  ASSERT_TRUE(Run("globalvar stmt_now; stmt_now = 2")) << error_;
  EXPECT_EQ(Global("stmt_now"), "2");
  EXPECT_EQ(Var("stmt_now"), "unset");
}

// ---- with -------------------------------------------------------------------

class WithStatement : public Statements {
 protected:
  void SetUp() override {
    Statements::SetUp();
    for (int i = 0; i < 4; ++i) {
      pool[i].id = 100010 + i;
      world.room.push_back(&pool[i]);
    }
    world.room.push_back(&self);
    // Object 0's list holds its own instance and its child object's two.
    world.objects = {{&pool[0], nullptr, &pool[2], &pool[3]}, {&pool[2], &pool[3]}};
  }
  std::string Hits() {
    std::string hits;
    for (StubInstance& stub : pool) hits += Var("hit", &stub) == "unset" ? "-" : Var("hit", &stub);
    return hits;
  }
  StubInstance pool[4];
};

TEST_F(WithStatement, AllVisitsEveryLiveInstanceEvenWhileTheyAreDestroyed) {
  ASSERT_TRUE(Run("with (all) { hit = 1; test_mark_self() }")) << error_;
  EXPECT_EQ(Hits(), "1111");
  EXPECT_EQ(Var("hit"), "1");
  EXPECT_TRUE(pool[3].marked);
  // Marked instances are passed over.
  for (StubInstance& stub : pool) stub.marked = false;
  self.marked = false;
  pool[1].marked = true;
  ASSERT_TRUE(Run("n = 0; with (all) other.n += 1; m = n")) << error_;
  EXPECT_EQ(Var("m"), "4");
}

TEST_F(WithStatement, SelfAndOtherSwapForTheBodyAndComeBack) {
  // The with statement's self is the body's other; after the body self is self again.
  ASSERT_TRUE(Run("who = 0; with (100012) { hit = 1; other.who = 1 }; after = 1")) << error_;
  EXPECT_EQ(Hits(), "--1-");
  EXPECT_EQ(Var("who"), "1");
  EXPECT_EQ(Var("after"), "1");
  EXPECT_EQ(Var("after", &pool[2]), "unset");
  ASSERT_TRUE(Run("with (other) who = 2; mine = 3")) << error_;
  EXPECT_EQ(Var("who", &other), "2");
  EXPECT_EQ(Var("mine"), "3");
  ASSERT_TRUE(Run("with (self) { test_mark_other() }")) << error_;
  EXPECT_TRUE(self.marked);
}

TEST_F(WithStatement, ObjectsWalkTheirDescendantsList) {
  ASSERT_TRUE(Run("with (0) hit = 7")) << error_;
  EXPECT_EQ(Hits(), "7-77");
  ASSERT_TRUE(Run("with (1) hit = 8; with (noone) hit = 9; with (5) hit = 9; with (100099) hit = 9")) << error_;
  EXPECT_EQ(Hits(), "7-88");
  EXPECT_EQ(Var("hit"), "unset");
  pool[0].marked = true;
  ASSERT_TRUE(Run("with (100010) hit = 9")) << error_;
  EXPECT_EQ(Hits(), "7-88");
}

TEST_F(WithStatement, JumpsInsideAWalkAndInsideOneInstance) {
  // A walk takes up break and continue.
  ASSERT_TRUE(Run("n = 0; with (all) { other.n += 1; if (other.n == 2) break }; after = n")) << error_;
  EXPECT_EQ(Var("after"), "2");
  ASSERT_TRUE(Run("n = 0; with (0) { other.n += 1; continue; hit = 5 }; after = n")) << error_;
  EXPECT_EQ(Var("after"), "3");
  EXPECT_EQ(Hits(), "----");
  // One instance hands break on: it ends the loop around it.
  ASSERT_TRUE(Run("n = 0; repeat (5) { n += 1; with (other) break }")) << error_;
  EXPECT_EQ(Var("n"), "1");
  ASSERT_TRUE(Run("n = 0; repeat (3) { n += 1; with (100011) continue; n += 10 }")) << error_;
  EXPECT_EQ(Var("n"), "33");
  // exit leaves the walk and the code at once.
  ASSERT_TRUE(Run("n = 0; with (all) { other.n += 1; exit }; n = 50")) << error_;
  EXPECT_EQ(Var("n"), "1");
}

}  // namespace

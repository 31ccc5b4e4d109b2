// Scripts called by index through script_execute, in the tree interpreter
// and on the bytecode machine: what the called script sees, what the caller
// finds afterwards, failures, and a script's text.
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/registration.h"
#include "builtins/resources/rows.h"
#include "misc_script_support.h"
#include "script/snippet_runner.h"

namespace {

using Lines = std::vector<std::string>;

BuiltinFunction Row(const std::string& name) {
  for (const BuiltinRow& row : kResourceRows) {
    if (name == row.name) return row.handler;
  }
  return nullptr;
}

// test_count() prints the argument count the running code sees.
void TestCount(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {
  snippet::PrintedLines().push_back("count " + std::to_string(g_argumentCount));
}

// The misc family's set-up for both interpreters, with this family too.
class ScriptExecute : public MiscScripts {
 protected:
  void SetUp() override {
    MiscScripts::SetUp();
    Builtins_RegisterFamily(BuiltinFamilyId::kResources);
    Function_Add("test_count", TestCount, 0);
  }
};

TEST_P(ScriptExecute, TheScriptSeesItsValuesAndTheCallerKeepsItsOwn) {
  snippet::Runner runner(GetParam());
  ASSERT_TRUE(runner.SetScripts({
      {"scr_count", "test_count(); test_print(argument0, argument14, argument15)"},
      {"scr_outer",
       "script_execute(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15); test_count(); "
       "test_print(argument1)"},
      {"scr_twice", "return argument0 + argument0"},
  }));
  EXPECT_EQ(runner.Run("scr_outer('a', 'b'); test_print(script_execute(2, 21), script_execute(2.5, 'ab'))"),
            (Lines{"count 15", "1 15 0", "count 2", "b", "42 abab"}));
}

// The handler itself, given more than the slots hold, passes the index and
// the first 15 values only.
TEST_P(ScriptExecute, AtMostFifteenValuesFollowTheIndex) {
  snippet::Runner runner(GetParam());
  ASSERT_TRUE(runner.SetScripts({{"scr_last", "test_count(); return argument14"}}));
  std::vector<GoldenArg> args{R(0)};
  for (int i = 1; i <= 20; ++i) args.push_back(R(i));
  std::vector<ScriptValue> values(args.size());
  for (size_t i = 0; i < args.size(); ++i) ScriptValue_SetReal(&values[i], args[i].real);
  snippet::PrintedLines().clear();
  g_argumentCount = 3;
  ScriptValue result;
  Row("script_execute")(&result, AsInstance(&runner.self), AsInstance(&runner.other),
                        static_cast<int32_t>(values.size()), values.data());
  EXPECT_EQ(result.real, 15);
  EXPECT_EQ(snippet::PrintedLines(), Lines{"count 15"});
  EXPECT_EQ(g_argumentCount, 3);
  ScriptValue_Release(&result);
}

TEST_P(ScriptExecute, AMissingScriptIsReportedAndTheResultStays) {
  snippet::Runner runner(GetParam());
  ASSERT_TRUE(runner.SetScripts({{"scr_one", "return 1"}}));
  ErrorCapture errors;
  EXPECT_EQ(runner.Run("test_print(script_execute(1), script_execute(-1), script_exists(0), script_exists(1))"),
            Lines{"0 0 1 0"});
  EXPECT_EQ(errors.Messages(),
            (Lines{"Trying to execute non-existing script.", "Trying to execute non-existing script."}));
  EXPECT_EQ(
      runner.Run("test_print(script_get_name(0), script_name(5), '[' + script_get_text(5) + ']', script_get_text(0))"),
      Lines{"scr_one <undefined> [] return 1"});
}

KV_BOTH_MODES(ScriptExecute);

// A run error inside the called script is reported here and the caller
// goes on with its own argument count and slots.
TEST(ScriptExecuteTree, AFailingScriptIsReportedAndTheCallerGoesOn) {
  Function_Free();
  Builtins_RegisterFamily(BuiltinFamilyId::kResources);
  Function_Add("test_count", TestCount, 0);
  Statements_Install();
  {
    snippet::Runner runner(true);
    ASSERT_TRUE(runner.SetScripts({{"scr_bad", "test_count(); return argument0 - 1"}}));
    ErrorCapture errors;
    EXPECT_EQ(runner.Run("script_execute(0, 'text', 2); test_count(); test_print('after', argument0)"),
              (Lines{"count 2", "count 0", "after 0"}));
    ASSERT_EQ(errors.Messages().size(), 1u);
    EXPECT_EQ(errors.Messages()[0].rfind("In script scr_bad:", 0), 0u) << errors.Messages()[0];
  }
  Interpreter_SetStatementHandler(nullptr);
  Code_FreeArguments();
  Function_Free();
}

}  // namespace

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/mode_differences.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "support/leaks_unwatched.h"

namespace {

constexpr const char* kGameEnds = "the game ends";

std::vector<std::pair<std::string, std::string>> Scripts(const std::string& script) {
  if (script.empty()) return {};
  size_t colon = script.find(": ");
  return {{script.substr(0, colon), script.substr(colon + 2)}};
}

// The guide's print(...) is the runner's printing built-in.
void AddPrint() {
  int32_t id = -1;
  if (!Function_Find("print", &id)) Function_Add("print", snippet::TestPrint, -1);
}

// The stub instances have no built-in variables of their own; `alarm` here
// keeps the world's rule for a built-in array (an index outside it means
// element 0), so a row shows what each interpreter hands the variable.
constexpr int32_t kAlarms = 12;
double g_alarms[kAlarms];
int32_t AlarmSlot(int32_t index) { return index < 0 || index >= kAlarms ? 0 : index; }
bool GetAlarm(CInstance*, int32_t index, ScriptValue* out) {
  ScriptValue_SetReal(out, g_alarms[AlarmSlot(index)]);
  return true;
}
bool SetAlarm(CInstance*, int32_t index, const ScriptValue& value) {
  g_alarms[AlarmSlot(index)] = value.real;
  return true;
}
void AddAlarm() {
  if (Variable_BuiltIn_Find("alarm") < 0) Variable_BuiltIn_AddArray("alarm", GetAlarm, SetAlarm);
}

const std::vector<ModeDifference>& Rows() {
  static const std::vector<ModeDifference> rows = ModeDifferences_FromGuide(KV_AUTHORING_GUIDE);
  return rows;
}

TEST(ModeDifferences, TheGuideHoldsTheTable) {
  ASSERT_GE(Rows().size(), 10u);
  for (const ModeDifference& row : Rows()) EXPECT_NE(row.tree, row.bytecode) << row.topic;
}

TEST(ModeDifferences, TreeModeAnswers) {
  for (const ModeDifference& row : Rows()) {
    snippet::Runner runner(true);
    Statements_Install();
    AddPrint();
    AddAlarm();
    ASSERT_TRUE(runner.SetScripts(Scripts(row.script))) << row.topic;
    EXPECT_EQ(runner.RunJoined(row.program), row.tree) << row.topic;
    Interpreter_SetStatementHandler(nullptr);
  }
  for (const auto& row : kTreeOnly) {
    snippet::Runner runner(true);
    Statements_Install();
    AddPrint();
    EXPECT_EQ(runner.RunJoined(row.program), row.tree) << row.topic;
    Interpreter_SetStatementHandler(nullptr);
  }
}

class MachineAnswers : public ::testing::Test {
 protected:
  void SetUp() override {
    VM_InstallGenerator();
    VM_Install();
  }
  void TearDown() override {
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
  }
};

bool EndsTheGame(const ModeDifference& row) { return row.bytecode.rfind(kGameEnds, 0) == 0; }

// The machine's message a row names ("the game ends: `MESSAGE`"), as a
// regular expression that matches it literally; empty when none is named.
std::string NamedMessage(const ModeDifference& row) {
  size_t open = row.bytecode.find('`');
  size_t close = row.bytecode.rfind('`');
  if (open == std::string::npos || close <= open) return "";
  std::string pattern;
  for (char c : row.bytecode.substr(open + 1, close - open - 1)) {
    if (std::strchr(".[](){}*+?|^$\\", c) != nullptr) pattern += '\\';
    pattern += c;
  }
  return pattern;
}

TEST_F(MachineAnswers, PrintedLines) {
  for (const ModeDifference& row : Rows()) {
    if (EndsTheGame(row)) continue;
    snippet::Runner runner(false);
    AddPrint();
    AddAlarm();
    ASSERT_TRUE(runner.SetScripts(Scripts(row.script))) << row.topic;
    EXPECT_EQ(runner.RunJoined(row.program), row.bytecode) << row.topic;
  }
}

// The machine's report, with the message the row names, ends the process
// with status 255.
TEST_F(MachineAnswers, ErrorsEndTheGame) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const ModeDifference& row : Rows()) {
    if (!EndsTheGame(row)) continue;
    EXPECT_EXIT(
        {
          // The process ends in the middle of the run, with its values alive.
          testsupport::StopWatchingLeaks();
          // The report goes to standard output; the check reads standard error.
          std::fflush(stdout);
          dup2(STDERR_FILENO, STDOUT_FILENO);
          snippet::Runner runner(false);
          AddPrint();
          AddAlarm();
          runner.SetScripts(Scripts(row.script));
          runner.Run(row.program);
        },
        ::testing::ExitedWithCode(255), NamedMessage(row))
        << row.topic;
  }
}

}  // namespace

// Elements of an array held in a local, read and stored by both code forms.
// Each program runs twice: as written, where the indexes take the quick
// paths, and with every index passed through a call, which takes the plain
// instructions (and the tree's ordinary walk); both must print the same, or
// (the machine's errors end the process) die with the same report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "script/compiler/function_registry.h"
#include "script/snippet_runner.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "script/vm_test_support.h"

namespace {

void Same(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue* arguments) {
  ScriptValue_Copy(result, &arguments[0]);
}

// The program with each index `[x]` made `[same(x)]` (and `[x, y]` made
// `[same(x), same(y)]`).
std::string ThroughCalls(const std::string& program) {
  std::string plain;
  bool inside = false;
  for (char c : program) {
    if (c == '[' || (c == ',' && inside))
      plain += c == '[' ? "[same(" : "), same(";
    else if (c == ']')
      plain += ")]";
    else
      plain += c;
    inside = c == '[' || (inside && c != ']');
  }
  return plain;
}

struct Case {
  const char* topic;
  const char* program;
  const char* tree;
  const char* machine;  // null: as the tree; "VMError ..." : the report the machine dies with
  bool strict = false;  // reading a missing variable or element is an error
};

constexpr char kDies[] = "VMError ";

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void RunToDeath(snippet::Runner& runner, const std::string& program) {
  PrepareToDie();
  runner.Run(program);
  std::exit(0);
}

const Case kCases[] = {
    {"filled, summed and filled again",
     "var a, s, r, i; s = 0; for (r = 1; r <= 3; r += 1) { for (i = 0; i < 50; i += 1) { a[i] = i + r; } "
     "for (i = 0; i < 50; i += 1) { s += a[i]; } } test_print(s, a, a[49], a[1])",
     "3975 3 52 4", nullptr},
    {"stores from constants, arguments and other locals",
     "var a, k, i; k = 2; for (i = 1; i < 5; i += 1) { a[i] = i * 3; a[i + 4] = k - i; a[k] = i; } "
     "test_print(a[1], a[2], a[4], a[5], a[8], a[k + 1])",
     "3 4 12 1 -2 9", nullptr},
    {"the local becomes a number mid-loop: its elements stay",
     "var a, s, i; for (i = 1; i < 6; i += 1) a[i] = i; s = 0; "
     "for (i = 1; i < 6; i += 1) { s += a[i]; if (i == 3) a = 100; } test_print(s, a, a[0], a[4])",
     "15 100 100 4", nullptr},
    {"the local becomes a text mid-loop, then is read as an element",
     "var a, s, i; for (i = 0; i < 4; i += 1) a[i] = i * 10; s = 0; "
     "for (i = 0; i < 4; i += 1) { if (i == 2) a = \"t\"; s += a[3 - i]; } test_print(s)",
     "error: Wrong type of arguments to +.", "VMError DoAdd :: Execution Error"},
    {"an element holding a text is stored over and read",
     "var a, i, t; a[1] = \"x\"; a[2] = \"y\"; for (i = 1; i < 3; i += 1) { t = a[i] + \"!\"; test_print(t); } "
     "a[1] = 5; a[2] += \"z\"; test_print(a[1], a[2])",
     "x! | y! | 5 yz", nullptr},
    {"two locals: a copy takes the own value only, then each is written",
     "var a, b, i; for (i = 0; i < 3; i += 1) a[i] = i + 1; b = a; b[1] = 7; a[2] = 9; "
     "test_print(a, b, a[1], b[1], a[2])",
     "1 1 2 7 9", nullptr},
    {"reading past the end of a local's array",
     "var a, i; for (i = 0; i < 3; i += 1) a[i] = i; i = 3; test_print(a[i])", "0",
     "VMError Push :: Execution Error - Variable Index out of range a"},
    {"a compound store past the end", "var a, i; a[1] = 1; i = 5; a[i] += 2; test_print(a[5], a[4])", "2 0",
     "VMError Push :: Execution Error - Variable Index out of range a"},
    {"growth to the last index of a row and one past it",
     "var a, i; i = 31999; a[i] = 5; test_print(a[i], a[i - 1]); i += 1; a[i] = 6; test_print(a[i], a[i - 1])",
     "5 0 | error: Array index >= 32000", "5 0 | 6 5"},
    {"negative, fractional, huge and NaN indexes",
     "var a, i; for (i = 0; i < 6; i += 1) a[i] = i * 10; i = 2.5; test_print(a[i]); i = 3.5; test_print(a[i]); "
     "i = -0.4; test_print(a[i]); i = 3000000000; a[i] = 1",
     "20 | 40 | 0 | error: Negative array index", "VMError Pop :: Execution Error - Variable index out of range a"},
    {"a negative index stored", "var a, i; i = -1; a[i] = 1", "error: Negative array index",
     "VMError Pop :: Execution Error - Variable index out of range a"},
    {"a NaN index read", "var a, i; a[1] = 1; i = 1; repeat (400) i *= 10; i = i - i; test_print(a[i])",
     "error: Negative array index", "VMError Push :: Execution Error - Variable Index out of range a"},
    {"a text index", "var a, i; a[1] = 1; i = \"1\"; test_print(a[i])", "error: Wrong type of array index", "1"},
    {"a local never written", "var a, i; i = 2; test_print(a[i])", "0", nullptr},
    {"a compound store past the end, when reading a missing element is an error",
     "var a, i; a[1] = 1; i = 5; a[i] += 2", "error: Unknown variable a or array index out of bounds",
     "VMError Push :: Execution Error - Variable Index out of range a", true},
    {"two indexes", "var a, i; i = 2; a[1, i] = 5; a[i] = 3; a[0, i] += 1; test_print(a[1, i], a[i], a[0, 2])", "5 4 4",
     nullptr},
    {"self's array beside a local's",
     "var a, i, s; for (i = 0; i < 5; i += 1) { arr[i + 1] = i * 2; a[i] = arr[i + 1] + 1; } s = 0; "
     "for (i = 0; i < 5; i += 1) { s += a[i]; s += arr[i + 1]; } test_print(s, a[4], arr[5])",
     "45 9 8", nullptr},
};

class LocalArrays : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    int32_t id = -1;
    if (!Function_Find("same", &id)) Function_Add("same", Same, 1);
    if (GetParam()) {
      Statements_Install();
    } else {
      VM_InstallGenerator();
      VM_Install();
    }
  }
  void TearDown() override {
    Code_SetBytecodeGenerator(nullptr);
    Code_SetVMExecutor(nullptr);
    Interpreter_SetStatementHandler(nullptr);
  }
};

TEST_P(LocalArrays, QuickPathsAnswerAsThePlainOnes) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  bool tree = GetParam();
  for (const Case& row : kCases) {
    snippet::Runner runner(tree);
    g_runFlags.unsetVariableIsError = row.strict;
    std::string expected = tree || row.machine == nullptr ? row.tree : row.machine;
    for (const std::string& program : {std::string(row.program), ThroughCalls(row.program)}) {
      if (expected.rfind(kDies, 0) != 0) {
        EXPECT_EQ(runner.RunJoined(program), expected) << row.topic << ": " << program;
        continue;
      }
      std::string report = "VMError!! Occurred - " + expected.substr(sizeof kDies - 1) + "\n";
      EXPECT_EXIT(RunToDeath(runner, program), ::testing::ExitedWithCode(255), Escaped(report)) << program;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothForms, LocalArrays, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Tree" : "Machine"; });

}  // namespace

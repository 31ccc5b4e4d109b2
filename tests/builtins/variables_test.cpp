#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "misc_script_support.h"
#include "script/variables/variable_names.h"

namespace {

using Lines = std::vector<std::string>;

double g_builtinX = 0;

bool ReadX(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_SetReal(out, g_builtinX);
  return true;
}

class Variables : public MiscScripts {
 protected:
  void SetUp() override {
    MiscScripts::SetUp();
    if (Variable_BuiltIn_Find("x") < 0) Variable_BuiltIn_Add("x", ReadX, nullptr);
    Variable_Global_Init();
  }
  void TearDown() override {
    Variable_BuiltIn_Init();
    MiscScripts::TearDown();
  }
};

TEST_P(Variables, SelfsVariablesByName) {
  snippet::Runner runner(GetParam());
  g_builtinX = 320;
  EXPECT_EQ(runner.Run(R"game(
    variable_local_set("hp", 5);
    variable_local_array_set("row", 3, "three");
    variable_local_array2_set("grid", 1, 2, 12);
    test_print(hp, variable_local_get("hp"), variable_local_array_get("row", 3));
    test_print(variable_local_array2_get("grid", 1, 2), variable_local_array_get("grid", 32002));
    test_print(variable_local_exists("hp"), variable_local_exists("never_set"), variable_local_exists("x"));
    test_print(variable_local_get("x"), variable_local_get("never_set"));
  )game"),
            (Lines{"5 5 three", "12 0", "1 0 1", "320 0"}));
}

TEST_P(Variables, GlobalArraysUseTheFlatIndex) {
  snippet::Runner runner(GetParam());
  EXPECT_EQ(runner.Run(R"game(
    variable_global_array2_set("g", 2, 5, "far");
    variable_global_array_set("g", 5, 1);
    variable_global_array2_set("g", 0, 5, 2);
    variable_global_set("g", "own");
    test_print(variable_global_array_get("g", 5), variable_global_array2_get("g", 2, 5), global.g);
    test_print(variable_global_exists("g"), variable_global_exists("never_set"), variable_global_get("never_set"));
  )game"),
            (Lines{"2 far own", "1 0 0"}));
  OwnedValue far;
  ASSERT_TRUE(Variable_Global_Get(Code_Variable_Find("g"), 64005, far.Slot()));
  EXPECT_EQ(far.Text(), "far");
}

TEST_P(Variables, IndicesStayBelow32000) {
  snippet::Runner runner(GetParam());
  ErrorCapture errors;
  EXPECT_EQ(runner.Run(R"game(
    variable_global_array_set("edge", 31999, 7);
    variable_global_array_set("edge", 32000, 8);
    variable_global_array2_set("edge", 1, 32000, 9);
    variable_local_array2_set("edge", 32000, 0, 9);
    variable_global_array2_set("edge", 1, -31999, 10);
    test_print(variable_global_array_get("edge", 31999), variable_global_array_get("edge", 32000));
    test_print(variable_global_array_get("edge", 1));
  )game"),
            (Lines{"7 0", "0"}));
  EXPECT_EQ(errors.Messages(), Lines(4, "Array index >= 32000"));
}

KV_BOTH_MODES(Variables);

}  // namespace

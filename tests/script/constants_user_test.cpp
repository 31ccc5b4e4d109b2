// The game's own constants: names checked, values evaluated when defined,
// failures shown as messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "front_end_support.h"
#include "platform/switches.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/constants.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/resource_lookup.h"
#include "script/variables/variable_list.h"

namespace {

void GiveText(ScriptValue* result, CInstance*, CInstance*, int32_t, ScriptValue*) {
  ScriptValue_SetString(result, "a");
}

int32_t SpriteNamedShip(const char* name) { return std::strcmp(name, "ship") == 0 ? 4 : -1; }

class UserConstants : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KORVALITH_HEADLESS", "1", 1);
    Switches_Reload();
    g_runFlags.useBytecode = false;
    g_runFlags.unsetVariableIsError = true;
    Code_Constant_Init();
    int32_t id = -1;
    if (!Function_Find("test_text", &id)) Function_Add("test_text", GiveText, 0);
  }
  void TearDown() override {
    Code_Constant_Free();
    Resolve_SetConstantResolver(nullptr);
    ResourceLookup_Install(kResourceSprite, nullptr);
    RunFlags_Reset();
  }

  // Defines one constant; the messages it showed go to shown_.
  bool Add(const char* name, const char* text) {
    testing::internal::CaptureStdout();
    bool ok = Code_Constant_AddUser(name, text);
    shown_ = testing::internal::GetCapturedStdout();
    return ok;
  }
  bool Prepare(const std::vector<std::string>& names, const std::vector<std::string>& values) {
    testing::internal::CaptureStdout();
    bool ok = Code_Constant_Prepare(names, values);
    shown_ = testing::internal::GetCapturedStdout();
    return ok;
  }
  static double Value(const char* name) {
    const ScriptValue* value = Code_Constant_Find(name);
    return value == nullptr ? -12345 : value->real;
  }

  std::string shown_;
};

TEST_F(UserConstants, AGameConstantHidesTheBuiltInOfItsName) {
  ASSERT_TRUE(Add("c_red", "1"));
  EXPECT_EQ(shown_, "");
  EXPECT_EQ(Value("C_RED"), 1);
  EXPECT_EQ(front_test::Tree("c_red", true), "1");
  // A resource of the same name still comes first for the compiler.
  ResourceLookup_Install(kResourceSprite, SpriteNamedShip);
  ASSERT_TRUE(Add("ship", "99"));
  EXPECT_EQ(front_test::Tree("ship", true), "4");
  EXPECT_EQ(Value("ship"), 99);
}

TEST_F(UserConstants, ValuesAreEvaluatedWithWhatCameBefore) {
  ASSERT_TRUE(Add("almost_white", "c_white - 1"));
  EXPECT_EQ(Value("almost_white"), 16777214);
  ASSERT_TRUE(Prepare({"k1", "k2", "k3"}, {"3", "k1 * 2", "'x' + 'y'"}));
  EXPECT_EQ(Value("k2"), 6);
  EXPECT_STREQ(ScriptValue_Text(*Code_Constant_Find("k3")), "xy");
  ASSERT_TRUE(Add("  padded\t", "5"));
  EXPECT_EQ(Value("padded"), 5);
}

TEST_F(UserConstants, BadNamesAndValuesAreShownAndRefused) {
  int32_t before = Code_Constant_Count();
  EXPECT_FALSE(Add("1abc", "1"));
  EXPECT_EQ(shown_, "Constant name 1abc  is not valid.\n");
  EXPECT_FALSE(Add(" ", "1"));
  EXPECT_EQ(shown_, "Constant name   is not valid.\n");
  EXPECT_FALSE(Add(" k ", "1 +"));
  EXPECT_EQ(shown_, "Value for constant k  is not valid.\n");
  EXPECT_FALSE(Add("k", "'a' - 1"));
  EXPECT_EQ(shown_, "Value for constant k  is not valid.\n");
  // A value that compiles but fails when run is refused the same way.
  EXPECT_FALSE(Add("k", "test_text() - 1"));
  EXPECT_EQ(shown_, "Value for constant k  is not valid.\n");
  EXPECT_EQ(Code_Constant_Count(), before);
  // An empty text is the expression 0.
  ASSERT_TRUE(Add("k", " "));
  EXPECT_EQ(Value("k"), 0);
}

TEST_F(UserConstants, PrepareStopsAtTheFirstFailure) {
  EXPECT_TRUE(Prepare({}, {}));
  EXPECT_EQ(shown_, "");
  EXPECT_FALSE(Prepare({"p1", "2p", "p3"}, {"1", "2", "3"}));
  EXPECT_EQ(shown_, "Constant name 2p  is not valid.\n");
  EXPECT_EQ(Value("p1"), 1);
  EXPECT_EQ(Code_Constant_Find("p3"), nullptr);
  // A name without a value text has the empty text: 0.
  EXPECT_TRUE(Prepare({"q1"}, {}));
  EXPECT_EQ(Value("q1"), 0);
}

}  // namespace

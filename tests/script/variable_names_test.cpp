#include "script/variables/variable_names.h"

#include <gtest/gtest.h>

#include "script/variables/variable_registry.h"

namespace {

bool GetNothing(CInstance*, int32_t, ScriptValue*) { return false; }

class NameTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Code_Variable_Reset();
    Variable_BuiltIn_Init();
    Variable_BuiltIn_Add("depth", GetNothing, nullptr);
    Variable_BuiltIn_Add("x", GetNothing, nullptr);
  }
  void TearDown() override {
    Code_Variable_Reset();
    Variable_BuiltIn_Init();
  }
};

TEST_F(NameTableTest, UserNamesGetIdsInOrderOfFirstAppearance) {
  EXPECT_EQ(Code_Variable_Find("score_left"), 100000);
  EXPECT_EQ(Code_Variable_Find("score_right"), 100001);
  EXPECT_EQ(Code_Variable_Find("score_left"), 100000);
  EXPECT_EQ(Code_Variable_Find("Score_left"), 100002);
  EXPECT_EQ(Code_Variable_Find(""), 100003) << "every spelling gets an id";
  EXPECT_EQ(Code_Variable_Count(), 4);
  EXPECT_EQ(Code_Variable_Find(nullptr), -1);
}

TEST_F(NameTableTest, BuiltInNamesKeepTheirRegistryIndex) {
  EXPECT_EQ(Code_Variable_Find("x"), 1);
  EXPECT_EQ(Code_Variable_Find("X"), 100000);
  EXPECT_EQ(Code_Variable_Count(), 1);
  EXPECT_STREQ(Code_Variable_GetName(1), "x");
  EXPECT_STREQ(Code_Variable_GetName(2), "<unknown built-in variable>");
}

TEST_F(NameTableTest, NamesComeBackByIdUntilPastTheTable) {
  for (int i = 0; i < 3000; ++i) Code_Variable_Find(("n" + std::to_string(i)).c_str());
  EXPECT_STREQ(Code_Variable_GetName(100000), "n0");
  EXPECT_STREQ(Code_Variable_GetName(100000 + 2999), "n2999");
  EXPECT_EQ(Code_Variable_Find("n1234"), 101234) << "lookups survive the table's growth";
  EXPECT_STREQ(Code_Variable_GetName(100000 + 3000), "<unknown variable>");
  EXPECT_STREQ(Code_Variable_GetName(INT32_MAX), "<unknown variable>");
  Code_Variable_Finish();
  EXPECT_STREQ(Code_Variable_GetName(100001), "n1");
}

}  // namespace

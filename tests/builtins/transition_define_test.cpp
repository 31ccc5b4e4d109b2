#include "graphics/transition/transition_define.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool FindsNamesStartingWithScr(const char* name, int32_t* id) {
  *id = -1;
  if (std::strncmp(name, "scr", 3) != 0) return false;
  *id = 100000 + static_cast<int32_t>(std::strlen(name));
  return true;
}

class TransitionSettings : public testing::Test {
 protected:
  void SetUp() override {
    GR_Transition_Shutdown();
    GR_Transition_SetFinder(FindsNamesStartingWithScr);
  }
  void TearDown() override {
    GR_Transition_Shutdown();
    GR_Transition_SetFinder(nullptr);
  }
};

TEST_F(TransitionSettings, StepsNeverFallBelowOne) {
  EXPECT_EQ(GR_Transition_Get_Steps(), 1);
  GR_Transition_Set_Steps(80);
  EXPECT_EQ(GR_Transition_Get_Steps(), 80);
  GR_Transition_Set_Steps(0);
  EXPECT_EQ(GR_Transition_Get_Steps(), 1);
  GR_Transition_Set_Steps(-5);
  EXPECT_EQ(GR_Transition_Get_Steps(), 1);
  GR_Transition_Set_Steps(INT32_MIN);
  EXPECT_EQ(GR_Transition_Get_Steps(), 1);
}

TEST_F(TransitionSettings, TheUserTableGrowsPastTheKindAndIgnoresKindsOutOfRange) {
  GR_Transition_Add_User(5, "scr_wipe", 100003);
  EXPECT_EQ(GR_Transition_User_Capacity(), 1005);
  EXPECT_EQ(GR_Transition_User_Function(5), 100003);
  EXPECT_EQ(GR_Transition_User_Function(6), -1);
  EXPECT_EQ(GR_Transition_User_Name(1004), nullptr);
  GR_Transition_Add_User(1000000, "scr_big", 1);
  GR_Transition_Add_User(0, "scr_zero", 1);
  GR_Transition_Add_User(-3, "scr_neg", 1);
  EXPECT_EQ(GR_Transition_User_Capacity(), 1005);
  GR_Transition_Add_User(1005, "scr_edge", 7);
  EXPECT_EQ(GR_Transition_User_Capacity(), 2005);
  EXPECT_STREQ(GR_Transition_User_Name(5), "scr_wipe");
  EXPECT_EQ(GR_Transition_User_Function(1005), 7);
  GR_Transition_Add_User(999999, "scr_last", 9);
  EXPECT_EQ(GR_Transition_User_Capacity(), 999999 + 1000);
  EXPECT_STREQ(GR_Transition_User_Name(999999), "scr_last");
  EXPECT_EQ(GR_Transition_User_Function(1000000), -1);
}

TEST_F(TransitionSettings, NamesAreOwnedCopiesReplacedAndCleared) {
  std::string name = "scr_a_long_name";
  GR_Transition_Add_User(3, name.c_str(), 1);
  name[4] = 'X';
  EXPECT_STREQ(GR_Transition_User_Name(3), "scr_a_long_name");
  GR_Transition_Add_User(3, "scr_b", 2);
  EXPECT_STREQ(GR_Transition_User_Name(3), "scr_b");
  GR_Transition_Add_User(3, "scr_a_much_longer_name_than_before", 2);
  EXPECT_STREQ(GR_Transition_User_Name(3), "scr_a_much_longer_name_than_before");
  GR_Transition_Add_User(3, nullptr, 4);
  EXPECT_EQ(GR_Transition_User_Name(3), nullptr);
  EXPECT_EQ(GR_Transition_User_Function(3), 4);
}

TEST_F(TransitionSettings, DefineRegistersOnlyNamesTheFinderKnows) {
  EXPECT_FALSE(GR_Transition_Define(30, "wipe"));
  EXPECT_FALSE(GR_Transition_Define(30, nullptr));
  EXPECT_EQ(GR_Transition_User_Capacity(), 0);
  EXPECT_TRUE(GR_Transition_Define(30, "scr_wipe"));
  EXPECT_EQ(GR_Transition_User_Function(30), 100008);
  EXPECT_TRUE(GR_Transition_Define(1000000, "scr_wipe"));
  EXPECT_EQ(GR_Transition_User_Capacity(), 1030);
  EXPECT_FALSE(TransFunctionExists(30));
  EXPECT_TRUE(TransFunctionExists(21));
  EXPECT_FALSE(TransFunctionExists(22));
  GR_Transition_SetFinder(nullptr);
  EXPECT_FALSE(GR_Transition_Define(31, "scr_wipe"));
}

}  // namespace

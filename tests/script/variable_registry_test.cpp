#include "script/variables/variable_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "script/variables/variable_list.h"
#include "script_test_support.h"

namespace {

double g_stored = 0;
int g_setterCalls = 0;

bool GetStored(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_SetReal(out, g_stored);
  return true;
}
bool SetStored(CInstance*, int32_t, const ScriptValue& value) {
  ++g_setterCalls;
  g_stored = value.real;
  return true;
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Variable_BuiltIn_Init();
    Variable_Global_Init();
    g_stored = 0;
    g_setterCalls = 0;
  }
  void TearDown() override { Variable_Free(); }
};

TEST_F(RegistryTest, NamesAreFoundExactlyAndFirstWins) {
  Variable_BuiltIn_Add("speed", GetStored, SetStored, true);
  Variable_BuiltIn_Add("Speed", GetStored, nullptr, false);
  Variable_BuiltIn_Add("speed", GetStored, nullptr, false);
  EXPECT_EQ(Variable_BuiltIn_Find("speed"), 0);
  EXPECT_EQ(Variable_BuiltIn_Find("Speed"), 1);
  EXPECT_EQ(Variable_BuiltIn_Find("SPEED"), -1);
  EXPECT_STREQ(Variable_BuiltIn_GetName(3), "<unknown built-in variable>");
}

TEST_F(RegistryTest, The501stRecordIsDropped) {
  for (int i = 0; i < kMaxBuiltinVariables; ++i)
    Variable_BuiltIn_Add(("v" + std::to_string(i)).c_str(), GetStored, nullptr);
  testing::internal::CaptureStdout();
  Variable_BuiltIn_Add("one_too_many", GetStored, nullptr);
  std::string shown = testing::internal::GetCapturedStdout();
  EXPECT_NE(shown.find("INTERNAL ERROR: Adding too many variables"), std::string::npos);
  EXPECT_EQ(Variable_BuiltIn_Count(), kMaxBuiltinVariables);
  EXPECT_EQ(Variable_BuiltIn_Find("one_too_many"), -1);
}

TEST_F(RegistryTest, ReadOnlyVariablesRefuseWrites) {
  Variable_BuiltIn_Add("writable", GetStored, SetStored, true);
  Variable_BuiltIn_Add("read_only", GetStored, SetStored, false);
  Variable_BuiltIn_Add("no_setter", GetStored, nullptr, true);
  Variable_BuiltIn_Add("short_form", GetStored, nullptr);

  EXPECT_TRUE(Variable_SetValue(nullptr, 0, 0, Real(4)));
  EXPECT_EQ(g_stored, 4.0);
  for (int32_t id = 1; id <= 3; ++id) {
    EXPECT_FALSE(Variable_SetValue(nullptr, id, 0, Real(9))) << id;
  }
  EXPECT_EQ(g_stored, 4.0);
  EXPECT_EQ(g_setterCalls, 1);

  OwnedValue out;
  EXPECT_FALSE(Variable_GetValue(nullptr, 4, 0, out.Slot())) << "no such record";
}

TEST_F(RegistryTest, UserIdsGoToTheInstancesOwnList) {
  StubWorld world;
  StubInstance self;
  EXPECT_TRUE(Variable_SetValue(AsInstance(&self), 100003, 2, Real(6)));
  EXPECT_EQ(self.variables.Find(100003)->rows[0].items[2].real, 6.0);
  EXPECT_FALSE(Variable_SetValue(nullptr, 100003, 0, Real(1))) << "no instance, no list";
}

TEST_F(RegistryTest, GlobalVarFlagsGrowInSteps) {
  EXPECT_EQ(Variable_GlobalVarFlagCount(), 10000);
  Variable_Global_Set(100000 + 10500, 0, Real(3));
  Variable_DeclareGlobal(100000 + 10500);
  EXPECT_EQ(Variable_GlobalVarFlagCount(), 11000);
  EXPECT_EQ(Variable_IsGlobalVar(100000 + 10500), 1);
  EXPECT_EQ(Variable_IsGlobalVar(100000 + 11000), 0);
  EXPECT_EQ(Variable_IsGlobalVar(-5), 0);

  OwnedValue out;
  EXPECT_TRUE(Variable_Global_Get(100000 + 10500, 0, out.Slot()));
  EXPECT_EQ(out.v.real, 3.0) << "declaring keeps an existing global";
  Variable_DeclareGlobal(5);
  EXPECT_EQ(Variable_Global_List()->Find(5), nullptr);

  Variable_Free();
  EXPECT_FALSE(Variable_Global_Get(100000, 0, out.Slot()));
  Variable_DeclareGlobal(100000 + 1500);
  EXPECT_EQ(Variable_GlobalVarFlagCount(), 2000);
}

class TargetTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    Variable_BuiltIn_Add("read_only", GetStored, nullptr);
    for (int i = 0; i < 4; ++i) instances[i].id = 100001 + i;
  }
  // -1 when the instance has no such variable.
  double ValueOf(StubInstance& instance, int32_t id) {
    const VariableNode* node = instance.variables.Find(id);
    return node != nullptr ? node->value.real : -1;
  }

  StubWorld world;
  StubInstance instances[4];
};

TEST_F(TargetTest, AllInstancesOfAnEmptyRoom) {
  OwnedValue out;
  EXPECT_FALSE(Variable_GetValueByTarget(-3, 100000, 0, out.Slot()));
  EXPECT_TRUE(Variable_SetValueByTarget(-3, 100000, 0, Real(1)));
  for (int32_t target : {-1, -2, -4, -5, -7}) {
    EXPECT_FALSE(Variable_GetValueByTarget(target, 100000, 0, out.Slot())) << target;
    EXPECT_FALSE(Variable_SetValueByTarget(target, 100000, 0, Real(1))) << target;
  }
}

TEST_F(TargetTest, AllInstancesSkipThoseMarkedForDeletion) {
  instances[0].marked = true;
  world.room = {&instances[0], &instances[1], &instances[2]};
  EXPECT_TRUE(Variable_SetValueByTarget(-3, 100000, 0, Real(5)));
  EXPECT_EQ(ValueOf(instances[0], 100000), -1);
  EXPECT_EQ(ValueOf(instances[1], 100000), 5.0);
  EXPECT_EQ(ValueOf(instances[2], 100000), 5.0);
  instances[2].variables.SetValue(100000, 0, Real(8));
  OwnedValue out;
  EXPECT_TRUE(Variable_GetValueByTarget(-3, 100000, 0, out.Slot()));
  EXPECT_EQ(out.v.real, 5.0) << "the first live instance is read";
  // A read-only built-in fails on every instance, so the last result is false.
  EXPECT_FALSE(Variable_SetValueByTarget(-3, 0, 0, Real(1)));
}

TEST_F(TargetTest, AnObjectIsWrittenOnAllItsLiveInstances) {
  instances[0].marked = true;
  world.objects = {{&instances[0], &instances[1], &instances[2], &instances[3]}};
  EXPECT_TRUE(Variable_SetValueByTarget(0, 100002, 0, Real(7)));
  for (int i = 1; i < 4; ++i) EXPECT_EQ(ValueOf(instances[i], 100002), 7.0) << i;
  EXPECT_EQ(ValueOf(instances[0], 100002), -1);

  instances[1].variables.SetValue(100002, 0, Real(1));
  OwnedValue out;
  EXPECT_TRUE(Variable_GetValueByTarget(0, 100002, 0, out.Slot()));
  EXPECT_EQ(out.v.real, 1.0) << "the first live instance is read";

  // A missing object: reads fail, writes quietly succeed.
  EXPECT_FALSE(Variable_GetValueByTarget(5, 100002, 0, out.Slot()));
  EXPECT_TRUE(Variable_SetValueByTarget(5, 100002, 0, Real(1)));
}

TEST_F(TargetTest, AnEntryWithoutInstanceEndsTheObjectWalk) {
  world.objects = {{&instances[0], nullptr, &instances[1]}, {nullptr, &instances[2]}};
  EXPECT_TRUE(Variable_SetValueByTarget(0, 100000, 0, Real(2)));
  EXPECT_EQ(ValueOf(instances[0], 100000), 2.0);
  EXPECT_EQ(ValueOf(instances[1], 100000), -1);
  OwnedValue out;
  EXPECT_FALSE(Variable_GetValueByTarget(1, 100000, 0, out.Slot()));
  EXPECT_TRUE(Variable_SetValueByTarget(1, 100000, 0, Real(2)));
  EXPECT_EQ(ValueOf(instances[2], 100000), -1);
}

TEST_F(TargetTest, AnInstanceIdReachesOneLiveInstance) {
  world.room = {&instances[0], &instances[1]};
  instances[1].marked = true;
  EXPECT_TRUE(Variable_SetValueByTarget(100001, 100000, 3, Real(4)));
  OwnedValue out;
  EXPECT_TRUE(Variable_GetValueByTarget(100001, 100000, 3, out.Slot()));
  EXPECT_EQ(out.v.real, 4.0);
  for (int32_t gone : {100002, 100009}) {
    EXPECT_FALSE(Variable_GetValueByTarget(gone, 100000, 3, out.Slot())) << gone;
    EXPECT_TRUE(Variable_SetValueByTarget(gone, 100000, 3, Real(1))) << gone;
  }
  EXPECT_EQ(instances[1].variables.Count(), 0);
}

TEST(WorkingDirectory, IsTheGameFilesFolderAndSetOnce) {
  testsupport::ConsoleCapture capture;
  Variable_InitWorkingDirectory("/g/x/game.win");
  EXPECT_STREQ(Variable_WorkingDirectory(), "/g/x");
  std::string rule(73, '#');
  EXPECT_EQ(capture.Text(), rule + "\n####!!!!$$$$$$ pwd - /g/x\n" + rule + "\n");
  Variable_InitWorkingDirectory("C:\\other\\game.win");
  EXPECT_STREQ(Variable_WorkingDirectory(), "/g/x");
}

}  // namespace

#include "script/compiler/function_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script_test_support.h"

namespace {

void Handler(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {}
void OtherHandler(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {}

class StubStores final {
 public:
  StubStores() {
    FunctionStores stores;
    stores.findScript = [](const char* name) { return std::strcmp(name, "shared") == 0 ? 7 : -1; };
    stores.findExtensionFunction = [](const char* name) {
      if (std::strcmp(name, "shared") == 0) return 1;
      return std::strcmp(name, "ext_only") == 0 ? 3 : -1;
    };
    stores.extensionArgumentCount = [](int32_t index) { return index == 3 ? 2 : kNoArgumentCount; };
    Function_InstallStores(stores);
  }
  ~StubStores() { Function_InstallStores(FunctionStores{}); }
  StubStores(const StubStores&) = delete;
  StubStores& operator=(const StubStores&) = delete;
};

class FunctionTest : public ::testing::Test {
 protected:
  void SetUp() override { Function_Free(); }
  void TearDown() override { Function_Free(); }
  int32_t Find(const char* name) {
    int32_t id = 12345;
    bool found = Function_Find(name, &id);
    EXPECT_EQ(found, id != -1) << name;
    return id;
  }
};

TEST_F(FunctionTest, ScriptsBeatExtensionsWhichBeatBuiltIns) {
  Function_Add("shared", Handler, 1);
  Function_Add("ext_only", Handler, 1);
  Function_Add("builtin_only", Handler, 3);
  EXPECT_EQ(Find("builtin_only"), 2);
  {
    StubStores stores;
    EXPECT_EQ(Find("shared"), 100007);
    EXPECT_EQ(Find("ext_only"), 500003);
    EXPECT_EQ(Find("missing"), -1);
    EXPECT_EQ(Function_GetArgumentCount(500003), 2);
    EXPECT_EQ(Function_GetArgumentCount(500004), kNoArgumentCount);
  }
  EXPECT_EQ(Find("shared"), 0);
  EXPECT_EQ(Function_GetArgumentCount(500003), kNoArgumentCount);
}

TEST_F(FunctionTest, EmptyAndNullNamesAreNeverFound) {
  Function_Add("", Handler, 0);
  EXPECT_EQ(Find(""), -1);
  EXPECT_EQ(Find(nullptr), -1);
  EXPECT_EQ(Find("SHARED"), -1);
}

TEST_F(FunctionTest, TheFirstRegistrationOfANameWins) {
  Function_Add("twice", Handler, 1);
  Function_Add("twice", OtherHandler, 4);
  int32_t id = Find("twice");
  EXPECT_EQ(id, 0);
  EXPECT_EQ(Function_GetArgumentCount(id), 1);
  EXPECT_EQ(Function_GetHandler(id), &Handler);
  EXPECT_EQ(Function_GetHandler(1), &OtherHandler) << "the second record keeps its own id";
}

TEST_F(FunctionTest, ArgumentCountsOfEveryIdRange) {
  Function_Add("any", Handler, -1);
  EXPECT_EQ(Function_GetArgumentCount(0), -1);
  EXPECT_EQ(Function_GetArgumentCount(1), kNoArgumentCount);
  EXPECT_EQ(Function_GetArgumentCount(-1), kNoArgumentCount);
  EXPECT_EQ(Function_GetArgumentCount(100000), -1);
  EXPECT_EQ(Function_GetHandler(100000), nullptr);
}

TEST_F(FunctionTest, TheTableGrowsByFiveHundredAndKeepsItsRecords) {
  for (int i = 0; i < 501; ++i) Function_Add(("f" + std::to_string(i)).c_str(), Handler, i % 5);
  EXPECT_EQ(Function_Count(), 501);
  EXPECT_EQ(Function_Capacity(), 1000);
  EXPECT_EQ(Find("f0"), 0);
  EXPECT_EQ(Find("f499"), 499);
  EXPECT_EQ(Function_GetArgumentCount(499), 4);
}

TEST_F(FunctionTest, NamesLongerThanTheRecordAreRefused) {
  testsupport::ConsoleCapture capture;
  std::string longest(63, 'a');
  std::string tooLong(64, 'a');
  Function_Add(tooLong.c_str(), Handler, 0);
  EXPECT_EQ(Function_Count(), 0);
  EXPECT_NE(capture.Text().find(tooLong), std::string::npos);
  Function_Add(nullptr, Handler, 0);
  EXPECT_EQ(Function_Count(), 0);
  Function_Add(longest.c_str(), Handler, 0);
  EXPECT_EQ(Find(longest.c_str()), 0);
  EXPECT_EQ(Find(tooLong.c_str()), -1) << "no cut name stands in for the long one";
}

}  // namespace

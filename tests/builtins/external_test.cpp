#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/misc/external.h"

namespace {

using Lines = std::vector<std::string>;

// What the library layer was asked for.
struct Recorded {
  std::string library, name;
  int32_t convention = -9, count = -9;
  std::vector<int32_t> kinds;
  bool resultIsString = false;
  std::vector<std::string> callValues;
  std::string freed;
};
Recorded g_seen;

int32_t RecordDefine(const char* library, const char* name, int32_t convention, int32_t count, const int32_t* kinds,
                     bool resultIsString) {
  g_seen.library = library;
  g_seen.name = name;
  g_seen.convention = convention;
  g_seen.count = count;
  g_seen.kinds.assign(kinds, kinds + count);
  g_seen.resultIsString = resultIsString;
  return 4;
}

bool RecordCall(int32_t id, int32_t count, ScriptValue* values, ScriptValue* result) {
  g_seen.callValues.clear();
  for (int32_t i = 0; i < count; ++i) {
    g_seen.callValues.push_back(values[i].kind == kValueString ? ScriptValue_Text(values[i])
                                                               : std::to_string(static_cast<int>(values[i].real)));
  }
  ScriptValue_SetReal(result, id * 100 + count);
  return true;
}

void RecordFree(const char* library) { g_seen.freed = library; }

class External : public ::testing::Test {
 protected:
  void SetUp() override { g_seen = Recorded(); }
  void TearDown() override { External_ResetHooks(); }
};

std::vector<GoldenArg> DefineArgs(double argnumb, std::vector<double> types) {
  std::vector<GoldenArg> args = {S("lib.so"), S("fn"), R(1), R(1), R(argnumb)};
  for (double type : types) args.push_back(R(type));
  return args;
}

TEST_F(External, MalformedDefinitionsAreRefusedWithTheirMessage) {
  ErrorCapture errors;
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, DefineArgs(1, {})).Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, {S("lib.so"), S("fn"), R(0), R(0)}).Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, DefineArgs(17, std::vector<double>(17, 0))).Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, DefineArgs(5, {0, 0, 1, 0, 0})).Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, DefineArgs(NAN, {})).Real(), 0);
  EXPECT_EQ(errors.Messages(),
            (Lines{"Wrong number of arguments to external_define()", "Wrong number of arguments to external_define()",
                   "DLL functions can have at most 16 arguments",
                   "DLL functions with more than 4 arguments cannot have string arguments",
                   "Wrong number of arguments to external_define()"}));
}

TEST_F(External, WithoutALibraryLayerDefinitionsFailAndCallsAnswerZero) {
  ErrorCapture errors;
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, DefineArgs(2, {0, 1})).Real(), -1);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine2, {S("lib.so"), S("fn"), R(0), R(1), R(0)}).Real(), -1);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine8, {S("lib.so"), S("fn"), R(0)}).Real(), -1);
  EXPECT_EQ(errors.Messages(), Lines(3, "Error defining an external function."));
  BuiltinCall call(F_ExternalCall, {R(0), S("text"), R(2)});
  EXPECT_FALSE(call.IsString());
  EXPECT_EQ(call.Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCallN, {R(3)}).Real(), 0);
  BuiltinCall freeing(F_ExternalFree, {S("lib.so")});
}

TEST_F(External, DefinitionsReachTheLibraryLayerWithTheirKinds) {
  ExternalLibraryHooks hooks;
  hooks.define = RecordDefine;
  hooks.call = RecordCall;
  hooks.freeLibrary = RecordFree;
  External_InstallHooks(hooks);

  EXPECT_EQ(BuiltinCall(F_ExternalDefine, {S("lib.so"), S("fn"), R(1), R(1), R(3), R(1), R(0), R(7)}).Real(), 4);
  EXPECT_EQ(g_seen.library, "lib.so");
  EXPECT_EQ(g_seen.convention, 1);
  EXPECT_EQ(g_seen.kinds, (std::vector<int32_t>{1, 0, 0}));
  EXPECT_TRUE(g_seen.resultIsString);

  BuiltinCall(F_ExternalDefine3, {S("a"), S("b"), R(1), R(0.6), R(2), R(0)});
  EXPECT_EQ(g_seen.convention, 0);
  EXPECT_EQ(g_seen.kinds, (std::vector<int32_t>{1, 1, 0}));
  EXPECT_FALSE(g_seen.resultIsString);

  BuiltinCall(F_ExternalDefine6, {S("a"), S("b"), R(1)});
  EXPECT_EQ(g_seen.kinds, std::vector<int32_t>(6, 0));
  EXPECT_TRUE(g_seen.resultIsString);

  std::vector<GoldenArg> many = {R(2)};
  for (int i = 0; i < 18; ++i) many.push_back(R(i));
  EXPECT_EQ(BuiltinCall(F_ExternalCall, many).Real(), 216);
  EXPECT_EQ(g_seen.callValues.back(), "15");
  EXPECT_EQ(BuiltinCall(F_ExternalCallN, {R(1), S("word"), R(5)}).Real(), 102);
  EXPECT_EQ(g_seen.callValues, (Lines{"word", "5"}));

  BuiltinCall(F_ExternalFree, {S("lib.so")});
  EXPECT_EQ(g_seen.freed, "lib.so");
}

}  // namespace

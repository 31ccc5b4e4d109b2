#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "builtins/misc/external.h"
#include "extensions/dll_definitions.h"
#include "platform/backends.h"
#include "platform/dynamic_library.h"
#include "platform/fake/fake_dynamic_library.h"

namespace {

using Lines = std::vector<std::string>;

// The native functions of "lib.so", held by the in-memory loader: each
// shows what reached it, so a wrong kind or count shows in the answer.
char g_text[128];
const char* Describe(const char* a, double b, double c) {
  std::snprintf(g_text, sizeof g_text, "%s %g %g", a, b, c);
  return g_text;
}
double Pair(const char* a, const char* b, double c) { return 100.0 * std::strlen(a) + 10.0 * std::strlen(b) + c; }
const char* Six(double a, double b, double c, double d, double e, double f) {
  std::snprintf(g_text, sizeof g_text, "%g %g %g %g %g %g", a, b, c, d, e, f);
  return g_text;
}
double Last(double, double, double, double, double, double, double, double, double, double, double, double, double,
            double, double, double p) {
  return p;
}
double Wordy(const char* word, double n) { return 10.0 * std::strlen(word) + n; }

class External : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeLibraries& fake = FakeLibraries_Install();
    fake.libraries["lib.so"] = {{"fn", reinterpret_cast<void*>(Describe)},
                                {"pair", reinterpret_cast<void*>(Pair)},
                                {"six", reinterpret_cast<void*>(Six)},
                                {"last", reinterpret_cast<void*>(Last)},
                                {"wordy", reinterpret_cast<void*>(Wordy)}};
    fake_ = &fake;
  }
  void TearDown() override {
    DLL_FreeAll();
    DLL_Clear();
    PlatformBackends_Put(&PlatformBackends::libraries, nullptr);
  }
  FakeLibraries* fake_ = nullptr;
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

TEST_F(External, DefinitionsOfAMissingLibraryFailAndCallsAnswerZero) {
  ErrorCapture errors;
  EXPECT_EQ(BuiltinCall(F_ExternalDefine, {S("none.so"), S("fn"), R(1), R(1), R(2), R(0), R(1)}).Real(), -1);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine2, {S("none.so"), S("fn"), R(0), R(1), R(0)}).Real(), -1);
  EXPECT_EQ(BuiltinCall(F_ExternalDefine8, {S("lib.so"), S("absent"), R(0)}).Real(), -1);
  EXPECT_EQ(errors.Messages(), Lines(3, "Error defining an external function."));
  BuiltinCall call(F_ExternalCall, {R(0), S("text"), R(2)});
  EXPECT_FALSE(call.IsString());
  EXPECT_EQ(call.Real(), 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCallN, {R(3)}).Real(), 0);
  BuiltinCall freeing(F_ExternalFree, {S("none.so")});
}

TEST_F(External, DefinitionsReachTheLibraryWithTheirKindsAndCallsWithTheirValues) {
  const double described =
      BuiltinCall(F_ExternalDefine, {S("lib.so"), S("fn"), R(1), R(1), R(3), R(1), R(0), R(7)}).Real();
  ASSERT_GE(described, 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCall, {R(described), S("x"), R(2), R(3)}).Text(), "x 2 3");

  // 0.6 names a string; the result kind 0 a real.
  const double pair = BuiltinCall(F_ExternalDefine3, {S("lib.so"), S("pair"), R(1), R(0.6), R(2), R(0)}).Real();
  ASSERT_GE(pair, 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCall, {R(pair), S("abc"), S("de"), R(4)}).Real(), 324);

  // Five to eight arguments are all reals.
  const double six = BuiltinCall(F_ExternalDefine6, {S("lib.so"), S("six"), R(1)}).Real();
  ASSERT_GE(six, 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCall, {R(six), R(1), R(2), R(3), R(4), R(5), R(6)}).Text(), "1 2 3 4 5 6");

  // A call passes at most sixteen values.
  std::vector<GoldenArg> sixteen = {S("lib.so"), S("last"), R(0), R(0), R(16)};
  for (int i = 0; i < 16; ++i) sixteen.push_back(R(0));
  const double last = BuiltinCall(F_ExternalDefine, sixteen).Real();
  ASSERT_GE(last, 0);
  std::vector<GoldenArg> many = {R(last)};
  for (int i = 0; i < 18; ++i) many.push_back(R(i));
  EXPECT_EQ(BuiltinCall(F_ExternalCall, many).Real(), 15);

  const double wordy = BuiltinCall(F_ExternalDefine2, {S("lib.so"), S("wordy"), R(1), R(0), R(0)}).Real();
  ASSERT_GE(wordy, 0);
  EXPECT_EQ(BuiltinCall(F_ExternalCallN, {R(wordy), S("word"), R(5)}).Real(), 45);

  BuiltinCall(F_ExternalFree, {S("lib.so")});
  EXPECT_EQ(fake_->closes, 1);
  EXPECT_EQ(BuiltinCall(F_ExternalCall, {R(pair), S("abc"), S("de"), R(4)}).Real(), 0) << "the library is gone";
}

}  // namespace

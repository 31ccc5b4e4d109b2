#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "builtin_test_support.h"
#include "builtins/maths/maths.h"
#include "builtins/registration.h"
#include "runtime/random.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double Call(BuiltinFunction f, std::initializer_list<GoldenArg> args) { return BuiltinCall(f, args).Real(); }
double Single(double x) { return static_cast<float>(x); }

TEST(MathsTrig, ComputesInSinglePrecisionAndSnapsOnlyNearZero) {
  EXPECT_EQ(Call(F_Sin, {R(0.5)}), Single(std::sin(static_cast<double>(0.5f))));
  EXPECT_EQ(Call(F_Cos, {R(0.1)}), Single(std::cos(static_cast<double>(0.1f))));
  EXPECT_EQ(Call(F_ArcTan2, {R(1), R(1)}), Single(kSinglePi / 4));
  EXPECT_EQ(Call(F_ArcTan2, {R(0), R(-1)}), Single(kSinglePi));
  EXPECT_EQ(Call(F_Sin, {R(9e-6)}), 0.0);
  EXPECT_EQ(Call(F_Sin, {R(2e-5)}), Single(std::sin(static_cast<double>(2e-5f))));
  EXPECT_EQ(Call(F_Tan, {R(0)}), 0.0);
  EXPECT_EQ(Call(F_ArcSin, {R(1)}), Single(kSinglePi / 2));
  EXPECT_EQ(Call(F_ArcCos, {R(1)}), 0.0);
  EXPECT_EQ(Call(F_DegToRad, {R(180)}), kSinglePi);
  EXPECT_EQ(Call(F_RadToDeg, {R(kSinglePi)}), 180.0);
}

TEST(MathsTrig, InverseFunctionsTestTheSinglePrecisionArgument) {
  ErrorCapture errors;
  // 1 + 1e-9 rounds to 1 in single precision, so it is inside the range.
  EXPECT_EQ(Call(F_ArcSin, {R(1 + 1e-9)}), Single(kSinglePi / 2));
  EXPECT_TRUE(errors.Messages().empty());
  EXPECT_EQ(Call(F_ArcCos, {R(-1.0001)}), 0.0);
  EXPECT_EQ(Call(F_ArcSin, {R(-kInf)}), 0.0);
  ASSERT_EQ(errors.Messages().size(), 2u);
  EXPECT_EQ(errors.Messages()[1], "Error in function arcsin().");
  EXPECT_TRUE(std::isnan(Call(F_ArcSin, {R(kNaN)})));
}

TEST(MathsGeometry, DirectionCoversEveryQuadrantWithoutNegativeZero) {
  EXPECT_EQ(Call(F_PointDirection, {R(0), R(0), R(-1), R(0)}), 180.0);
  EXPECT_EQ(Call(F_PointDirection, {R(0), R(0), R(1), R(1)}), 315.0);
  EXPECT_EQ(Call(F_PointDirection, {R(0), R(0), R(-1), R(-1)}), 135.0);
  EXPECT_EQ(Call(F_PointDirection, {R(0), R(0), R(0), R(-5)}), 90.0);
  const double right = Call(F_PointDirection, {R(0), R(0), R(7), R(0)});
  EXPECT_EQ(right, 0.0);
  EXPECT_FALSE(std::signbit(right));
  // Coordinates are single precision: 16777217 is 16777216 there, so the
  // line is vertical.
  EXPECT_EQ(Call(F_PointDirection, {R(16777216), R(0), R(16777217), R(1)}), 270.0);
}

TEST(MathsGeometry, LengthdirSnapsOnlyJustBeyondAWholeNumber) {
  EXPECT_EQ(Call(F_LengthDirX, {R(1.00005), R(0)}), 1.0);
  EXPECT_EQ(Call(F_LengthDirX, {R(-1.00005), R(0)}), -1.0);
  EXPECT_EQ(Call(F_LengthDirX, {R(0.99995), R(0)}), Single(0.99995));
  EXPECT_EQ(Call(F_LengthDirY, {R(1.00005), R(270)}), 1.0);
  EXPECT_EQ(Call(F_LengthDirX, {R(10), R(180)}), -10.0);
  EXPECT_EQ(Call(F_LengthDirY, {R(10), R(0)}), 0.0);
  EXPECT_FALSE(std::signbit(Call(F_LengthDirY, {R(10), R(0)})));
  EXPECT_EQ(Call(F_LengthDirX, {R(0.3), R(0)}), Single(0.3));
}

TEST(MathsGeometry, DistancesAndDotProducts) {
  EXPECT_EQ(Call(F_PointDistance, {R(1), R(1), R(4), R(5)}), 5.0);
  EXPECT_EQ(Call(F_PointDistance3D, {R(0), R(0), R(0), R(1), R(2), R(2)}), 3.0);
  EXPECT_EQ(Call(F_PointDistance, {R(0), R(0), R(0.1), R(0)}), Single(0.1));
  EXPECT_EQ(Call(F_DotProduct, {R(1), R(2), R(3), R(4)}), 11.0);
  EXPECT_EQ(Call(F_DotProduct3D, {R(1), R(2), R(3), R(4), R(5), R(6)}), 32.0);
  EXPECT_EQ(Call(F_DotProductNormalised, {R(2), R(0), R(5), R(0)}), 1.0);
  EXPECT_EQ(Call(F_DotProductNormalised, {R(1), R(0), R(0), R(-3)}), 0.0);
  EXPECT_NEAR(Call(F_DotProduct3DNormalised, {R(1), R(1), R(1), R(-1), R(-1), R(-1)}), -1.0, 1e-6);
  EXPECT_TRUE(std::isnan(Call(F_DotProductNormalised, {R(0), R(0), R(1), R(1)})));
}

TEST(MathsRounding, ConversionsIntoThirtyTwoBits) {
  EXPECT_EQ(Call(F_Round, {R(-2.5)}), -2.0);
  EXPECT_EQ(Call(F_Round, {R(1e300)}), -2147483648.0);
  EXPECT_EQ(Call(F_Floor, {R(-kInf)}), -2147483648.0);
  EXPECT_EQ(Call(F_Ceil, {R(2147483647.5)}), -2147483648.0);
  EXPECT_EQ(Call(F_Floor, {R(2147483647.5)}), 2147483647.0);
  EXPECT_EQ(Call(F_Abs, {R(-0.1)}), Single(0.1));
  EXPECT_EQ(Call(F_Abs, {R(-1e300)}), kInf);
  EXPECT_EQ(Call(F_Sign, {R(kNaN)}), -1.0);
  EXPECT_EQ(Call(F_Sign, {R(-0.0)}), 0.0);
  EXPECT_EQ(Call(F_Sign, {R(1e-300)}), 1.0);
  EXPECT_EQ(Call(F_Frac, {R(-1.5)}), -0.5);
  EXPECT_TRUE(std::isnan(Call(F_Frac, {R(kInf)})));
}

TEST(MathsPowers, NoChecksOnlyIeeeAnswers) {
  EXPECT_EQ(Call(F_Log2, {R(8)}), 3.0);
  EXPECT_EQ(Call(F_Log10, {R(1000)}), 3.0);
  EXPECT_EQ(Call(F_Power, {R(2), R(10)}), 1024.0);
  EXPECT_EQ(Call(F_Sqr, {R(-3)}), 9.0);
  EXPECT_EQ(Call(F_Exp, {R(0)}), 1.0);
  EXPECT_TRUE(std::isnan(Call(F_Sqrt, {R(-1)})));
  EXPECT_EQ(Call(F_Ln, {R(0)}), -kInf);
  EXPECT_EQ(Call(F_LogN, {R(8), R(1)}), kInf);
}

TEST(MathsAggregates, MinMaxKeepTheFirstOfEqualValuesAndRefuseStrings) {
  EXPECT_FALSE(std::signbit(Call(F_Min, {R(0.0), R(-0.0)})));
  EXPECT_TRUE(std::signbit(Call(F_Max, {R(-0.0), R(0.0)})));
  EXPECT_EQ(Call(F_Max, {R(1), R(7), R(3)}), 7.0);
  EXPECT_EQ(Call(F_Min3, {R(4), R(-2), R(9)}), -2.0);
  EXPECT_EQ(Call(F_Min, {}), 0.0);
  ErrorCapture errors;
  BuiltinCall refused(F_Max, {R(5), S("9")});
  EXPECT_FALSE(refused.IsString());
  EXPECT_EQ(refused.Real(), 0.0);
  EXPECT_EQ(errors.Messages().size(), 1u);
}

TEST(MathsAggregates, MeanMedianClampLerp) {
  EXPECT_EQ(Call(F_Mean, {R(1), R(2), R(3), R(4)}), 2.5);
  EXPECT_EQ(Call(F_Mean, {}), 0.0);
  EXPECT_EQ(Call(F_Median, {R(3), R(1), R(2)}), 2.0);
  EXPECT_EQ(Call(F_Median, {R(kNaN), R(1), R(2)}), 2.0) << "NaNs sort last";
  EXPECT_EQ(Call(F_Clamp, {R(-5), R(0), R(3)}), 0.0);
  EXPECT_EQ(Call(F_Clamp, {R(5), R(0)}), 0.0);
  EXPECT_EQ(Call(F_Lerp, {R(10), R(20), R(-1)}), 0.0);
  EXPECT_EQ(Call(F_Lerp, {R(10), R(20)}), 0.0);
}

// The two generator words behind each irandom.
uint64_t Drawn63() {
  const uint64_t low = Random_Next();
  const uint64_t high = Random_Next();
  return ((high << 32) | low) & 0x7FFFFFFFFFFFFFFFull;
}

TEST(MathsRandom, NegativeAndHugeRangesNeverFail) {
  Random_Seed(5);
  const uint64_t first = Drawn63();
  const uint64_t second = Drawn63();
  const uint32_t after = Random_Next();
  Random_Seed(5);
  EXPECT_EQ(Call(F_IRandom, {R(-1.5)}), 0.0) << "a modulus of 0 answers 0";
  EXPECT_EQ(Call(F_IRandom, {R(-5)}), static_cast<double>(second)) << "a huge modulus hands back the number";
  EXPECT_EQ(Random_Next(), after) << "each call takes exactly two words";
  Random_Seed(5);
  EXPECT_EQ(Call(F_IRandom, {R(kNaN)}), static_cast<double>(first));
  EXPECT_EQ(Call(F_IRandomRange, {R(3), R(3)}), 3.0);
  EXPECT_EQ(Call(F_IRandomRange, {R(-kInf), R(0)}), -9223372036854775808.0);
}

TEST(MathsRandom, SeedsAreTheLowThirtyTwoBitsOfTheRoundedArgument) {
  Call(F_RandomSetSeed, {R(4294967295.0)});
  EXPECT_EQ(Random_GetSeed(), -1);
  Call(F_RandomSetSeed, {R(2.5)});
  EXPECT_EQ(Call(F_RandomGetSeed, {}), 2.0);
  const double seed = Call(F_Randomize, {});
  EXPECT_EQ(seed, static_cast<double>(Random_GetSeed()));
  EXPECT_EQ(Random_State().index, 0u);
}

TEST(MathsRandom, ChooseCopiesTheChosenValue) {
  const ScriptValue arg = {kValueString, const_cast<char*>("only"), 0.0};
  ScriptValue result;
  F_Choose(&result, nullptr, nullptr, 1, const_cast<ScriptValue*>(&arg));
  EXPECT_EQ(result.kind, kValueString);
  EXPECT_STREQ(result.text, "only");
  EXPECT_NE(result.text, arg.text);
  ScriptValue_Release(&result);
  EXPECT_EQ(Call(F_Choose, {}), 0.0);
  EXPECT_EQ(Call(F_IsReal, {R(1)}) + Call(F_IsString, {S("")}), 2.0);
  EXPECT_EQ(Call(F_IsReal, {S("1")}) + Call(F_IsString, {R(1)}), 0.0);
}

// Every registered built-in, maths and strings, with every argument count
// up to six filled from values that break careless code; the sanitizer
// build turns any overflowing conversion or bad read into a failure.
TEST(MathsStringsHostileInput, EveryBuiltInAnswersWithoutFault) {
  Function_Free();
  Builtins_RegisterFamily(BuiltinFamilyId::kMaths);
  const GoldenArg hostile[] = {
      R(kNaN),       R(kInf), R(-kInf), R(1e300), R(-1e300), R(-2147483649.0), S("ab\xC8"), S("\xF0\x9F\x98\x80x"),
      S("\xE2\x82"), S("")};
  constexpr int kHostile = sizeof hostile / sizeof hostile[0];
  ErrorCapture errors;
  for (int32_t id = 0; id < Function_Count(); ++id) {
    SCOPED_TRACE(Function_GetRecord(id)->name);
    BuiltinFunction f = Function_GetHandler(id);
    for (int count = 0; count <= 6; ++count) {
      for (int shift = 0; shift < kHostile; ++shift) {
        std::vector<GoldenArg> args;
        for (int i = 0; i < count; ++i) args.push_back(hostile[(shift + i * 3) % kHostile]);
        BuiltinCall call(f, args);
        EXPECT_TRUE(call.value.kind == kValueReal || call.value.kind == kValueString);
      }
    }
  }
  Function_Free();
}

}  // namespace

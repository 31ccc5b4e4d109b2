#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Numeric, RoundsHalvesToEven) {
  EXPECT_EQ(Num_RoundInt32(2.5), 2);
  EXPECT_EQ(Num_RoundInt32(3.5), 4);
  EXPECT_EQ(Num_RoundInt32(-2.5), -2);
  EXPECT_EQ(Num_RoundInt32(-3.5), -4);
  EXPECT_EQ(Num_RoundInt32(0.49999999999999994), 0);
  EXPECT_EQ(Num_RoundInt32(-2147483648.5), INT32_MIN);
  EXPECT_EQ(Num_RoundInt32(-2147483648.4), -2147483648);
  EXPECT_EQ(Num_RoundInt32(2147483647.4), 2147483647);
}

TEST(Numeric, UnrepresentableGivesTheMinimum) {
  EXPECT_EQ(Num_RoundInt32(2147483647.5), INT32_MIN);
  EXPECT_EQ(Num_RoundInt32(-2147483649.0), INT32_MIN);
  EXPECT_EQ(Num_TruncInt32(2147483648.0), INT32_MIN);
  for (double v : {kNaN, kInf, -kInf}) {
    EXPECT_EQ(Num_RoundInt32(v), INT32_MIN);
    EXPECT_EQ(Num_TruncInt32(v), INT32_MIN);
    EXPECT_EQ(Num_RoundInt64(v), INT64_MIN);
    EXPECT_EQ(Num_TruncInt64(v), INT64_MIN);
  }
  EXPECT_EQ(Num_TruncInt64(9223372036854775808.0), INT64_MIN);
  EXPECT_EQ(Num_TruncInt64(-9223372036854775808.0), INT64_MIN);
  EXPECT_EQ(Num_TruncInt64(4e18), 4000000000000000000LL);
}

TEST(Numeric, TruncatesTowardZero) {
  EXPECT_EQ(Num_TruncInt32(-7.9), -7);
  EXPECT_EQ(Num_TruncInt32(7.9), 7);
  EXPECT_EQ(VCL_Trunc(-0.5), 0);
  EXPECT_EQ(Num_TruncInt32(-2147483648.9), -2147483648);
}

TEST(Numeric, TruthThresholds) {
  EXPECT_TRUE(Num_TrueAtHalf(0.5));
  EXPECT_FALSE(Num_TrueAboveHalf(0.5));
  EXPECT_TRUE(Num_TrueAboveHalf(0.5000001));
  // 0.49999999999 becomes 0.5 in single precision.
  EXPECT_FALSE(Num_TrueAtHalf(0.49999999999));
  EXPECT_TRUE(Num_TrueAtHalfSingle(0.49999999999));
  EXPECT_TRUE(Num_TrueMagnitudeAboveHalf(-0.6));
  EXPECT_FALSE(Num_TrueMagnitudeAboveHalf(-0.5));
  EXPECT_FALSE(Num_TrueAtHalf(kNaN));
}

// Every text read as a number: white space first, then sign, digits, point
// and exponent up to the first other byte; words, hexadecimal and the
// names of infinity and NaN read 0.
TEST(Numeric, TextsReadAsNumbersSkipLeadingWhiteSpaceAndStopAtTheFirstOtherByte) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"  12", 12},    {" 7", 7},          {"\t8", 8},    {"\n\v\f\r -2.5e1x", -25},
      {"+.5", 0.5},    {"5.", 5},          {"1e", 1},     {"1e+", 1},
      {"3e-2z", 0.03}, {"- 3", 0},         {"e5", 0},     {".", 0},
      {"", 0},         {"0x10", 0},        {" inf", 0},   {"nan", 0},
      {"\2405", 0},  // a no-break space is no white space
      {"1e400", kInf}, {" -1e400", -kInf}, {"1e-400", 0}, {"12,5", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(Num_ParseReal(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(Num_ParseReal(nullptr), 0);
  // A decimal-comma locale changes nothing.
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
    EXPECT_EQ(Num_ParseReal(" 12.5"), 12.5);
    EXPECT_EQ(Num_ParseReal("12,5"), 12);
    std::setlocale(LC_NUMERIC, "C");
  }
}

TEST(Numeric, FormattingIgnoresACommaLocale) {
  // The player forces the "C" locale at start; show that a decimal-comma
  // locale would otherwise change "%f", and that "C" prints a point.
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      comma = name;
      break;
    }
  }
  if (comma == nullptr) GTEST_SKIP() << "no decimal-comma locale installed";
  std::setlocale(LC_NUMERIC, "C");
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%f", 1.5);
  EXPECT_STREQ(buffer, "1.500000");
}

}  // namespace

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "builtin_test_support.h"
#include "builtins/maths/strings.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string Text(BuiltinFunction f, std::initializer_list<GoldenArg> args) {
  BuiltinCall call(f, args);
  EXPECT_TRUE(call.IsString());
  return call.Text();
}
double Real(BuiltinFunction f, std::initializer_list<GoldenArg> args) { return BuiltinCall(f, args).Real(); }

std::string Printf(const char* format, double x) {
  char buffer[4096];
  std::snprintf(buffer, sizeof buffer, format, x);
  return buffer;
}

const char* const kEmoji = "\xF0\x9F\x98\x80";  // one four-byte character
const char* const kReplacement = "\xEF\xBF\xBD";

TEST(StringsConvert, StringOfARealKeepsItsFirst255Bytes) {
  for (double x : {1e300, -1.7976931348623157e308, 0.005, 2.675, -2147483648.5, 123456789012.345, 1e252, 1e253}) {
    EXPECT_EQ(Text(F_String, {R(x)}), Printf("%.2f", x).substr(0, 255)) << x;
  }
  EXPECT_EQ(Text(F_String, {R(1e300)}).size(), 255u);
  EXPECT_EQ(Text(F_String, {R(1e252)}).size(), 255u);
  EXPECT_EQ(Text(F_String, {R(-2147483648.0)}), "-2147483648");
  EXPECT_EQ(Text(F_String, {R(-0.0)}), "0");
  EXPECT_EQ(Text(F_String, {S("as is")}), "as is");
}

TEST(StringsConvert, FormatPadsCapsAndJustifiesLeftForNegativeWidths) {
  EXPECT_EQ(Text(F_StringFormat, {R(1.5), R(-8), R(2)}), Printf("%-10.2f", 1.5));
  EXPECT_EQ(Text(F_StringFormat, {R(1.5), R(3), R(-2)}), "    2") << "negative precision reads as 0";
  EXPECT_EQ(Text(F_StringFormat, {R(-2.25), R(9.9), R(1.9)}), Printf("%8.1f", -2.25)) << "truncated toward zero";
  EXPECT_EQ(Text(F_StringFormat, {R(1), R(1e9), R(0)}).size(), 1000u) << "width capped";
  EXPECT_EQ(Text(F_StringFormat, {R(1), R(0), R(1e9)}), "1." + std::string(1000, '0')) << "precision capped";
  EXPECT_EQ(Text(F_StringFormat, {R(1e300), R(2000), R(1000)}).size(), 1302u);
  EXPECT_EQ(Text(F_StringFormat, {R(kNaN), R(kNaN), R(kInf)}).find("nan") != std::string::npos, true);
}

TEST(StringsConvert, RealReadsLikeAtofWithoutItsExtensions) {
  std::setlocale(LC_NUMERIC, "C");
  for (const char* text : {"+5", "-.5", "1e3", "1e", "1e+", "2.5E-1x", "007.50", "1.7976931348623157e308", "4.9e-324",
                           "123456789012345678901234567890", "0.1e-5", "-0"}) {
    EXPECT_EQ(Real(F_Real, {S(text)}), std::strtod(text, nullptr)) << text;
  }
  for (const char* text : {".", "-", "+-1", "e5", "0x1p3", "nan", "infinity", "\x80"}) {
    EXPECT_EQ(Real(F_Real, {S(text)}), 0.0) << text;
  }
  EXPECT_EQ(Real(F_Real, {S("\xC8\t 7 \xFF")}), 7.0) << "high bytes are trimmed as blanks";
  EXPECT_EQ(Real(F_Real, {S("1e400")}), kInf);
  EXPECT_EQ(Real(F_Real, {S("-1e99999999999")}), -kInf);
  EXPECT_EQ(Real(F_Real, {S("1e-400")}), 0.0);
  const std::string tiny = "0." + std::string(400, '0') + "1";
  for (const std::string& text :
       {tiny + "e300", tiny + "e710", tiny + "e-300", std::string(400, '9'), std::string(400, '0') + "1e-330"}) {
    EXPECT_EQ(Real(F_Real, {S(text.c_str())}), std::strtod(text.c_str(), nullptr)) << text;
  }
  EXPECT_EQ(Real(F_Real, {R(-3.25)}), -3.25);
}

TEST(StringsConvert, CharactersFromCodes) {
  EXPECT_EQ(Text(F_Chr, {R(-200)}), "8") << "low 7 bits of a small code";
  EXPECT_EQ(Text(F_Chr, {R(65.9)}), "A") << "truncated";
  EXPECT_EQ(Text(F_Chr, {R(0)}), "");
  EXPECT_EQ(Text(F_Chr, {R(128)}), "\xC2\x80");
  EXPECT_EQ(Text(F_Chr, {R(2047)}), "\xDF\xBF");
  EXPECT_EQ(Text(F_Chr, {R(2048)}), "\xE0\xA0\x80");
  EXPECT_EQ(Text(F_Chr, {R(65536 + 0x20AC)}), "\xE2\x82\xAC") << "three bytes of the low 16 bits";
  EXPECT_EQ(Text(F_Chr, {R(kNaN)}), "");
  EXPECT_EQ(Text(F_AnsiChar, {R(200)}), "\xC8");
  EXPECT_EQ(Text(F_AnsiChar, {R(256 + 65)}), "A");
  EXPECT_EQ(Text(F_AnsiChar, {R(0)}), "");
  EXPECT_EQ(Real(F_Ord, {S("\xC3\xA9z")}), 233.0);
  EXPECT_EQ(Real(F_Ord, {S(kEmoji)}), 0xFFFD);
  EXPECT_EQ(Real(F_Ord, {S("\xC8")}), 0.0);
  EXPECT_EQ(Real(F_Ord, {R(65)}), 0.0);
}

TEST(StringsCodePoints, CutAndFourByteSequences) {
  const std::string emojiX = std::string(kEmoji) + "x";
  EXPECT_EQ(Real(F_StringLength, {S("ab\xC8")}), 2.0);
  EXPECT_EQ(Real(F_StringLength, {S(emojiX.c_str())}), 2.0);
  EXPECT_EQ(Real(F_StringLength, {S("a\xE2\x82")}), 1.0);
  EXPECT_EQ(Real(F_StringPos, {S("x"), S(emojiX.c_str())}), 2.0);
  EXPECT_EQ(Real(F_StringPos, {S("\xC8"), S("ab\xC8")}), 1.0) << "no whole character: matches at once";
  EXPECT_EQ(Text(F_StringCharAt, {S(emojiX.c_str()), R(1)}), kReplacement);
  EXPECT_EQ(Text(F_StringCharAt, {S(emojiX.c_str()), R(2)}), "x");
  EXPECT_EQ(Text(F_StringCharAt, {S("ab\xC8"), R(3)}), "");
  EXPECT_EQ(Text(F_StringCopy, {S("ab\xC8"), R(1), R(9)}), "ab");
  EXPECT_EQ(Text(F_StringDelete, {S(emojiX.c_str()), R(1), R(1)}), "x") << "all four bytes go";
  EXPECT_EQ(Text(F_StringDelete, {S("\xC3\xA9\xC3\xA8z"), R(2), R(5)}), "\xC3\xA9");
  EXPECT_EQ(Text(F_StringInsert, {S("-"), S("ab\xC8"), R(99)}), "ab-\xC8");
  EXPECT_EQ(Text(F_StringInsert, {S("-"), S(emojiX.c_str()), R(2)}), std::string(kEmoji) + "-x");
}

TEST(StringsCodePoints, IndicesAndKinds) {
  EXPECT_EQ(Text(F_StringCopy, {S("hello"), R(2), R(-1)}), "");
  EXPECT_EQ(Text(F_StringCopy, {S("hello"), R(kNaN), R(2)}), "he") << "NaN reads as INT32_MIN";
  EXPECT_EQ(Text(F_StringCopy, {S("hello"), R(1), R(1e300)}), "");
  EXPECT_EQ(Text(F_StringCopy, {S("hello"), S("1"), R(1)}), "");
  EXPECT_EQ(Text(F_StringCopy, {R(5), R(1), R(1)}), "");
  EXPECT_EQ(Text(F_StringCharAt, {S("abc"), R(-1e300)}), "a");
  EXPECT_EQ(Text(F_StringDelete, {S("abcdef"), R(5), R(100)}), "abcd");
  EXPECT_EQ(Text(F_StringDelete, {S("abcdef"), R(0), R(2)}), "abcdef");
  EXPECT_EQ(Text(F_StringDelete, {S("abcdef"), R(7), R(1)}), "abcdef");
  EXPECT_EQ(Text(F_StringDelete, {R(1), R(1), R(1)}), "");
  EXPECT_EQ(Text(F_StringInsert, {R(1), S("abc"), R(1)}), "abc");
  EXPECT_EQ(Text(F_StringInsert, {S("X"), R(1), R(1)}), "X");
  EXPECT_EQ(Text(F_StringInsert, {R(1), R(1), R(1)}), "");
  EXPECT_EQ(Real(F_StringPos, {R(1), S("1")}), 0.0);
  EXPECT_EQ(Real(F_StringLength, {R(123)}), 0.0);
}

TEST(StringsBytes, CaseAndFilters) {
  EXPECT_EQ(Text(F_StringUpper, {S("\xC3\xA0"
                                   "bC1")}),
            "\xC3\xA0"
            "BC1");
  EXPECT_EQ(Text(F_StringLower, {S("@AZ[`az{")}), "@az[`az{");
  EXPECT_EQ(Text(F_StringLower, {R(65)}), "");
  EXPECT_EQ(Text(F_StringLetters, {S("a1\xC3\xA9 b2")}), "ab");
  EXPECT_EQ(Text(F_StringLettersDigits, {S("a1\xC3\xA9 b2/:")}), "a1b2");
  EXPECT_EQ(Text(F_StringDigits, {S("a1\xC3\xA9 b2")}), "12");
  EXPECT_EQ(Text(F_StringDigits, {S("12"), R(0)}), "") << "exactly one argument";
  EXPECT_EQ(Real(F_StringByteLength, {S("\xC3\xA9")}), 2.0);
  EXPECT_EQ(Real(F_StringByteAt, {S("abc"), R(0)}), 97.0);
  EXPECT_EQ(Real(F_StringByteAt, {S("abc"), R(4)}), 0.0);
  EXPECT_EQ(Real(F_StringByteAt, {S("\x7F\x80"), R(2)}), -128.0);
  EXPECT_FALSE(BuiltinCall(F_StringByteAt, {R(5), R(1)}).IsString());
}

TEST(StringsBytes, ReplaceNeverSearchesWhatItWrote) {
  EXPECT_EQ(Text(F_StringReplace, {S("abab"), S("ab"), S("x")}), "xab");
  EXPECT_EQ(Text(F_StringReplaceAll, {S("aa"), S("a"), S("aa")}), "aaaa");
  EXPECT_EQ(Text(F_StringReplaceAll, {S("a-b-c"), S("-"), R(5)}), "abc");
  EXPECT_EQ(Text(F_StringReplaceAll, {S("abc"), S(""), S("x")}), "abc");
  EXPECT_EQ(Text(F_StringReplaceAll, {S("abc"), S("abc"), S("")}), "");
  EXPECT_EQ(Text(F_StringReplace, {R(1), S("a"), S("b")}), "");
  EXPECT_EQ(Real(F_StringCount, {S("aa"), S("aaaa")}), 3.0);
  EXPECT_EQ(Real(F_StringCount, {S(""), S("abc")}), 0.0);
  EXPECT_EQ(Real(F_StringCount, {S("a"), R(1)}), 0.0);
}

TEST(StringsBytes, RepeatMultipliesInSixtyFourBitsAndRefusesOversizedResults) {
  EXPECT_EQ(Text(F_StringRepeat, {S("ab"), R(3)}), "ababab");
  EXPECT_EQ(Text(F_StringRepeat, {S("ab"), R(2.5)}), "abab");
  EXPECT_EQ(Text(F_StringRepeat, {S("ab"), R(0)}), "");
  ErrorCapture errors;
  EXPECT_EQ(Text(F_StringRepeat, {S("abc"), R(1e300)}), "") << "INT32_MIN is below 1";
  EXPECT_TRUE(errors.Messages().empty());
  // 3 x 1431655766 wraps to 2 in 32 bits; whole it is over the limit.
  EXPECT_EQ(Text(F_StringRepeat, {S("abc"), R(1431655766)}), "");
  ASSERT_EQ(errors.Messages().size(), 1u);
  EXPECT_EQ(errors.Messages()[0], "Error string_repeat(): result longer than a string can hold");
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/lexer.h"
#include "script/compiler/operators.h"
#include "script/script_test_support.h"

namespace {

// An operand written as text: 'abc' is a string, anything else a real.
ScriptValue Operand(const std::string& text) {
  ScriptValue value;
  if (!text.empty() && text[0] == '\'') {
    ScriptValue_SetString(&value, text.substr(1, text.size() - 2).c_str());
  } else {
    value.real = std::stod(text);
  }
  return value;
}

std::string Shown(const ScriptValue& value) {
  if (value.kind == kValueString) return "'" + std::string(ScriptValue_Text(value)) + "'";
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value.real);
  return text;
}

std::string Message() {
  std::string text = g_errorText == nullptr ? "" : g_errorText;
  size_t colon = text.find(": ", text.rfind("position "));
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

// The result of left op right, or "!" and the error message.
std::string Binary(const std::string& left, int32_t op, const std::string& right) {
  CCode code("", true);
  Code_Error_Clear();
  ScriptValue a = Operand(left);
  ScriptValue b = Operand(right);
  bool ok = Code_BinaryOperator(&code, 0, op, &a, &b);
  std::string out = ok ? Shown(a) : "!" + Message();
  ScriptValue original = Operand(right);
  EXPECT_EQ(Shown(b), Shown(original)) << "the right operand must stay as it was";
  ScriptValue_Release(&original);
  ScriptValue_Release(&a);
  ScriptValue_Release(&b);
  return out;
}

std::string Unary(int32_t op, const std::string& operand) {
  CCode code("", true);
  Code_Error_Clear();
  ScriptValue a = Operand(operand);
  bool ok = Code_UnaryOperator(&code, 0, op, &a);
  std::string out = ok ? Shown(a) : "!" + Message();
  ScriptValue_Release(&a);
  return out;
}

struct Row {
  const char* left;
  int32_t op;
  const char* right;
  const char* expected;
};

TEST(Operators, EveryBinaryRowGivesItsResultOrMessage) {
  const Row rows[] = {
      // Integer division truncates both operands and the quotient.
      {"7", kTokenDiv, "2", "3"},
      {"-7", kTokenDiv, "2", "-3"},
      {"7", kTokenDiv, "2.5", "3"},
      {"5", kTokenDiv, "0.5", "!Division by 0."},
      {"-2147483648", kTokenDiv, "-1", "2147483648"},
      {"'a'", kTokenDiv, "1", "!Wrong type of arguments to div."},
      // mod keeps the sign of the left operand and works in reals.
      {"-7", kTokenMod, "2", "-1"},
      {"7.5", kTokenMod, "2", "1.5"},
      {"5", kTokenMod, "0", "!Modulo by 0."},
      {"1", kTokenMod, "'a'", "!Wrong type of arguments to mod."},
      {"1", kTokenDivide, "4", "0.25"},
      {"1", kTokenDivide, "0", "!Division by 0."},
      {"1", kTokenDivide, "'a'", "!Wrong type of arguments to /."},
      {"5", kTokenMinus, "7", "-2"},
      {"'a'", kTokenMinus, "'b'", "!Wrong type of arguments to -."},
      {"1.5", kTokenPlus, "2", "3.5"},
      {"'ab'", kTokenPlus, "'cd'", "'abcd'"},
      {"1", kTokenPlus, "'a'", "!Wrong type of arguments to +."},
      {"2", kTokenTimes, "1.5", "3"},
      {"3", kTokenTimes, "'ab'", "'ababab'"},
      {"0", kTokenTimes, "'ab'", "''"},
      {"-2", kTokenTimes, "'ab'", "''"},
      {"2.5", kTokenTimes, "'ab'", "'abab'"},
      {"'ab'", kTokenTimes, "3", "!Wrong type of arguments to *."},
      {"1e9", kTokenTimes, "'abc'", "!String too long."},
      // Bit operations round halves to the even neighbour; shifts wrap at 32.
      {"2.5", kTokenBitOr, "0", "2"},
      {"3.5", kTokenBitOr, "0", "4"},
      {"6", kTokenBitAnd, "3", "2"},
      {"6", kTokenBitXor, "3", "5"},
      {"1", kTokenShiftLeft, "33", "2"},
      {"-8", kTokenShiftRight, "1", "-4"},
      {"1", kTokenShiftLeft, "31", "-2147483648"},
      {"'a'", kTokenBitOr, "0", "!Wrong type of arguments for |."},
      {"0", kTokenBitAnd, "'a'", "!Wrong type of arguments for &."},
      {"0", kTokenBitXor, "'a'", "!Wrong type of arguments for ^."},
      {"'a'", kTokenShiftLeft, "1", "!Wrong type of arguments for <<."},
      {"'a'", kTokenShiftRight, "1", "!Wrong type of arguments for >>."},
      // Truth is 0.5 or more.
      {"0.5", kTokenAnd, "0.5", "1"},
      {"0.49", kTokenOr, "0", "0"},
      {"1", kTokenXor, "0", "1"},
      {"1", kTokenXor, "1", "0"},
      {"1", kTokenXor, "'a'", "!Wrong type of arguments for ^^."},
      {"'a'", kTokenAnd, "1", "!Wrong type of arguments for &&."},
      {"1", kTokenOr, "'a'", "!Wrong type of arguments for ||."},
      // Comparisons are exact; a real and a string never compare.
      {"1", kTokenEqual, "'1'", "!Cannot compare arguments."},
      {"'1'", kTokenNotEqual, "1", "!Cannot compare arguments."},
      {"0.30000000000000004", kTokenEqual, "0.3", "0"},
      {"2", kTokenAssign, "2", "1"},
      {"1", kTokenLess, "2", "1"},
      {"2", kTokenLessEqual, "2", "1"},
      {"2", kTokenGreater, "2", "0"},
      {"3", kTokenGreaterEqual, "2", "1"},
      {"'abc'", kTokenLess, "'abd'", "1"},
      {"'b'", kTokenGreater, "'abc'", "1"},
      {"'\xc3\xa9'", kTokenGreater, "'z'", "1"},
      {"'x'", kTokenEqual, "'x'", "1"},
      {"'x'", kTokenNotEqual, "'x'", "0"},
      {"1", kTokenComma, "1", "!Internal error: unknown binary operator."},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Binary(row.left, row.op, row.right), row.expected) << row.left << " " << row.op << " " << row.right;
  }
}

TEST(Operators, UnaryRowsAndTheirMessage) {
  EXPECT_EQ(Unary(kTokenNot, "0.5"), "0");
  EXPECT_EQ(Unary(kTokenNot, "0.49"), "1");
  EXPECT_EQ(Unary(kTokenMinus, "2.5"), "-2.5");
  EXPECT_EQ(Unary(kTokenPlus, "2.5"), "2.5");
  EXPECT_EQ(Unary(kTokenBitNot, "2.5"), "-3");
  EXPECT_EQ(Unary(kTokenBitNot, "3.5"), "-5");
  EXPECT_EQ(Unary(kTokenMinus, "'a'"), "!Wrong type of arguments to unary operator.");
  EXPECT_EQ(Unary(kTokenTimes, "1"), "!Internal error: unknown unary operator.");
}

TEST(Operators, NonFiniteOperandsGiveDefinedResults) {
  const std::string inf = "inf";
  const std::string nan = "nan";
  EXPECT_EQ(Binary(nan, kTokenEqual, nan), "0");
  EXPECT_EQ(Binary(nan, kTokenNotEqual, "1"), "1");
  EXPECT_EQ(Binary(nan, kTokenLess, "1"), "0");
  EXPECT_EQ(Binary(inf, kTokenGreater, "1e308"), "1");
  // Out of range converts to the smallest integer.
  EXPECT_EQ(Binary(inf, kTokenDiv, "2"), "-1073741824");
  EXPECT_EQ(Binary("7", kTokenDiv, nan), "0");
  EXPECT_EQ(Binary(nan, kTokenBitOr, "0"), "-2147483648");
  EXPECT_EQ(Binary(inf, kTokenTimes, "'ab'"), "''");
  EXPECT_EQ(Binary(nan, kTokenTimes, "'ab'"), "''");
  EXPECT_EQ(Binary(nan, kTokenAnd, "1"), "0");
}

TEST(Operators, AnOverlongRepetitionAllocatesNothing) {
  EXPECT_EQ(Binary("2147483647", kTokenTimes, "'ab'"), "!String too long.");
  uint32_t before = MemoryManager::BytesInUse();  // the error text is in place now
  EXPECT_EQ(Binary("1073741824", kTokenTimes, "'ab'"), "!String too long.");
  EXPECT_EQ(MemoryManager::BytesInUse(), before);
}

}  // namespace

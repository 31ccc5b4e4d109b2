#include "script/compiler/operators.h"

#include <cmath>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/lexer.h"

namespace {

bool Fail(const CCode* code, int32_t position, const char* message) {
  Code_Error_Set(code, position, message);
  return false;
}

bool BothReal(const ScriptValue* a, const ScriptValue* b) { return a->kind == kValueReal && b->kind == kValueReal; }
bool BothString(const ScriptValue* a, const ScriptValue* b) {
  return a->kind == kValueString && b->kind == kValueString;
}

void SetReal(ScriptValue* value, double real) {
  ScriptValue_Release(value);
  value->kind = kValueReal;
  value->text = nullptr;
  value->real = real;
}

// Replaces value's text with a new buffer of `length` bytes plus the
// terminator, filled by the caller.
char* NewText(ScriptValue* value, size_t length) {
  auto* text = static_cast<char*>(KV_ALLOC(length + 1, false));
  text[length] = '\0';
  ScriptValue_Release(value);
  value->kind = kValueString;
  value->text = text;
  return text;
}

// -1, 0 or 1: the order of two values of one kind (the caller checked).
int Order(const ScriptValue* left, const ScriptValue* right) {
  if (left->kind == kValueReal) {
    // Through the difference, so infinities of one sign are unordered.
    double difference = left->real - right->real;
    return difference < 0 ? -1 : (difference > 0 ? 1 : (difference == 0 ? 0 : 2));
  }
  int order = std::strcmp(ScriptValue_Text(*left), ScriptValue_Text(*right));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool Compare(int32_t op, int order) {
  if (order == 2) return op == kTokenNotEqual;  // NaN in the difference: nothing holds but "not equal"
  switch (op) {
    case kTokenLess: return order < 0;
    case kTokenLessEqual: return order <= 0;
    case kTokenGreaterEqual: return order >= 0;
    case kTokenGreater: return order > 0;
    case kTokenNotEqual: return order != 0;
    default: return order == 0;
  }
}

bool Concatenate(const CCode* code, int32_t position, ScriptValue* left, const ScriptValue* right) {
  const char* a = ScriptValue_Text(*left);
  const char* b = ScriptValue_Text(*right);
  size_t lengthA = std::strlen(a);
  size_t lengthB = std::strlen(b);
  if (static_cast<int64_t>(lengthA) + static_cast<int64_t>(lengthB) > kMaxOperatorString) {
    return Fail(code, position, kStringTooLong);
  }
  auto* text = static_cast<char*>(KV_ALLOC(lengthA + lengthB + 1, false));
  std::memcpy(text, a, lengthA);
  std::memcpy(text + lengthA, b, lengthB + 1);
  ScriptValue_Release(left);
  left->kind = kValueString;
  left->text = text;
  return true;
}

bool Repeat(const CCode* code, int32_t position, ScriptValue* left, const ScriptValue* right) {
  int32_t count = Num_RoundInt32(left->real);
  const char* unit = ScriptValue_Text(*right);
  int64_t unitLength = static_cast<int64_t>(std::strlen(unit));
  if (count <= 0 || unitLength == 0) {
    NewText(left, 0);
    return true;
  }
  if (unitLength > kMaxOperatorString / count) return Fail(code, position, kStringTooLong);
  char* text = NewText(left, static_cast<size_t>(unitLength * count));
  for (int32_t i = 0; i < count; ++i) std::memcpy(text + i * unitLength, unit, static_cast<size_t>(unitLength));
  return true;
}

bool Logical(int32_t op, ScriptValue* left, const ScriptValue* right) {
  bool a = Num_TrueAtHalf(left->real);
  bool b = Num_TrueAtHalf(right->real);
  bool result = op == kTokenAnd ? (a && b) : (op == kTokenOr ? (a || b) : (a != b));
  SetReal(left, result ? 1.0 : 0.0);
  return true;
}

int32_t Bitwise(int32_t op, int32_t a, int32_t b) {
  auto ua = static_cast<uint32_t>(a);
  uint32_t shift = static_cast<uint32_t>(b) & 31u;
  switch (op) {
    case kTokenBitOr: return static_cast<int32_t>(ua | static_cast<uint32_t>(b));
    case kTokenBitAnd: return static_cast<int32_t>(ua & static_cast<uint32_t>(b));
    case kTokenBitXor: return static_cast<int32_t>(ua ^ static_cast<uint32_t>(b));
    case kTokenShiftLeft: return static_cast<int32_t>(ua << shift);
    default: return a >> shift;
  }
}

const char* BitwiseMessage(int32_t op) {
  switch (op) {
    case kTokenBitOr: return "Wrong type of arguments for |.";
    case kTokenBitAnd: return "Wrong type of arguments for &.";
    case kTokenBitXor: return "Wrong type of arguments for ^.";
    case kTokenShiftLeft: return "Wrong type of arguments for <<.";
    default: return "Wrong type of arguments for >>.";
  }
}

const char* LogicalMessage(int32_t op) {
  switch (op) {
    case kTokenAnd: return "Wrong type of arguments for &&.";
    case kTokenOr: return "Wrong type of arguments for ||.";
    default: return "Wrong type of arguments for ^^.";
  }
}

bool Arithmetic(const CCode* code, int32_t position, int32_t op, ScriptValue* left, const ScriptValue* right) {
  double a = left->real;
  double b = right->real;
  switch (op) {
    case kTokenMinus: SetReal(left, a - b); return true;
    case kTokenTimes: SetReal(left, a * b); return true;
    case kTokenDivide:
      if (b == 0) return Fail(code, position, "Division by 0.");
      SetReal(left, a / b);
      return true;
    case kTokenDiv: {
      int32_t divisor = Num_TruncInt32(b);
      if (divisor == 0) return Fail(code, position, "Division by 0.");
      // In 64 bits: the smallest integer divided by -1 does not fit 32.
      SetReal(left, static_cast<double>(static_cast<int64_t>(Num_TruncInt32(a)) / divisor));
      return true;
    }
    default:  // mod
      if (b == 0) return Fail(code, position, "Modulo by 0.");
      SetReal(left, a - b * std::trunc(a / b));
      return true;
  }
}

const char* ArithmeticMessage(int32_t op) {
  switch (op) {
    case kTokenPlus: return "Wrong type of arguments to +.";
    case kTokenMinus: return "Wrong type of arguments to -.";
    case kTokenTimes: return "Wrong type of arguments to *.";
    case kTokenDivide: return "Wrong type of arguments to /.";
    case kTokenDiv: return "Wrong type of arguments to div.";
    default: return "Wrong type of arguments to mod.";
  }
}

}  // namespace

bool Code_UnaryOperator(const CCode* code, int32_t position, int32_t op, ScriptValue* value) {
  if (value->kind != kValueReal) return Fail(code, position, "Wrong type of arguments to unary operator.");
  switch (op) {
    case kTokenNot: value->real = value->real < 0.5 ? 1.0 : 0.0; return true;
    case kTokenPlus: return true;
    case kTokenMinus: value->real = -value->real; return true;
    case kTokenBitNot: value->real = static_cast<double>(~Num_RoundInt32(value->real)); return true;
    default: return Fail(code, position, "Internal error: unknown unary operator.");
  }
}

bool Code_BinaryOperator(const CCode* code, int32_t position, int32_t op, ScriptValue* left, const ScriptValue* right) {
  switch (op) {
    case kTokenAssign:
    case kTokenEqual:
    case kTokenNotEqual:
    case kTokenLess:
    case kTokenLessEqual:
    case kTokenGreaterEqual:
    case kTokenGreater:
      if (!BothReal(left, right) && !BothString(left, right)) return Fail(code, position, "Cannot compare arguments.");
      SetReal(left, Compare(op, Order(left, right)) ? 1.0 : 0.0);
      return true;
    case kTokenAnd:
    case kTokenOr:
    case kTokenXor:
      if (!BothReal(left, right)) return Fail(code, position, LogicalMessage(op));
      return Logical(op, left, right);
    case kTokenPlus:
      if (BothString(left, right)) return Concatenate(code, position, left, right);
      if (!BothReal(left, right)) return Fail(code, position, ArithmeticMessage(op));
      SetReal(left, left->real + right->real);
      return true;
    case kTokenTimes:
      if (left->kind == kValueReal && right->kind == kValueString) return Repeat(code, position, left, right);
      [[fallthrough]];
    case kTokenMinus:
    case kTokenDivide:
    case kTokenDiv:
    case kTokenMod:
      if (!BothReal(left, right)) return Fail(code, position, ArithmeticMessage(op));
      return Arithmetic(code, position, op, left, right);
    case kTokenBitOr:
    case kTokenBitAnd:
    case kTokenBitXor:
    case kTokenShiftLeft:
    case kTokenShiftRight:
      if (!BothReal(left, right)) return Fail(code, position, BitwiseMessage(op));
      SetReal(left, Bitwise(op, Num_RoundInt32(left->real), Num_RoundInt32(right->real)));
      return true;
    default: return Fail(code, position, "Internal error: unknown binary operator.");
  }
}

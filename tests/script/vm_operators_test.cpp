#include "script/vm/vm_operators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "script/vm/bytecode.h"

namespace {

// A value as a test writes it: its slot type and either a number or a text.
struct V {
  int32_t type;
  double number = 0.0;
  const char* text = nullptr;
  int32_t kind = 0;  // variant kind word
};

V D(double v) { return {kSlotDouble, v}; }
V I(double v) { return {kSlotInt, v}; }
V L(double v) { return {kSlotLong, v}; }
V B(bool v) { return {kSlotBool, v ? 1.0 : 0.0}; }
V R(double v) { return {kSlotVariant, v, nullptr, kValueReal}; }
V VS(const char* t) { return {kSlotVariant, 0.0, t, kValueString}; }
V S(const char* t) { return {kSlotString, 0.0, t}; }

VMSlot Make(const V& v) {
  VMSlot slot{};
  switch (v.type) {
    case kSlotDouble: VMSlot_SetDouble(&slot, v.number); break;
    case kSlotInt: VMSlot_SetInt(&slot, static_cast<int32_t>(v.number)); break;
    case kSlotLong: VMSlot_SetLong(&slot, static_cast<int64_t>(v.number)); break;
    case kSlotBool: VMSlot_SetBool(&slot, v.number != 0.0); break;
    case kSlotString: VMSlot_SetOwnedString(&slot, VMSlot_CopyText(v.text)); break;
    case kSlotVariant:
      VMSlot_SetReal(&slot, v.number);
      slot.kind = v.kind;
      if (v.text != nullptr) slot.text = VMSlot_CopyText(v.text);
      break;
    default: slot.type = v.type; break;
  }
  return slot;
}

// The slot as "type:value" so one string comparison checks both.
std::string Show(const VMSlot& s) {
  char buffer[128];
  switch (s.type) {
    case kSlotDouble: std::snprintf(buffer, sizeof buffer, "d:%.17g", s.d); break;
    case kSlotInt: std::snprintf(buffer, sizeof buffer, "i:%d", s.i); break;
    case kSlotLong: std::snprintf(buffer, sizeof buffer, "l:%lld", static_cast<long long>(s.l)); break;
    case kSlotBool: std::snprintf(buffer, sizeof buffer, "b:%d", s.i); break;
    case kSlotString: return std::string("s:") + (s.text == nullptr ? "" : s.text);
    case kSlotVariant:
      if (s.kind == kValueString) return std::string("vs:") + (s.text == nullptr ? "" : s.text);
      std::snprintf(buffer, sizeof buffer, "v:%.17g", s.d);
      break;
    default: std::snprintf(buffer, sizeof buffer, "?%d", s.type);
  }
  return buffer;
}

struct BinaryRow {
  uint8_t op;
  V left, right;
  const char* expected;  // "type:value", or the error message
};

std::string RunBinary(const BinaryRow& row) {
  VMSlot left = Make(row.left), right = Make(row.right);
  const char* error = row.op >= kOpSlt ? VMOp_Compare(row.op, &left, &right) : VMOp_Binary(row.op, &left, &right);
  std::string shown = error != nullptr ? error : Show(left);
  VMSlot_Free(&left);
  return shown;
}

void CheckRows(const std::vector<BinaryRow>& rows) {
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(RunBinary(rows[i]), rows[i].expected) << "row " << i;
}

TEST(VMOperators, ArithmeticKeepsTheNarrowTypeOrWidens) {
  CheckRows({
      {kOpAdd, I(2), I(3), "i:5"},
      {kOpAdd, I(2), D(0.5), "d:2.5"},
      {kOpAdd, D(0.5), I(2), "d:2.5"},
      {kOpAdd, L(5000000000), I(1), "l:5000000001"},
      {kOpAdd, I(1), R(0.25), "v:1.25"},
      {kOpAdd, R(0.1), R(0.2), "v:0.30000000000000004"},
      {kOpAdd, I(2147483647), I(1), "i:-2147483648"},  // wraps, never traps
      {kOpSub, I(2), I(5), "i:-3"},
      {kOpSub, D(1.5), L(1), "d:0.5"},
      {kOpMul, I(6), I(7), "i:42"},
      {kOpMul, R(2), D(0.25), "v:0.5"},
      {kOpDiv, I(7), I(2), "i:3"},
      {kOpDiv, I(-7), I(2), "i:-3"},
      {kOpDiv, D(7), I(2), "d:3.5"},
      {kOpDiv, R(2e-9), D(1e-9), "v:2"},
      {kOpRem, D(7.5), D(2), "d:3"},
      {kOpRem, D(-7.5), D(2), "d:-3"},
      {kOpRem, I(7), I(2), "i:3"},
      {kOpMod, I(7), I(3), "i:1"},
      {kOpMod, I(-7), I(3), "i:-1"},
      {kOpMod, D(-7.5), D(2), "d:-1.5"},
  });
}

TEST(VMOperators, DivisionByZeroAndTheUndefinedIntegerCases) {
  CheckRows({
      {kOpDiv, I(1), I(0), "DoDiv :: Divide by zero"},
      {kOpDiv, D(1), D(1e-11), "DoDiv :: Divide by zero"},
      {kOpDiv, R(1), R(-1e-11), "DoDiv :: Divide by zero"},
      {kOpRem, I(1), I(0), "DoRem :: Divide by zero"},
      {kOpRem, D(3), D(0), "DoRem :: Divide by zero"},
      {kOpMod, I(5), I(0), "i:0"},
      {kOpMod, L(5), L(0), "l:0"},
      {kOpDiv, I(INT32_MIN), I(-1), "i:-2147483648"},
      {kOpRem, I(INT32_MIN), I(-1), "i:-2147483648"},
      {kOpMod, I(INT32_MIN), I(-1), "i:0"},
      {kOpDiv, L(static_cast<double>(INT64_MIN)), L(-1), "l:-9223372036854775808"},
      {kOpMod, L(static_cast<double>(INT64_MIN)), L(-1), "l:0"},
  });
  // A real remainder by zero is not tested for zero: it gives NaN.
  VMSlot left = Make(D(5)), right = Make(D(0));
  EXPECT_EQ(VMOp_Binary(kOpMod, &left, &right), nullptr);
  EXPECT_TRUE(std::isnan(left.d));
}

TEST(VMOperators, TextsJoinRepeatAndRefuse) {
  CheckRows({
      {kOpAdd, S("abc"), S("def"), "s:abcdef"},
      {kOpAdd, VS("abc"), S("def"), "vs:abcdef"},
      {kOpAdd, S(""), VS("x"), "vs:x"},
      {kOpAdd, S("a"), I(1), "DoAdd :: Execution Error"},
      {kOpAdd, R(1), VS("a"), "DoAdd :: Execution Error"},
      {kOpMul, I(3), S("ab"), "s:ababab"},
      {kOpMul, R(2.9), VS("ab"), "vs:abab"},
      {kOpMul, I(0), S("ab"), "s:"},
      {kOpMul, I(-2), S("ab"), "s:"},
      {kOpMul, S("ab"), I(3), "DoMul :: Execution Error"},
      {kOpMul, S("ab"), S("c"), "DoMul :: Execution Error"},
      {kOpSub, S("a"), I(1), "DoSub :: Execution Engine - Cannot operate on string type"},
      {kOpDiv, I(1), VS("a"), "DoDiv :: Execution Engine - Cannot operate on string type"},
      {kOpRem, S("a"), S("b"), "DoRem :: Execution Engine - Cannot operate on string type"},
      {kOpMod, S("a"), I(1), "DoMod :: Execution Engine - Cannot operate on string type"},
      {kOpAnd, S("a"), B(true), "DoAnd :: Execution Engine - Cannot operate on string type"},
      {kOpOr, I(1), S("a"), "DoOr :: Execution Engine - Cannot operate on string type"},
      {kOpXor, S("a"), I(1), "DoXor :: Execution Engine - Cannot operate on string type"},
      {kOpShl, S("a"), I(1), "DoShl :: Execution Engine - Cannot operate on string type"},
      {kOpShr, I(1), S("a"), "DoShr :: Execution Engine - Cannot operate on string type"},
  });
}

TEST(VMOperators, MalformedVariantsAndUnknownTypes) {
  V odd = R(1);
  odd.kind = 7;
  V floaty{kSlotFloat};
  CheckRows({
      {kOpAdd, odd, I(1), "Malformed variable"},
      {kOpSeq, I(1), odd, "Malformed variable"},
      {kOpSub, floaty, I(1), "DoSub:: Execution Error"},
      {kOpAdd, I(1), floaty, "DoAdd :: Execution Error"},
  });
  // JSON marks in the high bits still read as a real.
  V marked = R(4);
  marked.kind = static_cast<int32_t>(0x40000000);
  CheckRows({{kOpAdd, marked, I(1), "v:5"}});
}

TEST(VMOperators, BitwiseAndShifts) {
  CheckRows({
      {kOpAnd, I(12), I(10), "i:8"},
      {kOpOr, I(12), I(10), "i:14"},
      {kOpXor, I(12), I(10), "i:6"},
      {kOpAnd, B(true), B(false), "b:0"},
      {kOpOr, B(true), B(false), "b:1"},
      {kOpXor, B(true), B(true), "b:0"},
      {kOpAnd, D(12.9), D(10.2), "d:8"},
      {kOpOr, R(1), I(4), "v:5"},
      {kOpShl, I(1), I(33), "i:2"},  // count AND 31
      {kOpShr, I(-8), I(1), "i:-4"},
      {kOpShl, D(1), D(40), "d:1099511627776"},
      {kOpShl, L(1), L(65), "l:2"},  // 64-bit counts masked with 63
      {kOpShr, R(-1024), R(3), "v:-128"},
  });
}

TEST(VMOperators, ComparisonsUseTheTolerance) {
  CheckRows({
      {kOpSeq, R(0.30000000000000004), R(0.3), "b:1"},
      {kOpSeq, D(1), D(1.00002), "b:0"},
      {kOpSne, D(1), D(1.00002), "b:1"},
      {kOpSlt, D(1), D(1.000001), "b:0"},
      {kOpSle, D(1.000001), D(1), "b:1"},
      {kOpSgt, I(3), I(2), "b:1"},
      {kOpSge, I(2), I(3), "b:0"},
      {kOpSlt, I(INT32_MIN), I(INT32_MAX), "b:1"},
      {kOpSeq, B(true), I(1), "b:1"},
      {kOpSeq, B(true), D(1.000001), "b:1"},
      {kOpSeq, B(false), R(0), "b:1"},
      {kOpSeq, S("abc"), VS("abc"), "b:1"},
      {kOpSlt, S("abc"), S("abd"), "b:1"},
      {kOpSgt, S("\xc3\xa9"), S("z"), "b:1"},  // unsigned bytes
      {kOpSeq, S(nullptr), S(""), "b:1"},
      {kOpSeq, S("1"), I(1), "DoSet :: Invalid comparison type"},
      {kOpSne, B(true), S("true"), "DoSet :: Invalid comparison type"},
  });
}

struct ConvRow {
  V from;
  int32_t to;
  const char* expected;
};

TEST(VMOperators, ConversionTable) {
  const std::vector<ConvRow> rows = {
      {I(7), kSlotDouble, "d:7"},
      {L(5000000000), kSlotDouble, "d:5000000000"},
      {B(true), kSlotDouble, "d:1"},
      {R(2.5), kSlotDouble, "d:2.5"},
      {VS("12.5abc"), kSlotDouble, "d:12.5"},
      {S("  -3e2"), kSlotDouble, "d:-300"},
      {D(-2.9), kSlotInt, "i:-2"},
      {D(1e20), kSlotInt, "i:-2147483648"},
      {D(NAN), kSlotInt, "i:-2147483648"},
      {L(4294967297), kSlotInt, "i:1"},
      {VS("42xyz"), kSlotInt, "i:42"},
      {S("99999999999"), kSlotInt, "i:-2147483648"},
      {D(-1e300), kSlotLong, "l:-9223372036854775808"},
      {I(-5), kSlotLong, "l:-5"},
      {S("123456789012"), kSlotLong, "l:123456789012"},
      {D(0.5), kSlotBool, "b:0"},
      {D(0.51), kSlotBool, "b:1"},
      {D(-1), kSlotBool, "b:0"},
      {R(-1), kSlotBool, "b:1"},
      {I(-1), kSlotBool, "b:1"},
      {S("true"), kSlotBool, "b:1"},
      {S("True"), kSlotBool, "b:0"},
      {VS("true"), kSlotBool, "b:1"},
      {D(0.25), kSlotVariant, "v:0.25"},
      {B(true), kSlotVariant, "v:1"},
      {S("hi"), kSlotVariant, "vs:hi"},
      {D(0.1), kSlotString, "s:0.1"},
      {I(-12), kSlotString, "s:-12"},
      {L(5000000000), kSlotString, "s:5000000000"},
      {B(false), kSlotString, "s:false"},
      {R(1e21), kSlotString, "s:1e+21"},
      {VS("keep"), kSlotString, "s:keep"},
      {I(1), kSlotInt, "DoConv :: Execution Error"},
      {I(1), kSlotFloat, "DoConv :: Execution Error"},
      {V{kSlotFloat}, kSlotInt, "DoConv :: Execution Error"},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    VMSlot slot = Make(rows[i].from);
    const char* error = VMOp_Conv(rows[i].to, &slot);
    EXPECT_EQ(error != nullptr ? std::string(error) : Show(slot), rows[i].expected) << "row " << i;
    VMSlot_Free(&slot);
  }
}

TEST(VMOperators, ABorrowedConstantTextIsCopiedNotFreed) {
  static const char constant[] = "true";
  VMSlot slot{};
  slot.type = kSlotString;
  slot.kind = 0;  // borrowed
  slot.text = const_cast<char*>(constant);
  ASSERT_EQ(VMOp_Conv(kSlotVariant, &slot), nullptr);
  EXPECT_NE(slot.text, constant);
  EXPECT_EQ(Show(slot), "vs:true");
  VMSlot_Free(&slot);
  EXPECT_STREQ(constant, "true");
}

TEST(VMOperators, NegateAndNot) {
  struct Row {
    uint8_t op;
    V value;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {kOpNeg, D(2.5), "d:-2.5"},
      {kOpNeg, I(INT32_MIN), "i:-2147483648"},
      {kOpNeg, L(7), "l:-7"},
      {kOpNeg, R(3), "v:-3"},
      {kOpNot, B(true), "b:0"},
      {kOpNot, I(0), "i:-1"},
      {kOpNot, L(5), "l:-6"},
      {kOpNot, D(5.7), "d:-6"},
      {kOpNot, R(-1.2), "v:0"},
      {kOpNeg, S("a"), "DoNeg :: Execution Engine - Cannot operate on string type"},
      {kOpNot, VS("a"), "DoNot :: Execution Engine - Cannot operate on string type"},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    VMSlot slot = Make(rows[i].value);
    const char* error = VMOp_Unary(rows[i].op, &slot);
    EXPECT_EQ(error != nullptr ? std::string(error) : Show(slot), rows[i].expected) << "row " << i;
    VMSlot_Free(&slot);
  }
}

}  // namespace

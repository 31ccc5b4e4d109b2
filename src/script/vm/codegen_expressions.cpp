// Expressions: every one leaves exactly one value on the machine's stack and
// one type on the type stack.
#include <cmath>
#include <cstring>

#include "runtime/numeric.h"
#include "script/compiler/lexer.h"
#include "script/vm/codegen_internal.h"

namespace codegen {

namespace {

constexpr int32_t kShortMin = -32768;
constexpr int32_t kShortMax = 32767;

// How an operator wants each operand before it runs.
enum class Operand { kAsIs, kBoolToInt, kToBool, kToInt };

struct BinaryRule {
  int32_t token;
  uint8_t opcode;
  Operand operand;
  bool comparison;
};

constexpr BinaryRule kBinaryRules[] = {
    {kTokenAnd, kOpAnd, Operand::kToBool, false},
    {kTokenOr, kOpOr, Operand::kToBool, false},
    {kTokenXor, kOpXor, Operand::kToBool, false},
    {kTokenPlus, kOpAdd, Operand::kBoolToInt, false},
    {kTokenMinus, kOpSub, Operand::kBoolToInt, false},
    {kTokenTimes, kOpMul, Operand::kBoolToInt, false},
    {kTokenDivide, kOpDiv, Operand::kBoolToInt, false},
    {kTokenDiv, kOpRem, Operand::kBoolToInt, false},
    {kTokenMod, kOpMod, Operand::kBoolToInt, false},
    {kTokenBitAnd, kOpAnd, Operand::kToInt, false},
    {kTokenBitOr, kOpOr, Operand::kToInt, false},
    {kTokenBitXor, kOpXor, Operand::kToInt, false},
    {kTokenShiftLeft, kOpShl, Operand::kToInt, false},
    {kTokenShiftRight, kOpShr, Operand::kToInt, false},
    {kTokenLess, kOpSlt, Operand::kAsIs, true},
    {kTokenLessEqual, kOpSle, Operand::kAsIs, true},
    {kTokenEqual, kOpSeq, Operand::kAsIs, true},
    {kTokenAssign, kOpSeq, Operand::kAsIs, true},  // `=` inside an expression
    {kTokenNotEqual, kOpSne, Operand::kAsIs, true},
    {kTokenGreaterEqual, kOpSge, Operand::kAsIs, true},
    {kTokenGreater, kOpSgt, Operand::kAsIs, true},
};

const BinaryRule* FindBinaryRule(int32_t token) {
  for (const BinaryRule& rule : kBinaryRules)
    if (rule.token == token) return &rule;
  return nullptr;
}

bool IsNumberOrVariant(uint8_t type) {
  return type == kVMDouble || type == kVMFloat || type == kVMInt || type == kVMLong || type == kVMVariant;
}

// A constant selector the word's signed 16-bit data field can carry: an
// instance id goes in as its distance from the first id.
bool SelectorInWord(int32_t selector, int32_t* data, uint32_t* bits) {
  if (selector >= kShortMin && selector <= kShortMax) {
    *data = selector;
    *bits = kVMRefSelectorInWord;
    return true;
  }
  if (selector >= kFirstInstanceId && selector <= kFirstInstanceId + kShortMax) {
    *data = selector - kFirstInstanceId;
    *bits = kVMRefSelectorInWord | kVMRefInstanceId;
    return true;
  }
  return false;
}

bool IsSimpleVariable(const CodeNode& node, int32_t* data, uint32_t* bits) {
  return node.kind == kNodeVariableOnInstance && node.childCount <= 1 && SelectorInWord(node.instance, data, bits);
}

uint32_t Reference(const CodeNode& node, uint32_t bits) {
  return (static_cast<uint32_t>(node.id) & kVMRefIdMask) | bits;
}

}  // namespace

void Generator::Expr(const CodeNode& node) {
  if (!Enter(node)) return;
  switch (node.kind) {
    case kNodeConstant: Constant(node.value); break;
    case kNodeVariable:
    case kNodeVariableOnInstance: ReadVariable(node); break;
    case kNodeCall: Call(node); break;
    case kNodeUnary: Unary(node); break;
    case kNodeBinary: Binary(node); break;
    default: break;
  }
  Leave();
}

void Generator::Constant(const ScriptValue& value) {
  if (value.kind == kValueString) {
    Emit(VM_Word(kOpPush, kVMString, 0, 0));
    uint8_t operand[4];
    VM_WriteWord(operand, static_cast<uint32_t>(strings_->Add(value.text)));
    EmitOperand(operand, 4);
    PushType(kVMString);
    return;
  }
  // Out of range and NaN truncate to INT64_MIN, which then differs from the
  // value, except for -2^63 itself, which is that integer. A -0 stays a
  // real: no integer keeps its sign.
  int64_t whole = Num_TruncInt64(value.real);
  if (static_cast<double>(whole) == value.real && !(whole == 0 && std::signbit(value.real))) {
    IntegralConstant(whole);
    return;
  }
  Emit(VM_Word(kOpPush, kVMDouble, 0, 0));
  uint64_t bits;
  std::memcpy(&bits, &value.real, 8);
  uint8_t operand[8];
  VM_WriteWord(operand, static_cast<uint32_t>(bits));
  VM_WriteWord(operand + 4, static_cast<uint32_t>(bits >> 32));
  EmitOperand(operand, 8);
  PushType(kVMDouble);
}

// The smallest of the three integer forms.
void Generator::IntegralConstant(int64_t value) {
  if (value >= kShortMin && value <= kShortMax) {
    Emit(VM_Word(kOpPush, kVMShort, 0, static_cast<int32_t>(value)));
    PushType(kVMInt);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    PushInt(static_cast<int32_t>(value));
  } else {
    Emit(VM_Word(kOpPush, kVMLong, 0, 0));
    auto bits = static_cast<uint64_t>(value);
    uint8_t operand[8];
    VM_WriteWord(operand, static_cast<uint32_t>(bits));
    VM_WriteWord(operand + 4, static_cast<uint32_t>(bits >> 32));
    EmitOperand(operand, 8);
    PushType(kVMLong);
  }
}

// The stack form's selector and index: the selector as int, then the index
// as int with a second index folded in as first * 32000 + second. Leaves
// their types on the type stack; true when an index was pushed.
bool Generator::PushSelectorAndIndex(const CodeNode& node) {
  if (node.kind == kNodeVariableOnInstance) {
    IntegralConstant(node.instance);
  } else if (node.childCount > 0) {
    Expr(node.children[0]);
    Convert(kVMInt);
  } else {
    IntegralConstant(kInstanceNotSpecified);
  }
  if (node.childCount < 2) return false;
  Expr(node.children[1]);
  Convert(kVMInt);
  if (node.childCount > 2) {
    PushInt(kVMArrayRow);
    PopType();
    PopType();
    Emit(VM_Word(kOpMul, kVMInt, kVMInt, 0));
    PushType(kVMInt);
    Expr(node.children[2]);
    Convert(kVMInt);
    PopType();
    PopType();
    Emit(VM_Word(kOpAdd, kVMInt, kVMInt, 0));
    PushType(kVMInt);
  }
  return true;
}

void Generator::ReadVariable(const CodeNode& node) {
  int32_t data;
  uint32_t bits;
  uint8_t operand[4];
  if (IsSimpleVariable(node, &data, &bits)) {
    Emit(VM_Word(kOpPush, kVMVariant, 0, data));
    VM_WriteWord(operand, Reference(node, bits | kVMRefNoIndex));
  } else {
    bool indexed = PushSelectorAndIndex(node);
    if (indexed) PopType();
    PopType();
    Emit(VM_Word(kOpPush, kVMVariant, 0, 0));
    VM_WriteWord(operand, Reference(node, indexed ? 0 : kVMRefNoIndex));
  }
  EmitOperand(operand, 4);
  PushType(kVMVariant);
}

// Stores the value on top of the stack; its type goes in t2.
void Generator::StoreVariable(const CodeNode& node) {
  uint8_t stored = TopType();
  int32_t data;
  uint32_t bits;
  uint8_t operand[4];
  if (IsSimpleVariable(node, &data, &bits)) {
    Emit(VM_Word(kOpPop, kVMVariant, stored, data));
    VM_WriteWord(operand, Reference(node, bits | kVMRefNoIndex));
  } else {
    bool indexed = PushSelectorAndIndex(node);
    if (indexed) PopType();
    PopType();
    Emit(VM_Word(kOpPop, kVMVariant, stored, 0));
    VM_WriteWord(operand, Reference(node, indexed ? 0 : kVMRefNoIndex));
  }
  EmitOperand(operand, 4);
  PopType();
}

void Generator::Call(const CodeNode& node) {
  for (int32_t i = node.childCount - 1; i >= 0 && !failed_; --i) {
    Expr(node.children[i]);
    Convert(kVMVariant);
  }
  Emit(VM_Word(kOpCall, kVMInt, 0, node.childCount));
  uint8_t operand[4];
  VM_WriteWord(operand, static_cast<uint32_t>(node.id));
  EmitOperand(operand, 4);
  for (int32_t i = 0; i < node.childCount; ++i) PopType();
  PushType(kVMVariant);
}

void Generator::Unary(const CodeNode& node) {
  if (node.childCount < 1) return;
  Expr(node.children[0]);
  uint8_t type = TopType();
  switch (node.id) {
    case kTokenNot:
      if (IsNumberOrVariant(type)) Convert(kVMBool);
      Emit(VM_Word(kOpNot, TopType(), 0, 0));
      break;
    case kTokenMinus: Emit(VM_Word(kOpNeg, type, 0, 0)); break;
    case kTokenBitNot:
      if (type == kVMDouble || type == kVMFloat || type == kVMVariant) Convert(kVMInt);
      Emit(VM_Word(kOpNot, TopType(), 0, 0));
      break;
    default:  // `+` leaves the operand as it is
      break;
  }
}

void Generator::Binary(const CodeNode& node) {
  const BinaryRule* rule = FindBinaryRule(node.id);
  if (rule == nullptr || node.childCount < 2) return;
  for (int32_t side = 0; side < 2; ++side) {
    Expr(node.children[side]);
    if (rule->operand == Operand::kToBool) {
      Convert(kVMBool);
    } else if (rule->operand == Operand::kToInt) {
      Convert(kVMInt);
    } else if (rule->operand == Operand::kBoolToInt && TopType() == kVMBool) {
      Convert(kVMInt);
    }
  }
  uint8_t right = PopType();
  uint8_t left = PopType();
  Emit(VM_Word(rule->opcode, right, left, 0));
  if (rule->comparison) {
    PushType(kVMBool);
  } else {
    PushType(VM_StackSize(right) > VM_StackSize(left) ? right : left);
  }
}

}  // namespace codegen

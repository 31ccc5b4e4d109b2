#include "script/vm/vm_operators.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/numeric.h"
#include "script/compiler/operators.h"
#include "script/vm/bytecode.h"

const char* const kVMMalformedVariable = "Malformed variable";

namespace {

enum Class { kClassInt, kClassLong, kClassReal, kClassText, kClassBool, kClassBad, kClassMalformed };

struct Operand {
  Class cls;
  int64_t n;  // int, long and bool values
  double d;   // real values
  const char* text;
};

Operand Read(const VMSlot& slot) {
  switch (slot.type) {
    case kSlotDouble: return {kClassReal, 0, slot.d, nullptr};
    case kSlotInt: return {kClassInt, slot.i, 0.0, nullptr};
    case kSlotBool: return {kClassBool, slot.i != 0 ? 1 : 0, 0.0, nullptr};
    case kSlotLong: return {kClassLong, slot.l, 0.0, nullptr};
    case kSlotString: return {kClassText, 0, 0.0, slot.text};
    case kSlotVariant:
      switch (slot.kind & kVariantKindMask) {
        case kValueReal: return {kClassReal, 0, slot.d, nullptr};
        case kValueString: return {kClassText, 0, 0.0, slot.text};
        default: return {kClassMalformed, 0, 0.0, nullptr};
      }
    default: return {kClassBad, 0, 0.0, nullptr};
  }
}

bool IsIntegral(Class c) { return c == kClassInt || c == kClassLong || c == kClassBool; }
bool IsNumber(Class c) { return IsIntegral(c) || c == kClassReal; }
double AsReal(const Operand& o) { return o.cls == kClassReal ? o.d : static_cast<double>(o.n); }
int64_t AsLong(const Operand& o) { return o.cls == kClassReal ? Num_TruncInt64(o.d) : o.n; }

// The type a binary result takes: a variant when either operand was one,
// else the wider operand by stack size (the left one on a tie).
int32_t ResultType(const VMSlot& left, const VMSlot& right) {
  if (left.type == kSlotVariant || right.type == kSlotVariant) return kSlotVariant;
  int32_t l = VMSlot_Bytes(left.type), r = VMSlot_Bytes(right.type);
  int32_t type = r > l ? right.type : left.type;
  return type == kSlotBool ? kSlotInt : type;
}

void StoreNumber(VMSlot* slot, int32_t type, double real, int64_t whole, bool integral) {
  switch (type) {
    case kSlotInt: VMSlot_SetInt(slot, integral ? static_cast<int32_t>(whole) : Num_TruncInt32(real)); break;
    case kSlotLong: VMSlot_SetLong(slot, integral ? whole : Num_TruncInt64(real)); break;
    case kSlotDouble: VMSlot_SetDouble(slot, integral ? static_cast<double>(whole) : real); break;
    default: VMSlot_SetReal(slot, integral ? static_cast<double>(whole) : real); break;
  }
}

const char* StringMessage(uint8_t op) {
  switch (op) {
    case kOpSub: return "DoSub :: Execution Engine - Cannot operate on string type";
    case kOpDiv: return "DoDiv :: Execution Engine - Cannot operate on string type";
    case kOpRem: return "DoRem :: Execution Engine - Cannot operate on string type";
    case kOpMod: return "DoMod :: Execution Engine - Cannot operate on string type";
    case kOpAnd: return "DoAnd :: Execution Engine - Cannot operate on string type";
    case kOpOr: return "DoOr :: Execution Engine - Cannot operate on string type";
    case kOpXor: return "DoXor :: Execution Engine - Cannot operate on string type";
    case kOpShl: return "DoShl :: Execution Engine - Cannot operate on string type";
    case kOpShr: return "DoShr :: Execution Engine - Cannot operate on string type";
    case kOpNeg: return "DoNeg :: Execution Engine - Cannot operate on string type";
    case kOpNot: return "DoNot :: Execution Engine - Cannot operate on string type";
    default: return "Malformed bytecode";
  }
}

const char* ErrorMessage(uint8_t op) {
  switch (op) {
    case kOpAdd: return "DoAdd :: Execution Error";
    case kOpSub: return "DoSub:: Execution Error";
    case kOpMul: return "DoMul :: Execution Error";
    case kOpDiv: return "DoDiv :: Execution Error";
    case kOpRem: return "DoRem :: Execution Error";
    case kOpMod: return "DoMod :: Execution Error";
    case kOpAnd: return "DoAnd :: Execution Error";
    case kOpOr: return "DoOr :: Execution Error";
    case kOpXor: return "DoXor :: Execution Error";
    case kOpShl: return "DoShl :: Execution Error";
    case kOpShr: return "DoShr :: Execution Error";
    default: return "Execution Error - Malformed bytecode";
  }
}

const char* ZeroMessage(uint8_t op) { return op == kOpDiv ? "DoDiv :: Divide by zero" : "DoRem :: Divide by zero"; }

}  // namespace

bool VMOp_JoinFits(const char* a, const char* b) {
  const size_t la = a == nullptr ? 0 : std::strlen(a), lb = b == nullptr ? 0 : std::strlen(b);
  return la + lb <= static_cast<uint64_t>(kMaxOperatorString);
}

char* VMOp_JoinTexts(const char* a, const char* b) {
  size_t la = a == nullptr ? 0 : std::strlen(a), lb = b == nullptr ? 0 : std::strlen(b);
  auto* out = static_cast<char*>(KV_ALLOC(la + lb + 1, false));
  if (la != 0) std::memcpy(out, a, la);
  if (lb != 0) std::memcpy(out + la, b, lb);
  out[la + lb] = '\0';
  return out;
}

namespace {

char* RepeatText(const char* text, int64_t count) {
  size_t length = text == nullptr ? 0 : std::strlen(text);
  if (count <= 0 || length == 0) return VMSlot_CopyText("");
  // The caller refused a product longer than a string may be.
  size_t total = length * static_cast<size_t>(count);
  auto* out = static_cast<char*>(KV_ALLOC(total + 1, false));
  for (size_t at = 0; at < total; at += length) std::memcpy(out + at, text, length);
  out[total] = '\0';
  return out;
}

// Whole-number arithmetic with the width of the result; wraps instead of
// overflowing, and the quotient of the smallest value by -1 is itself.
template <typename T, typename U>
const char* IntegerArithmetic(uint8_t op, T l, T r, T* out) {
  constexpr T kMin = static_cast<T>(static_cast<U>(1) << (sizeof(T) * 8 - 1));
  switch (op) {
    case kOpAdd: *out = static_cast<T>(static_cast<U>(l) + static_cast<U>(r)); return nullptr;
    case kOpSub: *out = static_cast<T>(static_cast<U>(l) - static_cast<U>(r)); return nullptr;
    case kOpMul: *out = static_cast<T>(static_cast<U>(l) * static_cast<U>(r)); return nullptr;
    case kOpDiv:
    case kOpRem:
      if (r == 0) return ZeroMessage(op);
      *out = (l == kMin && r == -1) ? kMin : static_cast<T>(l / r);
      return nullptr;
    case kOpMod: *out = (r == 0 || r == -1) ? 0 : static_cast<T>(l % r); return nullptr;
    case kOpAnd: *out = l & r; return nullptr;
    case kOpOr: *out = l | r; return nullptr;
    case kOpXor: *out = l ^ r; return nullptr;
    case kOpShl: *out = static_cast<T>(static_cast<U>(l) << (static_cast<U>(r) & (sizeof(T) * 8 - 1))); return nullptr;
    case kOpShr: *out = static_cast<T>(l >> (static_cast<U>(r) & (sizeof(T) * 8 - 1))); return nullptr;
    default: return ErrorMessage(op);
  }
}

const char* RealArithmetic(uint8_t op, double l, double r, double* out) {
  switch (op) {
    case kOpAdd: *out = l + r; return nullptr;
    case kOpSub: *out = l - r; return nullptr;
    case kOpMul: *out = l * r; return nullptr;
    case kOpDiv:
      if (std::fabs(r) < kVMDivideEpsilon) return ZeroMessage(op);
      *out = l / r;
      return nullptr;
    case kOpRem:
      if (std::fabs(r) < kVMDivideEpsilon) return ZeroMessage(op);
      *out = std::trunc(l / r);
      return nullptr;
    case kOpMod: *out = std::fmod(l, r); return nullptr;
    default: {
      int64_t whole = 0;
      const char* error = IntegerArithmetic<int64_t, uint64_t>(op, Num_TruncInt64(l), Num_TruncInt64(r), &whole);
      *out = static_cast<double>(whole);
      return error;
    }
  }
}

bool IsBitwise(uint8_t op) { return op == kOpAnd || op == kOpOr || op == kOpXor || op == kOpShl || op == kOpShr; }

const char* NumberOperation(uint8_t op, const Operand& l, const Operand& r, int32_t type, VMSlot* out) {
  if ((op == kOpAnd || op == kOpOr || op == kOpXor) && l.cls == kClassBool && r.cls == kClassBool) {
    int64_t value = 0;
    IntegerArithmetic<int64_t, uint64_t>(op, l.n, r.n, &value);
    VMSlot_SetBool(out, value != 0);
    return nullptr;
  }
  bool integral = IsIntegral(l.cls) && IsIntegral(r.cls);
  if (integral && type == kSlotInt) {
    int32_t value = 0;
    const char* error =
        IntegerArithmetic<int32_t, uint32_t>(op, static_cast<int32_t>(l.n), static_cast<int32_t>(r.n), &value);
    VMSlot_SetInt(out, value);
    return error;
  }
  if (integral || (IsBitwise(op) && type == kSlotLong)) {
    int64_t value = 0;
    const char* error = IntegerArithmetic<int64_t, uint64_t>(op, AsLong(l), AsLong(r), &value);
    StoreNumber(out, type, 0.0, value, true);
    return error;
  }
  double value = 0.0;
  const char* error = RealArithmetic(op, AsReal(l), AsReal(r), &value);
  StoreNumber(out, type, value, 0, false);
  return error;
}

const char* TextOperation(uint8_t op, const Operand& l, const Operand& r, bool variant, VMSlot* out) {
  char* text = nullptr;
  if (op == kOpAdd && l.cls == kClassText && r.cls == kClassText) {
    if (!VMOp_JoinFits(l.text, r.text)) return kStringTooLong;
    text = VMOp_JoinTexts(l.text, r.text);
  } else if (op == kOpMul && IsNumber(l.cls) && r.cls == kClassText) {
    const int64_t count = AsLong(l);
    const size_t length = r.text == nullptr ? 0 : std::strlen(r.text);
    if (count > 0 && length > 0 && static_cast<uint64_t>(count) > static_cast<uint64_t>(kMaxOperatorString) / length)
      return kStringTooLong;
    text = RepeatText(r.text, count);
  } else {
    return op == kOpAdd || op == kOpMul ? ErrorMessage(op) : StringMessage(op);
  }
  if (variant)
    VMSlot_SetStringVariant(out, text);
  else
    VMSlot_SetOwnedString(out, text);
  return nullptr;
}

}  // namespace

const char* VMOp_Binary(uint8_t op, VMSlot* left, VMSlot* right) {
  Operand l = Read(*left), r = Read(*right);
  const char* error = nullptr;
  VMSlot result{};
  if (l.cls == kClassMalformed || r.cls == kClassMalformed) {
    error = kVMMalformedVariable;
  } else if (l.cls == kClassBad || r.cls == kClassBad) {
    error = ErrorMessage(op);
  } else if (l.cls == kClassText || r.cls == kClassText) {
    bool variant = left->type == kSlotVariant || right->type == kSlotVariant;
    error = TextOperation(op, l, r, variant, &result);
  } else if (op >= kOpMul && op <= kOpShr && op != kOpNeg && op != kOpNot) {
    error = NumberOperation(op, l, r, ResultType(*left, *right), &result);
  } else {
    error = ErrorMessage(op);
  }
  VMSlot_Free(left);
  VMSlot_Free(right);
  if (error != nullptr) {
    VMSlot_Free(&result);
    VMSlot_SetReal(left, 0.0);
    return error;
  }
  *left = result;
  return nullptr;
}

const char* VMOp_Unary(uint8_t op, VMSlot* value) {
  Operand v = Read(*value);
  if (v.cls == kClassMalformed) {
    VMSlot_Free(value);
    VMSlot_SetReal(value, 0.0);
    return kVMMalformedVariable;
  }
  if (v.cls == kClassText || v.cls == kClassBad) {
    VMSlot_Free(value);
    VMSlot_SetReal(value, 0.0);
    return v.cls == kClassText ? StringMessage(op) : "Execution Error - Malformed bytecode";
  }
  bool negate = op == kOpNeg;
  switch (value->type) {
    case kSlotBool: value->i = negate ? value->i : (value->i == 0 ? 1 : 0); break;
    case kSlotInt: value->i = negate ? static_cast<int32_t>(0u - static_cast<uint32_t>(value->i)) : ~value->i; break;
    case kSlotLong: value->l = negate ? static_cast<int64_t>(0ull - static_cast<uint64_t>(value->l)) : ~value->l; break;
    default:  // double or real variant
      value->d = negate ? -value->d : static_cast<double>(~Num_TruncInt64(value->d));
      break;
  }
  return nullptr;
}

namespace {

char* FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
char* FormatText(const char* format, ...) {
  char buffer[64];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return VMSlot_CopyText(buffer);
}

double TextToReal(const char* text) { return Num_ParseReal(text); }

// Leading blanks, a sign and digits; saturates like the C library does.
int64_t TextToLong(const char* text) { return text == nullptr ? 0 : std::strtoll(text, nullptr, 10); }

int32_t TextToInt(const char* text) {
  int64_t value = TextToLong(text);
  return value < INT32_MIN || value > INT32_MAX ? INT32_MIN : static_cast<int32_t>(value);
}

bool TextIsTrue(const char* text) { return text != nullptr && std::strcmp(text, "true") == 0; }

// Conversion from a number kept as (real, whole, integral) to `to`.
bool ConvertNumber(int32_t from, int32_t to, const Operand& v, bool fromVariant, VMSlot* out) {
  bool integral = v.cls != kClassReal;
  double real = AsReal(v);
  switch (to) {
    case kSlotDouble: VMSlot_SetDouble(out, real); return true;
    case kSlotInt: VMSlot_SetInt(out, integral ? static_cast<int32_t>(v.n) : Num_TruncInt32(v.d)); return true;
    case kSlotLong: VMSlot_SetLong(out, integral ? v.n : Num_TruncInt64(v.d)); return true;
    case kSlotBool:
      if (integral)
        VMSlot_SetBool(out, v.n != 0);
      else
        VMSlot_SetBool(out, fromVariant ? Num_TrueMagnitudeAboveHalf(v.d) : Num_TrueAboveHalf(v.d));
      return true;
    case kSlotVariant: VMSlot_SetReal(out, real); return true;
    case kSlotString:
      if (from == kSlotBool)
        VMSlot_SetOwnedString(out, VMSlot_CopyText(v.n != 0 ? "true" : "false"));
      else if (from == kSlotInt)
        VMSlot_SetOwnedString(out, FormatText("%d", static_cast<int32_t>(v.n)));
      else if (from == kSlotLong)
        VMSlot_SetOwnedString(out, FormatText("%lld", static_cast<long long>(v.n)));
      else
        VMSlot_SetOwnedString(out, FormatText("%g", real));
      return true;
    default: return false;
  }
}

bool ConvertText(int32_t to, char* text, bool fromVariant, VMSlot* out) {
  switch (to) {
    case kSlotDouble: VMSlot_SetDouble(out, TextToReal(text)); break;
    case kSlotInt: VMSlot_SetInt(out, TextToInt(text)); break;
    case kSlotLong: VMSlot_SetLong(out, TextToLong(text)); break;
    case kSlotBool: VMSlot_SetBool(out, TextIsTrue(text)); break;
    case kSlotVariant:
      if (fromVariant) return false;
      VMSlot_SetStringVariant(out, text);
      return true;  // the text moved
    case kSlotString:
      if (!fromVariant) return false;
      VMSlot_SetOwnedString(out, text);
      return true;
    default: return false;
  }
  MemoryManager::Free(text);
  return true;
}

}  // namespace

const char* VMOp_Conv(int32_t to, VMSlot* value) {
  int32_t from = value->type;
  Operand v = Read(*value);
  if (v.cls == kClassMalformed) {
    VMSlot_Free(value);
    VMSlot_SetReal(value, 0.0);
    return kVMMalformedVariable;
  }
  bool fromVariant = from == kSlotVariant;
  VMSlot result{};
  bool done = false;
  if (from != to && v.cls == kClassText) {
    char* text = value->text;
    if (from == kSlotString && value->kind == 0) text = VMSlot_CopyText(text);  // borrowed
    done = ConvertText(to, text, fromVariant, &result);
    if (done)
      value->text = nullptr;
    else if (text != value->text)
      MemoryManager::Free(text);
  } else if (from != to && v.cls != kClassBad) {
    done = ConvertNumber(from, to, v, fromVariant, &result);
  }
  if (!done) {
    VMSlot_Free(value);
    VMSlot_SetReal(value, 0.0);
    return "DoConv :: Execution Error";
  }
  *value = result;
  return nullptr;
}

namespace {

bool Compare(uint8_t op, double d) {
  switch (op) {
    case kOpSlt: return d < -kVMCompareEpsilon;
    case kOpSle: return d <= kVMCompareEpsilon;
    case kOpSeq: return d > -kVMCompareEpsilon && d < kVMCompareEpsilon;
    case kOpSne: return d < -kVMCompareEpsilon || d > kVMCompareEpsilon;
    case kOpSge: return d >= -kVMCompareEpsilon;
    default: return d > kVMCompareEpsilon;
  }
}

int CompareTexts(const char* a, const char* b) {
  return std::strcmp(a == nullptr ? "" : a, b == nullptr ? "" : b);  // strcmp compares unsigned bytes
}

double Difference(const Operand& l, const Operand& r) {
  if (IsIntegral(l.cls) && IsIntegral(r.cls)) {
    int64_t d = 0;
    if (!__builtin_sub_overflow(l.n, r.n, &d)) return static_cast<double>(d);
  }
  return AsReal(l) - AsReal(r);
}

}  // namespace

const char* VMOp_Compare(uint8_t op, VMSlot* left, VMSlot* right) {
  Operand l = Read(*left), r = Read(*right);
  const char* error = nullptr;
  bool result = false;
  if (l.cls == kClassMalformed || r.cls == kClassMalformed) {
    error = kVMMalformedVariable;
  } else if (l.cls == kClassText && r.cls == kClassText) {
    int order = CompareTexts(l.text, r.text);
    result = Compare(op, order < 0 ? -1.0 : (order > 0 ? 1.0 : 0.0));
  } else if (IsNumber(l.cls) && IsNumber(r.cls)) {
    result = Compare(op, Difference(l, r));
  } else {
    error = "DoSet :: Invalid comparison type";
  }
  VMSlot_Free(left);
  VMSlot_Free(right);
  VMSlot_SetBool(left, result);
  return error;
}

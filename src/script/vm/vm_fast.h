// The machine's own forms of the commonest operations on plain numbers,
// giving exactly what the operator module gives for them; everything else
// (texts, bools, whole-number types, divisors near zero) goes to the module.
#pragma once

#include <cmath>
#include <cstdint>

#include <emmintrin.h>

#include "script/vm/vm_decode.h"
#include "script/vm/vm_operators.h"
#include "script/vm/vm_slot.h"

// A number the fast paths can read as a double: a double, an int, or a real
// variant without text.
__attribute__((always_inline)) inline bool VMFast_PlainReal(const VMSlot& slot, double* out) {
  switch (slot.type) {
    case kSlotDouble: *out = slot.d; return true;
    case kSlotInt: *out = slot.i; return true;
    case kSlotVariant:
      if ((slot.kind & kVariantKindMask) != kValueReal || slot.text != nullptr) return false;
      *out = slot.d;
      return true;
    default: return false;
  }
}

// fmod of two whole numbers below 2^53 is their truncated remainder carrying
// the dividend's sign (zero included); the library call is far slower.
__attribute__((always_inline)) inline double VMFast_Mod(double l, double r) {
  // The commonest case first: both whole numbers of int32's range. The
  // truncating conversion gives INT32_MIN for NaN and for anything out of
  // range, so converting back gives the operand again only for a whole
  // int32; INT32_MIN itself is left to the wider path (its quotient by -1
  // does not fit).
  int32_t l32 = _mm_cvttsd_si32(_mm_set_sd(l)), r32 = _mm_cvttsd_si32(_mm_set_sd(r));
  if (static_cast<double>(l32) == l && static_cast<double>(r32) == r && r32 != 0 && l32 != INT32_MIN)
    return std::copysign(static_cast<double>(l32 % r32), l);
  constexpr double kExact = 9007199254740992.0;  // 2^53
  if (std::fabs(l) < kExact && std::fabs(r) < kExact) {
    // Both lie inside int64's range, so the conversions are exact or truncate.
    auto li = static_cast<int64_t>(l), ri = static_cast<int64_t>(r);
    if (static_cast<double>(li) == l && static_cast<double>(ri) == r && ri != 0) {
      // Small operands divide faster in 32 bits (INT32_MIN stays out: its
      // quotient by -1 does not fit).
      int64_t rest = li > INT32_MIN && li <= INT32_MAX && ri == static_cast<int32_t>(ri)
                         ? static_cast<int32_t>(li) % static_cast<int32_t>(ri)
                         : li % ri;
      return std::copysign(static_cast<double>(rest), l);
    }
  }
  return std::fmod(l, r);
}

// VMFast_Mod out of line, for the cases the caller's own fast path leaves.
[[gnu::noinline]] inline double VMFast_ModCall(double l, double r) { return VMFast_Mod(l, r); }

// VMFast_Mod for a divisor `r` known to be a whole non-zero int32, which
// `r32` holds: only the dividend is checked. Its truncated remainder is
// zero or carries its sign, so the sign bit is only put in.
__attribute__((always_inline)) inline double VMFast_ModBy(double l, int32_t r32, double r) {
  int32_t l32 = _mm_cvttsd_si32(_mm_set_sd(l));
  if (l32 == INT32_MIN || static_cast<double>(l32) != l) return VMFast_ModCall(l, r);
  // In vector registers: a round trip through the integer ones costs more.
  __m128d sign = _mm_and_pd(_mm_set_sd(l), _mm_set_sd(-0.0));
  return _mm_cvtsd_f64(_mm_or_pd(_mm_set_sd(static_cast<double>(l32 % r32)), sign));
}

// std::trunc without the library call: below 2^52 in magnitude the
// conversion through int64 truncates exactly, and the sign is put back so
// that -0.3 still gives -0; larger values are whole already.
inline double VMFast_Trunc(double q) {
  constexpr double kWhole = 4503599627370496.0;  // 2^52
  if (!(std::fabs(q) < kWhole)) return q;
  return std::copysign(static_cast<double>(static_cast<int64_t>(q)), q);
}

// Num_TruncInt32's answer, inline: out of range and NaN give INT32_MIN,
// which is what the truncating instruction gives for them.
inline int32_t VMFast_TruncInt32(double value) { return _mm_cvttsd_si32(_mm_set_sd(value)); }

// Real arithmetic by record kind; false where the module must decide
// (divisors near zero). A kind known only at run time is most often an add,
// which then costs one test rather than the switch's table.
__attribute__((always_inline)) inline bool VMFast_Arith(uint8_t kind, double l, double r, double* out) {
  if (kind == kKindAdd) {
    *out = l + r;
    return true;
  }
  switch (kind) {
    case kKindAdd: *out = l + r; return true;
    case kKindSub: *out = l - r; return true;
    case kKindMul: *out = l * r; return true;
    case kKindDiv:
      if (std::fabs(r) < kVMDivideEpsilon) return false;
      *out = l / r;
      return true;
    case kKindRem:
      if (std::fabs(r) < kVMDivideEpsilon) return false;
      *out = VMFast_Trunc(l / r);
      return true;
    case kKindMod: *out = VMFast_Mod(l, r); return true;
    default: return false;
  }
}

// Comparisons under the machine's tolerance, by record kind.
__attribute__((always_inline)) inline bool VMFast_Compare(uint8_t kind, double l, double r) {
  double d = l - r;
  switch (kind) {
    case kKindLt: return d < -kVMCompareEpsilon;
    case kKindLe: return d <= kVMCompareEpsilon;
    case kKindEq: return d > -kVMCompareEpsilon && d < kVMCompareEpsilon;
    case kKindNe: return d < -kVMCompareEpsilon || d > kVMCompareEpsilon;
    case kKindGe: return d >= -kVMCompareEpsilon;
    default: return d > kVMCompareEpsilon;
  }
}

inline bool VMFast_IsCompare(uint8_t kind) { return kind >= kKindLt && kind <= kKindGt; }

// Binary operator of two plain numbers, the result in `left`; false leaves
// both untouched for the module. Two ints keep whole-number rules.
__attribute__((always_inline)) inline bool VMFast_Binary(uint8_t kind, VMSlot* left, const VMSlot* right) {
  double l, r;
  if (!VMFast_PlainReal(*left, &l) || !VMFast_PlainReal(*right, &r)) return false;
  if (VMFast_IsCompare(kind)) {
    VMSlot_SetBool(left, VMFast_Compare(kind, l, r));
    return true;
  }
  if (left->type == kSlotInt && right->type == kSlotInt) return false;
  double value;
  if (!VMFast_Arith(kind, l, r, &value)) return false;
  if (left->type == kSlotVariant || right->type == kSlotVariant)
    VMSlot_SetReal(left, value);
  else
    VMSlot_SetDouble(left, value);
  return true;
}

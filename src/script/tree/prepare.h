// The tree walk's prepared form: before a code's tree first runs, every node
// is told how the walk takes it (CodeNode::prepared) so that reals, locals
// and the usual operators go one switch deep instead of being worked out
// from the node's kind, selector and operator on every visit. The ordinary
// walk stays as it was and is taken wherever a prepared path declines.
#pragma once

#include <cstdint>

#include "script/compiler/code.h"

enum PreparedForm : int32_t {
  kFormUnprepared = 0,
  kFormWalked,        // only the ordinary walk: never a plain real by itself
  kFormReal,          // a constant plain real
  kFormLocal,         // a local's own value; data: the local's number
  kFormStored,        // a variable of a scope list, or a built-in read by its getter
  kFormBuiltin,       // a built-in variable of self or other
  kFormElement,       // an indexed variable with a constant selector
  kFormLocalElement,  // an element of a local by one index; data: the local's number
  kFormAssign,        // an assignment whose value may be a plain real; data: a form below, or 0 for =
  // Real operators on operands that may be plain reals, as their tokens
  // work on reals.
  kFormAdd,
  kFormSubtract,
  kFormMultiply,
  kFormDivide,
  kFormDiv,
  kFormMod,
  kFormLess,
  kFormLessEqual,
  kFormGreater,
  kFormGreaterEqual,
  kFormEqual,
  kFormNotEqual,
  // div and mod by a whole constant of at least 2 in size: data is the
  // multiplier that divides by it (see Prepared_DivideWhole).
  kFormDivByConstant,
  kFormModByConstant,
};

// Locals numbered past this many go through the list's hash.
constexpr int32_t kPreparedLocalNumbers = 255;

// Prepares the tree of a code once; later calls return at once.
void Tree_Prepare(CCode* code);

// The multiplier for divisors of 2 ... 2^31 in size: with it the quotient
// of any n below 2^32 is the high half of n times it.
inline uint64_t Prepared_Multiplier(uint32_t divisor) { return UINT64_MAX / divisor + 1; }
inline uint32_t Prepared_DivideWhole(uint32_t n, uint64_t multiplier) {
  return static_cast<uint32_t>((static_cast<unsigned __int128>(multiplier) * n) >> 64);
}

// The machine's arithmetic, logical, shift, conversion and comparison
// instructions over tagged stack slots. Each returns null when it worked and
// otherwise the message for the machine's error report; the handlers never
// report by themselves, so they stay usable from tests and the debugger.
//
// Binary forms: `left` is the second value from the top (the instruction's
// t2), `right` the top (t1). The result replaces `left`; `right` is
// consumed. Operand texts are always freed, on errors too, and after an
// error `left` holds a defined value (real 0, or false for comparisons).
#pragma once

#include <cstdint>

#include "script/vm/vm_slot.h"

// add, sub, mul, div, rem, mod, and, or, xor, shl, shr by their opcodes.
const char* VMOp_Binary(uint8_t opcode, VMSlot* left, VMSlot* right);
// neg and not.
const char* VMOp_Unary(uint8_t opcode, VMSlot* value);
// conv: the value becomes the type code `to`.
const char* VMOp_Conv(int32_t to, VMSlot* value);
// slt, sle, seq, sne, sge, sgt: the result is a bool.
const char* VMOp_Compare(uint8_t opcode, VMSlot* left, VMSlot* right);

// A new text holding `a` then `b` (null reads as the empty text).
char* VMOp_JoinTexts(const char* a, const char* b);
// Whether a and b joined are no longer than a string may be.
bool VMOp_JoinFits(const char* a, const char* b);

// The tolerance of numeric comparisons.
constexpr double kVMCompareEpsilon = 0.00001;
// A real divisor smaller than this in magnitude divides by zero.
constexpr double kVMDivideEpsilon = 1e-10;

// Messages shared with the machine.
extern const char* const kVMMalformedVariable;  // "Malformed variable"

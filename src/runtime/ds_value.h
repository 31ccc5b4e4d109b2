// The value slots every script data structure stores, the one comparison they
// all share, and the set/add/multiply operation of cells and slots.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

// How close two reals must be to count as equal in searches, sorts and
// min/max. Never negative.
extern double g_dsPrecision;

void DS_SetPrecision(double precision);

// -1, 0 or 1. Two reals are compared in single precision within
// g_dsPrecision; otherwise both are compared as texts, and a side without a
// text (a real, or a string with a null text) makes the answer 1. This is no
// strict ordering: a string and a real compare 1 whichever comes first.
int DS_CompareValues(const ScriptValue* a, const ScriptValue* b);

enum DSOperation : int32_t {
  kDSOpSet = 1,
  kDSOpAdd = 2,
  kDSOpMultiply = 3,
};

// Longest text that string addition produces.
constexpr int kDSMaxJoinedLength = 1023;

// 1 set, 2 add (reals add, strings join, mixed kinds set), 3 multiply reals.
// Other operations do nothing. The slot and the value may be the same.
void DS_OperateValue(int32_t op, ScriptValue* slot, const ScriptValue* value);

// Slot helpers. A slot owns its text; a real slot has a null text, while the
// spare slots of an array may keep a text buffer for reuse.
bool DS_IsString(const ScriptValue& value);
// Copies value into slot, reusing the slot's text buffer when it is big
// enough. Safe when slot == value.
void DS_StoreValue(ScriptValue* slot, const ScriptValue* value);
// Stores `length` bytes of text into the slot's buffer (reused or exact).
void DS_StoreText(ScriptValue* slot, const char* text, int64_t length);
// Frees the slot's text and makes it real 0.
void DS_ResetSlot(ScriptValue* slot);
void DS_ResetSlots(ScriptValue* slots, int32_t count);
// Swaps two whole slots (kind, real and text).
void DS_SwapSlots(ScriptValue* a, ScriptValue* b);
// Resizes a slot array to `count` slots; new slots are real 0. Slots cut off
// must have been reset by the caller.
void DS_ResizeSlots(ScriptValue** slots, int32_t count);
// Makes `*room` at least `needed` slots: half as many again as the array
// held (16 more at least), so that each append costs the same at any size.
void DS_ReserveSlots(ScriptValue** slots, int32_t* room, int32_t needed);
// Grows as DS_ReserveSlots does when `used` has reached `*capacity`.
void DS_GrowSlots(ScriptValue** slots, int32_t* capacity, int32_t used);

// True when value lies inside the first `capacity` slots of an array, so a
// caller about to grow or shift that array must copy it first.
bool DS_PointsInto(const ScriptValue* value, const ScriptValue* slots, int32_t capacity);

// A private copy of a value that may live inside the array being changed.
class DSValueGuard {
 public:
  DSValueGuard(const ScriptValue* value, const ScriptValue* slots, int32_t capacity);
  ~DSValueGuard();
  DSValueGuard(const DSValueGuard&) = delete;
  DSValueGuard& operator=(const DSValueGuard&) = delete;
  const ScriptValue* Get() const { return m_value; }

 private:
  ScriptValue m_copy;
  const ScriptValue* m_value;
};

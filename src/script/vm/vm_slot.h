// One value on the bytecode machine's stack. Every slot carries its own type
// tag, so a handler never reads a value as something it is not; the
// instruction's declared types are checked against the tags instead.
#pragma once

#include <cstdint>

#include "runtime/memory.h"
#include "runtime/script_value.h"

// Type codes of the instruction word, as the machine stores them in a slot.
enum VMSlotType : int32_t {
  kSlotDouble = 0,
  kSlotFloat = 1,
  kSlotInt = 2,
  kSlotLong = 3,
  kSlotBool = 4,
  kSlotVariant = 5,
  kSlotString = 6,
  kSlotShort = 15,  // an instruction type only: the value lands as an int
};

struct VMSlot {
  int32_t type;
  // Variant: the value's kind word (only its low 24 bits name the kind).
  // String: 1 when the slot owns its text, 0 when it borrows a constant.
  int32_t kind;
  char* text;  // string slot, or a string variant (always owned)
  union {
    double d;  // double, and a variant's real
    int64_t l;
    int32_t i;  // int and bool (0 or 1)
  };
};

constexpr int32_t kVariantKindMask = 0x00FFFFFF;

// The bytes a value of this type takes in the machine's own stack accounting.
inline int32_t VMSlot_Bytes(int32_t type) {
  switch (type) {
    case kSlotDouble:
    case kSlotLong: return 8;
    case kSlotVariant: return 16;
    default: return 4;
  }
}

inline void VMSlot_Free(VMSlot* slot) {
  if (slot->text != nullptr && (slot->type == kSlotVariant || slot->kind != 0)) MemoryManager::Free(slot->text);
  slot->text = nullptr;
}

inline void VMSlot_SetDouble(VMSlot* slot, double value) {
  slot->type = kSlotDouble;
  slot->text = nullptr;
  slot->d = value;
}
inline void VMSlot_SetInt(VMSlot* slot, int32_t value) {
  slot->type = kSlotInt;
  slot->text = nullptr;
  slot->l = 0;
  slot->i = value;
}
inline void VMSlot_SetLong(VMSlot* slot, int64_t value) {
  slot->type = kSlotLong;
  slot->text = nullptr;
  slot->l = value;
}
inline void VMSlot_SetBool(VMSlot* slot, bool value) {
  slot->type = kSlotBool;
  slot->text = nullptr;
  slot->l = 0;
  slot->i = value ? 1 : 0;
}
inline void VMSlot_SetReal(VMSlot* slot, double value) {
  slot->type = kSlotVariant;
  slot->kind = kValueReal;
  slot->text = nullptr;
  slot->d = value;
}
// Takes over an owned text (null is the empty text).
inline void VMSlot_SetOwnedString(VMSlot* slot, char* text) {
  slot->type = kSlotString;
  slot->kind = 1;
  slot->text = text;
  slot->l = 0;
}
inline void VMSlot_SetStringVariant(VMSlot* slot, char* text) {
  slot->type = kSlotVariant;
  slot->kind = kValueString;
  slot->text = text;
  slot->d = 0.0;
}

// A fresh owned copy of a text (null stays null).
char* VMSlot_CopyText(const char* text);
// Duplicates a slot, copying any text so both own theirs.
void VMSlot_Duplicate(VMSlot* to, const VMSlot& from);
// The slot as a script value; the value takes over the text (a borrowed
// text is copied).
void VMSlot_ToValue(VMSlot* slot, ScriptValue* out);
// A variant slot taking over the value's text.
inline void VMSlot_FromValue(VMSlot* slot, const ScriptValue& value) {
  slot->type = kSlotVariant;
  slot->kind = value.kind;
  slot->text = value.text;
  slot->d = value.real;
}

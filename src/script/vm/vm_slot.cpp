#include "script/vm/vm_slot.h"

#include <cstring>

char* VMSlot_CopyText(const char* text) {
  if (text == nullptr) return nullptr;
  size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(KV_ALLOC(length + 1, false));
  std::memcpy(copy, text, length + 1);
  return copy;
}

void VMSlot_Duplicate(VMSlot* to, const VMSlot& from) {
  *to = from;
  if (from.text == nullptr) return;
  to->text = VMSlot_CopyText(from.text);
  if (from.type == kSlotString) to->kind = 1;
}

void VMSlot_ToValue(VMSlot* slot, ScriptValue* out) {
  out->text = nullptr;
  switch (slot->type) {
    case kSlotVariant:
      out->kind = slot->kind;
      out->text = slot->text;
      out->real = slot->d;
      break;
    case kSlotString:
      out->kind = kValueString;
      out->text = slot->kind != 0 ? slot->text : VMSlot_CopyText(slot->text);
      out->real = 0.0;
      break;
    case kSlotDouble:
      out->kind = kValueReal;
      out->real = slot->d;
      break;
    case kSlotLong:
      out->kind = kValueReal;
      out->real = static_cast<double>(slot->l);
      break;
    default:  // int and bool
      out->kind = kValueReal;
      out->real = slot->i;
      break;
  }
  slot->text = nullptr;
}

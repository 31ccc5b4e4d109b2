#include <cstring>

#include "runtime/memory.h"
#include "script/compiler/code.h"

ScriptValue g_arguments[kArgumentSlots];
int32_t g_argumentCount = 0;
int32_t g_argumentExtent = 0;

void Code_SetArgument(int32_t index, const ScriptValue& value) {
  if (index < 0 || index >= kArgumentSlots) return;
  ScriptValue& slot = g_arguments[index];
  if (index >= g_argumentExtent && !Code_ArgumentIsEmpty(value)) g_argumentExtent = index + 1;
  slot.kind = value.kind;
  slot.real = value.real;
  if (value.text == nullptr) {
    if (slot.text != nullptr) MemoryManager::Free(slot.text);
    slot.text = nullptr;
    return;
  }
  size_t bytes = std::strlen(value.text) + 1;
  if (slot.text == nullptr || MemoryManager::GetSize(slot.text) < bytes) {
    if (slot.text != nullptr) MemoryManager::Free(slot.text);
    slot.text = static_cast<char*>(KV_ALLOC(bytes, false));
  }
  std::memcpy(slot.text, value.text, bytes);
}

void Code_FreeArguments() {
  for (ScriptValue& slot : g_arguments) {
    if (slot.text != nullptr) MemoryManager::Free(slot.text);
    slot = ScriptValue();
  }
  g_argumentCount = 0;
  g_argumentExtent = 0;
}

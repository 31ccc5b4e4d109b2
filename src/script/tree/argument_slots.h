// Putting a caller's argument slots back after a script run, shared by the
// runs that copy their arguments in and the tree's calls that hand theirs
// over.
#pragma once

#include <cstdint>

#include "runtime/memory.h"
#include "runtime/script_value.h"
#include "script/compiler/code.h"

// The `used` saved slots take the place of the current ones, texts included;
// the callee's slots past them are emptied (past both, they are empty).
inline __attribute__((always_inline)) void ArgumentSlots_Restore(const ScriptValue* slots, int32_t used,
                                                                 int32_t count) {
  int32_t top = g_argumentExtent > used ? g_argumentExtent : used;
  for (int32_t i = 0; i < top; ++i) {
    char* text = g_arguments[i].text;
    g_arguments[i] = i < used ? slots[i] : ScriptValue();
    if (text != nullptr) MemoryManager::Free(text);
  }
  g_argumentExtent = used;
  g_argumentCount = count;
}

// Puts "In script <name>:" in front of the error text of a failed run of
// script `index`.
void ArgumentSlots_ScriptFailed(int32_t index);

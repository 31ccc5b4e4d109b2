// The global scope's storage, shared by its access and its saved-game form.
#pragma once

#include <cstdint>

#include "script/variables/variable_names.h"

class CVariableList;

struct GlobalScope {
  CVariableList* list = nullptr;
  uint8_t* flags = nullptr;  // globalvar flags, from the memory manager
  int32_t flagCount = 0;
};

extern GlobalScope g_globalScope;

// The globalvar flag of an id: non-zero when a bare name means the global
// (ids below the user range never do).
inline uint8_t GlobalScope_Flag(int32_t id) {
  int64_t index = static_cast<int64_t>(id) - kFirstUserVariableId;
  return index >= 0 && index < g_globalScope.flagCount ? g_globalScope.flags[index] : 0;
}

// Takes ownership of flags (null with count 0 for none).
void GlobalScope_ReplaceFlags(uint8_t* flags, int32_t count);

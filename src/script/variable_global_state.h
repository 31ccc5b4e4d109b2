// The global scope's storage, shared by its access and its saved-game form.
#pragma once

#include <cstdint>

class CVariableList;

struct GlobalScope {
  CVariableList* list = nullptr;
  uint8_t* flags = nullptr;  // globalvar flags, from the memory manager
  int32_t flagCount = 0;
};

extern GlobalScope g_globalScope;

// Takes ownership of flags (null with count 0 for none).
void GlobalScope_ReplaceFlags(uint8_t* flags, int32_t count);

#include "runtime/script_value.h"

#include <cstring>

#include "runtime/memory.h"
#include "runtime/text.h"

namespace {}  // namespace

void ScriptValue_FreeText(ScriptValue* value) {
  MemoryManager::Free(value->text);
  value->text = nullptr;
}

char* ScriptValue_CopyText(const char* text) { return String_Duplicate(text); }

void ScriptValue_SetString(ScriptValue* value, const char* text) {
  char* copy = String_Duplicate(text);
  ScriptValue_Release(value);
  value->kind = kValueString;
  value->text = copy;
  value->real = 0.0;
}

#include "runtime/script_value.h"

#include <cstring>

#include "runtime/memory.h"
#include "runtime/text.h"

namespace {

}  // namespace

void ScriptValue_Release(ScriptValue* value) {
  if (value->kind == kValueString && value->text != nullptr) {
    MemoryManager::Free(value->text);
    value->text = nullptr;
  }
}

void ScriptValue_Copy(ScriptValue* destination, const ScriptValue* source) {
  destination->kind = source->kind;
  destination->real = source->real;
  destination->text = source->kind == kValueString ? String_Duplicate(source->text) : nullptr;
}

void ScriptValue_Assign(ScriptValue* destination, const ScriptValue* source) {
  if (destination == source) return;
  ScriptValue_Release(destination);
  ScriptValue_Copy(destination, source);
}

void ScriptValue_SetReal(ScriptValue* value, double real) {
  ScriptValue_Release(value);
  value->kind = kValueReal;
  value->text = nullptr;
  value->real = real;
}

void ScriptValue_SetString(ScriptValue* value, const char* text) {
  char* copy = String_Duplicate(text);
  ScriptValue_Release(value);
  value->kind = kValueString;
  value->text = copy;
  value->real = 0.0;
}

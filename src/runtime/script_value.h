// The one value type of the script engine and the data structures: a real or
// a string. The text is owned by the value and comes from MemoryManager; a
// string value with a null text is the empty string.
#pragma once

#include <cstdint>

enum ScriptValueKind : int32_t {
  kValueReal = 0,
  kValueString = 1,
};

struct ScriptValue {
  int32_t kind = kValueReal;
  char* text = nullptr;
  double real = 0.0;
};

// The text halves of the operations below, out of line: every script
// operation goes through those, and most of them see reals only.
void ScriptValue_FreeText(ScriptValue* value);
char* ScriptValue_CopyText(const char* text);

// Frees the text of a string value; the kind stays as it is.
inline void ScriptValue_Release(ScriptValue* value) {
  if (value->kind == kValueString && value->text != nullptr) ScriptValue_FreeText(value);
}
// Copies source into a destination whose old text the caller has released.
inline void ScriptValue_Copy(ScriptValue* destination, const ScriptValue* source) {
  destination->kind = source->kind;
  destination->real = source->real;
  destination->text = source->kind == kValueString ? ScriptValue_CopyText(source->text) : nullptr;
}
// Release, then copy.
inline void ScriptValue_Assign(ScriptValue* destination, const ScriptValue* source) {
  if (destination == source) return;
  ScriptValue_Release(destination);
  ScriptValue_Copy(destination, source);
}

inline void ScriptValue_SetReal(ScriptValue* value, double real) {
  ScriptValue_Release(value);
  value->kind = kValueReal;
  value->text = nullptr;
  value->real = real;
}
// Takes a copy of the text (null stays null).
void ScriptValue_SetString(ScriptValue* value, const char* text);

// The text of a string value, "" when it has none.
inline const char* ScriptValue_Text(const ScriptValue& value) { return value.text == nullptr ? "" : value.text; }

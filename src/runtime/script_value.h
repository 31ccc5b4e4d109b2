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

// Frees the text of a string value; the kind stays as it is.
void ScriptValue_Release(ScriptValue* value);
// Copies source into a destination whose old text the caller has released.
void ScriptValue_Copy(ScriptValue* destination, const ScriptValue* source);
// Release, then copy.
void ScriptValue_Assign(ScriptValue* destination, const ScriptValue* source);

void ScriptValue_SetReal(ScriptValue* value, double real);
// Takes a copy of the text (null stays null).
void ScriptValue_SetString(ScriptValue* value, const char* text);

// The text of a string value, "" when it has none.
inline const char* ScriptValue_Text(const ScriptValue& value) {
  return value.text == nullptr ? "" : value.text;
}

// What the resource family's handlers share.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

// A resource's name as a new string; null gives the empty string.
void Resource_SetName(ScriptValue* result, const char* name);
// A name the store made for the caller (MemoryManager), handed over whole.
void Resource_TakeName(ScriptValue* result, char* name);
// A flag or a count as a real.
inline void Resource_SetFlag(ScriptValue* result, bool flag) { Result_SetReal(result, flag ? 1.0 : 0.0); }
// The answer of a query about a resource: its value, or -1 when it does not
// exist.
inline void Resource_SetQuery(ScriptValue* result, bool exists, double value) {
  Result_SetReal(result, exists ? value : -1.0);
}

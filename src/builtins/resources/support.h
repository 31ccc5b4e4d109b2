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
// True when the store holds the resource the argument names; otherwise the
// message is reported.
bool Resource_Check(bool (*exists)(int32_t), const BuiltinArgs& a, int32_t i, const char* missing);
// Deleting and duplicating the resource the first argument names: a missing
// one is reported and leaves the result at 0.
void Resource_Delete(ScriptValue* result, const BuiltinArgs& a, bool (*exists)(int32_t), bool (*remove)(int32_t),
                     const char* missing);
void Resource_Duplicate(ScriptValue* result, const BuiltinArgs& a, bool (*exists)(int32_t),
                        int32_t (*duplicate)(int32_t), const char* missing);
// Copying the second argument's resource into the first's; a copy the
// store refuses is reported.
void Resource_Assign(const BuiltinArgs& a, bool (*assign)(int32_t, int32_t), const char* failed);
// The answer of a query about a resource: its value, or -1 when it does not
// exist.
inline void Resource_SetQuery(ScriptValue* result, bool exists, double value) {
  Result_SetReal(result, exists ? value : -1.0);
}

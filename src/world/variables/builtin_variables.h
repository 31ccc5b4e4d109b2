// The built-in variables through which scripts see and change the world:
// the fields of an instance, then the room, its backgrounds and views, the
// run state, input, clock, the running event and the last error. Every
// getter and setter only converts; the values live where they belong.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CInstance;
struct ScriptHost;

// Makes the registry register these families whenever it is initialised.
void BuiltinVariables_AddTo(ScriptHost* host);
// The physics variables' names in registration order.
constexpr int32_t kBuiltinPhysicsCount = 23;
const char* BuiltinVariables_PhysicsName(int32_t index);
// The two families, in registration order (per instance first).
void BuiltinVariables_RegisterInstance();
void BuiltinVariables_RegisterGlobal();
// What a built-in variable holds, with its unit, for the reference of
// built-in names; null for a name that has none.
const char* BuiltinVariables_Meaning(const char* name);

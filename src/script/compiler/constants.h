// The constant table: the built-in constants, the game's own constants and
// the extensions' constants, with the two lookups asked of it. The compiler's
// lookup tries resource names first and then the table, exactly; the plain
// lookup ignores ASCII case. Both search from the latest entry back, so a
// name added again hides the earlier entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/script_value.h"

// Appends a copy of the name and the value (its string duplicated).
void Code_Constant_Add(const char* name, const ScriptValue& value);
void Code_Constant_AddReal(const char* name, double value);

// Adds the platform's own constants at the end of Code_Constant_Init.
using ConstantInitHook = void (*)();
void Code_Constant_SetPlatformHook(ConstantInitHook hook);

// Registers the 322 built-in constants, then the platform's, and installs
// Code_Constant_Resolve as the compiler's constant lookup. Called once at
// start-up, on an empty table.
void Code_Constant_Init();

// The compiler's lookup: a resource name gives its index as a real; else the
// latest entry of exactly this name is copied into *out (a string duplicated).
bool Code_Constant_Resolve(const char* name, ScriptValue* out);
// The latest entry whose name equals this one ignoring ASCII case; null when
// none does. Resource names are not consulted.
const ScriptValue* Code_Constant_Find(const char* name);

// Not empty, a letter or "_" first, then letters, digits and "_" (ASCII only).
bool Code_Constant_IsIdentifier(const char* name);

// The temporary instance at (0, 0) a constant's value is evaluated with; the
// world installs a maker and a disposer. Either null puts the default back:
// an opaque stand-in for worlds that never look into instances.
class CInstance;
struct TemporaryInstanceHooks {
  CInstance* (*create)() = nullptr;
  void (*destroy)(CInstance* instance) = nullptr;
};
void Code_Constant_SetTemporaryInstance(const TemporaryInstanceHooks& hooks);
// The hooks in use; code run outside any event takes its instance from them.
const TemporaryInstanceHooks& Code_Constant_TemporaryInstance();

// Compiles the text as an expression and runs it with a temporary instance as
// self and other. False when it does not compile or its run fails.
bool Code_Constant_Evaluate(const char* text, ScriptValue* out);
// Defines one game or extension constant; a bad name or value is shown in a
// message box and gives false.
bool Code_Constant_AddUser(const char* name, const char* text);
// Defines the game's constants in order (a missing value text counts as "");
// stops with false at the first that fails.
bool Code_Constant_Prepare(const std::vector<std::string>& names, const std::vector<std::string>& values);

// Frees every name and string and both arrays; the table is empty after.
void Code_Constant_Free();

// The table as it stands, for listing it.
int32_t Code_Constant_Count();
const char* Code_Constant_Name(int32_t index);          // null out of range
const ScriptValue* Code_Constant_Value(int32_t index);  // null out of range

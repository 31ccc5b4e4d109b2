// Every callable name resolves to one function id: below 100000 a built-in
// (its registration position), 100000 + n the game's script n, 500000 + n the
// extension function n. Scripts win over extension functions, which win over
// built-ins.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"

class CInstance;

constexpr int32_t kFirstScriptFunctionId = 100000;
constexpr int32_t kFirstExtensionFunctionId = 500000;
constexpr int32_t kFunctionNameBytes = 64;
constexpr int32_t kFunctionGrowth = 500;
// Argument count of an id that has no function (the parser skips its check).
constexpr int32_t kNoArgumentCount = -100;

// (result, self, other, argument count, arguments); the result slot is real 0
// on entry.
using BuiltinFunction = void (*)(ScriptValue* result, CInstance* self, CInstance* other, int32_t argumentCount,
                                 ScriptValue* arguments);

struct BuiltinFunctionRecord {
  char name[kFunctionNameBytes];
  BuiltinFunction handler;
  int32_t argumentCount;  // -1: any number
};

// Where the game's scripts and extension functions are looked up by name.
// Until the game file is read nothing is found: a null member finds
// nothing.
struct FunctionStores {
  // Index of the script of that name, or -1.
  int32_t (*findScript)(const char* name) = nullptr;
  // Index of the extension function of that name, or -1.
  int32_t (*findExtensionFunction)(const char* name) = nullptr;
  // Its argument count; kNoArgumentCount when there is no such function.
  int32_t (*extensionArgumentCount)(int32_t index) = nullptr;
};

// Replaces the whole table; a default-constructed one finds nothing.
void Function_InstallStores(const FunctionStores& stores);

// Appends a built-in. A null name, or one longer than 63 bytes, is
// refused with a debug-console line. Later records of a name already taken
// are kept but never found.
void Function_Add(const char* name, BuiltinFunction handler, int32_t argumentCount);
// Sets *id to -1 first; false for a null or empty name or one nobody has.
bool Function_Find(const char* name, int32_t* id);
int32_t Function_GetArgumentCount(int32_t id);
// The built-in's handler; null for ids that are not built-ins.
BuiltinFunction Function_GetHandler(int32_t id);
const BuiltinFunctionRecord* Function_GetRecord(int32_t id);
int32_t Function_Count();
int32_t Function_Capacity();
// Game end: frees the table.
void Function_Free();

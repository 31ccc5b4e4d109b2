// Every variable a script names is reached through one numeric id: below
// 10000 a built-in variable (its index in the registry below), from 10000 a
// user variable in an instance's own list or in the global list.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/variables/variable_list.h"

class CInstance;
class CStream;
class CVariableList;

constexpr int32_t kMaxBuiltinVariables = 500;
constexpr int32_t kFirstInstanceVariableId = 10000;
constexpr int32_t kInitialGlobalVarFlags = 10000;

// Built-in variable access: (instance, element index, value) -> success.
using BuiltinVariableGetter = bool (*)(CInstance* instance, int32_t index, ScriptValue* out);
using BuiltinVariableSetter = bool (*)(CInstance* instance, int32_t index, const ScriptValue& value);

struct BuiltinVariableRecord {
  char* name;
  BuiltinVariableGetter getter;
  BuiltinVariableSetter setter;
  uint8_t canSet;
  // Read and written by element, name[k]; the getter and setter take k.
  uint8_t isArray;
};

// ---- The built-in registry --------------------------------------------------
// Empties the registry, then lets the installed families register (the
// per-instance variables first, then the global ones).
void Variable_BuiltIn_Init();
// The world, which owns the values, installs its registration here; null
// leaves the registry empty after Init (tests register their own records).
using BuiltinVariableFamilies = void (*)();
void Variable_BuiltIn_SetFamilies(BuiltinVariableFamilies registerFamilies);
// Empties the registry without registering anything (game end).
void Variable_BuiltIn_Clear();
// Appends a record; past 500 records it shows a message and drops it.
void Variable_BuiltIn_Add(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter, bool canSet);
// The short form: no setter means read-only.
void Variable_BuiltIn_Add(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter);
// The same, for a record read and written by element.
void Variable_BuiltIn_AddArray(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter);
// First record with exactly this name, -1 when none.
int32_t Variable_BuiltIn_Find(const char* name);
const char* Variable_BuiltIn_GetName(int32_t index);
int32_t Variable_BuiltIn_Count();
const BuiltinVariableRecord* Variable_BuiltIn_Get(int32_t index);
// The argument slot built-in variable `id` reads when it has a getter:
// argument0 ... argument15 read their slot whatever instance they are asked
// about, so the interpreters read the slot themselves. -1 for any other id.
// The table holds the slot plus one, 0 for none.
extern int8_t g_builtinArgumentSlots[kMaxBuiltinVariables];
inline int32_t Variable_BuiltIn_ArgumentSlot(int32_t id) {
  return static_cast<uint32_t>(id) < static_cast<uint32_t>(kMaxBuiltinVariables) ? g_builtinArgumentSlots[id] - 1 : -1;
}

// ---- Access by id -----------------------------------------------------------
bool Variable_GetValue(CInstance* instance, int32_t id, int32_t k, ScriptValue* out);
// False for a read-only built-in (nothing is written) or one without setter.
bool Variable_SetValue(CInstance* instance, int32_t id, int32_t k, const ScriptValue& value);

// Access through a target written before the name: -3 all instances of the
// room, 100000 and above an instance id, other non-negative values an object
// (its own and its descendants' instances). Reads of a target naming no live
// instance fail; writes to one quietly succeed.
bool Variable_GetValueByTarget(int32_t target, int32_t id, int32_t k, ScriptValue* out);
bool Variable_SetValueByTarget(int32_t target, int32_t id, int32_t k, const ScriptValue& value);

// ---- The global scope -------------------------------------------------------
void Variable_Global_Init();
bool Variable_Global_Get(int32_t id, int32_t k, ScriptValue* out);
void Variable_Global_Set(int32_t id, int32_t k, const ScriptValue& value);
// Null before Variable_Global_Init and after Variable_Free.
CVariableList* Variable_Global_List();
uint8_t Variable_IsGlobalVar(int32_t id);
void Variable_DeclareGlobal(int32_t id);
int32_t Variable_GlobalVarFlagCount();
void Variable_Global_Save(CStream& stream);
// Replaces the globals and their flags with the stream's; changes nothing
// unless the whole global form reads cleanly.
bool Variable_Global_Load(CStream& stream);
// The two halves of that load, for readers that stage a whole file before
// changing anything: the parse may fail and touches only the stream
// position; the apply cannot fail and empties the stage.
struct GlobalScopeStage {
  GlobalScopeStage() = default;
  ~GlobalScopeStage();
  GlobalScopeStage(const GlobalScopeStage&) = delete;
  GlobalScopeStage& operator=(const GlobalScopeStage&) = delete;

  CVariableList list;
  uint8_t* flags = nullptr;  // from the memory manager
  int32_t flagCount = 0;
};
bool Variable_Global_Parse(CStream& stream, GlobalScopeStage* stage);
void Variable_Global_Apply(GlobalScopeStage& stage);
// Game end: the registry's names, the global list and the flags.
void Variable_Free();

// The folder of the game file, which the built-in working_directory reads.
// Set once; later calls do nothing.
void Variable_InitWorkingDirectory(const char* gameFilePath);
const char* Variable_WorkingDirectory();

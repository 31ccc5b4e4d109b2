#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/script.h"
#include "script/tree/argument_slots.h"
#include "script/tree/interpreter.h"

namespace {

// Left uninitialised: only the slots in use are written and read.
struct SavedArguments {
  union Slots {
    Slots() {}
    ScriptValue values[kArgumentSlots];
  } slots;
  int32_t used = 0;  // slots from here on were empty
  int32_t count = 0;
};

// The caller's slots in use are taken aside, texts and all, and copies of
// the callee's arguments put in their place; the slots past both were empty
// already.
inline __attribute__((always_inline)) void Enter(SavedArguments* saved, int32_t argc, const ScriptValue* arguments) {
  saved->used = g_argumentExtent;
  saved->count = g_argumentCount;
  ScriptValue* slots = saved->slots.values;
  // Most calls find one or two slots in use; the loop would become a
  // library copy.
  if (saved->used <= 2) {
    if (saved->used > 0) slots[0] = g_arguments[0];
    if (saved->used > 1) slots[1] = g_arguments[1];
  } else {
    for (int32_t i = 0; i < saved->used; ++i) slots[i] = g_arguments[i];
  }
  int32_t cleared = argc > saved->used ? argc : saved->used;
  for (int32_t i = 0; i < cleared; ++i) g_arguments[i] = ScriptValue();
  g_argumentExtent = 0;
  for (int32_t i = 0; i < argc; ++i) Code_SetArgument(i, arguments[i]);
  g_argumentCount = argc;
}

// A failed run leaves "ERROR" in result; the caller puts its lead in front
// of the error text.
inline __attribute__((always_inline)) bool RunWithArguments(CCode* code, CInstance* self, CInstance* other,
                                                            int32_t argc, const ScriptValue* arguments,
                                                            ScriptValue* result) {
  if (argc < 0) argc = 0;
  if (argc > kArgumentSlots) argc = kArgumentSlots;
  SavedArguments saved;
  Enter(&saved, argc, arguments);
  bool ok = Code_Execute_ErrorString(self, other, code, result);
  ArgumentSlots_Restore(saved.slots.values, saved.used, saved.count);
  return ok;
}

void PutLead(const ErrorLead& lead) { Code_Error_Prefix((std::string(lead.before) + lead.name + lead.after).c_str()); }

}  // namespace

void ArgumentSlots_ScriptFailed(int32_t index) { PutLead({"In script ", Script_GetName(index), ":\n"}); }

bool Code_ExecuteWithArguments(CCode* code, CInstance* self, CInstance* other, int32_t argc,
                               const ScriptValue* arguments, ScriptValue* result, const ErrorLead& lead) {
  bool ok = RunWithArguments(code, self, other, argc, arguments, result);
  if (!ok) PutLead(lead);
  return ok;
}

bool Script_Execute(int32_t index, CInstance* self, CInstance* other, int32_t argc, ScriptValue* result,
                    const ScriptValue* arguments) {
  CScript* script = Script_Get(index);
  if (script == nullptr) return false;
  bool ok = RunWithArguments(script->code, self, other, argc, arguments, result);
  if (!ok) ArgumentSlots_ScriptFailed(index);
  return ok;
}

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"

namespace {

// Left uninitialised: only the slots in use are written and read.
struct SavedSlot {
  int32_t kind;
  char* text;
  double real;
};

struct SavedArguments {
  SavedSlot slots[kArgumentSlots];
  int32_t used = 0;  // slots from here on were empty
  int32_t count = 0;
};

bool IsEmpty(const ScriptValue& slot) {
  uint64_t bits;
  std::memcpy(&bits, &slot.real, sizeof bits);
  return slot.kind == kValueReal && slot.text == nullptr && bits == 0;
}

void Empty(ScriptValue* slot) {
  if (slot->text != nullptr) MemoryManager::Free(slot->text);
  *slot = ScriptValue();
}

// Slots past the last one in use hold real 0 and no text, as most do:
// they need no copy, and emptying them again restores them.
void Save(SavedArguments* saved) {
  saved->used = kArgumentSlots;
  while (saved->used > 0 && IsEmpty(g_arguments[saved->used - 1])) --saved->used;
  for (int32_t i = 0; i < saved->used; ++i) {
    saved->slots[i].kind = g_arguments[i].kind;
    saved->slots[i].real = g_arguments[i].real;
    saved->slots[i].text = nullptr;
    if (g_arguments[i].text != nullptr) {
      ScriptValue copy;
      ScriptValue_SetString(&copy, g_arguments[i].text);
      saved->slots[i].text = copy.text;
    }
  }
  saved->count = g_argumentCount;
}

// The saved slots take the place of the current ones, texts included.
void Restore(SavedArguments* saved) {
  for (int32_t i = 0; i < saved->used; ++i) {
    if (g_arguments[i].text != nullptr) MemoryManager::Free(g_arguments[i].text);
    const SavedSlot& slot = saved->slots[i];
    g_arguments[i] = ScriptValue{slot.kind, slot.text, slot.real};
  }
  for (int32_t i = saved->used; i < kArgumentSlots; ++i) {
    if (!IsEmpty(g_arguments[i])) Empty(&g_arguments[i]);
  }
  g_argumentCount = saved->count;
}

// Slots from `saved.used` on are empty already (Save found them so).
void Fill(const SavedArguments& saved, int32_t argc, const ScriptValue* arguments) {
  for (int32_t i = 0; i < argc; ++i) Code_SetArgument(i, arguments[i]);
  for (int32_t i = argc; i < saved.used; ++i) Code_SetArgument(i, ScriptValue());
  g_argumentCount = argc;
}

}  // namespace

bool Code_ExecuteWithArguments(CCode* code, CInstance* self, CInstance* other, int32_t argc,
                               const ScriptValue* arguments, ScriptValue* result, const ErrorLead& lead) {
  if (argc < 0) argc = 0;
  if (argc > kArgumentSlots) argc = kArgumentSlots;
  SavedArguments saved;
  Save(&saved);
  Fill(saved, argc, arguments);
  bool ok = Code_Execute_ErrorString(self, other, code, result);
  if (!ok) Code_Error_Prefix((std::string(lead.before) + lead.name + lead.after).c_str());
  Restore(&saved);
  return ok;
}

bool Script_Execute(int32_t index, CInstance* self, CInstance* other, int32_t argc, ScriptValue* result,
                    const ScriptValue* arguments) {
  CScript* script = Script_Get(index);
  if (script == nullptr) return false;
  return Code_ExecuteWithArguments(script->code, self, other, argc, arguments, result,
                                   {"In script ", Script_GetName(index), ":\n"});
}

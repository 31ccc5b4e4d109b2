#include "builtins/resources/support.h"

#include "builtins/resources/handlers.h"
#include "runtime/console.h"

void Resource_SetName(ScriptValue* result, const char* name) { Result_SetText(result, name); }

void Resource_TakeName(ScriptValue* result, char* name) { Result_TakeText(result, name); }

bool Resource_Check(bool (*exists)(int32_t), const BuiltinArgs& a, int32_t i, const char* missing) {
  const bool found = exists(a.Int(i));
  if (!found) Builtin_Error(missing);
  return found;
}

void Resource_Delete(ScriptValue* result, const BuiltinArgs& a, bool (*exists)(int32_t), bool (*remove)(int32_t),
                     const char* missing) {
  if (Resource_Check(exists, a, 0, missing)) Resource_SetFlag(result, remove(a.Int(0)));
}

void Resource_Duplicate(ScriptValue* result, const BuiltinArgs& a, bool (*exists)(int32_t),
                        int32_t (*duplicate)(int32_t), const char* missing) {
  if (Resource_Check(exists, a, 0, missing)) Result_SetReal(result, duplicate(a.Int(0)));
}

void Resource_Assign(const BuiltinArgs& a, bool (*assign)(int32_t, int32_t), const char* failed) {
  if (!assign(a.Int(0), a.Int(1))) Builtin_Error(failed);
}

// Caches and texture-page entries are not kept here.
void F_ResourceNoEffect(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }

void F_ResourceUnsupported(KV_BUILTIN_PARAMS) {
  g_debugConsole->Output("unsupported function\n");
  Result_SetReal(result, -1.0);
}

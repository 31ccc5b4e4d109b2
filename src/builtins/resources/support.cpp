#include "builtins/resources/support.h"

#include "runtime/console.h"
#include "builtins/resources/handlers.h"

void Resource_SetName(ScriptValue* result, const char* name) { Result_SetText(result, name); }

void Resource_TakeName(ScriptValue* result, char* name) { Result_TakeText(result, name); }

// Caches and texture-page entries are not kept here.
KV_BUILTIN(F_ResourceNoEffect) { Result_SetReal(result, 0.0); }

KV_BUILTIN(F_ResourceUnsupported) {
  g_debugConsole->Output("unsupported function\n");
  Result_SetReal(result, -1.0);
}

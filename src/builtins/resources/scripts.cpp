// The script and time-line functions: queries, a script's text, calling a
// script by its index, and removing time lines and their moments.
#include <algorithm>

#include "builtins/resources/handlers.h"
#include "builtins/resources/support.h"
#include "resources/timeline.h"
#include "runtime/console.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/events/script.h"

void F_ScriptExists(KV_BUILTIN_PARAMS) { Resource_SetFlag(result, Script_Exists(BuiltinArgs(argc, args).Int(0))); }

void F_ScriptName(KV_BUILTIN_PARAMS) { Resource_SetName(result, Script_GetName(BuiltinArgs(argc, args).Int(0))); }

void F_ScriptGetText(KV_BUILTIN_PARAMS) {
  const CScript* script = Script_Get(BuiltinArgs(argc, args).Int(0));
  if (script == nullptr) {
    Result_SetEmptyText(result);
    return;
  }
  Resource_TakeName(result, script->GetText());
}

// The index and at most 15 values: the argument slots hold 16, and the
// compiler refuses longer calls anyway. Running the script saves and
// restores the caller's slots and argument count, whether it fails or not;
// a failure is reported here and the run goes on.
void F_ScriptExecute(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t index = a.Int(0);
  if (!Resource_Check(Script_Exists, a, 0, "Trying to execute non-existing script.")) return;
  const int32_t count = std::min(a.Count(), kArgumentSlots) - 1;
  ScriptValue value;
  Script_Execute(index, self, other, count, &value, count > 0 ? args + 1 : nullptr);
  if (Code_Error_Recorded()) {
    Error_Show(g_errorText == nullptr ? "" : g_errorText, false);
    Code_Error_Clear();
  }
  ScriptValue_Release(result);
  *result = value;
}

void F_TimelineExists(KV_BUILTIN_PARAMS) { Resource_SetFlag(result, TimeLine_Exists(BuiltinArgs(argc, args).Int(0))); }

void F_TimelineName(KV_BUILTIN_PARAMS) { Resource_SetName(result, TimeLine_GetName(BuiltinArgs(argc, args).Int(0))); }

void F_TimelineAdd(KV_BUILTIN_PARAMS) { Result_SetReal(result, TimeLine_Add()); }

void F_TimelineDelete(KV_BUILTIN_PARAMS) {
  Resource_Delete(result, BuiltinArgs(argc, args), TimeLine_Exists, TimeLine_Delete,
                  "Trying to delete non-existing timeline.");
}

void F_TimelineMomentClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (CTimeLine* line = TimeLine_Get(a.Int(0))) line->DeleteMoment(a.Int(1));
}

void F_TimelineMomentAdd(KV_BUILTIN_PARAMS) { g_debugConsole->Output("timeline_moment_add :: deprecated function\n"); }

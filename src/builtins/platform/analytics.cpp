// Analytics events: their arguments are checked, and no analytics service
// exists here to take them.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"

void F_AnalyticsEvent(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  if (!BuiltinArgs(argc, args).IsString(0)) Builtin_Error(kPlatformBadType);
}

// The event's name, then (string, real) pairs; a trailing argument without
// its partner is not read. One report for any malformed pair.
void F_AnalyticsEventExt(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  BuiltinArgs a(argc, args);
  if (!a.IsString(0)) return;
  for (int32_t i = 1; i + 1 < a.Count(); i += 2) {
    if (!a.IsString(i) || !a.IsReal(i + 1)) {
      Builtin_Error("malformed analytics parameter must be string, number pair");
      return;
    }
  }
}

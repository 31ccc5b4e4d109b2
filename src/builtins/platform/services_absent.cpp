// Advertising, ratings, clickable areas, the social network and cloud
// saving: services this system does not have. Each answers its default.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"

KV_BUILTIN(F_AdsAbsent) { Result_SetReal(result, 0.0); }

KV_BUILTIN(F_LeaveRating) {
  Result_SetReal(result, 0.0);
  Platform_AllOfKind<true>(BuiltinArgs(argc, args), 4);
}

KV_BUILTIN(F_SocialAbsent) { Result_SetReal(result, 0.0); }
KV_BUILTIN(F_SocialStatus) { Result_SetText(result, "IDLE"); }
KV_BUILTIN(F_CloudAbsent) { Result_SetEmptyText(result); }

// Advertising, ratings, clickable areas, the social network and cloud
// saving: services this system does not have. Each answers its default.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"

void F_AdsAbsent(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }

void F_LeaveRating(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  Platform_AllOfKind<true>(BuiltinArgs(argc, args), 4);
}

void F_SocialAbsent(KV_BUILTIN_PARAMS) { Result_SetReal(result, 0.0); }
void F_SocialStatus(KV_BUILTIN_PARAMS) { Result_SetText(result, "IDLE"); }
void F_CloudAbsent(KV_BUILTIN_PARAMS) { Result_SetEmptyText(result); }

// The online achievement network: absent here. Each name checks its
// argument count and answers its default.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"

namespace {

void Absent(ScriptValue* result, int32_t argc, int32_t count) {
  Result_SetReal(result, 0.0);
  Platform_CountIs(argc, count);
}

}  // namespace

void F_OnlineStartDashboard(KV_BUILTIN_PARAMS) { Absent(result, argc, 0); }
void F_OnlineMapAchievement(KV_BUILTIN_PARAMS) { Absent(result, argc, 2); }

// The leaderboard's type may be left out (it is then 1).
void F_OnlineMapLeaderboard(KV_BUILTIN_PARAMS) { Absent(result, argc == 2 ? 3 : argc, 3); }

void F_OnlineSendChallenge(KV_BUILTIN_PARAMS) { Absent(result, argc, 3); }
void F_OnlineSendInvite(KV_BUILTIN_PARAMS) { Absent(result, argc, 1); }
void F_OnlineSendSocial(KV_BUILTIN_PARAMS) { Absent(result, argc, 3); }
void F_OnlineSetUrl(KV_BUILTIN_PARAMS) { Absent(result, argc, 1); }

void F_OnlineAcceptChallenge(KV_BUILTIN_PARAMS) {
  Absent(result, argc, 0);
  if (argc == 0) Result_SetEmptyText(result);
}

void F_OnlineIsOnline(KV_BUILTIN_PARAMS) { Absent(result, argc, 0); }
void F_OnlineSendResult(KV_BUILTIN_PARAMS) { Absent(result, argc, 2); }

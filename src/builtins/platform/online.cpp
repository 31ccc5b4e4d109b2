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

KV_BUILTIN(F_OnlineStartDashboard) { Absent(result, argc, 0); }
KV_BUILTIN(F_OnlineMapAchievement) { Absent(result, argc, 2); }

// The leaderboard's type may be left out (it is then 1).
KV_BUILTIN(F_OnlineMapLeaderboard) { Absent(result, argc == 2 ? 3 : argc, 3); }

KV_BUILTIN(F_OnlineSendChallenge) { Absent(result, argc, 3); }
KV_BUILTIN(F_OnlineSendInvite) { Absent(result, argc, 1); }
KV_BUILTIN(F_OnlineSendSocial) { Absent(result, argc, 3); }
KV_BUILTIN(F_OnlineSetUrl) { Absent(result, argc, 1); }

KV_BUILTIN(F_OnlineAcceptChallenge) {
  Absent(result, argc, 0);
  if (argc == 0) Result_SetEmptyText(result);
}

KV_BUILTIN(F_OnlineIsOnline) { Absent(result, argc, 0); }
KV_BUILTIN(F_OnlineSendResult) { Absent(result, argc, 2); }

// Achievements and scores for the platform's achievement service. The
// service decides what a post does; the queue behind it lives with the
// world's services.
#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"
#include "platform/achievement_service.h"
#include "runtime/numeric.h"
#include "world/services/achievement_queue.h"

namespace {

// (name, number) or the errors; true when the post may go on.
bool PostArguments(int32_t argc, ScriptValue* args) {
  if (!Platform_CountIs(argc, 2)) return false;
  BuiltinArgs a(argc, args);
  if (!a.IsString(0) || !a.IsReal(1)) {
    Builtin_Error(kPlatformBadType);
    return false;
  }
  return true;
}

}  // namespace

KV_BUILTIN(F_AchievementLogin) {
  Result_SetReal(result, 0.0);
  if (Platform_CountIs(argc, 0)) AchievementQueue_Service().login();
}

KV_BUILTIN(F_AchievementLogout) {
  Result_SetReal(result, 0.0);
  Platform_CountIs(argc, 0);
}

KV_BUILTIN(F_AchievementAvailable) {
  Result_SetReal(result, 0.0);
  if (Platform_CountIs(argc, 0)) Result_SetReal(result, g_achievementsAvailable != 0 ? 1.0 : 0.0);
}

KV_BUILTIN(F_AchievementPost) {
  Result_SetReal(result, 0.0);
  if (!PostArguments(argc, args) || g_achievementsAvailable == 0) return;
  BuiltinArgs a(argc, args);
  AchievementQueue_Service().postAchievement(a.Text(0), NarrowToFloat(a.Real(1)));
}

KV_BUILTIN(F_AchievementPostScore) {
  Result_SetReal(result, 0.0);
  if (!PostArguments(argc, args) || g_achievementsAvailable == 0) return;
  BuiltinArgs a(argc, args);
  AchievementQueue_Service().postScore(a.Text(0), a.TruncInt(1));
}

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

void F_AchievementLogin(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  if (Platform_CountIs(argc, 0)) AchievementQueue_Service().login();
}

void F_AchievementLogout(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  Platform_CountIs(argc, 0);
}

void F_AchievementAvailable(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  if (Platform_CountIs(argc, 0)) Result_SetReal(result, g_achievementsAvailable != 0 ? 1.0 : 0.0);
}

void F_AchievementPost(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  if (!PostArguments(argc, args) || g_achievementsAvailable == 0) return;
  BuiltinArgs a(argc, args);
  AchievementQueue_Service().postAchievement(a.Text(0), NarrowToFloat(a.Real(1)));
}

void F_AchievementPostScore(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  if (!PostArguments(argc, args) || g_achievementsAvailable == 0) return;
  BuiltinArgs a(argc, args);
  AchievementQueue_Service().postScore(a.Text(0), a.TruncInt(1));
}

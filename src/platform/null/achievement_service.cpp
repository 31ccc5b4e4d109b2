// The achievement service of a platform without one.
#include "platform/achievement_service.h"

namespace {

bool Start() { return true; }
void Login() {}
void PostAchievement(const char*, float) {}
void PostScore(const char*, int32_t) {}
bool SendInteger(int32_t, const char*, int32_t) { return false; }
bool SendFloat(int32_t, const char*, float) { return false; }

constexpr AchievementService kNull{Start, Login, PostAchievement, PostScore, SendInteger, SendFloat};

}  // namespace

const AchievementService& AchievementService_Null() { return kNull; }

// The platform's online achievement service: logging in, posting
// achievements and scores, and sending the posts that wait in the
// achievement queue. A service that starts a send reports its end later
// through AchievementQueue_SetState; the queue never waits on a call here.
#pragma once

#include <cstdint>

struct AchievementService {
  // Starts the service; answers whether posts may be sent.
  bool (*start)();
  void (*login)();
  // A post of the game: the service decides whether it goes out now or
  // waits in the queue.
  void (*postAchievement)(const char* name, float percent);
  void (*postScore)(const char* name, int32_t score);
  // A queued post of kind 1 or 4 (integer) or 2 or 3 (float); true when the
  // send was started and a report will follow.
  bool (*sendInteger)(int32_t kind, const char* name, int32_t value);
  bool (*sendFloat)(int32_t kind, const char* name, float value);
};

// Linux has no such service: starting succeeds so that the queue runs, and
// everything else does nothing; sends are never started, so nothing reports.
const AchievementService& AchievementService_Null();

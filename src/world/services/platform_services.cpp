#include "world/services/platform_services.h"

#include "platform/achievement_service.h"
#include "runtime/console.h"
#include "world/services/achievement_queue.h"

namespace {

// Set once the services started: a run that never got that far (a game
// file refused before its built-ins) must not write an empty queue over
// the posts still waiting in the cache.
bool g_started = false;
bool g_pausePending = false;
bool g_paused = false;
bool g_purchasesPending = false;

void PauseStep() {
  if (g_pausePending) {
    g_debugConsole->Output("Pause event has been registered for this frame\n");
    g_paused = true;
    g_pausePending = false;
  } else if (g_paused) {
    g_debugConsole->Output("Pause event has been unregistered\n");
    g_paused = false;
  }
}

}  // namespace

void Services_Start() {
  AchievementQueue_Clear();
  AchievementQueue_Load();
  g_achievementsAvailable = AchievementQueue_Service().start() ? 1 : 0;
  g_started = true;
}

void Services_Tick() {
  AchievementQueue_Process();
  PauseStep();
}

void Services_OSPauseEvent() {
  g_debugConsole->Output("OS has raised a pause event\n");
  g_pausePending = true;
}

bool Services_IsPaused() { return g_paused; }

void Services_Shutdown() {
  if (g_started) AchievementQueue_Shutdown();
}

void Services_ResetForTest() {
  g_started = g_pausePending = g_paused = g_purchasesPending = false;
  g_achievementsAvailable = 0;
  AchievementQueue_Clear();
}

void IapEvents_MarkPending() { g_purchasesPending = true; }
bool IapEvents_Pending() { return g_purchasesPending; }

bool IapEvents_TakePending() {
  const bool pending = g_purchasesPending;
  g_purchasesPending = false;
  return pending;
}

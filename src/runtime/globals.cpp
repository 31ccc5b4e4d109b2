#include "runtime/globals.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/console.h"
#include "runtime/crc32.h"
#include "runtime/ds_pool.h"
#include "runtime/random.h"

Hash g_instanceMap;
int32_t g_audioPlayIdCounter = 0;

namespace {

constexpr int32_t kInstanceBuckets = 512;

bool g_initialised = false;
bool g_exitHookSet = false;
// Never destroyed, so a release may still be registered or run while the
// process's own exit-time destructors are under way.
std::vector<void (*)()>& Releases() {
  static auto* releases = new std::vector<void (*)()>;
  return *releases;
}

void NoInit() {}

// A game that never calls randomize gets the same sequence every run.
void SeedRandom() { Random_Seed(0); }

void InitInstanceMap() { g_instanceMap.Init(kInstanceBuckets); }
void ReleaseInstanceMap() { g_instanceMap.Release(kHashDeleteValue); }

void InitConsoles() {
  g_debugConsole = &g_defaultConsole;
  g_releaseConsole = &g_defaultConsole;
}
// Whatever console was put in place may be gone by now: later output goes to
// the standard one, and nothing already printed is lost.
void ReleaseConsoles() {
  InitConsoles();
  std::fflush(stdout);
}

void StartPlayIds() { g_audioPlayIdCounter = 200000; }

struct GlobalStep {
  void (*init)();
  void (*release)();
};

// In order of effect; a step without a release passes null.
constexpr GlobalStep kSteps[] = {
    {SeedRandom, nullptr},           {CRC32_InitTable, nullptr}, {InitInstanceMap, ReleaseInstanceMap},
    {InitConsoles, ReleaseConsoles}, {NoInit, DS_ReleasePools},  {StartPlayIds, nullptr},
};

void ShutdownAtExit() { Globals_Shutdown(); }

}  // namespace

void Globals_Init() {
  if (g_initialised) return;
  g_initialised = true;
  for (const GlobalStep& step : kSteps) {
    step.init();
    if (step.release != nullptr) Globals_RegisterRelease(step.release);
  }
  if (!g_exitHookSet) {
    g_exitHookSet = true;
    std::atexit(ShutdownAtExit);
  }
}

void Globals_RegisterRelease(void (*release)()) {
  if (release != nullptr) Releases().push_back(release);
}

void Globals_Shutdown() {
  std::vector<void (*)()>& releases = Releases();
  while (!releases.empty()) {
    void (*release)() = releases.back();
    releases.pop_back();
    release();
  }
  g_initialised = false;
}

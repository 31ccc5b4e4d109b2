#include "platform/exit_restore.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace {

// Plain storage only: the watchdog thread may run the steps while exit()
// destroys the program's objects.
constexpr int kMaxSteps = 8;
std::mutex g_lock;
void (*g_steps[kMaxSteps])() = {};
int g_count = 0;
bool g_atExit = false;

}  // namespace

void ExitRestore_Add(void (*step)()) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (step == nullptr || g_count == kMaxSteps) return;
  for (int i = 0; i < g_count; ++i) {
    if (g_steps[i] == step) return;
  }
  g_steps[g_count++] = step;
  if (!g_atExit) {
    g_atExit = true;
    std::atexit(ExitRestore_Run);
  }
}

void ExitRestore_Run() {
  for (;;) {
    void (*step)() = nullptr;
    {
      std::lock_guard<std::mutex> hold(g_lock);
      if (g_count == 0) return;
      step = g_steps[--g_count];
    }
    step();
  }
}

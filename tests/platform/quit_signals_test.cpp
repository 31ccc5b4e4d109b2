// Quit signals raised in this process, with the watchdog's ending recorded
// instead of carried out: which signal ends it, and when it does not.
#include "platform/quit_signals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

#include "platform/exit_restore.h"

namespace {

using std::chrono::milliseconds;

std::atomic<int> g_ended{0};
std::atomic<int> g_restores{0};
std::atomic<bool> g_restoredFirst{false};

void Ended(int number) {
  g_restoredFirst.store(g_restores.load() > 0);
  g_ended.store(number);
}
void Restore() { g_restores.fetch_add(1); }

struct SignalCase {
  const char* name;
  std::vector<int> signals;
  bool answered;  // the game answers the first signal at once
  milliseconds grace;
  int ended;  // the signal the process ends by; 0: it goes on
};

const SignalCase kCases[] = {
    {"an unanswered SIGTERM", {SIGTERM}, false, milliseconds(100), SIGTERM},
    {"an unanswered SIGINT", {SIGINT}, false, milliseconds(100), SIGINT},
    {"a second signal within the grace", {SIGTERM, SIGINT}, false, milliseconds(600000), SIGINT},
    {"an answered signal", {SIGTERM}, true, milliseconds(100), 0},
    {"a second signal after an answer", {SIGINT, SIGTERM}, true, milliseconds(100), SIGTERM},
};

// Waits for the ending, up to `limit`; the number it came with, or 0.
int EndingWithin(milliseconds limit) {
  for (milliseconds waited{0}; waited < limit; waited += milliseconds(10)) {
    if (g_ended.load() != 0) break;
    std::this_thread::sleep_for(milliseconds(10));
  }
  return g_ended.load();
}

TEST(QuitSignals, AnUnansweredOrSecondSignalEndsTheProcessAfterTheRestoreSteps) {
  QuitSignals_Install();
  for (const SignalCase& c : kCases) {
    SCOPED_TRACE(c.name);
    QuitSignals_SetEndingForTests(Ended, c.grace);
    g_ended.store(0);
    g_restores.store(0);
    g_restoredFirst.store(false);
    ExitRestore_Add(Restore);
    EXPECT_FALSE(QuitSignals_Received());
    for (size_t i = 0; i < c.signals.size(); ++i) {
      std::raise(c.signals[i]);
      EXPECT_TRUE(QuitSignals_Received());
      if (i == 0 && c.answered) {
        QuitSignals_Answer();
        // Past the grace: only a signal still to come may end it now.
        std::this_thread::sleep_for(c.grace * 3);
      }
    }
    EXPECT_EQ(EndingWithin(c.ended != 0 ? milliseconds(20000) : c.grace * 3), c.ended);
    EXPECT_EQ(g_restores.load(), c.ended != 0 ? 1 : 0);
    EXPECT_EQ(g_restoredFirst.load(), c.ended != 0) << "the restore steps run before the ending";
  }
  QuitSignals_SetEndingForTests(nullptr, milliseconds(0));
}

}  // namespace

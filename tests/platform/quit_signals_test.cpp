// Quit signals raised in child processes, each a game stuck between its
// pumps: which signal ends it, after the restore steps, and when it goes on.
// The children run side by side, for the grace time is the real one.
#include "platform/quit_signals.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#include <vector>

#include "platform/exit_restore.h"

namespace {

using std::chrono::milliseconds;

// The child's end of the pipe its restore steps report through.
int g_restoreReport = -1;
void Restore() {
  const char byte = 'R';
  [[maybe_unused]] ssize_t written = write(g_restoreReport, &byte, 1);
}

struct SignalCase {
  const char* name;
  std::vector<int> signals;
  bool answered;  // the game answers the first signal at once
  int ended;      // the signal the process ends by; 0: it goes on
};

const SignalCase kCases[] = {
    {"an unanswered SIGTERM", {SIGTERM}, false, SIGTERM},
    {"an unanswered SIGINT", {SIGINT}, false, SIGINT},
    {"a second signal within the grace", {SIGTERM, SIGINT}, false, SIGINT},
    {"an answered signal", {SIGTERM}, true, 0},
    {"a second signal after an answer", {SIGINT, SIGTERM}, true, SIGTERM},
};

// Longer than any ending the watchdog may take; a child still alive then
// ends with this status.
constexpr milliseconds kStuck = kQuitGrace * 5;
constexpr int kWentOn = 3;

[[noreturn]] void RunChild(const SignalCase& c, int report) {
  g_restoreReport = report;
  QuitSignals_Install();
  ExitRestore_Add(Restore);
  for (size_t i = 0; i < c.signals.size(); ++i) {
    std::raise(c.signals[i]);
    if (!QuitSignals_Received()) _exit(1);
    if (i == 0 && c.answered) {
      QuitSignals_Answer();
      // Past the grace: only a signal still to come may end it now.
      std::this_thread::sleep_for(kQuitGrace + milliseconds(500));
    }
  }
  std::this_thread::sleep_for(c.ended != 0 ? kStuck : milliseconds(200));
  _exit(c.ended != 0 ? kWentOn : 0);
}

struct Child {
  pid_t pid;
  int report;
};

TEST(QuitSignals, AnUnansweredOrSecondSignalEndsTheProcessAfterTheRestoreSteps) {
  std::vector<Child> children;
  for (const SignalCase& c : kCases) {
    int pipes[2];
    ASSERT_EQ(pipe(pipes), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(pipes[0]);
      RunChild(c, pipes[1]);
    }
    close(pipes[1]);
    children.push_back({pid, pipes[0]});
  }
  for (size_t i = 0; i < children.size(); ++i) {
    const SignalCase& c = kCases[i];
    SCOPED_TRACE(c.name);
    int status = 0;
    ASSERT_EQ(waitpid(children[i].pid, &status, 0), children[i].pid);
    if (c.ended != 0) {
      ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
      EXPECT_EQ(WTERMSIG(status), c.ended);
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    char reports[4];
    const ssize_t restores = read(children[i].report, reports, sizeof reports);
    close(children[i].report);
    EXPECT_EQ(restores, c.ended != 0 ? 1 : 0) << "the restore steps run once, before the ending";
  }
}

}  // namespace

// Quit signals raised in child processes, each a game stuck between its
// pumps or in its own end: which signal ends it, after the restore steps,
// and when it ends its own way.
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
  int ended;            // the signal the process ends by; 0: it ends its own way
  bool nohup;           // started with SIGHUP ignored
  int gapMs = 0;        // between the signals
  bool atOnce = false;  // ended well before the grace is over
};

// A game stuck between its pumps, or in its own end, is ended all the same
// when the grace is over; a run that ends within it ends its own way.
const SignalCase kCases[] = {
    {"SIGTERM", {SIGTERM}, SIGTERM, false},
    {"SIGINT", {SIGINT}, SIGINT, false},
    {"SIGHUP", {SIGHUP}, SIGHUP, false},
    {"a second signal within the grace", {SIGTERM, SIGINT}, SIGINT, false},
    {"a run ending within the grace", {SIGHUP}, 0, false},
    {"SIGHUP under nohup", {SIGHUP}, 0, true},
    {"one signal sent twice together, as timeout does", {SIGTERM, SIGTERM}, 0, false},
    {"a person's second Ctrl+C", {SIGINT, SIGINT}, SIGINT, false, 400, true},
};

// Longer than any ending the watchdog may take; a child still alive then
// ends with this status.
constexpr milliseconds kStuck = kQuitGrace * 5;
constexpr int kWentOn = 3;

[[noreturn]] void RunChild(const SignalCase& c, int report) {
  g_restoreReport = report;
  if (c.nohup) std::signal(SIGHUP, SIG_IGN);
  QuitSignals_Install();
  ExitRestore_Add(Restore);
  for (size_t i = 0; i < c.signals.size(); ++i) {
    const int number = c.signals[i];
    if (i > 0) std::this_thread::sleep_for(milliseconds(c.gapMs));
    std::raise(number);
    if (QuitSignals_Received() == c.nohup) _exit(1);
  }
  std::this_thread::sleep_for(c.atOnce ? kQuitGrace / 2 : c.ended != 0 ? kStuck : milliseconds(200));
  _exit(c.ended != 0 ? kWentOn : 0);
}

struct Child {
  pid_t pid;
  int report;
};

TEST(QuitSignals, TheGraceOrASecondSignalEndsTheProcessAfterTheRestoreSteps) {
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

// The handler only records the signal and wakes the watchdog through a pipe;
// everything else (the restore steps, the ending) runs on the watchdog thread.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>

#include "platform/exit_restore.h"
#include "platform/quit_signals.h"

namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM};

int g_wake[2] = {-1, -1};
std::atomic<bool> g_received{false};
std::atomic<bool> g_answered{false};

void OnQuitSignal(int number) {
  const int saved = errno;
  g_received.store(true);
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] ssize_t written = write(g_wake[1], &byte, 1);
  errno = saved;
}

void End(int number) {
  ExitRestore_Run();
  std::signal(number, SIG_DFL);
  std::raise(number);
  _exit(128 + number);
}

// The next signal's number, -1 when none came within `milliseconds` (-1:
// wait for ever).
int NextSignal(int milliseconds) {
  pollfd p{g_wake[0], POLLIN, 0};
  int ready = 0;
  do {
    ready = poll(&p, 1, milliseconds);
  } while (ready < 0 && errno == EINTR);
  unsigned char byte = 0;
  if (ready != 1 || read(g_wake[0], &byte, 1) != 1) return -1;
  return byte;
}

// A signal, then either the game's answer (only a second signal ends it
// then), a second signal, or the grace time running out unanswered.
void Watch() {
  for (;;) {
    const int first = NextSignal(-1);
    if (first <= 0) continue;
    int second = NextSignal(static_cast<int>(kQuitGrace.count()));
    if (second < 0 && g_answered.load()) second = NextSignal(-1);
    End(second < 0 ? first : second);
  }
}

}  // namespace

void QuitSignals_Install() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) return;
    // The reading end blocks in poll, never in read.
    std::thread(Watch).detach();
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    for (int number : kQuitSignals) sigaction(number, &action, nullptr);
  });
}

bool QuitSignals_Received() { return g_received.load(); }

void QuitSignals_Answer() {
  if (g_received.load()) g_answered.store(true);
}

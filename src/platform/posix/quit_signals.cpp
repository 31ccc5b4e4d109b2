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

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

int g_wake[2] = {-1, -1};
std::atomic<bool> g_received{false};

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

// A signal, then a second one or the end of the grace time, whichever comes
// first; the game taking the quit does not stop the grace, for its own end
// (the Game End event, the end-of-run writes) may never return.
void Watch() {
  int first = -1;
  while (first <= 0) first = NextSignal(-1);
  const int second = NextSignal(static_cast<int>(kQuitGrace.count()));
  End(second < 0 ? first : second);
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
    for (int number : kQuitSignals) {
      // A player started under nohup keeps running when its terminal closes.
      struct sigaction before {};
      sigaction(number, nullptr, &before);
      if (number == SIGHUP && before.sa_handler == SIG_IGN) continue;
      sigaction(number, &action, nullptr);
    }
  });
}

bool QuitSignals_Received() { return g_received.load(); }

// The handler only records the signal and wakes the watchdog through a pipe;
// everything else (the restore steps, the ending) runs on the watchdog thread.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/exit_restore.h"
#include "platform/quit_signals.h"

namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};
// Deliveries of one signal from one sender closer together than this are
// one request: `timeout` and a terminal's hang-up send the same signal to
// the process and then to its whole group.
constexpr int64_t kOneRequestNs = 100'000'000;

// One delivery, written whole to the pipe (far below PIPE_BUF).
struct Delivery {
  int number = -1;
  pid_t sender = 0;
  int64_t atNs = 0;
};

int g_wake[2] = {-1, -1};
std::atomic<bool> g_received{false};

void OnQuitSignal(int number, siginfo_t* info, void*) {
  const int saved = errno;
  g_received.store(true);
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const Delivery delivery{number, info != nullptr ? info->si_pid : 0, now.tv_sec * 1'000'000'000LL + now.tv_nsec};
  [[maybe_unused]] ssize_t written = write(g_wake[1], &delivery, sizeof delivery);
  errno = saved;
}

void End(int number) {
  ExitRestore_Run();
  std::signal(number, SIG_DFL);
  std::raise(number);
  _exit(128 + number);
}

int64_t NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// The next delivery; number -1 when none came within `milliseconds` (-1:
// wait for ever).
Delivery NextSignal(int milliseconds) {
  pollfd p{g_wake[0], POLLIN, 0};
  int ready = 0;
  do {
    ready = poll(&p, 1, milliseconds);
  } while (ready < 0 && errno == EINTR);
  Delivery delivery;
  if (ready != 1 || read(g_wake[0], &delivery, sizeof delivery) != sizeof delivery) return Delivery();
  return delivery;
}

bool OneRequest(const Delivery& a, const Delivery& b) {
  return a.number == b.number && a.sender == b.sender && b.atNs - a.atNs < kOneRequestNs;
}

// A request, then a second one or the end of the grace time, whichever
// comes first; the game taking the quit does not stop the grace, for its own
// end (the Game End event, the end-of-run writes) may never return.
void Watch() {
  Delivery first;
  while (first.number <= 0) first = NextSignal(-1);
  const int64_t graceEndNs = NowNs() + kQuitGrace.count() * 1'000'000LL;
  for (;;) {
    const int64_t leftNs = graceEndNs - NowNs();
    if (leftNs <= 0) End(first.number);
    const Delivery next = NextSignal(static_cast<int>((leftNs + 999'999) / 1'000'000));
    if (next.number <= 0) End(first.number);
    if (!OneRequest(first, next)) End(next.number);
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
    action.sa_sigaction = OnQuitSignal;
    action.sa_flags = SA_SIGINFO;
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

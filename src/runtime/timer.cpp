#include "runtime/timer.h"

#include <cerrno>
#include <ctime>

#include "platform/switches.h"
#include "runtime/process.h"

namespace {

class TimerClock {
 public:
  virtual ~TimerClock() = default;
  virtual int64_t Now() = 0;
  // us is already positive and capped.
  virtual void Wait(int64_t us) = 0;
};

void SystemSleep(int64_t milliseconds) {
  timespec wanted{static_cast<time_t>(milliseconds / 1000), static_cast<long>((milliseconds % 1000) * 1000000)};
  while (nanosleep(&wanted, &wanted) != 0 && errno == EINTR) {}
}

class RealClock : public TimerClock {
 public:
  int64_t Now() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  }

  void Wait(int64_t us) override {
    int64_t begin = Now();
    int64_t target = begin + us;
    if (us >= 2000) SystemSleep((us - 1000) / 1000);
    for (;;) {
      Runner_ProcessMessages();
      int64_t now = Now();
      if (now >= target || now < begin) return;
    }
  }
};

class VirtualClock : public TimerClock {
 public:
  int64_t Now() override { return now_; }

  void Wait(int64_t us) override {
    now_ += us;
    if (listener != nullptr) listener(us);
    Runner_ProcessMessages();
  }

  void Restart() { now_ = 0; }

  void (*listener)(int64_t us) = nullptr;

 private:
  int64_t now_ = 0;
};

RealClock g_realClock;
VirtualClock g_virtualClock;
TimerClock* g_clock = nullptr;
int64_t g_start = 0;

TimerClock* Clock() {
  if (g_clock == nullptr) {
    g_clock = Switches_Get().virtualClock ? static_cast<TimerClock*>(&g_virtualClock) : &g_realClock;
  }
  return g_clock;
}

}  // namespace

void Timer_Init() { g_start = Clock()->Now(); }

int64_t Timer_GetMicroseconds() { return Clock()->Now() - g_start; }

void Timer_WaitMicroseconds(int64_t us) {
  if (us <= 0) return;
  Clock()->Wait(us < kTimerMaxWait ? us : kTimerMaxWait);
}

void Stream_Sleep(int64_t us) { Timer_WaitMicroseconds(us); }

void Timer_SetVirtualWaitListener(void (*listener)(int64_t us)) { g_virtualClock.listener = listener; }

void Timer_SelectClock(TimerClockKind kind) {
  switch (kind) {
    case TimerClockKind::kFromSwitches: g_clock = nullptr; break;
    case TimerClockKind::kReal: g_clock = &g_realClock; break;
    case TimerClockKind::kVirtual: g_clock = &g_virtualClock; break;
  }
  g_virtualClock.Restart();
  Timer_Init();
}

// The microsecond clock and the frame wait that paces the game loop.
//
// Two clocks sit behind the same calls. The real one reads the monotonic
// system clock and sleeps; the virtual one (chosen by the switch
// KORVALITH_CLOCK=virtual) stands still except inside Timer_WaitMicroseconds,
// which moves it forward by exactly the wait and pumps messages once, so
// headless runs are repeatable and never sleep.
#pragma once

#include <cstdint>

// The longest single wait, in microseconds; longer requests are cut to it.
constexpr int64_t kTimerMaxWait = 3000000;

// Takes the start from which Timer_GetMicroseconds counts.
void Timer_Init();
// Microseconds since Timer_Init.
int64_t Timer_GetMicroseconds();
// Nothing for us <= 0. Otherwise waits min(us, kTimerMaxWait): on the real
// clock, for 2000 us or more it first sleeps (us - 1000) / 1000 whole
// milliseconds, then pumps messages and reads the clock until the target is
// reached or the clock reads earlier than when the wait began.
void Timer_WaitMicroseconds(int64_t us);
// The same wait, under the name the frame loop uses.
void Stream_Sleep(int64_t us);

enum class TimerClockKind {
  kFromSwitches,  // virtual when the switch asks for it, else real
  kReal,
  kVirtual,
};
// Called by the virtual clock with each wait, before messages are pumped,
// so that what plays along with the game (the rendered sound) moves by the
// same time. Null stops it.
void Timer_SetVirtualWaitListener(void (*listener)(int64_t us));

// Chooses the clock (the virtual one restarts at 0) and calls Timer_Init.
void Timer_SelectClock(TimerClockKind kind);

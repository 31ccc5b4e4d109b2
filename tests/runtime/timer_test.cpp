#include "runtime/timer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>

#include "platform/switches.h"
#include "runtime/process.h"

namespace {

int g_pumps = 0;
void CountPump() { ++g_pumps; }

// How often this thread gave up the processor: a sleep does, a spin that
// only reads the clock and pumps nothing does not.
long Yields() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_nvcsw;
}
// Whether the wait slept.
bool Slept(int64_t us) {
  const long before = Yields();
  Timer_WaitMicroseconds(us);
  return Yields() > before;
}

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_pumps = 0;
    Runner_SetMessagePump(CountPump);
  }
  void TearDown() override {
    Runner_SetMessagePump(nullptr);
    Timer_SelectClock(TimerClockKind::kFromSwitches);
  }
};

// Waits of 2000 us or more sleep first; shorter ones are spun whole.
TEST_F(TimerTest, RealClockSleepsFromTwoMillisecondsOnAndSpinsToTheTarget) {
  Timer_SelectClock(TimerClockKind::kReal);
  const struct {
    int64_t us;
    bool sleeps;
  } kWaits[] = {{2500, true}, {1999, false}, {2000, true}, {1, false}};
  for (const auto& wait : kWaits) {
    SCOPED_TRACE(wait.us);
    const int pumps = g_pumps;
    const int64_t before = Timer_GetMicroseconds();
    EXPECT_EQ(Slept(wait.us), wait.sleeps);
    EXPECT_GE(Timer_GetMicroseconds() - before, wait.us);
    EXPECT_GT(g_pumps, pumps);
  }
  const int64_t before = Timer_GetMicroseconds();
  Stream_Sleep(5999);
  EXPECT_GE(Timer_GetMicroseconds() - before, 5999);
}

TEST_F(TimerTest, VirtualClockMovesOnlyByWaits) {
  Timer_SelectClock(TimerClockKind::kVirtual);
  EXPECT_EQ(Timer_GetMicroseconds(), 0);
  EXPECT_FALSE(Slept(10000000));
  EXPECT_EQ(Timer_GetMicroseconds(), 3000000);
  EXPECT_EQ(g_pumps, 1);
  Stream_Sleep(16667);
  Timer_WaitMicroseconds(-5);
  EXPECT_EQ(Timer_GetMicroseconds(), 3016667);
  EXPECT_EQ(g_pumps, 2);
  Timer_Init();
  Timer_WaitMicroseconds(7);
  EXPECT_EQ(Timer_GetMicroseconds(), 7);
}

TEST_F(TimerTest, TheSwitchChoosesTheClock) {
  const char* old = std::getenv("KORVALITH_CLOCK");
  std::string saved = old == nullptr ? "" : old;
  setenv("KORVALITH_CLOCK", "virtual", 1);
  Switches_Reload();
  Timer_SelectClock(TimerClockKind::kFromSwitches);
  EXPECT_FALSE(Slept(2500));
  EXPECT_EQ(Timer_GetMicroseconds(), 2500);

  unsetenv("KORVALITH_CLOCK");
  Switches_Reload();
  Timer_SelectClock(TimerClockKind::kFromSwitches);
  EXPECT_TRUE(Slept(2500));
  if (old != nullptr) setenv("KORVALITH_CLOCK", saved.c_str(), 1);
  Switches_Reload();
}

}  // namespace

#include "runtime/timer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/switches.h"
#include "runtime/process.h"

namespace {

using Sleeps = std::vector<int64_t>;
Sleeps g_sleeps;
int g_pumps = 0;
void RecordSleep(int64_t milliseconds) { g_sleeps.push_back(milliseconds); }
void CountPump() { ++g_pumps; }

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_sleeps.clear();
    g_pumps = 0;
    Timer_SetSleeper(RecordSleep);
    Runner_SetMessagePump(CountPump);
  }
  void TearDown() override {
    Timer_SetSleeper(nullptr);
    Runner_SetMessagePump(nullptr);
    Timer_SelectClock(TimerClockKind::kFromSwitches);
  }
};

// The recording sleeper does not sleep, so the whole wait is spun.
TEST_F(TimerTest, RealClockSleepsWholeMillisecondsThenSpins) {
  Timer_SelectClock(TimerClockKind::kReal);
  int64_t before = Timer_GetMicroseconds();
  Timer_WaitMicroseconds(2500);
  EXPECT_EQ(g_sleeps, Sleeps{1});
  EXPECT_GE(g_pumps, 1);
  EXPECT_GE(Timer_GetMicroseconds() - before, 2500);
  before = Timer_GetMicroseconds();
  Timer_WaitMicroseconds(1999);
  EXPECT_GE(Timer_GetMicroseconds() - before, 1999);
  Timer_WaitMicroseconds(2000);
  Stream_Sleep(5999);
  EXPECT_EQ(g_sleeps, (Sleeps{1, 1, 4}));
}

TEST_F(TimerTest, VirtualClockMovesOnlyByWaits) {
  Timer_SelectClock(TimerClockKind::kVirtual);
  EXPECT_EQ(Timer_GetMicroseconds(), 0);
  Timer_WaitMicroseconds(10000000);
  EXPECT_EQ(Timer_GetMicroseconds(), 3000000);
  EXPECT_EQ(g_pumps, 1);
  Stream_Sleep(16667);
  Timer_WaitMicroseconds(-5);
  EXPECT_EQ(Timer_GetMicroseconds(), 3016667);
  EXPECT_EQ(g_pumps, 2);
  EXPECT_TRUE(g_sleeps.empty());
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
  Timer_WaitMicroseconds(2500);
  EXPECT_EQ(Timer_GetMicroseconds(), 2500);
  EXPECT_TRUE(g_sleeps.empty());

  unsetenv("KORVALITH_CLOCK");
  Switches_Reload();
  Timer_SelectClock(TimerClockKind::kFromSwitches);
  Timer_WaitMicroseconds(2500);
  EXPECT_EQ(g_sleeps, Sleeps{1});
  if (old != nullptr) setenv("KORVALITH_CLOCK", saved.c_str(), 1);
  Switches_Reload();
}

}  // namespace

#include "world/loop/game_loop.h"

#include <gtest/gtest.h>

#include "platform/device_window.h"
#include "platform/native_messages.h"
#include "platform/sdl/event_translator.h"
#include "platform/switches.h"
#include "runtime/timer.h"
#include "world/run/run_state.h"
#include "world/start/runner.h"
#include "world/start/world_teardown.h"

namespace {

TEST(FrameWait, PacesToTheRoomSpeed) {
  EXPECT_EQ(Run_FrameWait(30, 0), 33333);
  EXPECT_EQ(Run_FrameWait(30, 40000), 0);
  EXPECT_EQ(Run_FrameWait(30, 33000), 333);
  EXPECT_EQ(Run_FrameWait(1, -5000000), 1000000) << "never more than one second";
  EXPECT_EQ(Run_FrameWait(60, 16667), 0);
}

class VirtualFrames : public testing::Test {
 protected:
  void SetUp() override {
    Timer_SelectClock(TimerClockKind::kVirtual);
    Run_ResetClock();
    RunState_Reset();
    g_running = 1;
    g_paused = 1;  // frames pace and count without stepping a world
    testing::internal::CaptureStdout();
    Run_EnterMainLoop();
    testing::internal::GetCapturedStdout();
  }
  void TearDown() override {
    World_TearDownForTest();
    Timer_SelectClock(TimerClockKind::kFromSwitches);
  }
};

// Without a room frames run at 60 per second.
TEST_F(VirtualFrames, FramesPerSecondIsCountedPerWholeSecond) {
  for (int frame = 1; frame <= 60; ++frame) {
    Run_Frame();
    EXPECT_EQ(g_fps, 0) << "frame " << frame;
  }
  Run_Frame();
  EXPECT_EQ(g_fps, 60);
}

TEST_F(VirtualFrames, EachFrameWaitsItsShareOfASecond) {
  int64_t start = Timer_GetMicroseconds();
  for (int frame = 0; frame < 10; ++frame) Run_Frame();
  // 60 frames per second: 10 x 16666 us.
  EXPECT_EQ(Timer_GetMicroseconds() - start, 10 * 16666);
}

// The desktop takes Alt+F4 while the main window lives and is active; the
// world's pump then ends the run after the frame, once.
TEST(WorldPump, AltF4TakenByTheDesktopEndsTheRun) {
  struct Case {
    const char* name;
    bool filtered, active, alt;
    int32_t key;
    bool ends;
  };
  const Case cases[] = {
      {"Alt+F4", true, true, true, VK_F4, true},      {"F4 alone", true, true, false, VK_F4, false},
      {"Alt+F5", true, true, true, VK_F4 + 1, false}, {"window inactive", true, false, true, VK_F4, false},
      {"no window", false, true, true, VK_F4, false},
  };
  for (const Case& c : cases) {
    Native_FilterKeys(c.filtered);
    DeviceWindow_State().active = c.active;
    TranslatedKey key;
    key.virtualKey = c.key;
    key.down = true;
    key.alt = c.alt;
    Translator_DeliverKey(key);
    g_running = 1;
    Runner_PumpMessages();
    EXPECT_EQ(g_running, c.ends ? 0 : 1) << c.name;
    g_running = 1;
    Runner_PumpMessages();
    EXPECT_EQ(g_running, 1) << c.name << ": a second pump";
  }
  Native_FilterKeys(false);
  Native_ClearMessages();
  DeviceWindow_State() = DeviceWindowState();
  RunState_Reset();
}

}  // namespace

// The keyboard and mouse built-ins over the step's input state, the waits
// for a press, and the window cursor's flag.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "builtin_test_support.h"
#include "builtins/graphics/handlers.h"
#include "builtins/interaction/handlers.h"
#include "platform/switches.h"
#include "runtime/process.h"
#include "runtime/timer.h"
#include "world/input_test_support.h"
#include "world/run/run_state.h"

namespace {

double Real(BuiltinFunction handler, std::initializer_list<GoldenArg> args = {}) {
  return BuiltinCall(handler, args).Real();
}

class InteractionInput : public testing::Test {
 protected:
  void SetUp() override { inputtest::ResetInput(); }
  void TearDown() override { IO_Free(); }
};

TEST_F(InteractionInput, KeyChecksReadNoKeyAnyKeyAndRefuseOtherCodes) {
  EXPECT_EQ(Real(F_KeyboardCheck, {R(0)}), 1) << "no key is held";
  EXPECT_EQ(Real(F_KeyboardCheck, {R(1)}), 0);
  IO_OnKeyDown(37);
  IO_Update();
  EXPECT_EQ(Real(F_KeyboardCheck, {R(37)}), 1);
  EXPECT_EQ(Real(F_KeyboardCheckPressed, {R(37.4)}), 1);
  EXPECT_EQ(Real(F_KeyboardCheck, {R(1)}), 1);
  EXPECT_EQ(Real(F_KeyboardCheck, {R(0)}), 0);
  EXPECT_EQ(Real(F_KeyboardCheckReleased, {R(0)}), 1) << "nothing went up";
  for (double bad : {300.0, -1.0, double(NAN), 1e300}) EXPECT_EQ(Real(F_KeyboardCheck, {R(bad)}), 0) << bad;
  IO_OnKeyUp(37);
  IO_Update();
  EXPECT_EQ(Real(F_KeyboardCheckReleased, {R(37)}), 1);
  EXPECT_EQ(Real(F_KeyboardCheckReleased, {R(1)}), 1);
  EXPECT_EQ(Real(F_KeyboardCheck, {R(1)}), 0);
  BuiltinCall(F_KeyboardClear, {R(37)});
  EXPECT_EQ(Real(F_KeyboardCheckReleased, {R(37)}), 0);

  // A map takes key codes only.
  BuiltinCall(F_KeyboardSetMap, {R(37), R(300)});
  BuiltinCall(F_KeyboardSetMap, {R(-3), R(39)});
  EXPECT_EQ(Real(F_KeyboardGetMap, {R(37)}), 37);
}

TEST_F(InteractionInput, TheMiddleButtonAloneIsAnyButtonAndNotNone) {
  IO_OnMouseButtonDown(3);
  IO_Update();
  EXPECT_EQ(Real(F_MouseCheckButton, {R(-1)}), 1);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(0)}), 0);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(4)}), 0);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(3)}), 1);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(1)}), 0);
  EXPECT_EQ(Real(F_MouseCheckButtonPressed, {R(-1)}), 1);
  IO_OnMouseButtonUp(3);
  IO_Update();
  EXPECT_EQ(Real(F_MouseCheckButtonReleased, {R(-1)}), 1);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(0)}), 1);
  EXPECT_EQ(Real(F_MouseCheckButton, {R(NAN)}), 0);
}

// A wait on a desktop, with the virtual clock: the pump stands in for the
// window, doing something on one of its calls.
class InputWaits : public InteractionInput {
 protected:
  void SetUp() override {
    InteractionInput::SetUp();
    setenv("KORVALITH_HEADLESS", "0", 1);
    Switches_Reload();
    Timer_SelectClock(TimerClockKind::kVirtual);
    g_running = 1;
    pumps_ = 0;
    act_ = nullptr;
    Runner_SetMessagePump([] {
      if (++pumps_ == actAt_ && act_ != nullptr) act_();
    });
  }
  void TearDown() override {
    Runner_SetMessagePump(nullptr);
    RunState_Reset();
    setenv("KORVALITH_HEADLESS", "1", 1);
    Switches_Reload();
    Timer_SelectClock(TimerClockKind::kFromSwitches);
    InteractionInput::TearDown();
  }
  // Runs a wait; the microseconds it took.
  static int64_t Wait(BuiltinFunction wait, int32_t at, void (*act)()) {
    actAt_ = at;
    act_ = act;
    const int64_t start = Timer_GetMicroseconds();
    BuiltinCall call(wait, {});
    return Timer_GetMicroseconds() - start;
  }
  static inline int32_t pumps_ = 0;
  static inline int32_t actAt_ = 0;
  static inline void (*act_)() = nullptr;
};

TEST_F(InputWaits, AWaitEndsAtThePressOrWhenTheGameStops) {
  IO_OnKeyDown('A');  // pressed before the wait: forgotten
  EXPECT_EQ(Wait(F_KeyboardWait, 3, [] { IO_OnKeyDown('B'); }), 100000);
  EXPECT_EQ(pumps_, 3);
  pumps_ = 0;
  EXPECT_EQ(Wait(F_MouseWait, 2, [] { IO_OnMouseButtonDown(2); }), 50000);
  pumps_ = 0;
  EXPECT_EQ(Wait(F_KeyboardWait, 5, [] { g_running = 0; }), 200000) << "a quit ends the wait";
  pumps_ = 0;
  g_running = 1;
  EXPECT_EQ(Wait(F_MouseWait, 4, [] { g_running = 0; }), 150000);

  setenv("KORVALITH_HEADLESS", "1", 1);
  Switches_Reload();
  pumps_ = 0;
  g_running = 1;
  EXPECT_EQ(Wait(F_KeyboardWait, 0, nullptr), 0) << "headless nobody presses a key";
  EXPECT_EQ(pumps_, 1);
}

TEST(WindowCursor, EveryCursorButNoneShowsOne) {
  const bool before = g_showCursor;
  BuiltinCall(F_WindowSetCursor, {R(-1)});
  EXPECT_FALSE(g_showCursor);
  EXPECT_EQ(Real(F_WindowGetCursor), -1);
  BuiltinCall(F_WindowSetCursor, {R(-20)});
  EXPECT_TRUE(g_showCursor);
  BuiltinCall(F_WindowSetCursor, {R(5)});
  EXPECT_TRUE(g_showCursor);
  EXPECT_EQ(Real(F_WindowGetCursor), 5) << "kept though it shows nothing new";
  g_showCursor = before;
}

}  // namespace

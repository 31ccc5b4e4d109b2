// The key and button checks scripts make, and the waits for a press.
#include "platform/keys.h"
#include "platform/switches.h"
#include "runtime/process.h"
#include "runtime/timer.h"
#include "world/input/input.h"
#include "world/input/input_state.h"
#include "world/run/run_state.h"

namespace {

bool KeyHolds(InputTest test, int32_t code) {
  switch (test) {
    case InputTest::kHeld: return IO_KeyDown(code);
    case InputTest::kPressed: return IO_KeyPressed(code);
    case InputTest::kReleased: return IO_KeyReleased(code);
  }
  return false;
}

bool ButtonHolds(InputTest test, int32_t button, int32_t device) {
  switch (test) {
    case InputTest::kHeld: return IO_ButtonDown(button, device);
    case InputTest::kPressed: return IO_ButtonPressed(button, device);
    case InputTest::kReleased: return IO_ButtonReleased(button, device);
  }
  return false;
}

bool AnyKeyHolds(InputTest test) {
  for (int32_t code = 0; code < keys::kKeyCodeCount; ++code) {
    if (KeyHolds(test, code)) return true;
  }
  return false;
}

bool AnyButtonHolds(InputTest test, int32_t device) {
  for (int32_t button = 1; button <= kInputButtonCount; ++button) {
    if (ButtonHolds(test, button, device)) return true;
  }
  return false;
}

constexpr int64_t kWaitSlice = 50000;

// Handles the messages until `pressed` answers true or the game stops.
template <typename Pressed>
void WaitFor(Pressed pressed) {
  Runner_ProcessMessages();
  if (Switches_Get().headless) return;
  while (g_running != 0 && !pressed()) Timer_WaitMicroseconds(kWaitSlice);
}

}  // namespace

bool IO_CheckKey(InputTest test, int32_t code) {
  if (code == keys::kNoKey) return !AnyKeyHolds(test);
  if (code == keys::kAnyKey) return AnyKeyHolds(test);
  return KeyHolds(test, code);
}

bool IO_CheckButton(InputTest test, int32_t button, int32_t device) {
  if (button == -1) return AnyButtonHolds(test, device);
  if (button == 0) return !AnyButtonHolds(test, device);
  return ButtonHolds(test, button, device);
}

void IO_WaitForKey() {
  Input_StepSide().lastKey = 0;
  Input_WindowSide().lastKey = 0;
  WaitFor([] { return Input_WindowSide().lastKey != 0; });
}

void IO_WaitForButton() {
  Input_StepSide().lastButton[0] = 0;
  Input_WindowSide().lastButton = 0;
  WaitFor([] { return Input_WindowSide().lastButton != 0; });
}

// The window side of the input state: written as the window layer hands on
// its events, read once per step by the poll.
#include "platform/keys.h"
#include "world/input/input.h"
#include "world/input/input_state.h"

namespace {

bool IsButton(int32_t button) { return button >= 1 && button <= kInputButtonCount; }

}  // namespace

void IO_OnKeyDown(int32_t code) {
  code = IO_GetKeyMap(code);
  if (!keys::IsKeyCode(code)) return;
  InputWindowSide& w = Input_WindowSide();
  w.lastKey = w.currentKey = code;
  if (w.keyDown[code] != 1) w.keyPressed[code] = 1;
  w.keyDown[code] = 1;
}

// A release clears pressed, so a tap that falls between two steps shows
// only as released in the next one.
void IO_OnKeyUp(int32_t code) {
  code = IO_GetKeyMap(code);
  if (!keys::IsKeyCode(code)) return;
  InputWindowSide& w = Input_WindowSide();
  if (w.currentKey == code) w.currentKey = 0;
  w.keyDown[code] = 0;
  w.keyPressed[code] = 0;
  w.keyReleased[code] = 1;
}

void IO_OnMouseButtonDown(int32_t button) {
  if (!IsButton(button)) return;
  InputWindowSide& w = Input_WindowSide();
  w.currentButton = w.lastButton = button;
  if (w.buttonDown[button - 1] == 0) w.buttonPressed[button - 1] = 1;
  w.buttonDown[button - 1] = 1;
}

void IO_OnMouseButtonUp(int32_t button) {
  if (!IsButton(button)) return;
  InputWindowSide& w = Input_WindowSide();
  w.currentButton = 0;
  w.buttonDown[button - 1] = 0;
  w.buttonPressed[button - 1] = 0;
  w.buttonReleased[button - 1] = 1;
}

bool IO_OnWheelUp() {
  Input_WindowSide().wheelUp = 1;
  return true;
}

bool IO_OnWheelDown() {
  Input_WindowSide().wheelDown = 1;
  return true;
}

void IO_OnMouseMove(int32_t x, int32_t y) {
  Input_WindowSide().mouseX = x;
  Input_WindowSide().mouseY = y;
}

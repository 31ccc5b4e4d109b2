#include "world/input/input.h"

#include <cstring>

#include "platform/keys.h"
#include "shell/window.h"
#include "shell/window_input.h"
#include "world/input/input_state.h"

namespace {

InputStepSide g_step;
// The window procedure's side, which the clears below empty with the step's.
InputWindowSide& g_window = Input_WindowSide();

bool IsDevice(int32_t device) { return device >= 0 && device < kInputDeviceCount; }
bool IsButton(int32_t button) { return button >= 1 && button <= kInputButtonCount; }

}  // namespace

InputStepSide& Input_StepSide() { return g_step; }

void IO_ClearKeys() {
  g_step.lastKey = g_step.currentKey = 0;
  g_window.lastKey = g_window.currentKey = 0;
  g_step.lastChar = g_window.lastChar = 0;
  std::memset(g_step.keyDown, 0, sizeof g_step.keyDown);
  std::memset(g_step.keyPressed, 0, sizeof g_step.keyPressed);
  std::memset(g_step.keyReleased, 0, sizeof g_step.keyReleased);
  std::memset(g_window.keyDown, 0, sizeof g_window.keyDown);
  std::memset(g_window.keyPressed, 0, sizeof g_window.keyPressed);
  std::memset(g_window.keyReleased, 0, sizeof g_window.keyReleased);
}

// The strings are zeroed whole, not just cut, so that recordings made from
// the same input are byte for byte the same.
void IO_Clear() {
  std::memset(g_step.keyboardString, 0, sizeof g_step.keyboardString);
  std::memset(g_window.keyboardString, 0, sizeof g_window.keyboardString);
  Input_KeyboardLength() = 0;
  IO_ClearKeys();
  g_step.lastButton[0] = g_step.currentButton[0] = 0;
  g_window.lastButton = g_window.currentButton = 0;
  std::memset(g_step.wheelUp, 0, sizeof g_step.wheelUp);
  std::memset(g_step.wheelDown, 0, sizeof g_step.wheelDown);
  g_window.wheelUp = g_window.wheelDown = 0;
  std::memset(g_step.buttonDown[0], 0, kInputButtonCount);
  std::memset(g_step.buttonPressed[0], 0, kInputButtonCount);
  std::memset(g_step.buttonReleased[0], 0, kInputButtonCount);
  std::memset(g_window.buttonDown, 0, sizeof g_window.buttonDown);
  std::memset(g_window.buttonPressed, 0, sizeof g_window.buttonPressed);
  std::memset(g_window.buttonReleased, 0, sizeof g_window.buttonReleased);
}

uint16_t IO_GetLastChar() { return g_step.lastChar; }
void IO_SetLastChar(uint16_t unit) { g_step.lastChar = unit; }

int32_t IO_GetLastKey() { return g_step.lastKey; }
int32_t IO_GetCurrentKey() { return g_step.currentKey; }

// Setting the last key also forgets the window's, so the next poll does not
// bring back the key just overwritten.
void IO_SetLastKey(int32_t code) {
  if (!keys::IsKeyCode(code)) return;
  g_step.lastKey = code;
  g_window.lastKey = g_window.currentKey = 0;
}

void IO_SetCurrentKey(int32_t code) {
  if (keys::IsKeyCode(code)) g_step.currentKey = code;
}

bool IO_KeyDown(int32_t code) { return keys::IsKeyCode(code) && g_step.keyDown[code] != 0; }
bool IO_KeyPressed(int32_t code) { return keys::IsKeyCode(code) && g_step.keyPressed[code] != 0; }
bool IO_KeyReleased(int32_t code) { return keys::IsKeyCode(code) && g_step.keyReleased[code] != 0; }

void IO_ClearKey(int32_t code) {
  if (!keys::IsKeyCode(code)) return;
  g_step.keyDown[code] = g_step.keyPressed[code] = g_step.keyReleased[code] = 0;
  g_window.keyDown[code] = g_window.keyPressed[code] = g_window.keyReleased[code] = 0;
}

int32_t IO_GetLastButton(int32_t device) { return IsDevice(device) ? g_step.lastButton[device] : 0; }
int32_t IO_GetCurrentButton(int32_t device) { return IsDevice(device) ? g_step.currentButton[device] : 0; }

void IO_SetLastButton(int32_t button, int32_t device) {
  if (IsButton(button) && IsDevice(device)) g_step.lastButton[device] = button;
}

void IO_SetCurrentButton(int32_t button, int32_t device) {
  if (IsButton(button) && IsDevice(device)) g_step.currentButton[device] = button;
}

bool IO_ButtonDown(int32_t button, int32_t device) {
  return IsButton(button) && IsDevice(device) && g_step.buttonDown[device][button - 1] != 0;
}
bool IO_ButtonPressed(int32_t button, int32_t device) {
  return IsButton(button) && IsDevice(device) && g_step.buttonPressed[device][button - 1] != 0;
}
bool IO_ButtonReleased(int32_t button, int32_t device) {
  return IsButton(button) && IsDevice(device) && g_step.buttonReleased[device][button - 1] != 0;
}
bool IO_WheelUp(int32_t device) { return IsDevice(device) && g_step.wheelUp[device] != 0; }
bool IO_WheelDown(int32_t device) { return IsDevice(device) && g_step.wheelDown[device] != 0; }

void IO_ClearButton(int32_t button, int32_t device) {
  if (!IsButton(button) || !IsDevice(device)) return;
  int b = button - 1;
  g_step.buttonDown[device][b] = g_step.buttonPressed[device][b] = g_step.buttonReleased[device][b] = 0;
  if (device == 0) g_window.buttonDown[b] = g_window.buttonPressed[b] = g_window.buttonReleased[b] = 0;
}

int32_t IO_MouseX(int32_t device) { return IsDevice(device) ? g_step.mouseX[device] : 0; }
int32_t IO_MouseY(int32_t device) { return IsDevice(device) ? g_step.mouseY[device] : 0; }
int32_t IO_WindowMouseX() { return g_step.windowMouseX; }
int32_t IO_WindowMouseY() { return g_step.windowMouseY; }

void IO_RoomMouse(int32_t* x, int32_t* y) {
  *x = *y = 0;
  Win_WindowToRoom(g_step.windowMouseX, g_step.windowMouseY, x, y);
}

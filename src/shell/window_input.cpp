// The window side of the input state: written as the window procedure hands
// on its messages, read once per step by the world's poll.
#include "shell/window_input.h"

#include <cstring>

#include "platform/keys.h"

namespace {

InputWindowSide g_window;
int32_t g_keyboardLength = 0;
int32_t g_keyMap[kInputKeyCount];
bool g_keyMapReady = false;
void (*g_beforeFirstMessage)() = nullptr;

constexpr int32_t kMaxTypedUnits = kKeyboardStringUnits - 1;
// The string is cut back once it reaches this many units.
constexpr int32_t kCutAtUnits = 1023;
constexpr int32_t kBackspace = 8;

bool IsButton(int32_t button) { return button >= 1 && button <= kInputButtonCount; }

void EnsureKeyMap() {
  if (!g_keyMapReady) IO_ResetKeyMap();
}

void TakeMessage() {
  void (*hook)() = g_beforeFirstMessage;
  g_beforeFirstMessage = nullptr;
  if (hook != nullptr) hook();
}

void ClampLength() {
  if (g_keyboardLength < 0) g_keyboardLength = 0;
  if (g_keyboardLength > kMaxTypedUnits) g_keyboardLength = kMaxTypedUnits;
}

}  // namespace

InputWindowSide& Input_WindowSide() { return g_window; }
int32_t& Input_KeyboardLength() { return g_keyboardLength; }
void Input_BeforeFirstMessage(void (*hook)()) { g_beforeFirstMessage = hook; }

void IO_OnKeyDown(int32_t code) {
  TakeMessage();
  code = IO_GetKeyMap(code);
  if (!keys::IsKeyCode(code)) return;
  InputWindowSide& w = g_window;
  w.lastKey = w.currentKey = code;
  if (w.keyDown[code] != 1) w.keyPressed[code] = 1;
  w.keyDown[code] = 1;
}

// A release clears pressed, so a tap that falls between two steps shows
// only as released in the next one.
void IO_OnKeyUp(int32_t code) {
  TakeMessage();
  code = IO_GetKeyMap(code);
  if (!keys::IsKeyCode(code)) return;
  InputWindowSide& w = g_window;
  if (w.currentKey == code) w.currentKey = 0;
  w.keyDown[code] = 0;
  w.keyPressed[code] = 0;
  w.keyReleased[code] = 1;
}

// Codes below 32 are control keys, not text: only backspace does anything.
void IO_OnChar(int32_t code) {
  TakeMessage();
  InputWindowSide& w = g_window;
  int32_t& length = g_keyboardLength;
  ClampLength();
  auto unit = static_cast<uint16_t>(code & 0xFFFF);
  w.lastChar = unit;
  if (length >= kCutAtUnits) {
    uint16_t last = w.keyboardString[length - 1];
    std::memset(w.keyboardString, 0, sizeof w.keyboardString);
    w.keyboardString[0] = last;
    length = 1;
  }
  if (unit == kBackspace && length > 0) {
    w.keyboardString[--length] = 0;
    return;
  }
  if (unit < 32) {
    w.keyboardString[length] = 0;
    return;
  }
  w.keyboardString[length++] = unit;
  w.keyboardString[length] = 0;
}

void IO_OnMouseButtonDown(int32_t button) {
  TakeMessage();
  if (!IsButton(button)) return;
  InputWindowSide& w = g_window;
  w.currentButton = w.lastButton = button;
  if (w.buttonDown[button - 1] == 0) w.buttonPressed[button - 1] = 1;
  w.buttonDown[button - 1] = 1;
}

void IO_OnMouseButtonUp(int32_t button) {
  TakeMessage();
  if (!IsButton(button)) return;
  InputWindowSide& w = g_window;
  w.currentButton = 0;
  w.buttonDown[button - 1] = 0;
  w.buttonPressed[button - 1] = 0;
  w.buttonReleased[button - 1] = 1;
}

bool IO_OnWheelUp() {
  TakeMessage();
  g_window.wheelUp = 1;
  return true;
}

bool IO_OnWheelDown() {
  TakeMessage();
  g_window.wheelDown = 1;
  return true;
}

void IO_OnMouseMove(int32_t x, int32_t y) {
  TakeMessage();
  g_window.mouseX = x;
  g_window.mouseY = y;
}

int32_t IO_GetKeyMap(int32_t code) {
  if (!keys::IsKeyCode(code)) return code;
  EnsureKeyMap();
  return g_keyMap[code];
}

void IO_SetKeyMap(int32_t code, int32_t value) {
  if (!keys::IsKeyCode(code)) return;
  EnsureKeyMap();
  g_keyMap[code] = value;
}

void IO_ResetKeyMap() {
  for (int32_t i = 0; i < kInputKeyCount; ++i) g_keyMap[i] = i;
  g_keyMapReady = true;
}

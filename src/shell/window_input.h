// The window side of the input state: what the window procedure marks as
// the main window's key, character and mouse messages arrive, and the key
// map every key message passes through. The world's input copies it to the
// side a step reads once at the start of every step.
#pragma once

#include <cstdint>

constexpr int kInputKeyCount = 256;
constexpr int kInputButtonCount = 3;  // buttons 1..3 at index 0..2
// 1024 typed units and a terminating zero.
constexpr int kKeyboardStringUnits = 1025;

// Only the system mouse has a window side.
struct InputWindowSide {
  uint16_t lastChar;
  uint16_t keyboardString[kKeyboardStringUnits];
  int32_t lastKey;
  int32_t currentKey;
  uint8_t keyDown[kInputKeyCount];
  uint8_t keyPressed[kInputKeyCount];
  uint8_t keyReleased[kInputKeyCount];
  int32_t currentButton;
  int32_t lastButton;
  uint8_t buttonDown[kInputButtonCount];
  uint8_t buttonPressed[kInputButtonCount];
  uint8_t buttonReleased[kInputButtonCount];
  uint8_t wheelUp, wheelDown;
  int32_t mouseX, mouseY;
};

InputWindowSide& Input_WindowSide();
// A hook run once, just before the next message changes the window side
// (null disarms it). The world's input arms it at start-up, so that what the
// game set before its first step is carried over before the first message
// taken adds to it.
void Input_BeforeFirstMessage(void (*hook)());
// Units in keyboard_string; one count serves the window side and the step's.
int32_t& Input_KeyboardLength();

// Key codes outside 0..255 (after the map) change nothing.
void IO_OnKeyDown(int32_t code);
void IO_OnKeyUp(int32_t code);
// One UTF-16 unit typed; 8 is backspace, other codes below 32 are not text.
void IO_OnChar(int32_t code);
// Buttons 1..3 (left, right, middle); others change nothing.
void IO_OnMouseButtonDown(int32_t button);
void IO_OnMouseButtonUp(int32_t button);
// Both answer true: the event counts as handled.
bool IO_OnWheelUp();
bool IO_OnWheelDown();
void IO_OnMouseMove(int32_t x, int32_t y);

// Every key message's code passes through this map (identity at start).
int32_t IO_GetKeyMap(int32_t code);
void IO_SetKeyMap(int32_t code, int32_t value);
void IO_ResetKeyMap();

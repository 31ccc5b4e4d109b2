// The two copies of the keyboard and mouse state. The window side is written
// as input arrives; the step side is what a step reads, refreshed from the
// window side (or from a recorded step) once at the start of every step, so
// it never changes while a step runs.
#pragma once

#include <cstdint>

constexpr int kInputKeyCount = 256;
constexpr int kInputDeviceCount = 5;
constexpr int kInputButtonCount = 3;  // buttons 1..3 at index 0..2
// 1024 typed units and a terminating zero.
constexpr int kKeyboardStringUnits = 1025;

struct InputStepSide {
  uint16_t lastChar;
  uint16_t keyboardString[kKeyboardStringUnits];
  int32_t lastKey;
  int32_t currentKey;
  uint8_t keyDown[kInputKeyCount];
  uint8_t keyReleased[kInputKeyCount];
  uint8_t keyPressed[kInputKeyCount];
  int32_t lastButton[kInputDeviceCount];
  int32_t currentButton[kInputDeviceCount];
  uint8_t buttonDown[kInputDeviceCount][kInputButtonCount];
  uint8_t buttonReleased[kInputDeviceCount][kInputButtonCount];
  uint8_t buttonPressed[kInputDeviceCount][kInputButtonCount];
  uint8_t wheelUp[kInputDeviceCount];
  uint8_t wheelDown[kInputDeviceCount];
  int32_t cursorX, cursorY;            // on the screen
  int32_t windowMouseX, windowMouseY;  // in the window
  // Per-device pointer positions; only device 0 is fed, from the window.
  int32_t mouseX[kInputDeviceCount];
  int32_t mouseY[kInputDeviceCount];
};

// Only the system mouse (device 0) has a window side.
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

InputStepSide& Input_StepSide();
InputWindowSide& Input_WindowSide();
// Units in keyboard_string; one count serves both sides.
int32_t& Input_KeyboardLength();

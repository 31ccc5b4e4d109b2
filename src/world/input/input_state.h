// The step side of the keyboard and mouse state: what a step reads,
// refreshed from the window side (shell/window_input.h, written as input
// arrives) or from a recorded step once at the start of every step, so it
// never changes while a step runs.
#pragma once

#include <cstdint>

#include "shell/window_input.h"

constexpr int kInputDeviceCount = 5;

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
  // The window the step meets (shell/window.h's WindowGeometry): a client
  // width or height of 0 leaves the mouse to this run's own window.
  int32_t windowWidth, windowHeight;
  int32_t letterboxX, letterboxY;
  uint8_t fullScreen;
  // Per-device pointer positions; only device 0 is fed, from the window.
  int32_t mouseX[kInputDeviceCount];
  int32_t mouseY[kInputDeviceCount];
};

InputStepSide& Input_StepSide();

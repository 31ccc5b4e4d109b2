// The input state's life: made at start-up, refreshed once at the start of
// every step, released at shutdown.
#include <cstring>

#include "graphics/device/graphics.h"
#include "shell/window.h"
#include "world/input/input.h"
#include "world/input/input_record.h"
#include "world/input/input_state.h"
#include "world/input/virtual_keys.h"

namespace {

int32_t g_updates = 0;
// State set before the first step (by start-up code or a test) is pushed to
// the window side once, so that the first poll does not wipe it: at the first
// poll, or once the game's start code runs, at the first message taken, so
// that messages taken before the first step (keys the game pressed itself)
// add to it.
bool g_firstPoll = true;

void ClearStepEdges() {
  InputStepSide& s = Input_StepSide();
  std::memset(s.keyPressed, 0, sizeof s.keyPressed);
  std::memset(s.keyReleased, 0, sizeof s.keyReleased);
  std::memset(s.buttonPressed, 0, sizeof s.buttonPressed);
  std::memset(s.buttonReleased, 0, sizeof s.buttonReleased);
  std::memset(s.wheelUp, 0, sizeof s.wheelUp);
  std::memset(s.wheelDown, 0, sizeof s.wheelDown);
}

void CopyStepToWindow() {
  const InputStepSide& s = Input_StepSide();
  InputWindowSide& w = Input_WindowSide();
  w.lastChar = s.lastChar;
  std::memcpy(w.keyboardString, s.keyboardString, sizeof w.keyboardString);
  w.lastKey = s.lastKey;
  w.currentKey = s.currentKey;
  std::memcpy(w.keyDown, s.keyDown, sizeof w.keyDown);
  std::memcpy(w.keyPressed, s.keyPressed, sizeof w.keyPressed);
  std::memcpy(w.keyReleased, s.keyReleased, sizeof w.keyReleased);
  w.currentButton = s.currentButton[0];
  w.lastButton = s.lastButton[0];
  std::memcpy(w.buttonDown, s.buttonDown[0], sizeof w.buttonDown);
  std::memcpy(w.buttonPressed, s.buttonPressed[0], sizeof w.buttonPressed);
  std::memcpy(w.buttonReleased, s.buttonReleased[0], sizeof w.buttonReleased);
  w.wheelUp = s.wheelUp[0];
  w.wheelDown = s.wheelDown[0];
}

void CopyWindowToStep() {
  const InputWindowSide& w = Input_WindowSide();
  InputStepSide& s = Input_StepSide();
  s.lastChar = w.lastChar;
  std::memcpy(s.keyboardString, w.keyboardString, sizeof s.keyboardString);
  s.mouseX[0] = s.windowMouseX = w.mouseX;
  s.mouseY[0] = s.windowMouseY = w.mouseY;
  s.lastKey = w.lastKey;
  s.currentKey = w.currentKey;
  std::memcpy(s.keyDown, w.keyDown, sizeof s.keyDown);
  s.currentButton[0] = w.currentButton;
  s.lastButton[0] = w.lastButton;
  std::memcpy(s.buttonDown[0], w.buttonDown, sizeof w.buttonDown);
  s.wheelUp[0] = w.wheelUp;
  s.wheelDown[0] = w.wheelDown;
}

// Edges seen by the window since the last poll are added, never lost.
void MergeWindowEdges() {
  const InputWindowSide& w = Input_WindowSide();
  InputStepSide& s = Input_StepSide();
  for (int i = 0; i < kInputKeyCount; ++i) {
    s.keyPressed[i] |= w.keyPressed[i];
    s.keyReleased[i] |= w.keyReleased[i];
  }
  for (int b = 0; b < kInputButtonCount; ++b) {
    s.buttonPressed[0][b] |= w.buttonPressed[b];
    s.buttonReleased[0][b] |= w.buttonReleased[b];
  }
}

void ClearWindowEdges() {
  InputWindowSide& w = Input_WindowSide();
  std::memset(w.keyPressed, 0, sizeof w.keyPressed);
  std::memset(w.keyReleased, 0, sizeof w.keyReleased);
  std::memset(w.buttonPressed, 0, sizeof w.buttonPressed);
  std::memset(w.buttonReleased, 0, sizeof w.buttonReleased);
  w.wheelUp = w.wheelDown = 0;
}

void CarryStepSideOnce() {
  if (!g_firstPoll) return;
  CopyStepToWindow();
  g_firstPoll = false;
}

}  // namespace

int32_t IO_StepCount() { return g_updates; }

void IO_Init() {
  g_firstPoll = true;
  IO_ClearPointerSlots();
  IO_Clear();
  IO_ResetKeyMap();
  InputRecord_Open();
  VirtualKeys_Init();
}

void IO_GameStarting() {
  if (g_firstPoll) Input_BeforeFirstMessage(CarryStepSideOnce);
}

void IO_Free() {
  InputRecord_Close();
  VirtualKeys_Free();
}

void IO_Poll() {
  InputStepSide& s = Input_StepSide();
  CarryStepSideOnce();
  Input_BeforeFirstMessage(nullptr);
  s.cursorX = Graphics::GetCursorX();
  s.cursorY = Graphics::GetCursorY();
  const WindowGeometry window = Win_CurrentGeometry();
  s.windowWidth = window.clientWidth;
  s.windowHeight = window.clientHeight;
  s.letterboxX = window.letterboxX;
  s.letterboxY = window.letterboxY;
  s.fullScreen = window.fullScreen ? 1 : 0;
  CopyWindowToStep();
  MergeWindowEdges();
  ClearWindowEdges();
}

void IO_Update() {
  ++g_updates;
  ClearStepEdges();
  if (InputRecord_PlaybackMode()) {
    IO_ReadPlayback();
  } else {
    IO_Poll();
    IO_UpdateVirtualKeys();
  }
  if (InputRecord_RecordMode()) IO_WriteRecord();
}

#include "shell/window_fixture.h"

#include "support/test_support.h"

namespace windowtest {

Record& Recorded() {
  static Record record;
  return record;
}

WindowServices RecordingServices() {
  WindowServices s;
  s.altEnterAllowed = [] { return Recorded().altEnter; };
  s.letterboxOffset = [](int32_t* x, int32_t* y) {
    *x = Recorded().letterboxX;
    *y = Recorded().letterboxY;
  };
  s.requestWindowSize = [](int32_t w, int32_t h) {
    Recorded().requestedWidth = w;
    Recorded().requestedHeight = h;
  };
  s.requestGraphicsReset = [] { ++Recorded().resets; };
  s.stepMouse = [](int32_t* x, int32_t* y) {
    *x = Recorded().stepMouseX;
    *y = Recorded().stepMouseY;
  };
  s.deviceMouse = [](int32_t, int32_t* x, int32_t* y) {
    *x = Recorded().stepMouseX;
    *y = Recorded().stepMouseY;
  };
  s.lostToOtherProgram = [] { ++Recorded().lostFocus; };
  return s;
}

void ClearInput() {
  Window() = InputWindowSide();
  Input_KeyboardLength() = 0;
  IO_ResetKeyMap();
}

Keys Typed() {
  Keys units;
  for (const uint16_t unit : Window().keyboardString) {
    if (unit == 0) break;
    units.push_back(unit);
  }
  return units;
}

void WindowTest::MakeWindow(int32_t width, int32_t height, uint32_t flags, const char* name) {
  WindowGameSettings settings;
  settings.optionFlags = flags;
  settings.screenWidth = 320;
  settings.screenHeight = 240;
  settings.displayName = name;
  Win_SetGameSettings(settings);
  {
    testsupport::ConsoleCapture quiet;
    Win_CreateMainWindow(width, height);
  }
  ASSERT_NE(g_mainWindow, 0u);
  Native_ClearMessages();
}

void HoldRightShift(bool held) {
  Native_KeybdEvent(VK_RSHIFT, !held);
  Native_ClearMessages();
}

void WindowTest::SetUp() {
  Recorded() = Record();
  ClearInput();
  Win_SetServices(RecordingServices());
  DeviceWindow_State() = DeviceWindowState();
  Win_ClearAllPorts();
  Win_SetPortScale(1.0f, 1.0f);
  Translator_Reset();
  Native_TakeStopRequest();
  MakeWindow();
}

void WindowTest::TearDown() {
  Native_ClearMessages();
  Native_ResetSyntheticKeys();
  Win_SetServices(WindowServices());
  ClearInput();
  DeviceWindow_Destroy();
}

}  // namespace windowtest

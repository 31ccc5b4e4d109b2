// The main window at start-up: the window layer learns the game's settings
// and is wired to the step's mouse, the run control, the options and the
// graphics.
#include "gamefile/game_header.h"
#include "gamefile/options.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/input/input.h"
#include "world/run/run_state.h"
#include "world/services/platform_services.h"
#include "world/start/startup_services.h"
#include "world/start/wiring.h"

namespace {

bool AltEnterAllowed() { return Option_On(kOptionAltEnter); }
void RequestReset() { g_graphicsResetPending = 1; }

void StepMouse(int32_t* x, int32_t* y) {
  *x = IO_WindowMouseX();
  *y = IO_WindowMouseY();
}

void DeviceMouse(int32_t device, int32_t* x, int32_t* y) {
  *x = IO_MouseX(device);
  *y = IO_MouseY(device);
}

// The picture the game draws, which the frame scales onto the window: a
// reset for a new window size leaves it as it was.
void ScreenSizeOfGame(int32_t* width, int32_t* height) {
  const AreaSize area = RoomDraw_Area();
  *width = area.width;
  *height = area.height;
}

void PortScale(float* x, float* y) {
  *x = g_portScale[0];
  *y = g_portScale[1];
}

}  // namespace

WindowServices StartupServices_WindowServices() {
  WindowServices s;
  s.altEnterAllowed = AltEnterAllowed;
  s.letterboxOffset = Graphics::GetLetterboxOffset;
  s.requestWindowSize = Graphics::RequestWindowSize;
  s.requestGraphicsReset = RequestReset;
  s.stepMouse = StepMouse;
  s.deviceMouse = DeviceMouse;
  s.screenSize = ScreenSizeOfGame;
  s.portScale = PortScale;
  s.lostToOtherProgram = Services_OSPauseEvent;
  return s;
}

void StartupServices_CreateWindow() {
  Wiring_InstallWindow();
  WindowGameSettings settings;
  settings.optionFlags = g_windowFlags;
  settings.screenWidth = g_windowWidth;
  settings.screenHeight = g_windowHeight;
  settings.displayName = g_gameHeader.displayName;
  Win_SetGameSettings(settings);
  Win_ClearAllPorts();
  Win_CreateMainWindow(g_windowWidth, g_windowHeight);
}

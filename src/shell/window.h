// The game's main window: its creation, its window procedure and keyboard
// hook, the message pump, and the window operations behind the window and
// mouse built-ins, with the mapping of window pixels to room coordinates
// through the window ports.
#pragma once

#include <cstdint>

#include "platform/window_messages.h"

// What the window needs of the layers above it (the step's mouse, run
// control, options, graphics); its keys and mouse go to the window side of
// the input state (shell/window_input.h) directly. A member left null does
// nothing and answers false/0.
struct WindowServices {
  bool (*altEnterAllowed)() = nullptr;
  // The picture's offset inside the client area when bars surround it.
  void (*letterboxOffset)(int32_t* x, int32_t* y) = nullptr;
  // The client size the next graphics reset gives the window.
  void (*requestWindowSize)(int32_t width, int32_t height) = nullptr;
  void (*requestGraphicsReset)() = nullptr;
  // The step-side mouse in client pixels, and a pointer device's position.
  void (*stepMouse)(int32_t* x, int32_t* y) = nullptr;
  void (*deviceMouse)(int32_t device, int32_t* x, int32_t* y) = nullptr;
  // The focus went to another program's window.
  void (*lostToOtherProgram)() = nullptr;
  // The game screen's current size (the header's until set), and the port
  // scale kept by room drawing (Win_SetPortScale's until set).
  void (*screenSize)(int32_t* width, int32_t* height) = nullptr;
  void (*portScale)(float* x, float* y) = nullptr;
};
void Win_SetServices(const WindowServices& services);

// What creation reads of the game: the header's option word (0x1 popup,
// 0x20 cursor shown, 0x40 resizable), its screen size and display name.
struct WindowGameSettings {
  uint32_t optionFlags = 0;
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  const char* displayName = nullptr;
};
void Win_SetGameSettings(const WindowGameSettings& settings);

extern NativeWindow g_mainWindow;
extern uint32_t g_windowStyle;
extern int32_t g_clientWidth;
extern int32_t g_clientHeight;
extern int32_t g_outerWidth;  // the window with its frame
extern int32_t g_outerHeight;
extern int32_t g_screenWidth;
extern int32_t g_screenHeight;

constexpr uint32_t kStylePopup = 0x80000000u;
constexpr uint32_t kStyleSizeable = 0xCF0000u;
constexpr uint32_t kStyleFixed = 0xCA0000u;

void Win_CreateMainWindow(int32_t width, int32_t height);
MsgResult Win_WindowProc(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam);
MsgResult Win_DefWindowProc(NativeWindow window, uint32_t message, MsgWParam wParam, MsgLParam lParam);
// Hides the window and posts its WM_DESTROY (once); the desktop window
// itself stays until the graphics are shut down.
void Win_DestroyWindow(NativeWindow window);

// Handles every queued message of the main window; true when WM_QUIT came.
bool Win_DispatchMessages();
// Queues WM_QUIT: the next pump ends the run.
void Win_PostQuit();
// Polls the desktop's events first, then dispatches.
bool Win_PumpMessages();
// The game's step has read the input: releases held back for it may come.
void Win_InputTaken();

// g_windowActive: the window has the focus or the application is active.
bool Win_IsActive();

// Window operations.
void Win_SetCaption(const char* text, bool forced);
const char* Win_GetCaption();
// Shows a title on the window without replacing the caption text, which a
// later Win_SetCaption shows again.
void Win_SetTitle(const char* title);
void Win_SetFullscreen(bool flag);
bool Win_GetFullscreen();
void Win_Center();
void Win_SetPosition(int32_t x, int32_t y);
void Win_SetSize(int32_t width, int32_t height);
void Win_SetRectangle(int32_t x, int32_t y, int32_t width, int32_t height);
int32_t Win_GetX();
int32_t Win_GetY();
int32_t Win_GetWidth();
int32_t Win_GetHeight();
int32_t Win_GetScreenWidth();
int32_t Win_GetScreenHeight();
void Win_SetColor(uint32_t colour);
uint32_t Win_GetColor();
// The cursor constants the game start and end use.
constexpr int32_t kWinCursorDefault = 0;
constexpr int32_t kWinCursorNone = -1;
void Win_SetCursor(int32_t constant);
int32_t Win_GetCursor();

// Mouse and ports.
constexpr int32_t kWindowPortCount = 32;
struct WindowPort {
  uint8_t inUse;
  float viewX, viewY, viewWidth, viewHeight;
  float portX, portY, portWidth, portHeight;
  float angle;
  int32_t surface;
};
extern WindowPort g_windowPorts[kWindowPortCount];
extern int32_t g_windowPortsInUse;

int32_t Win_GetMouseX();
int32_t Win_GetMouseY();
void Win_SetMouse(int32_t x, int32_t y);
void Win_SetPort(int32_t n, float portX, float portY, float portWidth, float portHeight, float viewX, float viewY,
                 float viewWidth, float viewHeight, float angle, int32_t surface);
void Win_ClearPort(int32_t n);
void Win_ClearAllPorts();
// The ratio of the room's port area to the drawn area, when room drawing
// does not provide it through the services.
void Win_SetPortScale(float x, float y);
void Win_PortWindowToRoom(int32_t n, int32_t windowX, int32_t windowY, int32_t* roomX, int32_t* roomY);
void Win_PortRoomToWindow(int32_t n, float roomX, float roomY, int32_t* x, int32_t* y);
void Win_WindowToRoom(int32_t x, int32_t y, int32_t* roomX, int32_t* roomY);
int32_t Win_GetViewMouseX(int32_t n);
int32_t Win_GetViewMouseY(int32_t n);
int32_t Win_GetDeviceMouseX(int32_t device);
int32_t Win_GetDeviceMouseY(int32_t device);

// The window as a step meets it: the client size the mouse maps through and
// window_get_width and window_get_height answer, the bars around the picture,
// and the full-screen wish. An input recording keeps it step by step.
struct WindowGeometry {
  int32_t clientWidth = 0, clientHeight = 0;
  int32_t letterboxX = 0, letterboxY = 0;
  bool fullScreen = false;
};
// This run's own window, now.
WindowGeometry Win_CurrentGeometry();
// A recording played back: until the next call, the mouse maps through this
// geometry and the size getters answer it, whatever this run's window is; a
// full-screen wish other than the window's is taken up as one the user made
// (Alt+Enter). Null gives the mapping back to the window.
void Win_PlayGeometry(const WindowGeometry* geometry);

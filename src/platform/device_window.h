// What the graphics device needs of the main window: a place to draw, its
// client size, position and style. Headless there is no real window; the
// record keeps the same numbers so that the device logic runs unchanged.
// The window layer takes these over when it creates the main window.
#pragma once
#include <cstdint>

struct DeviceWindow;

struct DeviceWindowState {
  bool fullScreen = false;       // asked for by the window layer
  bool fullScreenStyle = false;  // the window currently has the full-screen style
  bool positionGiven = false;    // a script placed the window: keep its place
  bool sizeable = false;         // the game's sizeable-window option
  bool active = true;            // the window has the focus
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  uint32_t windowColour = 0;  // script colour 0xBBGGRR of the bars around the picture
};
DeviceWindowState& DeviceWindow_State();

// The main window, made on first use (an SDL window with a GL context when
// not headless); null when headless or when it cannot be made.
DeviceWindow* DeviceWindow_Get(int32_t width, int32_t height);
void DeviceWindow_Destroy();
// Client size, outer position; headless these are the virtual window's.
void DeviceWindow_GetClientSize(DeviceWindow* window, int32_t* width, int32_t* height);
void DeviceWindow_GetPosition(DeviceWindow* window, int32_t* x, int32_t* y);
// Places the client area at (x, y) with the given size; full screen when asked.
void DeviceWindow_SetBounds(DeviceWindow* window, int32_t x, int32_t y, int32_t width, int32_t height);
void DeviceWindow_SetFullScreen(DeviceWindow* window, bool fullScreen);
// Primary screen size and cursor position in screen coordinates.
void DeviceWindow_GetScreenSize(int32_t* width, int32_t* height);
void DeviceWindow_GetCursor(int32_t* x, int32_t* y);
void DeviceWindow_SetCursor(int32_t x, int32_t y);

// What the graphics device needs of the main window: a place to draw, its
// client size, position and style. Headless there is no real window; the
// record keeps the same numbers so that the device logic runs unchanged.
// The window layer makes the main window with DeviceWindow_Create; the
// device then draws on that one.
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

// The main window as the window layer asks for it: the client rectangle in
// screen pixels and the frame. Headless it lives on SDL's offscreen driver,
// without GL (the device draws surfaceless there). Replaces an earlier
// window; null when none can be made. It starts hidden.
struct DeviceWindowRequest {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool borderless = false;
  bool resizable = false;
};
DeviceWindow* DeviceWindow_Create(const DeviceWindowRequest& request);
DeviceWindow* DeviceWindow_Current();
// The id its events carry (0 for none), and the desktop's own handle.
uint32_t DeviceWindow_Id(DeviceWindow* window);
uint32_t DeviceWindow_NativeHandle(DeviceWindow* window);
// The frame around the client area; all 0 without a window manager.
void DeviceWindow_GetBorders(DeviceWindow* window, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom);
// UTF-8 in and out; "" for a window without a title.
void DeviceWindow_SetTitle(DeviceWindow* window, const char* title);
const char* DeviceWindow_GetTitle(DeviceWindow* window);
void DeviceWindow_Show(DeviceWindow* window, bool show);
// Moves the client area keeping its size.
void DeviceWindow_Move(DeviceWindow* window, int32_t x, int32_t y);
// Client size, outer position; headless these are the virtual window's.
void DeviceWindow_GetClientSize(DeviceWindow* window, int32_t* width, int32_t* height);
void DeviceWindow_GetPosition(DeviceWindow* window, int32_t* x, int32_t* y);
// Places the client area at (x, y) with the given size; full screen when asked.
void DeviceWindow_SetBounds(DeviceWindow* window, int32_t x, int32_t y, int32_t width, int32_t height);
// Full screen also grabs the keyboard, so desktop shortcuts reach the game.
void DeviceWindow_SetFullScreen(DeviceWindow* window, bool fullScreen);
// Primary screen size and cursor position in screen coordinates.
void DeviceWindow_GetScreenSize(int32_t* width, int32_t* height);

// Starts the desktop's video as the main window does (its class name, the GL
// entry library); false when there is no desktop.
bool DeviceWindow_StartVideo();
// The desktop window itself, for drawing over it with a GL context of one's
// own; null headless or when the window has no GL.
struct SDL_Window;
SDL_Window* DeviceWindow_SdlWindow(DeviceWindow* window);
// Where the pointer is over a desktop window, in its client pixels, as the
// X server has it now: neither the desktop's last reading of the pointer
// (which a placed pointer does not refresh) nor the window's last known
// place (which another program may have changed) comes into it. False when
// the server cannot say (another screen, not an X window).
bool DeviceWindow_PointerInWindow(SDL_Window* window, int32_t* x, int32_t* y);
void DeviceWindow_GetCursor(int32_t* x, int32_t* y);
void DeviceWindow_SetCursor(int32_t x, int32_t y);

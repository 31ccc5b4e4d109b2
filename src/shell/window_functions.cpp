// The window operations behind the window built-ins: caption, full screen,
// place and size, colour and cursor. Size and full-screen changes are
// requests that the next graphics reset carries out.
#include "platform/cursors.h"
#include "platform/device_window.h"
#include "runtime/memory.h"
#include "runtime/text.h"
#include "shell/window.h"
#include "shell/window_internal.h"

namespace {

char* g_windowCaption = nullptr;
int32_t g_cursorConstant = 0;
int32_t g_cursorIndex = kCursorArrow;

// Table index for the cursor constants 0 down to -22.
constexpr int32_t kCursorForConstant[] = {0,  1,  0,  2,  3,  1,  4,  5,  6,  7,  8, 9,
                                          10, 11, 11, 11, 11, 11, 11, 12, 13, 10, 14};
constexpr int32_t kLowestCursorConstant = -22;

void RequestReset() {
  if (Win_Services().requestGraphicsReset != nullptr) Win_Services().requestGraphicsReset();
}

void RequestSize(int32_t width, int32_t height) {
  if (Win_Services().requestWindowSize != nullptr) Win_Services().requestWindowSize(width, height);
}

void Borders(int32_t* left, int32_t* top) {
  int32_t right = 0, bottom = 0;
  DeviceWindow_GetBorders(DeviceWindow_Current(), left, top, &right, &bottom);
}

}  // namespace

void Win_SetCaption(const char* text, bool) {
  char* copy = String_Duplicate(text == nullptr ? "" : text);
  MemoryManager::Free(g_windowCaption);
  g_windowCaption = copy;
  if (g_mainWindow != 0) DeviceWindow_SetTitle(DeviceWindow_Current(), g_windowCaption);
}

const char* Win_GetCaption() { return g_windowCaption == nullptr ? "" : g_windowCaption; }

void Win_SetTitle(const char* title) {
  if (g_mainWindow != 0) DeviceWindow_SetTitle(DeviceWindow_Current(), title == nullptr ? "" : title);
}

void Win_SetFullscreen(bool flag) {
  DeviceWindow_State().fullScreen = flag;
  RequestReset();
}

bool Win_GetFullscreen() { return DeviceWindow_State().fullScreen; }

void Win_Center() {
  int32_t displayWidth = 0, displayHeight = 0;
  DeviceWindow_GetScreenSize(&displayWidth, &displayHeight);
  int32_t width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
  DeviceWindow* window = DeviceWindow_Current();
  DeviceWindow_GetClientSize(window, &width, &height);
  DeviceWindow_GetBorders(window, &left, &top, &right, &bottom);
  const int32_t x = (displayWidth - (width + left + right)) / 2;
  const int32_t y = (displayHeight - (height + top + bottom)) / 2;
  DeviceWindow_Move(window, x + left, y + top);
}

void Win_SetPosition(int32_t x, int32_t y) {
  int32_t left = 0, top = 0;
  Borders(&left, &top);
  DeviceWindow_Move(DeviceWindow_Current(), x + left, y + top);
}

void Win_SetSize(int32_t width, int32_t height) {
  RequestSize(width, height);
  RequestReset();
}

void Win_SetRectangle(int32_t x, int32_t y, int32_t width, int32_t height) {
  Win_SetPosition(x, y);
  RequestSize(width, height);
  RequestReset();
  DeviceWindow_State().positionGiven = true;
}

int32_t Win_GetX() {
  int32_t x = 0, y = 0, left = 0, top = 0;
  DeviceWindow_GetPosition(DeviceWindow_Current(), &x, &y);
  Borders(&left, &top);
  return x - left;
}

int32_t Win_GetY() {
  int32_t x = 0, y = 0, left = 0, top = 0;
  DeviceWindow_GetPosition(DeviceWindow_Current(), &x, &y);
  Borders(&left, &top);
  return y - top;
}

namespace {

void ClientSize(int32_t* width, int32_t* height) {
  if (const WindowGeometry* played = Win_PlayedGeometry()) {
    *width = played->clientWidth;
    *height = played->clientHeight;
    return;
  }
  DeviceWindow_GetClientSize(DeviceWindow_Current(), width, height);
}

}  // namespace

int32_t Win_GetWidth() {
  int32_t width = 0, height = 0;
  ClientSize(&width, &height);
  return width;
}

int32_t Win_GetHeight() {
  int32_t width = 0, height = 0;
  ClientSize(&width, &height);
  return height;
}

namespace {

void ScreenSize(int32_t* width, int32_t* height) {
  *width = g_screenWidth;
  *height = g_screenHeight;
  if (Win_Services().screenSize != nullptr) Win_Services().screenSize(width, height);
}

}  // namespace

int32_t Win_GetScreenWidth() {
  int32_t width = 0, height = 0;
  ScreenSize(&width, &height);
  return width;
}

int32_t Win_GetScreenHeight() {
  int32_t width = 0, height = 0;
  ScreenSize(&width, &height);
  return height;
}

// The device keeps the colour (it clears the bars with it); its alpha is
// always opaque, so only the colour bytes are stored.
void Win_SetColor(uint32_t colour) { DeviceWindow_State().windowColour = colour & 0xFFFFFFu; }

uint32_t Win_GetColor() { return DeviceWindow_State().windowColour & 0xFFFFFFu; }

// Constants outside the table are kept (the getter answers them) but show
// nothing new.
void Win_SetCursor(int32_t constant) {
  g_cursorConstant = constant;
  if (constant > 0 || constant < kLowestCursorConstant) return;
  g_cursorIndex = kCursorForConstant[-constant];
  Win_ApplyCursor();
}

int32_t Win_GetCursor() { return g_cursorConstant; }

void Win_ApplyCursor() { NativeCursor_Show(g_cursorIndex); }

void Win_InitCursor(bool shown) {
  g_cursorConstant = shown ? 0 : -1;
  g_cursorIndex = shown ? kCursorArrow : kCursorNone;
  Win_ApplyCursor();
}

void Win_SetMouse(int32_t x, int32_t y) {
  if (!Win_IsActive()) return;
  DeviceWindow_SetCursor(Win_GetX() + x, Win_GetY() + y);
}

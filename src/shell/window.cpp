#include "shell/window.h"

#include <algorithm>

#include "platform/cursors.h"
#include "platform/device_window.h"
#include "platform/native_messages.h"
#include "runtime/console.h"
#include "runtime/process.h"
#include "shell/dialogs.h"
#include "shell/window_internal.h"

NativeWindow g_mainWindow = 0;
uint32_t g_windowStyle = 0;
int32_t g_clientWidth = 0;
int32_t g_clientHeight = 0;
int32_t g_outerWidth = 0;
int32_t g_outerHeight = 0;
int32_t g_screenWidth = 0;
int32_t g_screenHeight = 0;

namespace {

WindowServices g_services;
WindowGameSettings g_settings;
bool g_destroyPosted = false;

constexpr int kShowRounds = 10;

uint32_t StyleFor(uint32_t optionFlags) {
  if ((optionFlags & 0x1) != 0) return kStylePopup;
  return (optionFlags & 0x40) != 0 ? kStyleSizeable : kStyleFixed;
}

// The window rectangle is the client area grown by the frame.
void ReadOuterSize(DeviceWindow* window) {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  DeviceWindow_GetBorders(window, &left, &top, &right, &bottom);
  g_outerWidth = g_clientWidth + left + right;
  g_outerHeight = g_clientHeight + top + bottom;
}

}  // namespace

void Win_SetServices(const WindowServices& services) { g_services = services; }
const WindowServices& Win_Services() { return g_services; }
void Win_SetGameSettings(const WindowGameSettings& settings) { g_settings = settings; }

void Win_CreateMainWindow(int32_t width, int32_t height) {
  int32_t displayWidth = 0, displayHeight = 0;
  DeviceWindow_GetScreenSize(&displayWidth, &displayHeight);
  g_clientWidth = g_outerWidth = std::min(displayWidth, width);
  g_clientHeight = g_outerHeight = std::min(displayHeight, height);
  g_mainWindow = 0;
  g_destroyPosted = false;
  g_windowStyle = StyleFor(g_settings.optionFlags);
  g_screenWidth = g_settings.screenWidth;
  g_screenHeight = g_settings.screenHeight;
  DeviceWindowRequest request;
  request.x = (displayWidth - g_clientWidth) / 2;
  request.y = (displayHeight - g_clientHeight) / 2;
  request.width = g_clientWidth;
  request.height = g_clientHeight;
  request.borderless = g_windowStyle == kStylePopup;
  request.resizable = g_windowStyle == kStyleSizeable;
  g_debugConsole->Output("AdjustWindowRectEx\n");
  g_debugConsole->Output("RegisterClassEx\n");
  g_debugConsole->Output("CreateWindowEx\n");
  DeviceWindow* window = DeviceWindow_Create(request);
  const NativeWindow id = DeviceWindow_Id(window);
  if (id == 0) return;
  Win_WindowProc(id, WM_CREATE, 0, 0);
  g_mainWindow = id;
  Translator_SetMainWindow(id);
  Win_SetCaption(g_settings.displayName, true);
  for (int i = 0; i < kShowRounds; ++i) {
    DeviceWindow_Show(window, true);
    Runner_ProcessMessages();
  }
  DeviceWindow_GetClientSize(window, &g_clientWidth, &g_clientHeight);
  DeviceWindow_State().clientWidth = g_clientWidth;
  DeviceWindow_State().clientHeight = g_clientHeight;
  ReadOuterSize(window);
  NativeCursor_LoadTable();
  Win_InitCursor((g_settings.optionFlags & 0x20) != 0);
}

MsgResult Win_DefWindowProc(NativeWindow, uint32_t, MsgWParam, MsgLParam) { return 0; }

void Win_DestroyWindow(NativeWindow window) {
  if (window == 0 || window != g_mainWindow || g_destroyPosted) return;
  g_destroyPosted = true;
  DeviceWindow_Show(DeviceWindow_Current(), false);
  Native_PostMessage(window, WM_DESTROY, 0, 0);
}

bool Win_DispatchMessages() {
  bool quit = false;
  WindowMessage message;
  while (Native_NextMessage(&message)) {
    if (message.message == WM_QUIT) {
      quit = true;
    } else if (message.window != 0 && message.window == g_mainWindow) {
      Win_WindowProc(message.window, message.message, message.wParam, message.lParam);
    }
  }
  return quit;
}

void Win_PostQuit() { Native_PostMessage(g_mainWindow, WM_QUIT, 0, 0); }

void Win_InputTaken() { Native_InputTaken(); }

bool Win_PumpMessages() {
  Native_PumpEvents();
  InputQuery_Pump();
  return Win_DispatchMessages();
}

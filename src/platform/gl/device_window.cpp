#include "platform/device_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/gl/gl_context.h"
#include "platform/leak_check.h"
#include "platform/switches.h"

// Headless the window is only these numbers; with a display it also owns the
// SDL window.
struct DeviceWindow {
  SDL_Window* sdl = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool gl = false;  // the window carries the device's GL context
};

namespace {

DeviceWindow* g_window = nullptr;

constexpr int32_t kVirtualScreenWidth = 1920;
constexpr int32_t kVirtualScreenHeight = 1080;

constexpr const char* kWindowClass = "VXKorvalithVX";

bool StartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  // The X11 class is read once, when video starts.
  setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 1);
  if (Switches_Get().headless) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  // One GL entry library for both contexts: EGL under X11 as well.
  SDL_SetHint(SDL_HINT_VIDEO_X11_FORCE_EGL, "1");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

SDL_Window* MakeSdlWindow(int32_t width, int32_t height) {
  if (!StartVideo()) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  return SDL_CreateWindow("Korvalith", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
}

class SdlGlContext : public GlContext {
 public:
  SdlGlContext(SDL_Window* window, SDL_GLContext context) : window_(window), context_(context) {}
  ~SdlGlContext() override { SDL_GL_DeleteContext(context_); }
  bool MakeCurrent() override { return SDL_GL_MakeCurrent(window_, context_) == 0; }
  void Swap() override { SDL_GL_SwapWindow(window_); }
  bool HasWindow() const override { return true; }
  void GetDrawableSize(int* width, int* height) override { SDL_GL_GetDrawableSize(window_, width, height); }
  void SetSwapInterval(int interval) override { SDL_GL_SetSwapInterval(interval); }

 private:
  SDL_Window* window_;
  SDL_GLContext context_;
};

// Headless the offscreen desktop is smaller than the virtual screen and
// moves windows onto itself; the window's own numbers are the truth there.
bool OnDesktop(const DeviceWindow* window) { return window->sdl != nullptr && window->gl; }

}  // namespace

DeviceWindowState& DeviceWindow_State() {
  static DeviceWindowState& state = *new DeviceWindowState;
  return state;
}

DeviceWindow* DeviceWindow_Get(int32_t width, int32_t height) {
  if (g_window != nullptr) return g_window;
  if (width <= 0 || height <= 0) return nullptr;
  auto* window = new DeviceWindow;
  window->width = width;
  window->height = height;
  if (!Switches_Get().headless) {
    window->sdl = MakeSdlWindow(width, height);
    if (window->sdl == nullptr) {
      delete window;
      return nullptr;
    }
    window->gl = true;
    SDL_GetWindowPosition(window->sdl, &window->x, &window->y);
  } else {
    window->x = (kVirtualScreenWidth - width) / 2;
    window->y = (kVirtualScreenHeight - height) / 2;
  }
  g_window = window;
  return window;
}

void DeviceWindow_Destroy() {
  if (g_window == nullptr) return;
  if (g_window->sdl != nullptr) SDL_DestroyWindow(g_window->sdl);
  delete g_window;
  g_window = nullptr;
}

void DeviceWindow_GetClientSize(DeviceWindow* window, int32_t* width, int32_t* height) {
  *width = *height = 0;
  if (window == nullptr) return;
  if (OnDesktop(window)) SDL_GetWindowSize(window->sdl, &window->width, &window->height);
  *width = window->width;
  *height = window->height;
}

void DeviceWindow_GetPosition(DeviceWindow* window, int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (window == nullptr) return;
  if (OnDesktop(window)) SDL_GetWindowPosition(window->sdl, &window->x, &window->y);
  *x = window->x;
  *y = window->y;
}

void DeviceWindow_SetBounds(DeviceWindow* window, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (window == nullptr || width <= 0 || height <= 0) return;
  window->x = x;
  window->y = y;
  window->width = width;
  window->height = height;
  if (window->sdl == nullptr) return;
  SDL_SetWindowSize(window->sdl, width, height);
  SDL_SetWindowPosition(window->sdl, x, y);
}

namespace {

// A window manager names its check window on the root window.
bool HasWindowManager(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool named = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                        &format, &count, &after, &data) == Success &&
                     count == 1;
  if (data != nullptr) XFree(data);
  return named;
}

// Full screen is the window manager's to carry out; without one nobody
// does, and the window is given the whole screen here.
void CoverScreenWithoutWindowManager(SDL_Window* sdl) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(sdl, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  if (HasWindowManager(display)) return;
  int32_t width = 0, height = 0;
  DeviceWindow_GetScreenSize(&width, &height);
  XMoveResizeWindow(display, info.info.x11.window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XRaiseWindow(display, info.info.x11.window);
  XFlush(display);
}

}  // namespace

// Headless the window's numbers become the virtual screen's, as a real
// window's would; leaving full screen, the reset places it again.
void DeviceWindow_SetFullScreen(DeviceWindow* window, bool fullScreen) {
  if (window == nullptr) return;
  if (fullScreen && !OnDesktop(window)) {
    window->x = window->y = 0;
    DeviceWindow_GetScreenSize(&window->width, &window->height);
  }
  if (window->sdl == nullptr) return;
  SDL_SetWindowFullscreen(window->sdl, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  SDL_SetWindowKeyboardGrab(window->sdl, fullScreen ? SDL_TRUE : SDL_FALSE);
  if (fullScreen && OnDesktop(window)) CoverScreenWithoutWindowManager(window->sdl);
}

void DeviceWindow_GetScreenSize(int32_t* width, int32_t* height) {
  SDL_DisplayMode mode;
  if (!Switches_Get().headless && StartVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    *width = mode.w;
    *height = mode.h;
    return;
  }
  *width = kVirtualScreenWidth;
  *height = kVirtualScreenHeight;
}

// The desktop's own reading of the pointer is refreshed by device motion
// only, so it misses a pointer that was placed (warped) rather than moved;
// over one of our windows the window's last motion is exact.
void DeviceWindow_GetCursor(int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (Switches_Get().headless || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  if (SDL_Window* over = SDL_GetMouseFocus()) {
    int left = 0, top = 0, inX = 0, inY = 0;
    SDL_GetWindowPosition(over, &left, &top);
    SDL_GetMouseState(&inX, &inY);
    *x = left + inX;
    *y = top + inY;
    return;
  }
  SDL_GetGlobalMouseState(x, y);
}

bool DeviceWindow_PointerInWindow(SDL_Window* window, int32_t* x, int32_t* y) {
  if (window == nullptr) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return false;
  Window root = None, child = None;
  int rootX = 0, rootY = 0, inX = 0, inY = 0;
  unsigned int mask = 0;
  if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY, &inX, &inY, &mask) ==
      False) {
    return false;
  }
  *x = inX;
  *y = inY;
  return true;
}

void DeviceWindow_SetCursor(int32_t x, int32_t y) {
  if (Switches_Get().headless || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_WarpMouseGlobal(x, y);
}

namespace {

// Our own icon: a light diamond on a dark square.
void SetIcon(SDL_Window* window) {
  constexpr int kSize = 32;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return;
  for (int y = 0; y < kSize; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(icon->pixels) + y * icon->pitch);
    for (int x = 0; x < kSize; ++x) {
      const int distance = std::abs(2 * x + 1 - kSize) + std::abs(2 * y + 1 - kSize);
      row[x] = distance < kSize - 4 ? 0xFFE8C060u : 0xFF202838u;
    }
  }
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

Uint32 CreationFlags(const DeviceWindowRequest& request, bool gl) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (gl) flags |= SDL_WINDOW_OPENGL;
  if (request.borderless) flags |= SDL_WINDOW_BORDERLESS;
  if (request.resizable) flags |= SDL_WINDOW_RESIZABLE;
  return flags;
}

}  // namespace

DeviceWindow* DeviceWindow_Create(const DeviceWindowRequest& request) {
  DeviceWindow_Destroy();
  if (request.width <= 0 || request.height <= 0 || !StartVideo()) return nullptr;
  const bool gl = !Switches_Get().headless;
  if (gl) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  }
  SDL_Window* sdl =
      SDL_CreateWindow("", request.x, request.y, request.width, request.height, CreationFlags(request, gl));
  if (sdl == nullptr) return nullptr;
  SetIcon(sdl);
  auto* window = new DeviceWindow;
  window->sdl = sdl;
  window->gl = gl;
  window->x = request.x;
  window->y = request.y;
  window->width = request.width;
  window->height = request.height;
  g_window = window;
  return window;
}

DeviceWindow* DeviceWindow_Current() { return g_window; }

bool DeviceWindow_StartVideo() { return StartVideo(); }

SDL_Window* DeviceWindow_SdlWindow(DeviceWindow* window) {
  return window == nullptr || !window->gl ? nullptr : window->sdl;
}

uint32_t DeviceWindow_Id(DeviceWindow* window) {
  return window == nullptr || window->sdl == nullptr ? 0 : SDL_GetWindowID(window->sdl);
}

uint32_t DeviceWindow_NativeHandle(DeviceWindow* window) {
  if (window == nullptr || window->sdl == nullptr) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window->sdl, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return 0;
  return static_cast<uint32_t>(info.info.x11.window);
}

void DeviceWindow_GetBorders(DeviceWindow* window, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
  *left = *top = *right = *bottom = 0;
  if (window == nullptr || window->sdl == nullptr) return;
  if (SDL_GetWindowBordersSize(window->sdl, top, left, bottom, right) != 0) *left = *top = *right = *bottom = 0;
}

void DeviceWindow_SetTitle(DeviceWindow* window, const char* title) {
  if (window == nullptr || window->sdl == nullptr) return;
  SDL_SetWindowTitle(window->sdl, title == nullptr ? "" : title);
}

const char* DeviceWindow_GetTitle(DeviceWindow* window) {
  if (window == nullptr || window->sdl == nullptr) return "";
  return SDL_GetWindowTitle(window->sdl);
}

void DeviceWindow_Show(DeviceWindow* window, bool show) {
  if (window == nullptr || window->sdl == nullptr) return;
  if (show) {
    SDL_ShowWindow(window->sdl);
  } else {
    SDL_HideWindow(window->sdl);
  }
}

void DeviceWindow_Move(DeviceWindow* window, int32_t x, int32_t y) {
  if (window == nullptr) return;
  window->x = x;
  window->y = y;
  if (window->sdl != nullptr) SDL_SetWindowPosition(window->sdl, x, y);
}

std::unique_ptr<GlContext> GlContext_CreateForWindow(DeviceWindow* window) {
  if (window == nullptr || window->sdl == nullptr || !window->gl) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(window->sdl);
  if (context == nullptr) return nullptr;
  LeakCheck_KeepLibrariesLoaded();
  auto result = std::make_unique<SdlGlContext>(window->sdl, context);
  if (!result->MakeCurrent()) return nullptr;
  return result;
}

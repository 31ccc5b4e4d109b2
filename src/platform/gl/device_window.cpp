#include "platform/device_window.h"

#include <SDL.h>

#include "platform/gl/gl_context.h"
#include "platform/switches.h"

// Headless the window is only these numbers; with a display it also owns the
// SDL window.
struct DeviceWindow {
  SDL_Window* sdl = nullptr;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

namespace {

DeviceWindow* g_window = nullptr;

constexpr int32_t kVirtualScreenWidth = 1920;
constexpr int32_t kVirtualScreenHeight = 1080;

bool StartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
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

}  // namespace

DeviceWindowState& DeviceWindow_State() {
  static DeviceWindowState state;
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
  if (window->sdl != nullptr) SDL_GetWindowSize(window->sdl, &window->width, &window->height);
  *width = window->width;
  *height = window->height;
}

void DeviceWindow_GetPosition(DeviceWindow* window, int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (window == nullptr) return;
  if (window->sdl != nullptr) SDL_GetWindowPosition(window->sdl, &window->x, &window->y);
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

void DeviceWindow_SetFullScreen(DeviceWindow* window, bool fullScreen) {
  if (window == nullptr || window->sdl == nullptr) return;
  SDL_SetWindowFullscreen(window->sdl, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
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

void DeviceWindow_GetCursor(int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (Switches_Get().headless || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_GetGlobalMouseState(x, y);
}

void DeviceWindow_SetCursor(int32_t x, int32_t y) {
  if (Switches_Get().headless || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_WarpMouseGlobal(x, y);
}

std::unique_ptr<GlContext> GlContext_CreateForWindow(DeviceWindow* window) {
  if (window == nullptr || window->sdl == nullptr) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(window->sdl);
  if (context == nullptr) return nullptr;
  auto result = std::make_unique<SdlGlContext>(window->sdl, context);
  if (!result->MakeCurrent()) return nullptr;
  return result;
}

// A current OpenGL context for the device: surfaceless (headless) or the
// main window's. The device draws into its own framebuffers either way; only
// presenting touches the window.
#pragma once
#include <memory>

struct DeviceWindow;

class GlContext {
 public:
  virtual ~GlContext() = default;
  virtual bool MakeCurrent() = 0;
  // Shows the window's framebuffer; nothing without a window.
  virtual void Swap() = 0;
  virtual bool HasWindow() const = 0;
  virtual void GetDrawableSize(int* width, int* height) = 0;
  virtual void SetSwapInterval(int interval) = 0;
};

// Desktop GL 4.5, compatibility profile, on a Mesa surfaceless display.
std::unique_ptr<GlContext> GlContext_CreateSurfaceless();
// The same on the window; null when the window has no GL.
std::unique_ptr<GlContext> GlContext_CreateForWindow(DeviceWindow* window);

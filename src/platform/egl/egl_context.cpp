#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "platform/gl/gl_context.h"

namespace {

EGLDisplay SurfacelessDisplay() {
  static EGLDisplay display = EGL_NO_DISPLAY;
  static bool tried = false;
  if (tried) return display;
  tried = true;
  EGLDisplay candidate = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (candidate == EGL_NO_DISPLAY) return display;
  EGLint major = 0;
  EGLint minor = 0;
  if (eglInitialize(candidate, &major, &minor) != EGL_TRUE) return display;
  display = candidate;
  return display;
}

class EglSurfacelessContext : public GlContext {
 public:
  EglSurfacelessContext(EGLDisplay display, EGLContext context) : display_(display), context_(context) {}
  ~EglSurfacelessContext() override {
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display_, context_);
  }
  bool MakeCurrent() override { return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE; }
  void Swap() override {}
  bool HasWindow() const override { return false; }
  void GetDrawableSize(int* width, int* height) override { *width = *height = 0; }
  void SetSwapInterval(int) override {}

 private:
  EGLDisplay display_;
  EGLContext context_;
};

}  // namespace

std::unique_ptr<GlContext> GlContext_CreateSurfaceless() {
  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) return nullptr;
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return nullptr;
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               4,
                               EGL_CONTEXT_MINOR_VERSION,
                               5,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                               EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT) return nullptr;
  auto result = std::make_unique<EglSurfacelessContext>(display, context);
  if (!result->MakeCurrent()) return nullptr;
  return result;
}

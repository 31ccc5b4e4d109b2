// The system object over OpenGL: one adapter, its display modes, and device
// creation on the window's context or, headless, a surfaceless one.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/backends.h"
#include "platform/gl/gl_device.h"
#include "platform/switches.h"

namespace {

constexpr GfxDesktopMode kVirtualMode{0, 0, 1920, 1080, 32, 60};

bool SdlMode(uint32_t index, bool desktop, GfxDesktopMode* out) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  SDL_DisplayMode mode;
  int result = desktop ? SDL_GetDesktopDisplayMode(0, &mode) : SDL_GetDisplayMode(0, static_cast<int>(index), &mode);
  if (result != 0) return false;
  int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  SDL_Rect bounds{0, 0, mode.w, mode.h};
  if (desktop) SDL_GetDisplayBounds(0, &bounds);
  // A 24-bit desktop is a 32-bit one with the padding byte unnamed.
  *out = GfxDesktopMode{
      bounds.x, bounds.y, mode.w, mode.h, bits == 24 ? 32 : bits, mode.refresh_rate > 0 ? mode.refresh_rate : 60};
  return true;
}

class GlSystem : public IGraphicsSystem {
 public:
  uint32_t GetAdapterCount() override { return 1; }
  GfxResult GetDeviceCaps(uint32_t adapter, uint32_t, GfxCaps* caps) override {
    if (adapter != 0) return D3DERR_INVALIDCALL;
    *caps = GfxCaps{D3DDEVTYPE_HAL, D3DPRASTERCAPS_FOGVERTEX | D3DPRASTERCAPS_FOGTABLE, 16384, 16384};
    return D3D_OK;
  }
  GfxResult GetAdapterIdentifier(uint32_t adapter, GfxAdapterIdentifier* identifier) override {
    if (adapter != 0) return D3DERR_INVALIDCALL;
    std::memset(identifier, 0, sizeof *identifier);
    std::snprintf(identifier->driver, sizeof identifier->driver, "OpenGL");
    std::snprintf(identifier->description, sizeof identifier->description, "OpenGL 4.5 compatibility");
    std::snprintf(identifier->deviceName, sizeof identifier->deviceName, "DISPLAY1");
    return D3D_OK;
  }
  GfxResult GetAdapterDisplayMode(uint32_t adapter, GfxDisplayMode* mode) override {
    GfxDesktopMode desktop;
    if (!GetDesktopMode(adapter, &desktop)) return D3DERR_NOTAVAILABLE;
    *mode = GfxDisplayMode{static_cast<uint32_t>(desktop.width), static_cast<uint32_t>(desktop.height),
                           static_cast<uint32_t>(desktop.frequency), D3DFMT_X8R8G8B8};
    return D3D_OK;
  }
  bool GetDesktopMode(uint32_t adapter, GfxDesktopMode* mode) override {
    if (adapter != 0) return false;
    if (Switches_Get().headless) {
      *mode = kVirtualMode;
      return true;
    }
    return SdlMode(0, true, mode);
  }
  bool EnumDisplayMode(uint32_t adapter, uint32_t index, GfxDesktopMode* mode) override {
    if (adapter != 0) return false;
    if (Switches_Get().headless) {
      if (index != 0) return false;
      *mode = kVirtualMode;
      return true;
    }
    return SdlMode(index, false, mode);
  }
  GfxResult CheckDeviceMultiSampleType(uint32_t, uint32_t, uint32_t, bool, uint32_t multiSample,
                                       uint32_t* quality) override {
    if (quality != nullptr) *quality = 0;
    return multiSample == D3DMULTISAMPLE_NONE ? D3D_OK : D3DERR_NOTAVAILABLE;
  }
  GfxResult CreateDevice(uint32_t adapter, uint32_t, DeviceWindow* window, uint32_t, GfxPresentParameters& params,
                         IGraphicsDevice** device) override {
    *device = nullptr;
    if (adapter != 0 || params.backBufferWidth == 0 || params.backBufferHeight == 0) return D3DERR_INVALIDCALL;
    if (params.autoDepthStencilFormat != D3DFMT_D24S8 && params.autoDepthStencilFormat != D3DFMT_D16) {
      return D3DERR_INVALIDCALL;
    }
    // A window without GL (headless, or no display) draws surfaceless. On a
    // desktop a game whose window cannot carry GL (an 8-bit X server has no
    // visual for it) would run unseen: its start fails instead.
    std::unique_ptr<GlContext> context = window != nullptr ? GlContext_CreateForWindow(window) : nullptr;
    if (context == nullptr && !Switches_Get().headless && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
      return D3DERR_NOTAVAILABLE;
    }
    if (context == nullptr) context = GlContext_CreateSurfaceless();
    if (context == nullptr) return D3DERR_NOTAVAILABLE;
    auto* created = new GlDevice(std::move(context), params);
    if (!created->Ready()) {
      delete created;
      return D3DERR_NOTAVAILABLE;
    }
    *device = created;
    return D3D_OK;
  }
};

}  // namespace

IGraphicsSystem* GraphicsSystem_Create() {
  if (GraphicsSystemFactory fake = PlatformBackends_Get().graphics) return fake();
  return new GlSystem;
}

// The one device: creation, reset, frames and the screen's way onto the
// back buffer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/device/batcher.h"
#include "graphics/device/device_state.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/profiler_services.h"
#include "graphics/device/render_states.h"
#include "platform/device_window.h"
#include "platform/message_box.h"
#include "runtime/console.h"
#include "runtime/fatal.h"

namespace {

constexpr int kMultisampleLevels[] = {2, 4, 8, 16};

void Trace(const char* text) { g_debugConsole->Output("%s", text); }

void FillPresentParameters(DeviceState& s, int32_t width, int32_t height) {
  GfxPresentParameters& p = s.present;
  std::memset(&p, 0, sizeof p);
  p.backBufferWidth = static_cast<uint32_t>(width);
  p.backBufferHeight = static_cast<uint32_t>(height);
  p.backBufferFormat = D3DFMT_A8R8G8B8;
  p.backBufferCount = 1;
  p.swapEffect = D3DSWAPEFFECT_COPY;
  p.windowed = DeviceWindow_State().fullScreen ? 0 : 1;
  p.enableAutoDepthStencil = 1;
  p.autoDepthStencilFormat = D3DFMT_D24S8;
  p.presentationInterval = s.vsync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
}

// The failed start that cannot go on: the box, then the process ends.
[[noreturn]] void FatalExit(const char* text) {
  ShowFatalMessage(text);
  Fatal_ExitFromRunningCode(1);
}

bool MakeDevice(DeviceState& s, uint32_t adapter) {
  Trace("Creating D3D device - ARGB=32bit, D24S8, SwapEffect=Copy, Hardware vertex processing\n");
  if (s.system->CreateDevice(adapter, D3DDEVTYPE_HAL, s.window, s.behaviour, s.present, &s.device) == D3D_OK) {
    return true;
  }
  s.present.autoDepthStencilFormat = D3DFMT_D16;
  s.present.swapEffect = D3DSWAPEFFECT_DISCARD;
  Trace("Creating D3D device - ARGB=32bit, D16, SwapEffect=Discard, Software Vertex Processing\n");
  s.behaviour = D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE;
  return s.system->CreateDevice(adapter, D3DDEVTYPE_HAL, s.window, s.behaviour, s.present, &s.device) == D3D_OK;
}

void ReadMultisampleSupport(DeviceState& s, uint32_t format) {
  s.multisampleMask = 0;
  for (int level : kMultisampleLevels) {
    uint32_t quality = 0;
    if (s.system->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, format, true, static_cast<uint32_t>(level), &quality) ==
        D3D_OK) {
      s.multisampleMask |= static_cast<uint32_t>(level);
    }
  }
}

int32_t ScreenWidthOr(int32_t fallback) { return g_screenSize.width > 0 ? g_screenSize.width : fallback; }
int32_t ScreenHeightOr(int32_t fallback) { return g_screenSize.height > 0 ? g_screenSize.height : fallback; }

Graphics::LostDeviceHandler g_lostDeviceHandler = nullptr;

}  // namespace

DeviceState& Device_State() {
  static DeviceState& state = *new DeviceState;
  return state;
}

namespace Graphics {

IGraphicsDevice* GetDevice() { return Device_State().device; }
bool HasDevice() { return Device_State().device != nullptr; }
int32_t SceneDepth() { return Device_State().sceneDepth; }
DeviceTexture* ScreenTexture() { return Device_State().screenTexture; }
uint32_t TexturePool() { return Device_State().texturePool; }
uint32_t MultisampleMask() { return Device_State().multisampleMask; }
void GetBackBufferSize(int32_t* width, int32_t* height) {
  *width = Device_State().backBufferWidth;
  *height = Device_State().backBufferHeight;
}
void RequestWindowSize(int32_t width, int32_t height) {
  Device_State().requestedWidth = width;
  Device_State().requestedHeight = height;
}
void SetKeepAspect(bool on) { Device_State().keepAspect = on; }

bool CreateDevice(DeviceWindow* window, int32_t width, int32_t height, uint32_t flags) {
  DeviceState& s = Device_State();
  if (s.device != nullptr || width <= 0 || height <= 0) return false;
  s.window = window != nullptr ? window : DeviceWindow_Get(width, height);
  s.vsync = (flags & kCreateVSync) != 0;
  s.screenInterpolation = (flags & kCreateInterpolate) != 0;
  g_renderFlags[0] = s.screenInterpolation ? 1 : 0;
  s.behaviour = D3DCREATE_FPU_PRESERVE | ((flags & kCreateSoftware) != 0 ? D3DCREATE_SOFTWARE_VERTEXPROCESSING
                                                                         : D3DCREATE_HARDWARE_VERTEXPROCESSING);
  s.keepAspect = (flags & kCreateKeepAspect) != 0;
  Trace("Create D3D9 interface\n");
  s.system = GraphicsSystem_Create();
  if (s.system == nullptr) {
    ShowFatalMessage("Failed to create Direct3D 9 device");
    return false;
  }
  s.texturePool = D3DPOOL_MANAGED;
  Trace("Enumerate Adapters\n");
  EnumerateAdapters();
  const uint32_t adapter = FindDisplayMode(width, height).adapter;
  DeviceWindowState& windowState = DeviceWindow_State();
  if (windowState.fullScreen && !s.adapters.empty()) {
    width = s.adapters[0].desktop.width;
    height = s.adapters[0].desktop.height;
  }
  g_debugConsole->Output("Selected Resolution: %dx%d\n", width, height);
  Trace("Get Current Desktop Display Mode\n");
  GfxDisplayMode mode;
  if (s.system->GetAdapterDisplayMode(adapter, &mode) != D3D_OK) {
    ShowFatalMessage("Failed to retrieve display mode.");
    return false;
  }
  Trace("Prepare to create device\n");
  FillPresentParameters(s, width, height);
  s.multisampleType = 0;
  s.swapEffect = D3DSWAPEFFECT_COPY;
  windowState.fullScreenStyle = windowState.fullScreen;
  if (!MakeDevice(s, adapter)) {
    FatalExit(
        "Failed to create Direct3D Screen requirements and that your drivers are up-to-date. If your graphics card "
        "has little memory, try switching your computer to a lower resolution.");
  }
  ForgetStateCaches();
  Trace("Creating screen render target\n");
  s.backBufferWidth = width;
  s.backBufferHeight = height;
  FreeTexture(s.screenTexture);
  s.screenTexture = CreateTexture(ScreenWidthOr(width), ScreenHeightOr(height), 1, true, 6);
  if (s.screenTexture == nullptr) {
    char text[1024];
    std::snprintf(text, sizeof text, "Unable to create a screen that is %d x %d - please ensure settings are correct",
                  width, height);
    FatalExit(text);
  }
  Trace("Get Device Caps\n");
  s.device->GetDeviceCaps(&s.caps);
  ReadMultisampleSupport(s, mode.format);
  s.requestedWidth = s.requestedHeight = -1;
  Trace("Graphics initialisation end...\n");
  return true;
}

void SetMultisample(int32_t level) {
  DeviceState& s = Device_State();
  if (level == 2 || level == 4 || level == 8 || level == 16) {
    s.multisampleType = static_cast<uint32_t>(level);
    s.swapEffect = D3DSWAPEFFECT_DISCARD;
  } else {
    s.multisampleType = 0;
    s.swapEffect = D3DSWAPEFFECT_COPY;
  }
}

void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || x < 0 || y < 0 || width <= 0 || height <= 0) return;
  device->SetViewport(GfxViewport{static_cast<uint32_t>(x), static_cast<uint32_t>(y), static_cast<uint32_t>(width),
                                  static_cast<uint32_t>(height), 0.0f, 1.0f});
}

bool Present() {
  IGraphicsDevice* device = GetDevice();
  return device != nullptr && device->Present() >= 0;
}

void SetLostDeviceHandler(LostDeviceHandler handler) { g_lostDeviceHandler = handler; }

void BeginScene() {
  DeviceState& s = Device_State();
  if (s.device == nullptr || s.sceneDepth != 0) return;
  GfxResult level = s.device->TestCooperativeLevel();
  if ((level == D3DERR_DEVICELOST || level == D3DERR_DEVICENOTRESET) && g_lostDeviceHandler != nullptr) {
    g_lostDeviceHandler();
  }
  DeviceWindowState& windowState = DeviceWindow_State();
  DeviceWindow_GetClientSize(s.window, &windowState.clientWidth, &windowState.clientHeight);
  FitBackBufferToClient(windowState.clientWidth, windowState.clientHeight);
  s.device->BeginScene();
  PopAllRenderTargets();
  PushRenderTarget();
  SetRenderTargetTexture(0, s.screenTexture);
  ProfilerServices_Get().startFrame();
  s.sceneDepth = 1;
}

// A target left bound by a surface is popped back in order, so every saved
// pair is restored and released and the back buffer is the target again.
void EndScene() {
  DeviceState& s = Device_State();
  if (s.device == nullptr || s.sceneDepth != 1) return;
  ProfilerServices_Get().drawFrame();
  s.sceneDepth = 0;
  FlushBatch();
  while (RenderTargetDepth() > 0) {
    if (!PopRenderTarget()) break;
  }
  DrawScreenToBackBuffer();
  s.device->EndScene();
  PopAllRenderTargets();
}

void LeaveFullscreen() {
  DeviceWindowState& windowState = DeviceWindow_State();
  if (!windowState.fullScreen) return;
  windowState.fullScreen = false;
  const bool wasOpen = Device_State().sceneDepth != 0;
  if (wasOpen) EndScene();
  Reset();
  if (wasOpen) BeginScene();
}

void Shutdown() {
  DeviceState& s = Device_State();
  FreeTexture(s.screenTexture);
  s.screenTexture = nullptr;
  ProfilerServices_Get().logFps();
}

}  // namespace Graphics

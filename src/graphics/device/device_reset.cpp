// Resetting the device with the current settings, and the screen's way onto
// the back buffer.
#include "graphics/device/batcher.h"
#include "graphics/device/device_state.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/render_states.h"
#include "platform/device_window.h"
#include "runtime/console.h"

namespace {

void Trace(const char* text) { g_debugConsole->Output("%s", text); }

void PlaceWindow(DeviceState& s, int32_t clientWidth, int32_t clientHeight) {
  DeviceWindowState& windowState = DeviceWindow_State();
  int32_t x = 0, y = 0;
  if (windowState.positionGiven) {
    DeviceWindow_GetPosition(s.window, &x, &y);
  } else {
    int32_t screenWidth = 0, screenHeight = 0;
    DeviceWindow_GetScreenSize(&screenWidth, &screenHeight);
    x = (screenWidth - clientWidth) / 2;
    y = (screenHeight - clientHeight) / 2;
  }
  DeviceWindow_SetBounds(s.window, x, y, clientWidth, clientHeight);
  windowState.positionGiven = false;
}

bool ResetDevice(DeviceState& s) {
  s.present.multiSampleType = s.multisampleType;
  s.present.swapEffect = s.swapEffect;
  Trace("Execute Reset()\n");
  GfxResult result = s.device->Reset(s.present);
  if (result == D3D_OK) return true;
  g_debugConsole->Output("Reset() Failed: %X\n", static_cast<unsigned>(result));
  s.swapEffect = s.present.swapEffect = D3DSWAPEFFECT_DISCARD;
  s.multisampleType = s.present.multiSampleType = 0;
  Trace("Change SWAP+Multisample type effect, try Reset() again\n");
  return s.device->Reset(s.present) == D3D_OK;
}

// Without trace lines: a window dragged larger takes a new size each frame.
bool ResizeBackBuffer(DeviceState& s, int32_t width, int32_t height) {
  s.present.backBufferWidth = static_cast<uint32_t>(width);
  s.present.backBufferHeight = static_cast<uint32_t>(height);
  if (s.device->Reset(s.present) != D3D_OK) return false;
  s.backBufferWidth = width;
  s.backBufferHeight = height;
  return true;
}

}  // namespace

namespace Graphics {

bool Reset() {
  DeviceState& s = Device_State();
  Trace("--Reset Begin\n");
  Trace("Restore Target\n");
  PopAllRenderTargets();
  if (s.device == nullptr) return false;
  DeviceState_DropReadBack(s);
  Trace("Check Display Mode\n");
  GfxDisplayMode mode;
  if (s.system->GetAdapterDisplayMode(0, &mode) != D3D_OK) return false;
  uint32_t quality = 0;
  if (s.system->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, mode.format, true, s.multisampleType, &quality) !=
      D3D_OK) {
    s.multisampleType = 0;
    s.swapEffect = D3DSWAPEFFECT_COPY;
  }
  s.present.presentationInterval = s.vsync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
  Trace("Free Screen Texture\n");
  const bool hadScreen = s.screenTexture != nullptr;
  int32_t screenWidth = hadScreen ? DeviceTexture_Width(s.screenTexture) : s.backBufferWidth;
  int32_t screenHeight = hadScreen ? DeviceTexture_Height(s.screenTexture) : s.backBufferHeight;
  FreeTexture(s.screenTexture);
  s.screenTexture = nullptr;
  Trace("Toggle Fullscreen/windowed mode settings\n");
  const bool requested = s.requestedWidth > 0 && s.requestedHeight > 0;
  int32_t width = requested ? s.requestedWidth : screenWidth;
  int32_t height = requested ? s.requestedHeight : screenHeight;
  DeviceWindowState& windowState = DeviceWindow_State();
  if (windowState.fullScreen) {
    windowState.fullScreenStyle = true;
    s.present.windowed = 0;
    DeviceWindow_SetFullScreen(s.window, true);
    if (!s.adapters.empty()) {
      width = s.adapters[0].desktop.width;
      height = s.adapters[0].desktop.height;
    }
    s.backBufferWidth = width;
    s.backBufferHeight = height;
  } else {
    s.present.windowed = 1;
    DeviceWindow_SetFullScreen(s.window, false);
    windowState.fullScreenStyle = false;
  }
  s.present.backBufferWidth = static_cast<uint32_t>(width);
  s.present.backBufferHeight = static_cast<uint32_t>(height);
  if (!ResetDevice(s)) return false;
  if (requested) GR_Set_Screen_Size(s.requestedWidth, s.requestedHeight);
  if (!windowState.fullScreen) {
    Trace("WindowedMode: Setup window prefs\n");
    const int32_t clientWidth = requested ? s.requestedWidth : g_screenSize.width;
    const int32_t clientHeight = requested ? s.requestedHeight : g_screenSize.height;
    windowState.clientWidth = s.backBufferWidth = clientWidth;
    windowState.clientHeight = s.backBufferHeight = clientHeight;
    PlaceWindow(s, clientWidth, clientHeight);
  }
  if (hadScreen) {
    Trace("Recreate screen texture\n");
    s.screenTexture = CreateTexture(screenWidth, screenHeight, 1, true, 6);
    if (s.sceneDepth != 0) {
      PushRenderTarget();
      SetRenderTargetTexture(0, s.screenTexture);
    }
  }
  Clear(0, 1.0f, 0, 7);
  s.requestedWidth = s.requestedHeight = -1;
  Trace("--Reset End\n");
  GR_Restore_Render_States();
  return true;
}

// The user (or a window manager) may size the window at any time: the back
// buffer takes the client size at the start of a frame, so the picture
// covers the client area and the mouse maps through the same rectangle.
// A size the device refuses leaves the old back buffer.
void FitBackBufferToClient(int32_t width, int32_t height) {
  DeviceState& s = Device_State();
  if (s.device == nullptr || width <= 0 || height <= 0) return;
  if (width == s.backBufferWidth && height == s.backBufferHeight) return;
  DeviceState_DropReadBack(s);
  const int32_t oldWidth = s.backBufferWidth, oldHeight = s.backBufferHeight;
  if (!ResizeBackBuffer(s, width, height) && oldWidth > 0 && oldHeight > 0) {
    ResizeBackBuffer(s, oldWidth, oldHeight);
  }
}

void GetLetterboxOffset(int32_t* x, int32_t* y) {
  *x = *y = 0;
  const DeviceState& s = Device_State();
  if (!s.keepAspect || g_screenSize.width <= 0 || g_screenSize.height <= 0) return;
  const float w = static_cast<float>(g_screenSize.width), h = static_cast<float>(g_screenSize.height);
  const float bw = static_cast<float>(s.backBufferWidth), bh = static_cast<float>(s.backBufferHeight);
  const float aspect = w / h;
  if (bh > bw / aspect) {
    *y = static_cast<int32_t>((bh - (h / w) * bw) * 0.5f);
  } else {
    *x = static_cast<int32_t>((bw - bh * aspect) * 0.5f);
  }
}

void DrawScreenToBackBuffer() {
  DeviceState& s = Device_State();
  if (s.device == nullptr || s.screenTexture == nullptr) return;
  FlushBatch();
  const bool interpolation = g_renderFlags[0] != 0;
  const ScreenSize screen = g_screenSize;
  const int32_t bw = s.backBufferWidth, bh = s.backBufferHeight;
  const float w = static_cast<float>(screen.width > 0 ? screen.width : DeviceTexture_Width(s.screenTexture));
  const float h = static_cast<float>(screen.height > 0 ? screen.height : DeviceTexture_Height(s.screenTexture));
  g_screenSize = ScreenSize{bw, bh};
  GR_Overlay_Begin();
  SetRenderState(12, 0);
  GR_Texture_Set_Interpolation(s.screenInterpolation);
  // Exact halves: a whole half of an odd size would move the picture half
  // a pixel off the pixel centres.
  Matrix view{
      {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, static_cast<float>(bw) * -0.5f, static_cast<float>(bh) * -0.5f, 16000, 1}};
  SetTransform(0, view);
  Matrix projection;
  Matrix_Ortho(projection, static_cast<float>(bw), static_cast<float>(-bh), 1.0f, 32000.0f);
  // Texel centres onto pixel centres: half a pixel of the back buffer,
  // whatever the picture's scale.
  projection.m[12] -= 1.0f / static_cast<float>(bw);
  projection.m[13] += 1.0f / static_cast<float>(bh);
  s.device->SetTransform(D3DTS_PROJECTION, projection.m);
  Clear(DeviceWindow_State().windowColour, 1.0f, 0, 7);
  float x0 = 0, y0 = 0, x1 = static_cast<float>(bw), y1 = static_cast<float>(bh);
  if (s.keepAspect) {
    const float aspect = w / h, fbw = static_cast<float>(bw), fbh = static_cast<float>(bh);
    if (fbh > fbw / aspect) {
      const float height = (h / w) * fbw;
      y0 = (fbh - height) * 0.5f;
      y1 = y0 + height;
    } else if (fbw / aspect > fbh) {
      const float width = fbh * aspect;
      x0 = (fbw - width) * 0.5f;
      x1 = x0 + width;
    }
  }
  DrawTexturedRect(s.screenTexture, x0, y0, x1, y1, 0, 0, 1, 1, 0xFFFFFFFFu);
  FlushBatch();
  GR_Texture_Set_Interpolation(interpolation);
  GR_Overlay_End();
  SetRenderState(12, 1);
  g_screenSize = screen;
}

}  // namespace Graphics

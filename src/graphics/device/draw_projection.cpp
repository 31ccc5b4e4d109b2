// The drawing core's 3D switches, fog, viewport, 2D view projection and
// screen size.
#include <cmath>
#include <cstring>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "runtime/matrix.h"

namespace {

constexpr uint32_t kCullCounterClockwise = 2, kCullNone = 0;
constexpr uint32_t kShadeGouraud = 2, kShadeFlat = 1;
constexpr uint32_t kCompareGreater = 5;
constexpr uint32_t kFogLinear = 3;
constexpr int32_t kFogTable = 1, kFogVertex = 2;
constexpr double kDegreesToRadians = 0.01745329238474369;

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

}  // namespace

void GR_3D_Set_Culling(bool on) {
  if (!Graphics::HasDevice()) return;
  g_drawState.culling = on ? 1 : 0;
  Graphics::FlushBatch();
  Graphics::SetRenderState(kStateCull, on ? kCullCounterClockwise : kCullNone);
}

void GR_3D_Set_Perspective(bool on) { g_renderFlags[2] = on ? 1 : 0; }

void GR_Apply_Hidden() {
  if (g_3dMode != 0 && g_renderFlags[3] != 0) {
    Graphics::SetRenderState(kStateZEnable, 1);
    Graphics::SetRenderState(kStateAlphaTest, 1);
    Graphics::SetRenderState(kStateAlphaRef, 0);
    Graphics::SetRenderState(kStateAlphaFunc, kCompareGreater);
  } else {
    Graphics::SetRenderState(kStateZEnable, 0);
    Graphics::SetRenderState(kStateAlphaTest, 1);
    Graphics::SetRenderState(kStateAlphaRef, 0);
  }
}

void GR_3D_Set_Hidden(bool on) {
  Graphics::FlushBatch();
  g_renderFlags[3] = on ? 1 : 0;
  GR_Apply_Hidden();
}

void GR_3D_Set_Lighting(bool on) {
  Graphics::FlushBatch();
  g_drawState.lighting = on ? 1 : 0;
  Graphics::SetRenderState(kStateLighting, g_drawState.lighting);
}

void GR_3D_Set_Shading(bool smooth) {
  Graphics::FlushBatch();
  g_renderFlags[4] = smooth ? 1 : 0;
  Graphics::SetRenderState(kStateShadeMode, smooth ? kShadeGouraud : kShadeFlat);
}

// Fog the device cannot do is switched off, and stays off in the settings.
void GR_Apply_Fog() {
  if (g_fogSettings.enable == 0) {
    Graphics::SetRenderState(kStateFog, 0);
    return;
  }
  Graphics::SetRenderState(kStateFog, 1);
  const int32_t support = Graphics::GetFogSupport();
  if (support == kFogTable) {
    Graphics::SetRenderState(kStateFogTableMode, kFogLinear);
  } else if (support == kFogVertex) {
    Graphics::SetRenderState(kStateFogVertexMode, kFogLinear);
    Graphics::SetRenderState(kStateRangeFog, 1);
  } else {
    g_fogSettings.enable = 0;
    Graphics::SetRenderState(kStateFog, 0);
    return;
  }
  Graphics::SetRenderState(kStateFogColour, g_fogSettings.colour);
  Graphics::SetRenderState(kStateFogStart, FloatBits(g_fogSettings.start));
  Graphics::SetRenderState(kStateFogEnd, FloatBits(g_fogSettings.end));
}

void GR_3D_Set_Fog(bool enable, uint32_t colour, int16_t start, int16_t end) {
  g_fogSettings.enable = enable ? 1 : 0;
  g_fogSettings.colour = GR_Pack_Color(colour, 255);
  g_fogSettings.start = static_cast<float>(start);
  g_fogSettings.end = static_cast<float>(end);
  Graphics::FlushBatch();
  GR_Apply_Fog();
}

void GR_Set_Viewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!Graphics::HasDevice()) return;
  g_viewport = ViewportRect{x, y, width, height};
  Graphics::SetViewport(x, y, width, height);
}

void GR_Set_View_Projection(float x, float y, float w, float h, float angle) {
  g_viewProjection = ViewProjection{x, y, w, h, angle};
  const float cx = x + w / 2.0f, cy = y + h / 2.0f;
  const auto a = static_cast<float>(-static_cast<double>(angle) * kDegreesToRadians);
  const Vec3 up{std::sin(a), std::cos(a), 0.0f};
  const Vec3 target{cx, cy, 0.0f};
  Matrix view, projection;
  if (g_3dMode != 0 && g_renderFlags[2] != 0) {
    Matrix_LookAt(view, Vec3{cx, cy, -w}, target, up);
    Matrix_Perspective(projection, 1.0f, h / w, 1.0f, 32000.0f);
  } else {
    Matrix_LookAt(view, Vec3{cx, cy, -16000.0f}, target, up);
    Matrix_Ortho(projection, w, static_cast<float>(g_yFlip) * -h, 1.0f, 32000.0f);
  }
  Graphics::SetTransform(0, view);
  Graphics::SetTransform(1, projection);
}

void GR_Set_Screen_Size(int32_t width, int32_t height) {
  const int32_t screenWidth = Graphics::GetScreenWidth(), screenHeight = Graphics::GetScreenHeight();
  if (width > screenWidth) width = screenWidth;
  if (height > screenHeight) height = screenHeight;
  if (width == g_screenSize.width && height == g_screenSize.height) return;
  g_screenSize = ScreenSize{width, height};
  if (!Graphics::HasDevice()) return;
  GR_Set_Viewport(0, 0, width, height);
  GR_Set_View_Projection(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height), 0.0f);
}

ScreenSize GR_Get_Screen_Size() { return g_screenSize; }

#include "graphics/device/draw_state.h"

#include <cmath>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "runtime/numeric.h"

uint32_t g_drawColor = 0xFF000000u;
int32_t g_blendSrc = 5;
uint8_t g_renderFlags[5] = {1, 1, 1, 1, 1};
FogSettings g_fogSettings{0, 0, 0.0f, 1.0f};
float g_drawDepth = 0.0f;
uint8_t g_3dMode = 0;
int32_t g_currentViewRect[4] = {0, 0, 0, 0};
uint8_t g_orthoProjection = 0;
ScreenSize g_screenSize{640, 480};
ViewportRect g_viewport{-1, -1, -1, -1};
ViewProjection g_viewProjection{-1.0f, -1.0f, -1.0f, -1.0f, -1.0f};
int32_t g_yFlip = 1;
int32_t g_circlePrecision = 24;
DrawState g_drawState;

namespace {

constexpr uint32_t kBlendZero = 1;
// Sampler values: filters take > 0 as point, addresses non-zero as clamp.
constexpr uint32_t kFilterLinear = 0, kFilterPoint = 1, kAddressWrap = 0, kAddressClamp = 1;

uint32_t BlendFactor(int32_t factor) {
  return factor >= 2 && factor <= 17 ? static_cast<uint32_t>(factor) : kBlendZero;
}

}  // namespace

uint32_t GR_Pack_Color(uint32_t c, uint32_t a) {
  return (a << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t GR_Make_Color_RGB(uint32_t r, uint32_t g, uint32_t b) {
  return ((b & 0xFF) << 16) + ((g & 0xFF) << 8) + (r & 0xFF);
}

uint32_t GR_Make_ARGB(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

uint32_t GR_Replace_Alpha(uint32_t argb, uint32_t a) { return (argb & 0xFFFFFF) | (a << 24); }

uint32_t GR_Swap_Red_Blue(uint32_t c) { return (c & 0xFF00FF00u) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF); }

uint32_t GR_Alpha_To_Byte(float alpha) {
  if (!(alpha > 0.0f)) return 0;
  if (alpha > 1.0f) alpha = 1.0f;
  return static_cast<uint32_t>(Num_TruncInt32(static_cast<double>(alpha * 255.0f)));
}

uint32_t GR_Merge_Color(uint32_t c1, uint32_t c2, double f) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = static_cast<double>((c1 >> shift) & 0xFF), b = static_cast<double>((c2 >> shift) & 0xFF);
    out |= (static_cast<uint32_t>(Num_RoundInt32(a * (1.0 - f) + b * f)) & 0xFF) << shift;
  }
  return out;
}

void GR_Draw_Set_Color(uint32_t c) { g_drawColor = GR_Pack_Color(c, g_drawState.alpha); }

void GR_Draw_Set_Alpha(float alpha) {
  g_drawState.alpha = GR_Alpha_To_Byte(alpha);
  g_drawColor = GR_Replace_Alpha(g_drawColor, g_drawState.alpha);
}

uint32_t GR_Draw_Get_Color() { return GR_Swap_Red_Blue(g_drawColor) & 0xFFFFFF; }
float GR_Draw_Get_Alpha() { return static_cast<float>(g_drawState.alpha) / 255.0f; }

void GR_Draw_Set_Blend_Mode_Ext(int32_t source, int32_t destination) {
  Graphics::FlushBatch();
  g_blendSrc = static_cast<int32_t>(BlendFactor(source));
  g_drawState.blendDest = static_cast<int32_t>(BlendFactor(destination));
  Graphics::SetRenderState(kStateSourceBlend, static_cast<uint32_t>(g_blendSrc));
  Graphics::SetRenderState(kStateDestinationBlend, static_cast<uint32_t>(g_drawState.blendDest));
}

void GR_Draw_Set_Blend_Mode(int32_t mode) {
  if (!Graphics::HasDevice()) return;
  switch (mode) {
    case 1: GR_Draw_Set_Blend_Mode_Ext(5, 2); break;
    case 2: GR_Draw_Set_Blend_Mode_Ext(5, 4); break;
    case 3: GR_Draw_Set_Blend_Mode_Ext(1, 4); break;
    default: GR_Draw_Set_Blend_Mode_Ext(5, 6); break;
  }
}

void GR_Texture_Set_Interpolation(bool on) {
  if (!Graphics::HasDevice()) return;
  Graphics::FlushBatch();
  g_renderFlags[0] = on ? 1 : 0;
  const uint32_t filter = on ? kFilterLinear : kFilterPoint;
  Graphics::SetSamplerState(0, kSamplerMinFilter, filter);
  Graphics::SetSamplerState(0, kSamplerMagFilter, filter);
}

bool GR_Texture_Get_Interpolation() { return g_renderFlags[0] != 0; }

void GR_Texture_Set_Blending(bool on) {
  if (!Graphics::HasDevice()) return;
  g_renderFlags[1] = on ? 1 : 0;
  Graphics::FlushBatch();
  Graphics::SetTextureBlending(on);
}

void GR_Texture_Set_Repeat(bool on) {
  if (!Graphics::HasDevice()) return;
  Graphics::FlushBatch();
  g_drawState.textureRepeat = on ? 1 : 0;
  const uint32_t address = on ? kAddressWrap : kAddressClamp;
  Graphics::SetSamplerState(0, kSamplerAddressU, address);
  Graphics::SetSamplerState(0, kSamplerAddressV, address);
}

namespace {

constexpr uint32_t kCullCounterClockwise = 2, kCullNone = 0, kShadeGouraud = 2, kShadeFlat = 1;

}  // namespace

void GR_Restore_Render_States() {
  if (!Graphics::HasDevice()) return;
  Graphics::SetDefaultStates();
  Graphics::SetRenderState(kStateAlphaBlend, 1);
  Graphics::SetRenderState(kStateCull, g_drawState.culling != 0 ? kCullCounterClockwise : kCullNone);
  Graphics::SetRenderState(kStateSourceBlend, static_cast<uint32_t>(g_blendSrc));
  Graphics::SetRenderState(kStateDestinationBlend, static_cast<uint32_t>(g_drawState.blendDest));
  Graphics::SetRenderState(kStateLighting, g_drawState.lighting);
  Graphics::SetRenderState(kStateShadeMode, g_renderFlags[4] != 0 ? kShadeGouraud : kShadeFlat);
  GR_Apply_Hidden();
  GR_Apply_Fog();
  Graphics::SetTexture(0, nullptr);
  GR_Texture_Set_Interpolation(g_drawState.startInterpolation);
  GR_Texture_Set_Blending(g_renderFlags[1] != 0);
  GR_Texture_Set_Repeat(g_drawState.textureRepeat != 0);
}

void GR_Draw_Set_Circle_Precision(int32_t precision) {
  if (precision < 4) precision = 4;
  if (precision > kCircleMaxPrecision) precision = kCircleMaxPrecision;
  precision &= ~3;
  g_circlePrecision = precision;
  constexpr float kPi = 3.1415927f;
  for (int32_t k = 0; k <= precision; ++k) {
    const float angle = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(precision);
    g_drawState.circleCos[k] = std::cos(angle);
    g_drawState.circleSin[k] = std::sin(angle);
  }
}

void GR_Draw_Reset_Circle_Precision() { GR_Draw_Set_Circle_Precision(24); }

void DrawState_Reset() {
  g_drawColor = 0xFF000000u;
  g_blendSrc = 5;
  for (uint8_t& flag : g_renderFlags) flag = 1;
  g_fogSettings = FogSettings{0, 0, 0.0f, 1.0f};
  g_drawDepth = 0.0f;
  g_3dMode = 0;
  for (int32_t& side : g_currentViewRect) side = 0;
  g_orthoProjection = 0;
  g_screenSize = ScreenSize{640, 480};
  g_viewport = ViewportRect{-1, -1, -1, -1};
  g_viewProjection = ViewProjection{-1.0f, -1.0f, -1.0f, -1.0f, -1.0f};
  g_yFlip = 1;
  g_drawState = DrawState();
  GR_Draw_Reset_Circle_Precision();
}

namespace {

// The circle tables are usable from the program's start, before anything
// draws.
struct CircleTablesStart {
  CircleTablesStart() { GR_Draw_Reset_Circle_Precision(); }
} g_circleTablesStart;

}  // namespace

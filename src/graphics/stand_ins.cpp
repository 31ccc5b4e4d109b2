// Plain versions of the batcher, render-state cache and drawing-core
// operations the device layer calls: each sends straight to the device. The
// layers that own these names replace this file.
#include "graphics/stand_ins.h"

#include <cstring>

#include "graphics/graphics.h"

ScreenSize g_screenSize{0, 0};
uint8_t g_renderFlags[5] = {1, 1, 1, 1, 1};

namespace {

Matrix g_transforms[3] = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
                          {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
                          {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
bool g_zBuffer = true, g_fog = false, g_lighting = true;
int32_t g_cull = 0;
const uint32_t kTransformKinds[3] = {D3DTS_VIEW, D3DTS_PROJECTION, D3DTS_WORLD};

uint32_t MapState(int32_t id, uint32_t value, uint32_t* state) {
  switch (id) {
    case 1: *state = D3DRS_ZENABLE; g_zBuffer = value != 0; return value;
    case 5: *state = D3DRS_ALPHATESTENABLE; return value;
    case 6: *state = D3DRS_SRCBLEND; return value >= 2 && value <= 17 ? value : D3DBLEND_ZERO;
    case 7: *state = D3DRS_DESTBLEND; return value >= 2 && value <= 17 ? value : D3DBLEND_ZERO;
    case 8: *state = D3DRS_CULLMODE; g_cull = static_cast<int32_t>(value);
      return value == 1 ? D3DCULL_CW : value == 2 ? D3DCULL_CCW : D3DCULL_NONE;
    case 10: *state = D3DRS_ALPHAREF; return value;
    case 11: *state = D3DRS_ALPHAFUNC; return value >= 1 && value <= 7 ? value : D3DCMP_ALWAYS;
    case 12: *state = D3DRS_ALPHABLENDENABLE; return value;
    case 13: *state = D3DRS_FOGENABLE; g_fog = value != 0; return value;
    case 21: *state = D3DRS_LIGHTING; g_lighting = value != 0; return value;
    default: *state = 0; return 0;
  }
}

}  // namespace

namespace Graphics {

void FlushBatch() {}
void ForgetPendingTexture(const DeviceTexture*) {}

void SetRenderState(int32_t id, uint32_t value) {
  uint32_t state = 0;
  const uint32_t mapped = MapState(id, value, &state);
  IGraphicsDevice* device = GetDevice();
  if (device != nullptr && state != 0) device->SetRenderState(state, mapped);
}

void SetSamplerState(int32_t stage, int32_t id, uint32_t value) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || stage < 0) return;
  const uint32_t filter = value > 0 ? D3DTEXF_POINT : D3DTEXF_LINEAR;
  const uint32_t address = value != 0 ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
  const auto s = static_cast<uint32_t>(stage);
  if (id == 0) device->SetSamplerState(s, D3DSAMP_MAGFILTER, filter);
  if (id == 1) device->SetSamplerState(s, D3DSAMP_MINFILTER, filter);
  if (id == 2) device->SetSamplerState(s, D3DSAMP_ADDRESSU, address);
  if (id == 3) device->SetSamplerState(s, D3DSAMP_ADDRESSV, address);
}

bool ZBufferOn() { return g_zBuffer; }
bool FogOn() { return g_fog; }
bool LightingOn() { return g_lighting; }
int32_t CullMode() { return g_cull; }

void SetTransform(int32_t index, const Matrix& matrix) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || index < 0 || index > 2) return;
  Matrix m = matrix;
  if (index == 1) {
    const float w = static_cast<float>(g_screenSize.width > 0 ? g_screenSize.width : 640);
    const float h = static_cast<float>(g_screenSize.height > 0 ? g_screenSize.height : 480);
    m.m[12] -= 1.0f / w;
    m.m[13] += 1.0f / h;
  }
  RestoreTransform(index, m);
}

void GetTransform(int32_t index, Matrix& matrix) {
  if (index >= 0 && index <= 2) matrix = g_transforms[index];
}

void RestoreTransform(int32_t index, const Matrix& matrix) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || index < 0 || index > 2) return;
  g_transforms[index] = matrix;
  device->SetTransform(kTransformKinds[index], matrix.m);
}

void Clear(uint32_t colour, float, uint32_t, uint32_t flags) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || flags == 0) return;
  const uint32_t argb = (colour & 0xFF00FF00u) | ((colour & 0xFF) << 16) | ((colour >> 16) & 0xFF);
  device->Clear(flags, argb, 1.0f, 0);
}

}  // namespace Graphics

void GR_Set_Screen_Size(int32_t width, int32_t height) {
  if (width == g_screenSize.width && height == g_screenSize.height) return;
  g_screenSize = ScreenSize{width, height};
  Graphics::SetViewport(0, 0, width, height);
}

void GR_Texture_Set_Interpolation(bool on) {
  g_renderFlags[0] = on ? 1 : 0;
  Graphics::SetSamplerState(0, 0, on ? 0 : 1);
  Graphics::SetSamplerState(0, 1, on ? 0 : 1);
}

void GR_Restore_Render_States() {}
void GR_Display_Reset() { Graphics::Reset(); }
void GR_Overlay_Bind_Font() {}
void Profiler_Frame_Start() {}
void Profiler_Draw() {}
void Profiler_Init() {}
void Profiler_Shutdown() {}

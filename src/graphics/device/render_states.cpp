#include "graphics/device/render_states.h"

#include <cstring>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"

namespace {

constexpr uint32_t kUnknown = 0xFFFFFFFFu;
constexpr int32_t kSamplerSlots = 16;
constexpr uint32_t kLightMask = 7;
constexpr uint32_t kRangeFogEnable = 48;

uint32_t g_renderCache[kRenderStateCount];
uint32_t g_samplerCache[kSamplerStages][kSamplerSlots];
bool g_zBuffer = false, g_fog = false, g_lighting = false;
int32_t g_cull = 0;
Matrix g_transforms[3] = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
                          {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
                          {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
const uint32_t kTransformKinds[3] = {D3DTS_VIEW, D3DTS_PROJECTION, D3DTS_WORLD};
Graphics::ProjectionSizeSource g_sizeSource = nullptr;

struct CacheStart {
  CacheStart() { Graphics::ForgetStateCaches(); }
} g_cacheStart;

uint32_t BlendFactor(uint32_t v) { return v >= D3DBLEND_ONE && v <= D3DBLEND_INVSRCCOLOR2 ? v : D3DBLEND_ZERO; }
uint32_t FogMode(uint32_t v) { return v <= D3DFOG_EXP2 ? v : D3DFOG_LINEAR; }

// The device state an own id stands for and the value to send; state 0 for
// ids that mean nothing.
uint32_t MapState(int32_t id, uint32_t value, uint32_t* state) {
  switch (id) {
    case kStateZEnable:
      *state = D3DRS_ZENABLE;
      g_zBuffer = value != 0;
      return value;
    case kStateFillMode: *state = D3DRS_FILLMODE; return value == 1 || value == 2 ? value : D3DFILL_SOLID;
    case kStateShadeMode: *state = D3DRS_SHADEMODE; return value == 1 ? D3DSHADE_FLAT : D3DSHADE_GOURAUD;
    case kStateAlphaTest: *state = D3DRS_ALPHATESTENABLE; return value;
    case kStateSourceBlend: *state = D3DRS_SRCBLEND; return BlendFactor(value);
    case kStateDestinationBlend: *state = D3DRS_DESTBLEND; return BlendFactor(value);
    case kStateCull:
      *state = D3DRS_CULLMODE;
      g_cull = static_cast<int32_t>(value);
      return value == 1 ? D3DCULL_CW : value == 2 ? D3DCULL_CCW : D3DCULL_NONE;
    case kStateAlphaRef: *state = D3DRS_ALPHAREF; return value;
    case kStateAlphaFunc: *state = D3DRS_ALPHAFUNC; return value >= 1 && value <= 7 ? value : D3DCMP_ALWAYS;
    case kStateAlphaBlend: *state = D3DRS_ALPHABLENDENABLE; return value;
    case kStateFog:
      *state = D3DRS_FOGENABLE;
      g_fog = value != 0;
      return value;
    case kStateFogColour: *state = D3DRS_FOGCOLOR; return value;
    case kStateFogTableMode: *state = D3DRS_FOGTABLEMODE; return FogMode(value);
    case kStateFogStart: *state = D3DRS_FOGSTART; return value;
    case kStateFogEnd: *state = D3DRS_FOGEND; return value;
    case kStateRangeFog: *state = kRangeFogEnable; return value;
    case kStateLighting:
      *state = D3DRS_LIGHTING;
      g_lighting = value != 0;
      return value;
    case kStateFogVertexMode: *state = D3DRS_FOGVERTEXMODE; return FogMode(value);
    default: *state = 0; return 0;
  }
}

void Send(uint32_t state, uint32_t value) {
  IGraphicsDevice* device = Graphics::GetDevice();
  if (device == nullptr || state >= kRenderStateCount || g_renderCache[state] == value) return;
  g_renderCache[state] = value;
  device->SetRenderState(state, value);
}

uint32_t SwapRedBlue(uint32_t c) { return (c & 0xFF00FF00u) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF); }

GfxColourValue ColourOf(uint32_t colour) {
  return GfxColourValue{static_cast<float>(colour & 0xFF) / 255.0f, static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                        static_cast<float>((colour >> 16) & 0xFF) / 255.0f, 0.0f};
}

// Half a pixel of the target being drawn: a projection spreads over its
// viewport, on a surface as on the screen, whatever the room's size. Half a
// room pixel would put a room drawn at twice its size a whole window pixel
// up and left, its last row and column never drawn.
void HalfPixelSize(int32_t* w, int32_t* h) {
  GfxViewport viewport{};
  if (Graphics::GetDevice()->GetViewport(&viewport) == D3D_OK && viewport.width > 0 && viewport.height > 0) {
    *w = static_cast<int32_t>(viewport.width);
    *h = static_cast<int32_t>(viewport.height);
    return;
  }
  *w = 640;
  *h = 480;
  if (g_sizeSource != nullptr) g_sizeSource(w, h);
}

}  // namespace

namespace Graphics {

void SetRenderState(int32_t id, uint32_t value) {
  uint32_t state = 0;
  const uint32_t mapped = MapState(id, value, &state);
  if (state != 0) Send(state, mapped);
}

void SetSamplerState(int32_t stage, int32_t id, uint32_t value) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || stage < 0 || stage >= kSamplerStages) return;
  uint32_t state, mapped;
  switch (id) {
    case kSamplerMagFilter: state = D3DSAMP_MAGFILTER; break;
    case kSamplerMinFilter: state = D3DSAMP_MINFILTER; break;
    case kSamplerAddressU: state = D3DSAMP_ADDRESSU; break;
    case kSamplerAddressV: state = D3DSAMP_ADDRESSV; break;
    default: return;
  }
  if (id == kSamplerMagFilter || id == kSamplerMinFilter) {
    mapped = value > 0 ? D3DTEXF_POINT : D3DTEXF_LINEAR;
  } else {
    mapped = value != 0 ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
  }
  uint32_t& cached = g_samplerCache[stage][state];
  if (cached == mapped) return;
  cached = mapped;
  device->SetSamplerState(static_cast<uint32_t>(stage), state, mapped);
}

bool ZBufferOn() { return g_zBuffer; }
bool FogOn() { return g_fog; }
bool LightingOn() { return g_lighting; }
int32_t CullMode() { return g_cull; }

void ForgetStateCaches() {
  for (uint32_t& v : g_renderCache) v = kUnknown;
  for (auto& stage : g_samplerCache) {
    for (uint32_t& v : stage) v = kUnknown;
  }
  SetVertexFormatCache(0);
}

// A device reset puts the device's sampler states back to their defaults too,
// so the sampler cache is forgotten along with the render states.
void SetDefaultStates() {
  ForgetStateCaches();
  static const uint32_t defaults[][2] = {{D3DRS_LIGHTING, 1},
                                         {D3DRS_ZENABLE, 1},
                                         {D3DRS_FILLMODE, D3DFILL_SOLID},
                                         {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
                                         {D3DRS_ZWRITEENABLE, 1},
                                         {D3DRS_ALPHATESTENABLE, 0},
                                         {D3DRS_LASTPIXEL, 1},
                                         {D3DRS_SRCBLEND, D3DBLEND_ONE},
                                         {D3DRS_DESTBLEND, D3DBLEND_ZERO},
                                         {D3DRS_CULLMODE, D3DCULL_NONE},
                                         {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
                                         {D3DRS_ALPHAREF, 128},
                                         {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
                                         {D3DRS_DITHERENABLE, 1},
                                         {D3DRS_ALPHABLENDENABLE, 0},
                                         {D3DRS_FOGENABLE, 0},
                                         {D3DRS_SPECULARENABLE, 0},
                                         {D3DRS_FOGCOLOR, 0},
                                         {D3DRS_FOGTABLEMODE, D3DFOG_NONE},
                                         {D3DRS_FOGSTART, 0},
                                         {D3DRS_FOGEND, 1},
                                         {D3DRS_STENCILENABLE, 0},
                                         {D3DRS_STENCILZFAIL, 1},
                                         {D3DRS_COLORWRITEENABLE, 15},
                                         {D3DRS_BLENDOP, D3DBLENDOP_ADD}};
  for (const auto& d : defaults) Send(d[0], d[1]);
}

void SetTextureBlending(bool on) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr) return;
  if (on) {
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  } else {
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  }
}

void SetProjectionSizeSource(ProjectionSizeSource source) { g_sizeSource = source; }

void SetTransform(int32_t index, const Matrix& matrix) {
  if (GetDevice() == nullptr || index < 0 || index > 2) return;
  Matrix m = matrix;
  if (index == 1) {
    int32_t w = 0, h = 0;
    HalfPixelSize(&w, &h);
    // A zero size would move the projection by infinity.
    if (w != 0) m.m[12] -= 1.0f / static_cast<float>(w);
    if (h != 0) m.m[13] += 1.0f / static_cast<float>(h);
  }
  RestoreTransform(index, m);
}

void GetTransform(int32_t index, Matrix& matrix) {
  if (index >= 0 && index <= 2) matrix = g_transforms[index];
}

void RestoreTransform(int32_t index, const Matrix& matrix) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr || index < 0 || index > 2) return;
  FlushBatch();
  g_transforms[index] = matrix;
  device->SetTransform(kTransformKinds[index], g_transforms[index].m);
}

void SetAmbient(uint32_t colour) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr) return;
  const GfxColourValue one{1, 1, 1, 1};
  device->SetMaterial(GfxMaterial{one, one, one, GfxColourValue{0, 0, 0, 0}, 1.0f});
  Send(D3DRS_AMBIENT, SwapRedBlue(colour));
}

void SetDirectionalLight(int32_t index, float dx, float dy, float dz, uint32_t colour) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr) return;
  GfxLight light;
  std::memset(&light, 0, sizeof light);
  light.type = D3DLIGHT_DIRECTIONAL;
  light.diffuse = ColourOf(colour);
  light.direction[0] = dx;
  light.direction[1] = dy;
  light.direction[2] = dz;
  device->SetLight(static_cast<uint32_t>(index) & kLightMask, light);
}

void SetPointLight(int32_t index, float x, float y, float z, float range, uint32_t colour) {
  IGraphicsDevice* device = GetDevice();
  if (device == nullptr) return;
  GfxLight light;
  std::memset(&light, 0, sizeof light);
  light.type = D3DLIGHT_POINT;
  light.diffuse = ColourOf(colour);
  light.position[0] = x;
  light.position[1] = y;
  light.position[2] = z;
  light.range = range;
  light.attenuation0 = 1.0f;
  light.attenuation1 = range > 0.0f ? 1.0f / range : 0.0f;
  device->SetLight(static_cast<uint32_t>(index) & kLightMask, light);
}

void EnableLight(int32_t index, bool on) {
  IGraphicsDevice* device = GetDevice();
  if (device != nullptr) device->LightEnable(static_cast<uint32_t>(index) & kLightMask, on);
}

void Clear(uint32_t colour, float, uint32_t, uint32_t flags) {
  IGraphicsDevice* device = GetDevice();
  flags &= D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
  if (device == nullptr || flags == 0) return;
  device->Clear(flags, SwapRedBlue(colour), 1.0f, 0);
}

}  // namespace Graphics

// The program's own render-state and sampler-state ids, mapped to device
// values and sent only when they differ from what the device already has;
// the view, projection and world transforms kept for reading back; default
// states, texture blending, lights and clears.
#pragma once
#include <cstdint>

#include "runtime/matrix.h"

// Own render-state ids.
constexpr int32_t kStateZEnable = 1, kStateFillMode = 2, kStateShadeMode = 3, kStateAlphaTest = 5,
                  kStateSourceBlend = 6, kStateDestinationBlend = 7, kStateCull = 8, kStateAlphaRef = 10,
                  kStateAlphaFunc = 11, kStateAlphaBlend = 12, kStateFog = 13, kStateFogColour = 15,
                  kStateFogTableMode = 16, kStateFogStart = 17, kStateFogEnd = 18, kStateRangeFog = 20,
                  kStateLighting = 21, kStateFogVertexMode = 23;
// Own sampler-state ids: filters take > 0 as point, addresses non-zero as clamp.
constexpr int32_t kSamplerMagFilter = 0, kSamplerMinFilter = 1, kSamplerAddressU = 2, kSamplerAddressV = 3;
constexpr int32_t kSamplerStages = 16;

namespace Graphics {

void SetRenderState(int32_t id, uint32_t value);
void SetSamplerState(int32_t stage, int32_t id, uint32_t value);
// What the last own z-buffer, fog, lighting and cull states were set to.
bool ZBufferOn();
bool FogOn();
bool LightingOn();
int32_t CullMode();
// Marks every cached state unknown (a new device knows none of them).
void ForgetStateCaches();
void SetDefaultStates();
// On: texture times vertex colour; off: the texture alone.
void SetTextureBlending(bool on);

// Index 0 view, 1 projection, 2 world. A projection is moved by half a pixel
// of the area it is drawn into, so that pixel centres fall on texel centres:
// the viewport while a surface is the target, else the size below. Set the
// viewport before the projection when drawing into a surface.
void SetTransform(int32_t index, const Matrix& matrix);
void GetTransform(int32_t index, Matrix& matrix);
// Puts back a matrix read with GetTransform, without moving it again.
void RestoreTransform(int32_t index, const Matrix& matrix);
// The size the half-pixel move is measured in on the screen: the room's (or
// its first visible view's port). The world installs the source; without
// one, 640 x 480.
using ProjectionSizeSource = void (*)(int32_t* width, int32_t* height);
void SetProjectionSizeSource(ProjectionSizeSource source);

// Script colours (0xBBGGRR) throughout.
void SetAmbient(uint32_t colour);
void SetDirectionalLight(int32_t index, float dx, float dy, float dz, uint32_t colour);
void SetPointLight(int32_t index, float x, float y, float z, float range, uint32_t colour);
void EnableLight(int32_t index, bool on);
// Colour 0xAABBGGRR; flags 1 target, 2 z-buffer, 4 stencil. The z-buffer is
// always cleared to 1.0 and the stencil to 0.
void Clear(uint32_t colour, float z, uint32_t stencil, uint32_t flags);

}  // namespace Graphics

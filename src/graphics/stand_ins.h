// Operations of the batcher, the render-state cache and the drawing core
// that the device layer calls. Until those layers exist these are plain
// pass-throughs to the device (see stand_ins.cpp); the layers replace them.
#pragma once
#include <cstdint>

#include "runtime/matrix.h"

struct DeviceTexture;

namespace Graphics {
void FlushBatch();
void ForgetPendingTexture(const DeviceTexture* texture);
// Own render-state ids (1 z-buffer, 8 cull, 12 alpha blending, 13 fog, 21 lighting, ...).
void SetRenderState(int32_t id, uint32_t value);
void SetSamplerState(int32_t stage, int32_t id, uint32_t value);
bool ZBufferOn();
bool FogOn();
bool LightingOn();
int32_t CullMode();
// Index 0 view, 1 projection, 2 world; a projection gets the half-pixel move.
void SetTransform(int32_t index, const Matrix& matrix);
void GetTransform(int32_t index, Matrix& matrix);
// Puts back a matrix read with GetTransform, without moving it again.
void RestoreTransform(int32_t index, const Matrix& matrix);
// Script colour 0xAABBGGRR; z is always 1.0 and stencil 0.
void Clear(uint32_t colour, float z, uint32_t stencil, uint32_t flags);
}  // namespace Graphics

// The drawing core's screen size and flags.
struct ScreenSize {
  int32_t width, height;
};
extern ScreenSize g_screenSize;
extern uint8_t g_renderFlags[5];  // [0] texture interpolation
void GR_Set_Screen_Size(int32_t width, int32_t height);
void GR_Texture_Set_Interpolation(bool on);
void GR_Restore_Render_States();
void GR_Display_Reset();
void GR_Overlay_Bind_Font();
void Profiler_Frame_Start();
void Profiler_Draw();
void Profiler_Init();
void Profiler_Shutdown();

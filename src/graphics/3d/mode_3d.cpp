#include "graphics/3d/mode_3d.h"

#include <cstdint>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/render_states.h"

namespace {

constexpr float kDepthLimit = 16000.0f;
constexpr uint32_t kClearDepthAndStencil = 2 | 4;

}  // namespace

bool GR_3D_Set_Mode(bool on) {
  const uint8_t mode = on ? 1 : 0;
  if (mode == g_3dMode) return true;
  Graphics::FlushBatch();
  g_3dMode = mode;
  GR_3D_Set_Perspective(on);
  GR_3D_Set_Hidden(on);
  return true;
}

void GR_3D_Set_Depth(float depth) {
  if (g_3dMode == 0) {
    g_drawDepth = 0.0f;
    return;
  }
  g_drawDepth = depth < -kDepthLimit ? -kDepthLimit : depth > kDepthLimit ? kDepthLimit : depth;
}

void GR_Clear_Depth() { Graphics::Clear(0, 1.0f, 0, kClearDepthAndStencil); }

#include "world/room_draw_stand_ins.h"

#include "gamefile/background.h"
#include "gamefile/texture_pages.h"
#include "graphics/batcher.h"
#include "graphics/draw_state.h"
#include "graphics/graphics.h"
#include "graphics/render_states.h"
#include "graphics/texture_quads.h"

namespace {

constexpr float kDepthLimit = 16000.0f;
constexpr uint32_t kClearDepthAndStencil = 2 | 4;
constexpr float kNoParticles = -1e9f;

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

bool GR_Surface_Exists(int32_t) { return false; }
int32_t GR_Surface_Get_Texture(int32_t) { return -1; }

float Particle_System_FirstDepth() { return kNoParticles; }
float Particle_System_NextDepth(float) { return kNoParticles; }
void Particle_System_DrawAtDepth(float) {}

// A background of the game file draws from its page, one made at run time
// from its own texture.

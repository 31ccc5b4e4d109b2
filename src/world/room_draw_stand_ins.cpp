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
void RoomDraw_BackgroundTiled(const CBackground& background, float x, float y, float xscale, float yscale,
                              bool tileH, bool tileV, int32_t areaLeft, int32_t areaTop, int32_t areaWidth,
                              int32_t areaHeight, uint32_t colour, float alpha) {
  const TileArea area{areaLeft, areaTop, areaWidth, areaHeight};
  if (background.GetPageOffset() != 0) {
    TexturePage* page = TexturePage_AtOffset(background.GetPageOffset());
    if (page != nullptr) GR_TexturePage_Draw_Tiled(page, 0, 0, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
    return;
  }
  GR_Texture_Draw_Tiled(background.GetTextureId(), 0, 0, x, y, xscale, yscale, tileH, tileV, area, colour, alpha);
}

void RoomDraw_BackgroundPart(const CBackground& background, float left, float top, float width, float height, float x,
                             float y, float xscale, float yscale, uint32_t colour, float alpha) {
  if (background.GetPageOffset() != 0) {
    TexturePage* page = TexturePage_AtOffset(background.GetPageOffset());
    if (page != nullptr) GR_TexturePage_Draw_Part(page, left, top, width, height, x, y, xscale, yscale, 0, colour, alpha);
    return;
  }
  GR_Texture_Draw_Part(background.GetTextureId(), left, top, width, height, x, y, xscale, yscale, 0, colour, alpha);
}

// Screen-space drawing around the overlays: the states and matrices the
// frame's drawing set are kept and put back afterwards.
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/profiler_services.h"
#include "graphics/device/render_states.h"

namespace {

struct SavedOverlayState {
  int32_t cull;
  bool zBuffer, lighting, fog;
  Matrix view, projection;
};
SavedOverlayState g_saved;

}  // namespace

void GR_Overlay_Begin() {
  if (!Graphics::HasDevice()) return;
  g_saved.cull = Graphics::CullMode();
  g_saved.zBuffer = Graphics::ZBufferOn();
  g_saved.lighting = Graphics::LightingOn();
  g_saved.fog = Graphics::FogOn();
  Graphics::GetTransform(0, g_saved.view);
  Graphics::GetTransform(1, g_saved.projection);
  const int32_t w = g_screenSize.width > 0 ? g_screenSize.width : 1;
  const int32_t h = g_screenSize.height > 0 ? g_screenSize.height : 1;
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  Matrix view{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, static_cast<float>(-(w / 2)) - 1.0f / fw,
               static_cast<float>(-(h / 2)) + 1.0f / fh, 16000, 1}};
  Graphics::SetTransform(0, view);
  Matrix projection;
  Matrix_Ortho(projection, fw, -fh, 1.0f, 32000.0f);
  Graphics::SetTransform(1, projection);
  const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  Graphics::SetTransform(2, identity);
  Graphics::SetRenderState(8, 0);
  Graphics::SetRenderState(1, 0);
  Graphics::SetRenderState(21, 0);
  Graphics::SetRenderState(13, 0);
  Graphics::SetRenderState(12, 1);
  ProfilerServices_Get().bindFont();
}

// The projection read back already carries its half-pixel move, so it goes
// back unmoved; moving it again would drift it by a pixel every frame.
void GR_Overlay_End() {
  if (!Graphics::HasDevice()) return;
  Graphics::SetTexture(0, nullptr);
  Graphics::SetRenderState(12, 1);
  Graphics::SetRenderState(8, g_saved.cull);
  Graphics::SetRenderState(1, g_saved.zBuffer ? 1 : 0);
  Graphics::SetRenderState(21, g_saved.lighting ? 1 : 0);
  Graphics::SetRenderState(13, g_saved.fog ? 1 : 0);
  Graphics::RestoreTransform(1, g_saved.projection);
  Graphics::RestoreTransform(0, g_saved.view);
}

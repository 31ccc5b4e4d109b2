// Plain versions of the drawing-core and profiler operations the device
// layer calls. The layers that own these names replace this file.
#include "graphics/stand_ins.h"

#include "graphics/batcher.h"
#include "graphics/graphics.h"
#include "graphics/render_states.h"

ScreenSize g_screenSize{0, 0};
uint8_t g_renderFlags[5] = {1, 1, 1, 1, 1};

void GR_Set_Screen_Size(int32_t width, int32_t height) {
  if (width == g_screenSize.width && height == g_screenSize.height) return;
  g_screenSize = ScreenSize{width, height};
  Graphics::SetViewport(0, 0, width, height);
}

void GR_Texture_Set_Interpolation(bool on) {
  Graphics::FlushBatch();
  g_renderFlags[0] = on ? 1 : 0;
  Graphics::SetSamplerState(0, 0, on ? 0 : 1);
  Graphics::SetSamplerState(0, 1, on ? 0 : 1);
}

void GR_Restore_Render_States() {
  Graphics::SetDefaultStates();
  Graphics::SetTextureBlending(true);
}
void GR_Display_Reset() { Graphics::Reset(); }
void GR_Overlay_Bind_Font() {}
void Profiler_Frame_Start() {}
void Profiler_Draw() {}
void Profiler_Init() {}
void Profiler_Shutdown() {}

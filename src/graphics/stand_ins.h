// Operations of the drawing core and the profiler that the device layer
// calls. Until those layers exist these are plain versions (see
// stand_ins.cpp); the layers replace them.
#pragma once
#include <cstdint>

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

// The frame profiler: named, coloured markers nested inside each frame's
// "Total", the frame-rate statistics of the whole run, and the overlay drawn
// at the frame's end (marker bars, the fps line, the information panel).
#pragma once

#include <cstdint>

#include "graphics/device/profiler_services.h"

constexpr int32_t kProfilerMaxMarkers = 1024;
constexpr int32_t kProfilerMaxDepth = 58;
constexpr float kProfilerBarScale = 66666.664f;

// Overlay flag bits (g_runFlags.overlayFlags).
constexpr uint32_t kOverlayPanel = 1u;
constexpr uint32_t kOverlayBars = 2u;
constexpr uint32_t kOverlayFpsSwitch = 8u;

struct ProfilerMarker {
  int64_t start, end;
  uint32_t colour;  // 0xAABBGGRR
  const char* name;
};

struct ProfilerStats {
  int32_t frames;
  int32_t minFps, maxFps, avgFps;
  int64_t frameTime;
  int32_t lastFps;
};

// Microseconds the last present took; the frame's end measures it and the
// frame's time counts it.
extern int64_t g_presentTime;

void Profiler_Init();
void Profiler_Start_Frame();
void Profiler_Begin(uint32_t colour, const char* name);
void Profiler_End();
void Profiler_Draw();
void Profiler_Log_FPS();
// Statistics and markers back to a new run's (the font texture is kept).
void Profiler_Reset();

int32_t Profiler_MarkerCount();
const ProfilerMarker& Profiler_Marker(int32_t index);
int64_t Profiler_FrameStart();
const ProfilerStats& Profiler_Stats();
// The debug-font texture index, -1 before Profiler_Init made it.
int32_t Profiler_FontTexture();

// Drawing parts of the frame's end, also used on their own.
void Profiler_Draw_Bars(int64_t frameTime);
void Profiler_Draw_Info_Panel();
// Mouse taps on the zones, the panel's CLOSE and its FPS switch.
void Profiler_Handle_Taps();
// The zone-sequence position (taps matched so far).
int32_t Profiler_ZonePosition();

const ProfilerServices& ProfilerServices_Real();

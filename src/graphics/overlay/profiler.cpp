// Markers and frame statistics. Every open marker is closed at the frame's
// end, so a step cut short by a room change still measures "Total" whole.
// Opens refused for want of records or stack are counted, and their ends
// close nothing, so an outer marker is never closed early.
#include "graphics/overlay/profiler.h"

#include <algorithm>
#include <climits>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/overlay/overlay_text.h"
#include "graphics/overlay/profiler_host.h"
#include "graphics/texture/texture_table.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"
#include "runtime/timer.h"

int64_t g_presentTime = 0;

namespace {

constexpr uint32_t kTotalColour = 0xFF000080u;
constexpr const char* kDashes = "---------------------------------------------------------------\n";

struct ProfilerState {
  ProfilerMarker markers[kProfilerMaxMarkers];
  int32_t count = 0;
  ProfilerMarker* open[kProfilerMaxDepth];
  int32_t depth = 0;
  int32_t refused = 0;
  bool frameOpen = false;
  int64_t frameStart = 0;
  ProfilerStats stats{0, INT32_MAX, INT32_MIN, 30, 0, 0};
  int32_t fontTexture = -1;
};
ProfilerState g_profiler;

// A frame under a microsecond counts as one.
int32_t FramesPerSecond(int64_t frameTime) {
  return static_cast<int32_t>(std::min<int64_t>(1000000 / std::max<int64_t>(frameTime, 1), INT32_MAX));
}

void Count(int32_t fps) {
  ProfilerStats& s = g_profiler.stats;
  s.lastFps = fps;
  if (s.frames > 100) {
    s.minFps = std::min(s.minFps, fps);
    s.maxFps = std::max(s.maxFps, fps);
    s.avgFps = static_cast<int32_t>((int64_t{s.avgFps} + fps) / 2);
  }
  if (s.frames < INT32_MAX) ++s.frames;
}

void CloseAll() {
  g_profiler.refused = 0;
  while (g_profiler.depth > 0) Profiler_End();
}

void DrawOverlay(int32_t fps) {
  const uint32_t flags = static_cast<uint32_t>(g_runFlags.overlayFlags);
  if ((flags & kOverlayBars) != 0) {
    Profiler_Draw_Bars(g_profiler.stats.frameTime);
    GR_Overlay_Printf_Outlined(0, 0, 0xFF000000u, 0xFFFFFFFFu, "%dfps\t\t(%d)(%d)", fps, g_textureSwaps,
                               g_vertexBatches);
  }
  if ((flags & kOverlayPanel) != 0) Profiler_Draw_Info_Panel();
}

int32_t FontTexture() { return g_profiler.fontTexture; }
void BindFont() { GR_Overlay_Bind_Font(); }

constexpr ProfilerServices kReal{Profiler_Init, Profiler_Start_Frame, Profiler_Draw, Profiler_Log_FPS,
                                 BindFont,      Profiler_Begin,       Profiler_End,  FontTexture};

}  // namespace

void Profiler_Init() {
  g_profiler.count = 0;
  // A sheet freed with the device's textures is made again.
  if (!GR_Texture_Exists(g_profiler.fontTexture)) g_profiler.fontTexture = ProfilerHost_Get().createFontTexture();
  g_profiler.frameOpen = false;
}

void Profiler_Start_Frame() {
  g_profiler.depth = 0;
  g_profiler.refused = 0;
  g_profiler.frameOpen = true;
  g_profiler.frameStart = Timer_GetMicroseconds();
  g_profiler.count = 0;
  g_textureSwaps = 0;
  g_vertexBatches = 0;
  Profiler_Begin(kTotalColour, "Total");
}

void Profiler_Begin(uint32_t colour, const char* name) {
  if (!g_profiler.frameOpen) Profiler_Start_Frame();
  if (g_profiler.count >= kProfilerMaxMarkers || g_profiler.depth >= kProfilerMaxDepth) {
    ++g_profiler.refused;
    return;
  }
  ProfilerMarker& m = g_profiler.markers[g_profiler.count++];
  g_profiler.open[g_profiler.depth++] = &m;
  m.start = Timer_GetMicroseconds();
  m.end = m.start;
  m.colour = colour;
  m.name = name;
}

void Profiler_End() {
  if (g_profiler.refused > 0) {
    --g_profiler.refused;
    return;
  }
  if (g_profiler.depth <= 0) return;
  g_profiler.open[--g_profiler.depth]->end = Timer_GetMicroseconds();
}

void Profiler_Draw() {
  if (!g_profiler.frameOpen) Profiler_Start_Frame();
  CloseAll();
  const ProfilerMarker& total = g_profiler.markers[0];
  const int64_t frameTime = total.end - total.start + g_presentTime;
  const int32_t fps = FramesPerSecond(frameTime);
  Count(fps);
  Profiler_Handle_Taps();
  GR_Overlay_Begin();
  g_profiler.stats.frameTime = frameTime;
  DrawOverlay(fps);
  GR_Overlay_End();
  g_profiler.frameOpen = false;
}

void Profiler_Log_FPS() {
  const ProfilerStats& s = g_profiler.stats;
  g_debugConsole->Output("%s", kDashes);
  g_debugConsole->Output("minFPS, maxFPS, avgFPS\n");
  g_debugConsole->Output("%d, %d, %d\n", s.minFps, s.maxFps, s.avgFps);
  g_debugConsole->Output("%s", kDashes);
}

void Profiler_Reset() {
  const int32_t texture = g_profiler.fontTexture;
  g_profiler = ProfilerState{};
  g_profiler.fontTexture = texture;
}

int32_t Profiler_MarkerCount() { return g_profiler.count; }
const ProfilerMarker& Profiler_Marker(int32_t index) { return g_profiler.markers[index]; }
int64_t Profiler_FrameStart() { return g_profiler.frameStart; }
const ProfilerStats& Profiler_Stats() { return g_profiler.stats; }
int32_t Profiler_FontTexture() { return g_profiler.fontTexture; }

const ProfilerServices& ProfilerServices_Real() { return kReal; }

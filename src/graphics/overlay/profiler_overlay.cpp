// What the profiler draws at the frame's end: the marker bars with their
// quarter ticks and the information panel, in screen space.
#include <cstdio>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/overlay/overlay_text.h"
#include "graphics/overlay/profiler.h"
#include "graphics/overlay/profiler_host.h"
#include "runtime/run_flags.h"
#include "shell/window.h"

namespace {

constexpr int32_t kLineList = 2, kTriangleList = 4, kTriangleStrip = 5;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kPanelColour = 0xC0000000u;

void BarQuad(TexVertex* v, float x1, float x2, uint32_t colour) {
  v[0] = {x1, 10, 0.5f, colour, 0, 0};
  v[1] = {x2, 10, 0.5f, colour, 0, 0};
  v[2] = {x1, 20, 0.5f, colour, 0, 0};
  v[3] = {x2, 10, 0.5f, colour, 0, 0};
  v[4] = {x2, 20, 0.5f, colour, 0, 0};
  v[5] = {x1, 20, 0.5f, colour, 0, 0};
}

// A line at a whole x lights the column left of it (the drawing core's
// lines add 1 for the same reason): each tick is drawn one further right,
// so that it lights its own column, 0 included.
void Ticks(int32_t width) {
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(kLineList, nullptr, sizeof(TexVertex), 10));
  if (v == nullptr) return;
  const int32_t q = width / 4;
  for (int32_t i = 0; i < 5; ++i) {
    const auto x = static_cast<float>(q * i + 1);
    v[2 * i] = {x, 8, 0.4f, kWhite, 0, 0};
    v[2 * i + 1] = {x, 20, 0.4f, kWhite, 0, 0};
  }
}

}  // namespace

void Profiler_Draw_Bars(int64_t frameTime) {
  if (ProfilerHost_Get().paused()) return;
  const int32_t width = Win_GetScreenWidth();
  const int32_t count = Profiler_MarkerCount();
  auto* v =
      static_cast<TexVertex*>(Graphics::AllocVertices(kTriangleList, nullptr, sizeof(TexVertex), 6 * (count + 1)));
  if (v == nullptr) return;
  const double w = width, scale = kProfilerBarScale;
  const int64_t start = Profiler_FrameStart();
  BarQuad(v, 0, static_cast<float>(w * static_cast<double>(frameTime) / scale), kWhite);
  for (int32_t i = 0; i < count; ++i) {
    const ProfilerMarker& m = Profiler_Marker(i);
    const auto x1 = static_cast<float>(w * static_cast<double>(m.start - start) / scale);
    const auto x2 = static_cast<float>(w * static_cast<double>(m.end - start) / scale);
    BarQuad(v + 6 * (i + 1), x1, x2, GR_Overlay_Device_Colour(m.colour));
  }
  Ticks(width);
}

void Profiler_Draw_Info_Panel() {
  const int32_t width = Win_GetScreenWidth();
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(kTriangleStrip, nullptr, sizeof(TexVertex), 4));
  if (v != nullptr) {
    const auto w = static_cast<float>(width);
    v[0] = {0, 0, 0.5f, kPanelColour, 0, 0};
    v[1] = {w, 0, 0.5f, kPanelColour, 0, 0};
    v[2] = {0, 100, 0.5f, kPanelColour, 0, 0};
    v[3] = {w, 100, 0.5f, kPanelColour, 0, 0};
  }
  char line[kOverlayPrintfBytes + 1];
  std::snprintf(line, sizeof line, "Vexa Games Runner v%d.%d(%d)[%s]", 1, 2, 0, "r0");
  GR_Overlay_Draw_Text_Raw(static_cast<float>((width + 1 - GR_Overlay_Text_Width(line)) / 2), 40, 1, 1, kWhite, line,
                           kOverlayPrintfBytes);
  const char* name = nullptr;
  int32_t major = 0, minor = 0;
  if (ProfilerHost_Get().gameTitle(&name, &major, &minor)) {
    std::snprintf(line, sizeof line, "Game : %s v%d.%d", name != nullptr ? name : "", major, minor);
    GR_Overlay_Draw_Text_Raw(static_cast<float>((width + 1 - GR_Overlay_Text_Width(line)) / 2), 54, 1, 1, kWhite, line,
                             kOverlayPrintfBytes);
  }
  GR_Overlay_Printf(static_cast<float>(width - 80), 80, kWhite, "CLOSE");
  const uint32_t flags = static_cast<uint32_t>(g_runFlags.overlayFlags);
  if ((flags & kOverlayFpsSwitch) != 0) {
    GR_Overlay_Printf(10, 10, kWhite, (flags & kOverlayBars) != 0 ? "FPS : ON" : "FPS : OFF");
  }
}

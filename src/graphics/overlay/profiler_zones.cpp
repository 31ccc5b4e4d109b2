// Taps on the overlay: the zone sequences that open the information panel
// and offer its FPS switch, the panel's CLOSE and the switch itself.
#include <cstdint>

#include "graphics/device/draw_state.h"
#include "graphics/overlay/profiler.h"
#include "graphics/overlay/profiler_host.h"
#include "runtime/run_flags.h"
#include "shell/window.h"

namespace {

// A target: cell x in bits 0-7, cell y in bits 8-15, tolerance in 16-23.
constexpr uint32_t Target(uint32_t x, uint32_t y, uint32_t r) { return x | (y << 8) | (r << 16); }

struct ZoneSequence {
  const uint32_t* targets;
  int32_t length;
};

// The corners then the centre, clockwise; the second adds the sides.
constexpr uint32_t kOpenPanel[] = {Target(0, 0, 1), Target(9, 0, 1), Target(9, 9, 1), Target(0, 9, 1),
                                   Target(5, 5, 1), Target(0, 0, 1), Target(9, 9, 1)};
constexpr uint32_t kOfferSwitch[] = {Target(5, 0, 1), Target(9, 5, 1), Target(5, 9, 1), Target(0, 5, 1),
                                     Target(5, 5, 1), Target(5, 0, 1), Target(5, 9, 1), Target(5, 5, 1)};
constexpr ZoneSequence kSequences[] = {{kOpenPanel, 7}, {kOfferSwitch, 8}};

int32_t g_zonePosition = 0;

int32_t Distance(int32_t a, int32_t b) { return a > b ? a - b : b - a; }

// True when the tap completes the sequence.
bool CheckSequence(const ZoneSequence& sequence, int32_t x, int32_t y) {
  const int32_t w = Win_GetScreenWidth(), h = Win_GetScreenHeight();
  if (w <= 0 || h <= 0) return false;
  const auto cx = static_cast<int32_t>(static_cast<float>(x) / static_cast<float>(w) * 10.0f);
  const auto cy = static_cast<int32_t>(static_cast<float>(y) / static_cast<float>(h) * 10.0f);
  if (cx < 0 || cx > 9 || cy < 0 || cy > 9 || x < 0 || y < 0) return false;
  if (g_zonePosition < 0 || g_zonePosition >= sequence.length) g_zonePosition = 0;
  const uint32_t target = sequence.targets[g_zonePosition];
  const auto tx = static_cast<int32_t>(target & 255), ty = static_cast<int32_t>((target >> 8) & 255);
  const auto r = static_cast<int32_t>((target >> 16) & 255);
  if (Distance(cx, tx) > r || Distance(cy, ty) > r) {
    g_zonePosition = 0;
    return false;
  }
  if (++g_zonePosition < sequence.length) return false;
  g_zonePosition = 0;
  return true;
}

// The mouse scaled from the drawing area to the room (or first port).
void OverlayMouse(int32_t* x, int32_t* y) {
  const ProfilerHost& host = ProfilerHost_Get();
  int32_t mx = 0, my = 0, pw = 0, ph = 0;
  host.mouse(&mx, &my);
  host.portSize(&pw, &ph);
  const int32_t w = g_screenSize.width, h = g_screenSize.height;
  *x = w > 0 ? static_cast<int32_t>(int64_t{mx} * pw / w) : mx;
  *y = h > 0 ? static_cast<int32_t>(int64_t{my} * ph / h) : my;
}

void TapOnPanel(uint32_t& flags, int32_t x, int32_t y) {
  const int32_t w = Win_GetScreenWidth();
  if (x > w - 80 && x < w - 16 && y >= 81 && y <= 95) flags &= ~(kOverlayPanel | kOverlayFpsSwitch);
  if ((flags & kOverlayFpsSwitch) != 0) {
    if (x >= 11 && x <= 73 && y >= 11 && y <= 25) flags ^= kOverlayBars;
  } else if (CheckSequence(kSequences[1], x, y)) {
    flags |= kOverlayFpsSwitch;
  }
}

}  // namespace

void Profiler_Handle_Taps() {
  if (!ProfilerHost_Get().button1Released()) return;
  int32_t x = 0, y = 0;
  OverlayMouse(&x, &y);
  auto flags = static_cast<uint32_t>(g_runFlags.overlayFlags);
  if ((flags & kOverlayPanel) == 0) {
    if (CheckSequence(kSequences[0], x, y)) flags |= kOverlayPanel;
  } else {
    TapOnPanel(flags, x, y);
  }
  g_runFlags.overlayFlags = static_cast<int32_t>(flags);
}

int32_t Profiler_ZonePosition() { return g_zonePosition; }

#include "graphics/transition/transition_draw.h"

#include <algorithm>
#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/surface/surfaces.h"
#include "graphics/transition/transition_define.h"

TransitionState g_transition;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr double kFullTurn = 6.2831855;
constexpr double kPi = 3.14159265358979323846;

// rint that stays a valid int32 for any real, however far out of range.
int32_t Whole(double value) {
  if (!(value > -2147483648.0)) return value != value ? 0 : INT32_MIN;
  if (value >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(std::rint(value));
}

struct Frame {
  int32_t w, h;
  int32_t oldSurface, newSurface;
};

void DrawWhole(int32_t surface, double x, double y) {
  GR_Surface_Draw(surface, static_cast<float>(x), static_cast<float>(y));
}
// The whole picture at (0, 0), seen through `alpha`.
void DrawSeeThrough(int32_t surface, double alpha) {
  GR_Surface_Draw_Ext(surface, 0, 0, 1, 1, 0, kWhite, static_cast<float>(alpha));
}

// Part of the new room at its own place over the screen.
void DrawNewPart(const Frame& f, double left, double top, double width, double height) {
  const auto x = static_cast<float>(left), y = static_cast<float>(top);
  GR_Surface_Draw_Part(f.newSurface, x, y, static_cast<float>(width), static_cast<float>(height), x, y, 1, 1, kWhite,
                       1);
}

// Kinds 1 to 4: the new room uncovers the old one from a side; kind 5
// grows out of the centre.
void DrawWipe(const Frame& f, int32_t kind, double fraction) {
  DrawWhole(f.oldSurface, 0, 0);
  // Whole numbers held as reals, so that far-out fractions cannot overflow.
  const double across = Whole(f.w * fraction), down = Whole(f.h * fraction);
  switch (kind) {
    case 1: return DrawNewPart(f, 0, 0, across, f.h);
    case 2: return DrawNewPart(f, f.w - across, 0, across, f.h);
    case 3: return DrawNewPart(f, 0, 0, f.w, down);
    case 4: return DrawNewPart(f, 0, f.h - down, f.w, down);
    default: return DrawNewPart(f, Whole((f.w - f.w * fraction) / 2), Whole((f.h - f.h * fraction) / 2), across, down);
  }
}

struct Direction {
  int32_t dx, dy;
};
// Kinds in groups of four run right, left, down, up.
Direction DirectionOf(int32_t kind, int32_t first) {
  static constexpr Direction kDirections[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  return kDirections[kind - first];
}

// Kinds 6 to 9 slide the new room in over the old; 14 to 17 push the old
// one out ahead of it.
void DrawSlide(const Frame& f, Direction d, double fraction, bool push) {
  const double across = Whole(f.w * fraction), down = Whole(f.h * fraction);
  if (push) {
    DrawWhole(f.oldSurface, across * d.dx, down * d.dy);
  } else {
    DrawWhole(f.oldSurface, 0, 0);
  }
  DrawWhole(f.newSurface, (across - f.w) * d.dx, (down - f.h) * d.dy);
}

// Kinds 10 to 13: stripes of the new room, every other one, widen their
// set with the fraction; past the half a wipe fills the gaps.
void DrawInterlaced(const Frame& f, Direction d, double fraction) {
  const int32_t n = GR_Transition_Get_Steps(), i = Whole(n * fraction), k = n / 2;
  if (i == n) return DrawWhole(f.newSurface, 0, 0);
  if (i > k) {
    const int32_t wipe = d.dx > 0 ? 1 : d.dx < 0 ? 2 : d.dy > 0 ? 3 : 4;
    DrawWipe(f, wipe, static_cast<double>(i - k) / k);
  } else {
    DrawWhole(f.oldSurface, 0, 0);
  }
  const int32_t side = d.dx != 0 ? f.w : f.h;
  const int32_t stripe = Whole(static_cast<double>(side) / n);
  if (stripe < 1) return;
  const bool forward = d.dx + d.dy > 0;
  const int64_t first = forward ? 0 : std::max<int64_t>(int64_t{k} - i, 0);
  const int64_t last = forward ? std::min(i, k) : k;
  for (int64_t j = first; j <= last; ++j) {
    const int32_t at = Whole(2.0 * static_cast<double>(j) * side / n);
    if (d.dx != 0) {
      DrawNewPart(f, at, 0, stripe, f.h);
    } else {
      DrawNewPart(f, 0, at, f.w, stripe);
    }
  }
}

// Kinds 18 and 19: the new room turns and grows about the screen centre.
void DrawRotation(const Frame& f, double fraction, bool clockwise) {
  DrawWhole(f.oldSurface, 0, 0);
  const double r = std::sqrt(std::max(fraction, 0.0)) * kFullTurn * (clockwise ? -1 : 1);
  const double x = f.w / 2 - std::sin(r) * fraction * f.h / 2 - std::cos(r) * fraction * f.w / 2;
  const double y = f.h / 2 - std::cos(r) * fraction * f.h / 2 + std::sin(r) * fraction * f.w / 2;
  const auto scale = static_cast<float>(fraction);
  GR_Surface_Draw_Ext(f.newSurface, static_cast<float>(x), static_cast<float>(y), scale, scale,
                      static_cast<float>(r * 180 / kPi), kWhite, 1);
}

// Kind 21: the old room fades to black, then the new one out of it.
void DrawFade(const Frame& f, double fraction) {
  GR_Draw_Clear(kOpaqueBlack);
  if (fraction <= 0.5) {
    DrawSeeThrough(f.oldSurface, 1 - 2 * fraction);
  } else {
    DrawSeeThrough(f.newSurface, 2 * fraction - 1);
  }
}

}  // namespace

void GR_Transition_Draw(int32_t kind, float fraction) {
  const ScreenSize screen = GR_Get_Screen_Size();
  const Frame f{screen.width, screen.height, g_transition.oldSurface, g_transition.newSurface};
  const double t = fraction;
  if (kind >= 1 && kind <= 5) return DrawWipe(f, kind, t);
  if (kind >= 6 && kind <= 9) return DrawSlide(f, DirectionOf(kind, 6), t, false);
  if (kind >= 10 && kind <= 13) return DrawInterlaced(f, DirectionOf(kind, 10), t);
  if (kind >= 14 && kind <= 17) return DrawSlide(f, DirectionOf(kind, 14), t, true);
  if (kind == 18 || kind == 19) return DrawRotation(f, t, kind == 19);
  if (kind == 20) {
    DrawSeeThrough(f.oldSurface, 1);
    return DrawSeeThrough(f.newSurface, t);
  }
  if (kind == 21) DrawFade(f, t);
}

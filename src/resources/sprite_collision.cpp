#include <algorithm>
#include <climits>
#include <cmath>

#include "resources/sprite.h"
#include "runtime/numeric.h"

namespace {

constexpr float kPi = 3.1415927f;

enum class Form { kDirect, kScaled, kRotated };

// One sprite as a test sees it: which mask, and how a room pixel maps into
// its frame. A scale of 0, or a scale or angle that is not finite, places
// no pixel anywhere: such a sprite meets nothing.
struct Mapping {
  const CSprite* sprite;
  int32_t mask;  // -1: no masks, the frame rectangle is solid
  int64_t x, y;
  float xscale, yscale, sine, cosine;
  Form form;
  bool placed;

  Mapping(const CSprite* s, const SpritePlacement& p, Form f)
      : sprite(s),
        mask(s->HasMasks() ? CSprite::WrapFrame(p.frame, s->masks.length) : -1),
        x(p.x),
        y(p.y),
        xscale(p.xscale),
        yscale(p.yscale),
        sine(0),
        cosine(1),
        form(f) {
    placed = std::isfinite(xscale) && std::isfinite(yscale) && std::isfinite(p.angle) && xscale != 0 && yscale != 0;
    const float a = -p.angle * kPi / 180.0f;
    sine = std::sin(a);
    cosine = std::cos(a);
  }

  // The instance test multiplies by reciprocals and truncates toward zero.
  bool SolidTruncated(int64_t px, int64_t py) const {
    const int64_t dx = px - x, dy = py - y;
    if (form == Form::kDirect) return Solid(dx + sprite->xorigin, dy + sprite->yorigin, true);
    const float rx = 1.0f / xscale, ry = 1.0f / yscale;
    float u = static_cast<float>(dx) * rx, v = static_cast<float>(dy) * ry;
    if (form == Form::kRotated) {
      const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
      u = (fx * cosine + fy * sine) * rx;
      v = (fy * cosine - fx * sine) * ry;
    }
    return Solid(Num_TruncInt32(u + static_cast<float>(sprite->xorigin)),
                 Num_TruncInt32(v + static_cast<float>(sprite->yorigin)), true);
  }

  // The other tests divide and round down; a mask byte must equal 1.
  bool SolidFloored(float dx, float dy) const {
    float u = dx, v = dy;
    if (form == Form::kScaled) {
      u = dx / xscale;
      v = dy / yscale;
    } else if (form == Form::kRotated) {
      u = (dx * cosine + dy * sine) / xscale;
      v = (dy * cosine - dx * sine) / yscale;
    }
    return Solid(Num_TruncInt32(std::floor(u + static_cast<float>(sprite->xorigin))),
                 Num_TruncInt32(std::floor(v + static_cast<float>(sprite->yorigin))), false);
  }

  bool SolidFloored(int64_t px, int64_t py) const {
    if (form == Form::kDirect) return Solid(px - x + sprite->xorigin, py - y + sprite->yorigin, false);
    return SolidFloored(static_cast<float>(px - x), static_cast<float>(py - y));
  }

  // The room pixels that can map inside the frame: a scan never needs to
  // look further, however large the boxes it is given.
  SpriteBox Reach() const {
    const double xo = sprite->xorigin, yo = sprite->yorigin, w = sprite->width, h = sprite->height;
    if (form == Form::kDirect) {
      return {Clamp(x - xo), Clamp(y - yo), Clamp(x - xo + w - 1), Clamp(y - yo + h - 1)};
    }
    const double far = std::sqrt(std::max({xo * xo + yo * yo, (w - xo) * (w - xo) + yo * yo,
                                           xo * xo + (h - yo) * (h - yo), (w - xo) * (w - xo) + (h - yo) * (h - yo)}));
    const double reach = far * std::max(std::fabs(double{xscale}), std::fabs(double{yscale})) + 2;
    return {Clamp(x - reach), Clamp(y - reach), Clamp(x + reach), Clamp(y + reach)};
  }
  static int32_t Clamp(double v) {
    if (std::isnan(v)) return INT32_MIN;
    return v <= -2147483648.0 ? INT32_MIN : v >= 2147483647.0 ? INT32_MAX : static_cast<int32_t>(std::floor(v));
  }

  bool Solid(int64_t u, int64_t v, bool anyNonZero) const {
    if (u < 0 || v < 0 || u >= sprite->width || v >= sprite->height) return false;
    if (mask < 0) return true;
    const SpriteMask& m = sprite->masks[mask];
    const int64_t at = v * sprite->width + u;
    if (at >= m.size) return false;
    return anyNonZero ? m.bytes[at] != 0 : m.bytes[at] == 1;
  }
};

bool Unrotated(float angle) { return std::fabs(angle) < 0.0001f; }

Form BoxForm(const SpritePlacement& p) {
  return p.xscale == 1.0f && p.yscale == 1.0f && Unrotated(p.angle) ? Form::kDirect : Form::kRotated;
}

SpriteBox Intersect(const SpriteBox& a, const SpriteBox& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Ellipse inscribed in a rectangle: centre and radii halved in integers
// (toward 0), the test itself in floating point. A radius of 0 leaves the
// centre line, as far as the other radius reaches.
struct Ellipse {
  double cx, cy, rx, ry;
  explicit Ellipse(const SpriteBox& r)
      : cx(static_cast<double>((int64_t{r.left} + r.right) / 2)),
        cy(static_cast<double>((int64_t{r.top} + r.bottom) / 2)),
        rx(static_cast<double>((int64_t{r.right} - r.left) / 2)),
        ry(static_cast<double>((int64_t{r.bottom} - r.top) / 2)) {}
  bool Holds(int64_t px, int64_t py) const {
    const double dx = static_cast<double>(px) - cx, dy = static_cast<double>(py) - cy;
    if (rx == 0 || ry == 0) {
      const bool onX = rx == 0 ? dx == 0 : std::fabs(dx) <= rx;
      const bool onY = ry == 0 ? dy == 0 : std::fabs(dy) <= ry;
      return onX && onY;
    }
    return (dx / rx) * (dx / rx) + (dy / ry) * (dy / ry) <= 1;
  }
};

template <typename Keep>
bool ScanBox(const Mapping& map, const SpriteBox& area, Keep keep) {
  if (!map.placed && map.form != Form::kDirect) return false;
  const SpriteBox scan = Intersect(area, map.Reach());
  for (int64_t px = scan.left; px <= scan.right; ++px) {
    for (int64_t py = scan.top; py <= scan.bottom; ++py) {
      if (keep(px, py) && map.SolidFloored(px, py)) return true;
    }
  }
  return false;
}

}  // namespace

bool CSprite::CollisionInstance(const SpritePlacement& mine, const CSprite* other,
                                const SpritePlacement& theirs) const {
  if (other == nullptr || frameCount <= 0 || other->frameCount <= 0) return false;
  const SpriteBox area = Intersect(mine.box, theirs.box);
  if (area.left > area.right || area.top > area.bottom) return false;
  const bool unscaled = mine.xscale == 1.0f && mine.yscale == 1.0f && theirs.xscale == 1.0f && theirs.yscale == 1.0f;
  const bool unrotated = mine.angle == 0.0f && theirs.angle == 0.0f;
  const Form form = unrotated ? (unscaled ? Form::kDirect : Form::kScaled) : Form::kRotated;
  const Mapping a(this, mine, form), b(other, theirs, form);
  if (form != Form::kDirect && (!a.placed || !b.placed)) return false;
  const SpriteBox scan = Intersect(Intersect(area, a.Reach()), b.Reach());
  for (int64_t px = scan.left; px <= scan.right; ++px) {
    for (int64_t py = scan.top; py <= scan.bottom; ++py) {
      if (a.SolidTruncated(px, py) && b.SolidTruncated(px, py)) return true;
    }
  }
  return false;
}

bool CSprite::CollisionPoint(const SpritePlacement& placement, int32_t px, int32_t py) const {
  if (!HasMasks()) return true;
  if (frameCount <= 0) return false;
  const Mapping map(this, placement, Unrotated(placement.angle) ? Form::kScaled : Form::kRotated);
  return map.placed && map.SolidFloored(int64_t{px}, int64_t{py});
}

bool CSprite::CollisionRectangle(const SpritePlacement& placement, const SpriteBox& rectangle) const {
  if (!HasMasks()) return true;
  if (frameCount <= 0) return false;
  const Mapping map(this, placement, BoxForm(placement));
  return ScanBox(map, Intersect(placement.box, rectangle), [](int64_t, int64_t) { return true; });
}

bool CSprite::CollisionEllipse(const SpritePlacement& placement, const SpriteBox& rectangle) const {
  if (!HasMasks()) return true;
  if (frameCount <= 0) return false;
  const Mapping map(this, placement, BoxForm(placement));
  const Ellipse ellipse(rectangle);
  return ScanBox(map, Intersect(placement.box, rectangle),
                 [&ellipse](int64_t px, int64_t py) { return ellipse.Holds(px, py); });
}

// Steps along the longer axis, one pixel of it at a time, with the other
// coordinate interpolated in single precision and left unrounded.
bool CSprite::CollisionLine(const SpritePlacement& placement, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
  if (!HasMasks()) return true;
  if (frameCount <= 0) return false;
  if (x1 == x2 || y1 == y2) {
    return CollisionRectangle(placement, {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
  }
  const Mapping map(this, placement, Form::kRotated);
  if (!map.placed) return false;
  const bool byColumns = std::llabs(int64_t{y2} - y1) <= std::llabs(int64_t{x2} - x1);
  if (byColumns ? x1 > x2 : y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const SpriteBox box = Intersect(placement.box, map.Reach());
  const int64_t from = byColumns ? std::max(box.left, x1) : std::max(box.top, y1);
  const int64_t to = byColumns ? std::min(box.right, x2) : std::min(box.bottom, y2);
  const float dx = static_cast<float>(int64_t{x2} - x1), dy = static_cast<float>(int64_t{y2} - y1);
  for (int64_t step = from; step <= to; ++step) {
    if (byColumns) {
      const float y = static_cast<float>(y1) + static_cast<float>(step - x1) * dy / dx;
      if (map.SolidFloored(static_cast<float>(step - placement.x), y - static_cast<float>(placement.y))) return true;
    } else {
      const float x = static_cast<float>(x1) + static_cast<float>(step - y1) * dx / dy;
      if (map.SolidFloored(x - static_cast<float>(placement.x), static_cast<float>(step - placement.y))) return true;
    }
  }
  return false;
}

// Whether a point, rectangle, ellipse, line segment or another instance
// touches an instance: first against the bounding box, whose right and
// bottom pixels belong to it (a coordinate below right + 1 is inside), and
// only when precision is asked for and the sprite is precise, against the
// sprite's masks. Box sides are widened to 64 bits or reals before adding
// 1, since a loaded record may hold any value.
#include <algorithm>
#include <cstdint>

#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "world/instance/instance.h"

namespace {

int32_t Rounded(float value) { return Num_RoundInt32(value); }

// The collision sprite when it has frames to test against.
const CSprite* Usable(const CInstance& instance) {
  const CSprite* sprite = Sprite_Get(instance.CollisionSpriteIndex());
  return sprite != nullptr && sprite->frameCount > 0 ? sprite : nullptr;
}

SpritePlacement PlacementOf(const CInstance& instance) {
  SpritePlacement placement;
  placement.frame = Num_TruncInt32(instance.image_index);
  placement.box = {instance.bbox_left, instance.bbox_top, instance.bbox_right, instance.bbox_bottom};
  placement.x = Rounded(instance.x);
  placement.y = Rounded(instance.y);
  placement.xscale = instance.image_xscale;
  placement.yscale = instance.image_yscale;
  placement.angle = instance.image_angle;
  return placement;
}

struct Area {
  float xmin, ymin, xmax, ymax;
};

Area Ordered(float x1, float y1, float x2, float y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

SpriteBox RoundedBox(const Area& area) {
  return {Rounded(area.xmin), Rounded(area.ymin), Rounded(area.xmax), Rounded(area.ymax)};
}

double After(int32_t side) { return static_cast<double>(side) + 1.0; }

// The area misses the box, or the instance is on its way out.
bool Rejected(const CInstance& instance, const Area& area) {
  return area.xmin >= After(instance.bbox_right) || instance.bbox_left > area.xmax ||
         area.ymin >= After(instance.bbox_bottom) || instance.bbox_top > area.ymax || instance.markedForDeletion != 0;
}

bool WantsMask(const CInstance& instance, int32_t prec) { return prec == 1 && instance.precise == 1; }

bool Within(float value, int32_t low, int32_t high) { return value >= low && value <= high; }

}  // namespace

bool Instance_PointInEllipse(const int32_t rectangle[4], int32_t px, int32_t py) {
  const int64_t left = rectangle[0], top = rectangle[1], right = rectangle[2], bottom = rectangle[3];
  const int64_t rx = (right - left) / 2;
  const int64_t ry = (bottom - top) / 2;
  // A half-axis of 0 in whole pixels divides by 0: an infinite (or, on the
  // centre line, undefined) distance, so no point is inside.
  if (rx == 0 || ry == 0) return false;
  const double u = static_cast<double>(px - (left + right) / 2) / static_cast<double>(rx);
  const double v = static_cast<double>(py - (top + bottom) / 2) / static_cast<double>(ry);
  return u * u + v * v <= 1.0;
}

bool CInstance::CollisionPoint(float px, float py, int32_t prec) {
  RefreshBoundingBox();
  if (px >= After(bbox_right) || px < bbox_left || py >= After(bbox_bottom) || py < bbox_top) return false;
  if (markedForDeletion != 0) return false;
  const CSprite* sprite = Usable(*this);
  if (sprite == nullptr) return false;
  if (prec != 1 || sprite->precise != 1) return true;
  return sprite->CollisionPoint(PlacementOf(*this), Rounded(px), Rounded(py));
}

bool CInstance::CollisionRectangle(float x1, float y1, float x2, float y2, int32_t prec) {
  RefreshBoundingBox();
  const Area area = Ordered(x1, y1, x2, y2);
  if (Rejected(*this, area)) return false;
  if (!WantsMask(*this, prec)) return true;
  const CSprite* sprite = Usable(*this);
  return sprite != nullptr && sprite->CollisionRectangle(PlacementOf(*this), RoundedBox(area));
}

bool CInstance::CollisionEllipse(float x1, float y1, float x2, float y2, int32_t prec) {
  RefreshBoundingBox();
  const Area area = Ordered(x1, y1, x2, y2);
  if (Rejected(*this, area)) return false;
  if (Rounded(x1) == Rounded(x2) || Rounded(y1) == Rounded(y2)) return CollisionRectangle(x1, y1, x2, y2, prec);
  const float cx = (x1 + x2) / 2.0f;
  const float cy = (y1 + y2) / 2.0f;
  const SpriteBox rounded = RoundedBox(area);
  if (!Within(cx, bbox_left, bbox_right) && !Within(cy, bbox_top, bbox_bottom)) {
    const int32_t ellipse[4] = {rounded.left, rounded.top, rounded.right, rounded.bottom};
    const bool corner = Instance_PointInEllipse(ellipse, bbox_left, bbox_top) ||
                        Instance_PointInEllipse(ellipse, bbox_left, bbox_bottom) ||
                        Instance_PointInEllipse(ellipse, bbox_right, bbox_top) ||
                        Instance_PointInEllipse(ellipse, bbox_right, bbox_bottom);
    if (!corner) return false;
  }
  if (!WantsMask(*this, prec)) return true;
  const CSprite* sprite = Usable(*this);
  return sprite != nullptr && sprite->CollisionEllipse(PlacementOf(*this), rounded);
}

bool CInstance::CollisionLine(float x1, float y1, float x2, float y2, int32_t prec) {
  RefreshBoundingBox();
  if (Rejected(*this, Ordered(x1, y1, x2, y2))) return false;
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  // Past the rejection x1 < right + 1 and x2 >= left, so a clip never
  // divides by 0.
  const float left = static_cast<float>(bbox_left);
  const float after = static_cast<float>(After(bbox_right));
  if (x1 < left) {
    y1 = y1 + (left - x1) * (y2 - y1) / (x2 - x1);
    x1 = left;
  }
  if (x2 > after) {
    y2 = y2 + (after - x2) * (y2 - y1) / (x2 - x1);
    x2 = after;
  }
  if (bbox_top > y1 && bbox_top > y2) return false;
  if (y1 >= After(bbox_bottom) && y2 >= After(bbox_bottom)) return false;
  if (!WantsMask(*this, prec)) return true;
  const CSprite* sprite = Usable(*this);
  return sprite != nullptr &&
         sprite->CollisionLine(PlacementOf(*this), Rounded(x1), Rounded(y1), Rounded(x2), Rounded(y2));
}

bool CInstance::CollisionInstance(CInstance* other, int32_t prec) {
  if (other == nullptr || other == this || markedForDeletion != 0 || other->markedForDeletion != 0) return false;
  RefreshBoundingBox();
  other->RefreshBoundingBox();
  const bool overlap = other->bbox_left < After(bbox_right) && After(other->bbox_right) > bbox_left &&
                       other->bbox_top < After(bbox_bottom) && After(other->bbox_bottom) > bbox_top;
  if (!overlap) return false;
  const CSprite* mine = Usable(*this);
  const CSprite* theirs = Usable(*other);
  if (mine == nullptr || theirs == nullptr) return false;
  if (prec != 1 || (mine->precise == 0 && theirs->precise == 0)) return true;
  return mine->CollisionInstance(PlacementOf(*this), theirs, PlacementOf(*other));
}

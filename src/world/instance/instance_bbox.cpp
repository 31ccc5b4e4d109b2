// The bounding box of an instance in room pixels: the collision sprite's box
// placed at the instance's position, scaled, and for any angle but 0 the
// axis-aligned box around its four turned corners. Single precision, every
// side rounded to the nearest pixel with halves to even.
#include <algorithm>
#include <cmath>

#include "resources/sprite.h"
#include "runtime/numeric.h"
#include "world/instance/instance.h"

namespace {

constexpr float kPi = 3.1415927f;

int32_t Side(float value) { return Num_RoundInt32(value); }

// Origins come from files: the difference is taken in 64 bits.
float Offset(int32_t side, int32_t origin, int32_t extra = 0) {
  return static_cast<float>(int64_t{side} - origin + extra);
}

}  // namespace

int32_t CInstance::GetImageNumber() const {
  const CSprite* sprite = Sprite_Get(sprite_index);
  return sprite != nullptr ? sprite->frameCount : 0;
}

void CInstance::ComputeBoundingBox() {
  bboxDirty = 0;
  const CSprite* sprite = Sprite_Get(CollisionSpriteIndex());
  if (sprite == nullptr) {
    precise = 0;
    bbox_left = bbox_top = bbox_right = bbox_bottom = kInstanceNoBox;
    return;
  }
  const SpriteBox& box = sprite->bbox;
  const int32_t xo = sprite->xorigin;
  const int32_t yo = sprite->yorigin;
  if (image_angle == 0.0f) {
    bbox_left = Side(Offset(box.left, xo) * image_xscale + x);
    bbox_right = Side(Offset(box.right, xo, 1) * image_xscale + x - 1.0f);
    if (bbox_left > bbox_right) std::swap(bbox_left, bbox_right);
    bbox_top = Side(Offset(box.top, yo) * image_yscale + y);
    bbox_bottom = Side(Offset(box.bottom, yo, 1) * image_yscale + y - 1.0f);
    if (bbox_top > bbox_bottom) std::swap(bbox_top, bbox_bottom);
  } else {
    const float dx1 = Offset(std::min(box.left, box.right), xo) * image_xscale;
    const float dx2 = Offset(std::max(box.left, box.right), xo, 1) * image_xscale - 1.0f;
    const float dy1 = Offset(std::min(box.top, box.bottom), yo) * image_yscale;
    const float dy2 = Offset(std::max(box.top, box.bottom), yo, 1) * image_yscale - 1.0f;
    const float a = image_angle * kPi / 180.0f;
    const float c = std::cos(a);
    const float s = std::sin(a);
    bbox_left = Side(x + std::min(c * dx1, c * dx2) + std::min(s * dy1, s * dy2));
    bbox_right = Side(x + std::max(c * dx1, c * dx2) + std::max(s * dy1, s * dy2));
    bbox_top = Side(y + std::min(c * dy1, c * dy2) - std::max(s * dx1, s * dx2));
    bbox_bottom = Side(y + std::max(c * dy1, c * dy2) - std::min(s * dx1, s * dx2));
  }
  precise = sprite->precise;
}

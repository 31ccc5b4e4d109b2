#include "mkgame/sprite_shape.h"

#include <algorithm>

namespace mkgame {

void SpriteShape_ComputeBox(Sprite& sprite, const std::vector<Image>& images) {
  if (sprite.bboxMode == 2) return;
  if (sprite.bboxMode == 1 || !sprite.transparent) {
    sprite.bboxLeft = sprite.bboxTop = 0;
    sprite.bboxRight = sprite.width - 1;
    sprite.bboxBottom = sprite.height - 1;
    return;
  }
  int left = sprite.width - 1, top = sprite.height - 1, right = 0, bottom = 0;
  for (int frame : sprite.frames) {
    const Image& image = images[frame];
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.Alpha(x, y) == 0) continue;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
  }
  sprite.bboxLeft = left;
  sprite.bboxTop = top;
  sprite.bboxRight = right;
  sprite.bboxBottom = bottom;
}

void SpriteShape_BuildMasks(Sprite& sprite, const std::vector<Image>& images, bool separate) {
  sprite.masks.clear();
  if (!sprite.precise || !sprite.transparent || sprite.frames.empty()) return;
  size_t rowBytes = (static_cast<size_t>(sprite.width) + 7) / 8;
  size_t count = separate ? sprite.frames.size() : 1;
  sprite.masks.assign(count, std::vector<uint8_t>(rowBytes * sprite.height, 0));
  for (size_t f = 0; f < sprite.frames.size(); ++f) {
    std::vector<uint8_t>& mask = sprite.masks[separate ? f : 0];
    const Image& image = images[sprite.frames[f]];
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.Alpha(x, y) >= 1) mask[y * rowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
  }
}

}  // namespace mkgame

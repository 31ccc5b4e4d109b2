// The collision shape of a sprite: its automatic bounding box and its masks.
#pragma once

#include <vector>

#include "mkgame/game_model.h"

namespace mkgame {

// Sets the box for modes 0 and 1 (mode 2 keeps the given box). Automatic
// boxes of transparent sprites enclose every pixel whose alpha is not 0 in
// any frame; a sprite with no such pixel keeps {w - 1, h - 1, 0, 0}.
void SpriteShape_ComputeBox(Sprite& sprite, const std::vector<Image>& images);

// Masks for precise, transparent sprites: one per frame, or one for all
// frames (a pixel solid in any frame) when `separate` is false. Each mask is
// `height` rows of ceil(width / 8) bytes, first pixel in the top bit.
void SpriteShape_BuildMasks(Sprite& sprite, const std::vector<Image>& images, bool separate);

}  // namespace mkgame

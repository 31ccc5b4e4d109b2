// Packing images onto texture pages and encoding the pages as PNG files.
#pragma once

#include <cstdint>
#include <vector>

#include "mkgame/game_model.h"

namespace mkgame {

struct Placement {
  int page = 0, x = 0, y = 0;
};

struct TextureAtlas {
  std::vector<Placement> placements;           // one per image, same order
  std::vector<std::vector<uint8_t>> pngPages;  // encoded pages
};

// Shelf packing, tallest images first, on pages of at most kMaxPageSize
// pixels each way; every image must fit on one page.
TextureAtlas TexturePages_Pack(const std::vector<Image>& images);

}  // namespace mkgame

// Where one image lies on a texture page: the record sprites, backgrounds
// and fonts draw through. The game file's TPAG chunk fills the table.
#pragma once

#include <cstdint>
#include <vector>

struct TexturePage {
  int16_t x, y;                   // place on the page
  int16_t width, height;          // size on the page
  int16_t xOffset, yOffset;       // of the stored part inside the untrimmed image
  int16_t cropWidth, cropHeight;  // target size; 0 is drawn (and kept) as 1
  int16_t fullWidth, fullHeight;  // the untrimmed image
  int16_t page;                   // the page index; once the pages are read, the low 16 bits of its texture id
};

// Every record of the game file's TPAG chunk, in chunk order.
extern std::vector<TexturePage> g_texturePages;
// The texture ids made for the pages, one per TXTR entry.
extern std::vector<int32_t> g_texturePageIds;

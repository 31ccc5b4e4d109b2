// Where each image lies on the texture pages: the TPAG records, read into
// structs, and the TXTR pages they name.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/game_image.h"

struct TexturePage {
  int16_t x, y;                 // place on the page
  int16_t width, height;        // size on the page
  int16_t xOffset, yOffset;     // of the stored part inside the untrimmed image
  int16_t cropWidth, cropHeight;  // target size; 0 is drawn (and kept) as 1
  int16_t fullWidth, fullHeight;  // the untrimmed image
  int16_t page;                 // the page index; once the pages are read, the low 16 bits of its texture id
};

// Every record of the TPAG chunk, in chunk order.
extern std::vector<TexturePage> g_texturePages;

// The record stored at a file offset, or null when no TPAG record starts
// there (sprites, backgrounds and fonts name their records by offset).
TexturePage* TexturePage_AtOffset(uint32_t fileOffset);
// The index of that record in g_texturePages, or -1.
int32_t TexturePage_IndexOfOffset(uint32_t fileOffset);

bool TexturePage_Load(const GameImage& image, uint64_t data, uint32_t size);
// Creates each page's texture and gives every record its page's texture id.
bool TXTR_Load(const GameImage& image, uint64_t data, uint32_t size);
void TexturePage_Clear();

// The texture ids made for the pages, one per TXTR entry.
extern std::vector<int32_t> g_texturePageIds;

// Makes a texture from an encoded image in memory; -1 when it cannot.
// The graphics layer installs the real one.
using PageTextureCreator = int32_t (*)(const uint8_t* data, uint64_t bound);
void TexturePage_SetTextureCreator(PageTextureCreator creator);

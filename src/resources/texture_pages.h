// Reading the TPAG records into the texture-page table, and the TXTR pages
// they name.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/texture/texture_page.h"
#include "runtime/game_image.h"

// The record stored at a file offset, or null when no TPAG record starts
// there (sprites, backgrounds and fonts name their records by offset).
TexturePage* TexturePage_AtOffset(uint32_t fileOffset);
// The index of that record in g_texturePages, or -1.
int32_t TexturePage_IndexOfOffset(uint32_t fileOffset);

bool TexturePage_Load(const GameImage& image, uint64_t data, uint32_t size);
// Creates each page's texture and gives every record its page's texture id.
bool TXTR_Load(const GameImage& image, uint64_t data, uint32_t size);
void TexturePage_Clear();

// Makes a texture from an encoded image in memory; -1 when it cannot.
// The texture table's unless mkgame, which reads the game it wrote without
// a graphics device, puts another in (null: the table's).
using PageTextureCreator = int32_t (*)(const uint8_t* data, uint64_t bound);
void TexturePage_SetTextureCreator(PageTextureCreator creator);

// The images the program carries in its own data: a plain white image, the
// 14 particle shapes, the profiler overlay's font sheet and the loading
// image. The table: u32 count, then {u32 size, u32 offset from the table's
// start} per image, the first image at 0x100.
#pragma once

#include <cstdint>

constexpr int32_t kBuiltinImageCount = 17;
constexpr int32_t kBuiltinImageFontSheet = 15;
constexpr int32_t kBuiltinImageLoading = 16;
constexpr int32_t kDebugFontFirst = 32;
constexpr int32_t kDebugFontLast = 137;

// Generated at build time.
extern const uint8_t g_builtinImageTable[];
extern const uint32_t g_builtinImageTableSize;
// {x, y, width, height} for each debug-font character, first to last.
extern const uint8_t g_debugFontGlyphBoxes[];

void EmbeddedImage_SetTable(const uint8_t* table, uint32_t tableSize);
// The bytes of image i, or null with *size 0 past the table's count or when
// the entry does not lie inside the table.
const uint8_t* EmbeddedImage_Data(int32_t index, uint32_t* size);
// A texture from image i; past the count an empty image (no data, size 0)
// is passed on.
int32_t EmbeddedImage_CreateTexture(int32_t index);

// The largest image any bitmap here will allocate: sizes come from files and
// scripts, and a wrong one must fail rather than take all memory.
#pragma once

#include <cstdint>

constexpr int32_t kBitmapMaxSide = 16384;
constexpr int64_t kBitmapMaxPixels = int64_t{1} << 26;

inline bool Bitmap_SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kBitmapMaxSide && height <= kBitmapMaxSide &&
         width * height <= kBitmapMaxPixels;
}

#include <algorithm>

#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bitmap_limits.h"

namespace {

// The mixing factor of one pixel, or a negative value for none.
double RuleFactor(int32_t kind, int32_t x, int32_t y, int32_t w, int32_t h) {
  switch (kind) {
    case 0: return static_cast<double>(x) / w;
    case 1: return static_cast<double>(y) / h;
    case 2: return std::min({x, w - 1 - x, y, h - 1 - y}) / (std::min(w, h) * 0.5);
    case 4: return std::min(x, w - 1 - x) / (w * 0.5);
    case 5: return std::min(y, h - 1 - y) / (h * 0.5);
    default: return -1.0;
  }
}

void Put(uint8_t* row, int32_t x, uint32_t colour) {
  row[x * 3] = colour >> 16 & 0xFF;
  row[x * 3 + 1] = colour >> 8 & 0xFF;
  row[x * 3 + 2] = colour & 0xFF;
}

// Rings shrinking inwards, each painted over the last.
void FillEllipse(TBitmap* bitmap, int32_t w, int32_t h, uint32_t c1, uint32_t c2) {
  uint8_t* base = nullptr;
  int32_t stride = 0;
  bitmap->LockBits(0, &base, &stride);
  const double half = std::min(w, h) * 0.5;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) Put(base + int64_t{y} * stride, x, c1);
  }
  for (int32_t k = 0; k < half; ++k) {
    const uint32_t colour = GR_Color_Merge(c1, c2, k / half);
    const double rx = (w - 2.0 * k) / 2, ry = (h - 2.0 * k) / 2;
    for (int32_t y = k; y < h - k; ++y) {
      for (int32_t x = k; x < w - k; ++x) {
        const double dx = x - w / 2.0, dy = y - h / 2.0;
        if (dx * dx / (rx * rx) + dy * dy / (ry * ry) <= 1) Put(base + int64_t{y} * stride, x, colour);
      }
    }
  }
}

}  // namespace

CBitmap32* CBitmap32::Gradient(int32_t width, int32_t height, uint32_t colour1, uint32_t colour2, int32_t kind) {
  const int32_t w = std::max(width, 1), h = std::max(height, 1);
  if (!Bitmap_SizeAllowed(w, h)) return new CBitmap32();
  TBitmap* bitmap = TBitmap_Create();
  bitmap->SetPixelFormat(kPixelFormat24);
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  if (kind == 3 && width > 0 && height > 0) {
    FillEllipse(bitmap, width, height, colour1, colour2);
  } else if (width > 0 && height > 0) {
    uint8_t* base = nullptr;
    int32_t stride = 0;
    bitmap->LockBits(0, &base, &stride);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const double f = RuleFactor(kind, x, y, width, height);
        if (f >= 0) Put(base + int64_t{y} * stride, x, GR_Color_Merge(colour1, colour2, f));
      }
    }
  }
  CBitmap32* image = new CBitmap32(bitmap, false, false);
  delete bitmap;
  return image;
}

#include "graphics/bitmap/bitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/bitmap/bitmap_limits.h"
#include "runtime/memory.h"

namespace {

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }
uint32_t ScriptToPixel(uint32_t c) { return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

}  // namespace

uint32_t GR_Color_Merge(uint32_t colour1, uint32_t colour2, double f) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = (colour1 >> shift) & 0xFF, b = (colour2 >> shift) & 0xFF;
    const double mixed = std::rint(a * (1.0 - f) + b * f);
    const int64_t channel = std::isfinite(mixed) ? static_cast<int64_t>(std::fmod(mixed, 256.0)) : 0;
    out |= static_cast<uint32_t>(channel & 0xFF) << shift;
  }
  return out;
}

bool CBitmap32::Allocate(int64_t width, int64_t height) {
  MemoryManager::Free(data_.pixels);
  data_ = {0, nullptr};
  valid_ = 0;
  width_ = height_ = 0;
  if (!Bitmap_SizeAllowed(width, height)) return false;
  width_ = static_cast<int32_t>(width);
  height_ = static_cast<int32_t>(height);
  data_.size = static_cast<int32_t>(width * height * 4);
  data_.pixels = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(data_.size), true));
  valid_ = 1;
  return true;
}

CBitmap32::~CBitmap32() { MemoryManager::Free(data_.pixels); }

CBitmap32::CBitmap32(const CBitmap32& other) { Assign(other); }

CBitmap32::CBitmap32(const CBitmap32& source, int32_t x, int32_t y, int32_t width, int32_t height) {
  const bool inside = source.IsValid() && x >= 0 && y >= 0 && width > 0 && height > 0 &&
                      int64_t{x} + width <= source.width_ && int64_t{y} + height <= source.height_;
  if (!inside || !Allocate(width, height)) return;
  for (int32_t row = 0; row < height; ++row) {
    std::memcpy(&At(0, row), &source.data_.pixels[int64_t{y + row} * source.width_ + x], size_t(width) * 4);
  }
}

CBitmap32::CBitmap32(int32_t width, int32_t height, uint32_t scriptColour) {
  if (!Allocate(std::max(width, 1), std::max(height, 1))) return;
  std::fill_n(data_.pixels, int64_t{width_} * height_, ScriptToPixel(scriptColour));
}

CBitmap32::CBitmap32(TBitmap* bitmap, bool removeBackground, bool smooth, Source source) {
  if (bitmap == nullptr) return;
  const int32_t format = bitmap->GetPixelFormat();
  if (source == Source::kKeepAlpha) {
    if (format == kPixelFormat32) ReadPlatform(bitmap, true);
  } else if (format == kPixelFormat24 || format == kPixelFormat32) {
    ReadPlatform(bitmap, false);
  }
  Finish(removeBackground, smooth);
}

CBitmap32::CBitmap32(TBitmap* bitmap, bool removeBackground, bool smooth, bool keepAlpha)
    : CBitmap32(bitmap, removeBackground, smooth, keepAlpha ? Source::kKeepAlpha : Source::kAnyFormat) {}

void CBitmap32::ReadPlatform(TBitmap* bitmap, bool keepAlpha) {
  uint8_t* row = nullptr;
  int32_t stride = 0;
  bitmap->LockBits(0, &row, &stride);
  if (row == nullptr || !Allocate(bitmap->GetWidth(), bitmap->GetHeight())) return;
  const int32_t step = bitmap->GetPixelFormat() == kPixelFormat32 ? 4 : 3;
  for (int32_t y = 0; y < height_; ++y, row += stride) {
    for (int32_t x = 0; x < width_; ++x) {
      const uint8_t* p = row + int64_t{x} * step;
      const uint32_t alpha = keepAlpha ? uint32_t{p[3]} << 24 : 0xFF000000u;
      At(x, y) = alpha | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
  }
}

// Smoothing feathers the edge that background removal leaves, so without
// removal it has nothing to work on.
void CBitmap32::Finish(bool removeBackground, bool smooth) {
  if (!removeBackground) return;
  RemoveBackground();
  if (smooth) SmoothEdges();
}

void CBitmap32::Assign(const CBitmap32& other) {
  if (&other == this) return;
  MemoryManager::Free(data_.pixels);
  data_ = {0, nullptr};
  valid_ = other.valid_;
  width_ = other.width_;
  height_ = other.height_;
  if (other.data_.pixels == nullptr) return;
  data_.size = other.data_.size;
  data_.pixels = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(data_.size), false));
  std::memcpy(data_.pixels, other.data_.pixels, static_cast<size_t>(data_.size));
}

void CBitmap32::RemoveBackground() {
  if (!IsValid()) return;
  const uint32_t key = At(0, height_ - 1) & 0xFFFFFF;
  const int64_t count = int64_t{width_} * height_;
  for (int64_t i = 0; i < count; ++i) {
    if ((data_.pixels[i] & 0xFFFFFF) == key) data_.pixels[i] &= 0xFFFFFF;
  }
  SpreadEdgeColours();
}

// Transparent pixels take a visible neighbour's colour so that filtering at
// the edge of the shape blends towards it rather than towards the key.
void CBitmap32::SpreadEdgeColours() {
  if (!IsValid()) return;
  static const int kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      if (Alpha(At(x, y)) != 0) continue;
      for (const auto& step : kSteps) {
        const int32_t nx = x + step[0], ny = y + step[1];
        if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_ || Alpha(At(nx, ny)) == 0) continue;
        At(x, y) = At(nx, ny) & 0xFFFFFF;
        break;
      }
    }
  }
}

void CBitmap32::SmoothEdges() {
  if (!IsValid()) return;
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      if (Alpha(At(x, y)) != 0) continue;
      for (int32_t ny = std::max(y - 1, 0); ny <= std::min(y + 1, height_ - 1); ++ny) {
        for (int32_t nx = std::max(x - 1, 0); nx <= std::min(x + 1, width_ - 1); ++nx) {
          if (Alpha(At(nx, ny)) >= 0x20) At(nx, ny) -= 0x20000000u;
        }
      }
    }
  }
}

void CBitmap32::SetAlpha(uint8_t alpha) {
  if (!IsValid()) return;
  const int64_t count = int64_t{width_} * height_;
  for (int64_t i = 0; i < count; ++i) data_.pixels[i] = (data_.pixels[i] & 0xFFFFFF) | uint32_t{alpha} << 24;
}

void CBitmap32::SetAlphaFromBitmap(const CBitmap32* other) {
  if (!IsValid() || other == nullptr || !other->IsValid()) return;
  const int32_t w = std::min(width_, other->width_), h = std::min(height_, other->height_);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = other->data_.pixels[int64_t{y} * other->width_ + x];
      const uint32_t grey = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3;
      const uint32_t alpha = std::min(Alpha(At(x, y)), grey);
      At(x, y) = (At(x, y) & 0xFFFFFF) | alpha << 24;
    }
  }
}

// A size the limits refuse leaves the image as it was.
void CBitmap32::Stretch(int32_t width, int32_t height) {
  if (!IsValid() || (width == width_ && height == height_) || !Bitmap_SizeAllowed(width, height)) return;
  uint32_t* pixels = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(int64_t{width} * height * 4), true));
  for (int32_t y = 0; y < height; ++y) {
    const int64_t sy = int64_t{height_} * y / height;
    for (int32_t x = 0; x < width; ++x) {
      const int64_t sx = int64_t{width_} * x / width;
      pixels[int64_t{y} * width + x] = data_.pixels[sy * width_ + sx];
    }
  }
  MemoryManager::Free(data_.pixels);
  data_ = {width * height * 4, pixels};
  width_ = width;
  height_ = height;
}

BitmapRect* CBitmap32::GetBoundingBox() const {
  BitmapRect* box = new BitmapRect{0, 0, 0, 0};
  if (!IsValid() || width_ <= 0 || height_ <= 0) return box;
  *box = {width_ - 1, height_ - 1, 0, 0};
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      if (Alpha(data_.pixels[int64_t{y} * width_ + x]) == 0) continue;
      box->left = std::min(box->left, x);
      box->top = std::min(box->top, y);
      box->right = std::max(box->right, x);
      box->bottom = std::max(box->bottom, y);
    }
  }
  return box;
}

namespace {

// A platform bitmap of the given format, each pixel written by `put`.
template <typename Put>
TBitmap* MakePlatformBitmap(const uint32_t* pixels, int32_t width, int32_t height, int32_t format, int32_t bytes,
                            Put put) {
  TBitmap* bitmap = TBitmap_Create();
  bitmap->SetPixelFormat(format);
  bitmap->SetWidth(width);
  bitmap->SetHeight(height);
  uint8_t* row = nullptr;
  int32_t stride = 0;
  bitmap->LockBits(0, &row, &stride);
  for (int32_t y = 0; row != nullptr && y < height; ++y, row += stride) {
    for (int32_t x = 0; x < width; ++x) put(row + x * bytes, pixels[int64_t{y} * width + x]);
  }
  return bitmap;
}

}  // namespace

TBitmap* CBitmap32::ToBitmap24() const {
  if (!IsValid()) return nullptr;
  return MakePlatformBitmap(data_.pixels, width_, height_, kPixelFormat24, 3, [](uint8_t* out, uint32_t p) {
    out[0] = p & 0xFF;
    out[1] = p >> 8 & 0xFF;
    out[2] = p >> 16 & 0xFF;
  });
}

TBitmap* CBitmap32::ToBitmap32() const {
  if (!IsValid()) return nullptr;
  return MakePlatformBitmap(data_.pixels, width_, height_, kPixelFormat32, 4, [](uint8_t* out, uint32_t p) {
    out[0] = p >> 16 & 0xFF;
    out[1] = p >> 8 & 0xFF;
    out[2] = p & 0xFF;
    out[3] = p >> 24;
  });
}

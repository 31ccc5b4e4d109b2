#include "graphics/bitmap/bitmap_platform.h"

#include <cstring>

#include "graphics/bitmap/bitmap_limits.h"
#include "runtime/memory.h"

int32_t BitmapPixelFormat_FromBits(int32_t bits) {
  switch (bits) {
    case 1: return kPixelFormat1;
    case 4: return kPixelFormat4;
    case 8: return kPixelFormat8;
    case 15: return kPixelFormat15;
    case 16: return kPixelFormat16;
    case 24: return kPixelFormat24;
    default: return kPixelFormat32;
  }
}

int32_t BitmapPixelFormat_ToBits(int32_t format) {
  static const int32_t kBits[] = {1, 4, 8, 15, 16, 24};
  return format >= 1 && format <= 6 ? kBits[format - 1] : 32;
}

TBitmap* TBitmap_Create() { return new TBitmap(); }

TBitmap::~TBitmap() { FreeImage(); }

void TBitmap::SetWidth(int32_t width) {
  width_ = width;
  ReallocImage();
}

void TBitmap::SetHeight(int32_t height) {
  height_ = height;
  ReallocImage();
}

void TBitmap::SetPixelFormat(int32_t format) {
  format_ = format;
  ReallocImage();
}

void TBitmap::FreeImage() {
  MemoryManager::Free(pixels_);
  pixels_ = nullptr;
}

// Sub-byte formats round their row down to whole bytes, as the row sizes
// of the image block do.
void TBitmap::ReallocImage() {
  FreeImage();
  const int64_t bits = BitmapPixelFormat_ToBits(format_);
  const int64_t rowBytes = width_ > 0 ? int64_t{width_} * bits / 8 : 0;
  bytesPerRow_ = 0;
  if (!Bitmap_SizeAllowed(width_, height_) || rowBytes == 0) return;
  bytesPerRow_ = static_cast<int32_t>(rowBytes);
  pixels_ = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(rowBytes * height_), true));
}

void* TBitmap::LockBits(int32_t row, uint8_t** rowAddress, int32_t* bytesPerRow) {
  const bool inside = pixels_ != nullptr && row >= 0 && row < height_;
  if (rowAddress != nullptr) *rowAddress = inside ? pixels_ + int64_t{row} * bytesPerRow_ : nullptr;
  if (bytesPerRow != nullptr) *bytesPerRow = inside ? bytesPerRow_ : 0;
  return nullptr;
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  FreeImage();
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  bytesPerRow_ = other.bytesPerRow_;
  if (other.pixels_ == nullptr) return;
  const size_t bytes = static_cast<size_t>(int64_t{bytesPerRow_} * height_);
  pixels_ = static_cast<uint8_t*>(KV_ALLOC(bytes, false));
  std::memcpy(pixels_, other.pixels_, bytes);
}

void TBitmap::AdoptPixels32(uint8_t* pixels, int32_t width, int32_t height) {
  FreeImage();
  format_ = kPixelFormat32;
  width_ = width;
  height_ = height;
  bytesPerRow_ = width * 4;
  pixels_ = pixels;
}

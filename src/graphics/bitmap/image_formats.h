// The file-format readers behind Image_Decode and what they share. Each
// reader fills a DecodedImage: the size as soon as its header is read, then
// width x height pixels 0xAARRGGBB, top row first. A reader that fails prints
// one "Image decode failed: ..." line and answers false; pixels it allocated
// stay in the image for the caller to free, so nothing half-filled is used.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graphics/bitmap/bitmap_limits.h"
#include "graphics/bitmap/image_decode.h"

constexpr int32_t kImageMaxSide = kBitmapMaxSide;

// Sides and pixel count as for any bitmap: a header may ask for a picture
// far larger than the file, and a few bytes of packed data may fill it.
inline bool Image_SizeAllowed(int64_t width, int64_t height) { return Bitmap_SizeAllowed(width, height); }

// Room for width x height pixels, not cleared; the reader writes them all.
uint32_t* Image_NewPixels(int32_t width, int32_t height);

// Prints "Image decode failed: " and the formatted text as one line.
bool Image_Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline uint32_t Image_Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

inline uint32_t Image_Le16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
inline uint32_t Image_Le32(const uint8_t* p) { return Image_Le16(p) | Image_Le16(p + 2) << 16; }

bool Dds_Decode(const uint8_t* data, size_t size, DecodedImage& image);
bool Pnm_Decode(const uint8_t* data, size_t size, DecodedImage& image);
bool Png_Decode(const uint8_t* data, size_t size, DecodedImage& image);
bool Jpeg_Decode(const uint8_t* data, size_t size, DecodedImage& image);
bool Gif_DecodeFirstFrame(const uint8_t* data, size_t size, DecodedImage& image);
bool Bmp_Decode(const uint8_t* data, size_t size, DecodedImage& image);
bool Tga_Decode(const uint8_t* data, size_t size, DecodedImage& image);

// Little-endian fields from a byte range. A read past the end answers 0 and
// marks the cursor failed, so a reader checks Failed() once after a header.
class ByteCursor {
 public:
  // A start past the end leaves the cursor failed.
  ByteCursor(const uint8_t* data, size_t size, size_t at = 0)
      : data_(data), size_(size), at_(at <= size ? at : size), failed_(at > size) {}

  uint32_t U8() { return Take(1) ? data_[at_ - 1] : 0; }
  uint32_t U16() { return Take(2) ? Load(2) : 0; }
  uint32_t U32() { return Take(4) ? Load(4) : 0; }
  void Skip(size_t count) { Take(count); }
  // The next `count` bytes, or null (and failed) when fewer are left.
  const uint8_t* Bytes(size_t count) { return Take(count) ? data_ + at_ - count : nullptr; }

  size_t Position() const { return at_; }
  size_t Remaining() const { return size_ - at_; }
  bool Failed() const { return failed_; }

 private:
  bool Take(size_t count) {
    if (failed_ || count > size_ - at_) {
      failed_ = true;
      return false;
    }
    at_ += count;
    return true;
  }
  uint32_t Load(size_t count) const {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) value |= uint32_t{data_[at_ - count + i]} << (8 * i);
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_;
  bool failed_;
};

// The in-memory 32-bit image: pixel data of sprite and background frames,
// the source of their textures, collision masks and bounding boxes. A pixel
// is one word 0xAARRGGBB (bytes blue, green, red, alpha), row 0 on top.
// Every operation on an invalid image does nothing (or answers null/empty).
#pragma once

#include <cstdint>

#include "graphics/bitmap/bitmap_platform.h"

class CStream;

struct BitmapRect {
  int32_t left, top, right, bottom;
};

class CBitmap32 {
 public:
  struct Data {
    int32_t size;  // bytes: width x height x 4
    uint32_t* pixels;
  };
  // How a platform bitmap is read: opaque (24- or 32-bit, alpha dropped),
  // keeping the alpha of a 32-bit bitmap, or any format (converted first).
  enum class Source { kOpaque, kKeepAlpha, kAnyFormat };

  CBitmap32() = default;
  CBitmap32(const CBitmap32& other);
  // Reads a stored image; a record of unknown version or refused size gives
  // an invalid image, read to its end.
  explicit CBitmap32(CStream* stream);
  CBitmap32(const CBitmap32& source, int32_t x, int32_t y, int32_t width, int32_t height);
  // Script colour 0xBBGGRR, opaque; sizes below 1 become 1.
  CBitmap32(int32_t width, int32_t height, uint32_t scriptColour);
  CBitmap32(TBitmap* bitmap, bool removeBackground, bool smooth, Source source = Source::kOpaque);
  // Keep alpha: the alpha-keeping reading, else any format.
  CBitmap32(TBitmap* bitmap, bool removeBackground, bool smooth, bool keepAlpha);
  // Two-colour gradient of kind 0..5 (others stay black).
  static CBitmap32* Gradient(int32_t width, int32_t height, uint32_t colour1, uint32_t colour2, int32_t kind);
  virtual ~CBitmap32();
  CBitmap32& operator=(const CBitmap32&) = delete;

  void Assign(const CBitmap32& other);
  bool IsValid() const { return valid_ == 1; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  const Data* GetData() const { return &data_; }
  Data* GetData() { return &data_; }

  void SmoothEdges();
  void RemoveBackground();
  void SpreadEdgeColours();
  void SetAlpha(uint8_t alpha);
  void SetAlphaFromBitmap(const CBitmap32* other);
  void Stretch(int32_t width, int32_t height);
  // A new rectangle the caller deletes.
  BitmapRect* GetBoundingBox() const;
  // New platform bitmaps: 24-bit without alpha; 32-bit with red and blue
  // exchanged and alpha kept. Null for an invalid image.
  TBitmap* ToBitmap24() const;
  TBitmap* ToBitmap32() const;

  // Stores the image packed (the form the stream constructor reads).
  void Save(CStream* stream) const;
  // An RGBA PNG under the save folder; false (with a console line) when it
  // cannot be written or the image is invalid.
  bool write_png_file(const char* fileName) const;

 private:
  bool Allocate(int64_t width, int64_t height);
  void ReadPlatform(TBitmap* bitmap, bool keepAlpha);
  void Finish(bool removeBackground, bool smooth);
  uint32_t& At(int32_t x, int32_t y) { return data_.pixels[int64_t{y} * width_ + x]; }

  uint8_t valid_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  Data data_{0, nullptr};
};

// Script colours 0xBBGGRR mixed channel by channel: c1 x (1 - f) + c2 x f.
// Each channel is taken modulo 256; a channel that is not a number is 0.
uint32_t GR_Color_Merge(uint32_t colour1, uint32_t colour2, double f);
uint32_t GR_Color_Swap_Red_Blue(uint32_t colour);

// A new texture-table entry holding the image's pixels; -1 for no image.
int32_t GR_Texture_Create_From_Bitmap32(const CBitmap32* bitmap);

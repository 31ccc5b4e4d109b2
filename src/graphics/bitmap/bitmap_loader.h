// Decodes an image file, or an encoded image in memory, and hands out its
// frames as 32-bit platform bitmaps: every frame of an animated GIF, or the
// one frame of any other image (PNG, JPEG, BMP, TGA, ...).
#pragma once

#include <cstdint>

#include "graphics/bitmap/bitmap_platform.h"

class BitmapLoader {
 public:
  BitmapLoader() = default;
  virtual ~BitmapLoader();
  BitmapLoader(const BitmapLoader&) = delete;
  BitmapLoader& operator=(const BitmapLoader&) = delete;

  // Makes the frame count known; true when it is above 1.
  bool IsMultiFrame();
  // 0 until IsMultiFrame has run, and for an image that could not be decoded.
  int32_t GetFrameCount() const { return frameCount_; }
  // A new bitmap the caller deletes; null for an index not below the count.
  TBitmap* GetFrame(int32_t index) const;

  // Frames of width x height pixels 0xAARRGGBB, one block each.
  void Decode(const uint8_t* data, int64_t size);
  // One frame of raw 0xAARRGGBB pixels, copied; its count is known at once.
  void TakePixels(const uint32_t* pixels, int32_t width, int32_t height);

 private:
  void AddFrame(uint32_t* pixels);
  void DecodeFrames(const uint8_t* data, int64_t size, int32_t frames);

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t decoded_ = 0;
  int32_t frameCount_ = 0;
  uint32_t** frames_ = nullptr;
};

// Never null: an unreadable or undecodable source gives a loader of no frames.
BitmapLoader* BitmapLoader_CreateFromFile(const char* fileName);
BitmapLoader* BitmapLoader_CreateFromMemory(const uint8_t* data, int64_t size);
// One frame of width x height raw pixels; none for a size out of limits.
BitmapLoader* BitmapLoader_CreateFromPixels(const uint32_t* pixels, int32_t width, int32_t height);

// The number of frames a GIF stream holds when every one of them fits the
// pixel limit, else -1 (also for anything that is not a well-formed GIF).
int32_t Gif_CountFrames(const uint8_t* data, int64_t size);

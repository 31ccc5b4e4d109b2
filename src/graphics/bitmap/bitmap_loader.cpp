#include "graphics/bitmap/bitmap_loader.h"

#include <cstring>

#include "files/file_layer.h"
#include "graphics/bitmap/bitmap_limits.h"
#include "graphics/bitmap/gif_decode.h"
#include "graphics/bitmap/image_decode.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

class GifWalk {
 public:
  GifWalk(const uint8_t* data, int64_t size) : data_(data), size_(size) {}

  int32_t CountFrames() {
    if (size_ < 13 || std::memcmp(data_, "GIF", 3) != 0) return -1;
    const int64_t width = Word(6), height = Word(8);
    if (!Bitmap_SizeAllowed(width, height)) return -1;
    at_ = 13 + ColourTable(data_[10]);
    int64_t frames = 0;
    while (at_ < size_) {
      const uint8_t kind = data_[at_++];
      if (kind == 0x3B) break;
      if (kind == 0x21) {
        ++at_;
        if (!SkipSubBlocks()) return -1;
      } else if (kind == 0x2C) {
        if (at_ + 9 > size_) return -1;
        at_ += 9 + ColourTable(data_[at_ + 8]) + 1;
        if (!SkipSubBlocks()) return -1;
        if (++frames * width * height > kBitmapMaxPixels) return -1;
      } else {
        return -1;
      }
    }
    return frames > 0 ? static_cast<int32_t>(frames) : -1;
  }

 private:
  int64_t Word(int64_t at) const { return int64_t{data_[at]} | int64_t{data_[at + 1]} << 8; }
  static int64_t ColourTable(uint8_t flags) { return (flags & 0x80) != 0 ? 3 * (int64_t{2} << (flags & 7)) : 0; }
  bool SkipSubBlocks() {
    while (at_ < size_) {
      const uint8_t length = data_[at_++];
      if (length == 0) return true;
      at_ += length;
    }
    return false;
  }

  const uint8_t* data_;
  int64_t size_;
  int64_t at_ = 0;
};

}  // namespace

int32_t Gif_CountFrames(const uint8_t* data, int64_t size) {
  if (data == nullptr || size <= 0) return -1;
  return GifWalk(data, size).CountFrames();
}

BitmapLoader::~BitmapLoader() {
  for (int32_t i = 0; i < decoded_; ++i) MemoryManager::Free(frames_[i]);
  MemoryManager::Free(frames_);
}

void BitmapLoader::AddFrame(uint32_t* pixels) {
  frames_ = static_cast<uint32_t**>(KV_REALLOC(frames_, sizeof(uint32_t*) * static_cast<size_t>(decoded_ + 1)));
  frames_[decoded_++] = pixels;
}

// Every frame of an animation (as many as the walk counted), as far as its
// stream stays whole; a stream that breaks before its first frame gives none.
void BitmapLoader::DecodeFrames(const uint8_t* data, int64_t size, int32_t frames) {
  GifDecoder gif(data, static_cast<size_t>(size));
  if (!gif.Open()) return;
  width_ = gif.Width();
  height_ = gif.Height();
  const size_t bytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
  while (decoded_ < frames && gif.NextFrame()) {
    auto* frame = static_cast<uint32_t*>(KV_ALLOC(bytes, false));
    std::memcpy(frame, gif.Picture(), bytes);
    AddFrame(frame);
  }
}

// A GIF of several frames is decoded whole once its frames are known to fit;
// every other image (and a GIF that does not walk cleanly) as one frame.
void BitmapLoader::Decode(const uint8_t* data, int64_t size) {
  if (data == nullptr || size < 4 || size > 0x7FFFFFFF) return;
  const int32_t gifFrames = Gif_CountFrames(data, size);
  if (gifFrames > 1) {
    DecodeFrames(data, size, gifFrames);
    if (decoded_ > 0) return;
  }
  DecodedImage image = Image_Decode(data, static_cast<uint32_t>(size), 0);
  if (image.pixels == nullptr) return;
  if (!Bitmap_SizeAllowed(image.width, image.height)) {
    MemoryManager::Free(image.pixels);
    return;
  }
  width_ = image.width;
  height_ = image.height;
  AddFrame(image.pixels);
}

void BitmapLoader::TakePixels(const uint32_t* pixels, int32_t width, int32_t height) {
  if (pixels == nullptr || !Bitmap_SizeAllowed(width, height)) {
    g_debugConsole->Output("Raw image of size %d x %d refused\n", width, height);
    return;
  }
  const size_t bytes = static_cast<size_t>(int64_t{width} * height * 4);
  auto* frame = static_cast<uint32_t*>(KV_ALLOC(bytes, false));
  std::memcpy(frame, pixels, bytes);
  width_ = width;
  height_ = height;
  AddFrame(frame);
  frameCount_ = 1;
}

bool BitmapLoader::IsMultiFrame() {
  frameCount_ = decoded_;
  return frameCount_ > 1;
}

TBitmap* BitmapLoader::GetFrame(int32_t index) const {
  if (index < 0 || index >= frameCount_) return nullptr;
  const size_t bytes = static_cast<size_t>(int64_t{width_} * height_ * 4);
  uint8_t* copy = static_cast<uint8_t*>(KV_ALLOC(bytes, false));
  std::memcpy(copy, frames_[index], bytes);
  TBitmap* bitmap = TBitmap_Create();
  bitmap->AdoptPixels32(copy, width_, height_);
  return bitmap;
}

BitmapLoader* BitmapLoader_CreateFromMemory(const uint8_t* data, int64_t size) {
  BitmapLoader* loader = new BitmapLoader();
  loader->Decode(data, size);
  return loader;
}

BitmapLoader* BitmapLoader_CreateFromPixels(const uint32_t* pixels, int32_t width, int32_t height) {
  BitmapLoader* loader = new BitmapLoader();
  loader->TakePixels(pixels, width, height);
  return loader;
}

BitmapLoader* BitmapLoader_CreateFromFile(const char* fileName) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(fileName, &size);
  BitmapLoader* loader = BitmapLoader_CreateFromMemory(data, size);
  MemoryManager::Free(data);
  return loader;
}

// Reading, saving and copying the pixels of surfaces, and the copies of
// surfaces and of the screen into platform bitmaps.
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/file_layer.h"
#include "files/write_stream.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/bitmap/bmp_png.h"
#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_table.h"
#include "runtime/memory.h"

namespace {

// The most pixels one texture read takes.
constexpr int64_t kMaxReadPixels = int64_t{1} << 28;
constexpr int32_t kBytesPerPixel = 4;

struct Span {
  int32_t start, length;  // inside the surface
  int32_t offset;         // where it lands in the rectangle
};

// The part of [from, from + length) inside [0, size).
Span Clip(int32_t from, int32_t length, int32_t size) {
  const int64_t start = std::max<int64_t>(from, 0);
  const int64_t end = std::min<int64_t>(int64_t{from} + length, size);
  if (end <= start) return Span{0, 0, 0};
  return Span{static_cast<int32_t>(start), static_cast<int32_t>(end - start), static_cast<int32_t>(start - from)};
}

uint32_t* ZeroBlock(int32_t w, int32_t h) {
  return static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(w) * static_cast<size_t>(h) * kBytesPerPixel, true));
}

void PlaceRows(uint32_t* block, int32_t w, const uint32_t* part, Span cols, Span rows) {
  for (int32_t r = 0; r < rows.length; ++r) {
    std::memcpy(block + static_cast<size_t>(rows.offset + r) * static_cast<size_t>(w) + cols.offset,
                part + static_cast<size_t>(r) * static_cast<size_t>(cols.length),
                static_cast<size_t>(cols.length) * kBytesPerPixel);
  }
}

DeviceTexture* SurfaceTexture(int32_t index) {
  return GR_Surface_Exists(index) ? GR_Texture_Get_Device_Texture(GR_Surface_Get_Texture(index)) : nullptr;
}

TBitmap* BitmapOf(uint32_t* pixels, int32_t w, int32_t h) {
  TBitmap* bitmap = TBitmap_Create();
  bitmap->AdoptPixels32(reinterpret_cast<uint8_t*>(pixels), w, h);
  return bitmap;
}

// A copy within one surface goes through a temporary target, since the
// device cannot read and write one target at once.
void CopyWithin(DeviceTexture* texture, int32_t x, int32_t y, int32_t xs, int32_t ys, int32_t ws, int32_t hs) {
  const int32_t w = DeviceTexture_Width(texture), h = DeviceTexture_Height(texture);
  DeviceTexture* copy = Graphics::CreateTexture(w, h, 1, true, 6);
  if (copy == nullptr) return;
  Graphics::CopyTextureRect(copy, 0, 0, texture, 0, 0, w, h);
  Graphics::CopyTextureRect(texture, x, y, copy, xs, ys, ws, hs);
  Graphics::FreeTexture(copy);
}

}  // namespace

uint32_t* GR_Surface_Read_Pixels(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!Graphics::HasDevice() || w < 1 || h < 1 || int64_t{w} * h > kMaxReadPixels) return nullptr;
  Graphics::FlushBatch();
  DeviceTexture* texture = SurfaceTexture(index);
  if (texture == nullptr) return nullptr;
  const Span cols = Clip(x, w, GR_Surface_Get_Width(index)), rows = Clip(y, h, GR_Surface_Get_Height(index));
  uint32_t* block = ZeroBlock(w, h);
  if (block == nullptr || cols.length == 0 || rows.length == 0) return block;
  uint32_t* part = Graphics::ReadTexturePixels(texture, cols.start, rows.start, cols.length, rows.length);
  if (part == nullptr) {
    MemoryManager::Free(block);
    return nullptr;
  }
  PlaceRows(block, w, part, cols, rows);
  MemoryManager::Free(part);
  return block;
}

uint32_t GR_Surface_Get_Pixel(int32_t index, int32_t x, int32_t y) {
  uint32_t* pixel = GR_Surface_Read_Pixels(index, x, y, 1, 1);
  if (pixel == nullptr) return 0;
  const uint32_t argb = *pixel;
  MemoryManager::Free(pixel);
  return ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}

bool GR_Surface_Save(int32_t index, const char* path, int32_t x, int32_t y, int32_t w, int32_t h) {
  uint32_t* pixels = GR_Surface_Read_Pixels(index, x, y, w, h);
  if (pixels == nullptr) return false;
  uint32_t bytes = 0;
  uint8_t* image = GR_Build_BMP(pixels, w, h, &bytes, kBytesPerPixel);
  MemoryManager::Free(pixels);
  if (image == nullptr) return false;
  const bool written = bytes <= INT32_MAX && LoadSave_WriteFile(path, image, static_cast<int32_t>(bytes));
  if (!written) LoadSave_ReportWrite(path, errno);
  MemoryManager::Free(image);
  return written;
}

void GR_Surface_Copy(int32_t destination, int32_t x, int32_t y, int32_t source, int32_t xs, int32_t ys, int32_t ws,
                     int32_t hs) {
  if (!Graphics::HasDevice()) return;
  Graphics::FlushBatch();
  DeviceTexture* to = SurfaceTexture(destination);
  DeviceTexture* from = SurfaceTexture(source);
  if (to == nullptr || from == nullptr) return;
  if (to == from) {
    CopyWithin(to, x, y, xs, ys, ws, hs);
  } else {
    Graphics::CopyTextureRect(to, x, y, from, xs, ys, ws, hs);
  }
}

TBitmap* GR_Surface_Copy_To_Bitmap(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h) {
  uint32_t* pixels = GR_Surface_Read_Pixels(index, x, y, w, h);
  return pixels == nullptr ? nullptr : BitmapOf(pixels, w, h);
}

// A negative corner moves to 0 without shrinking the rectangle; the back
// buffer's right and bottom edges cut it.
TBitmap* GR_Screen_Copy_To_Bitmap(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!Graphics::HasDevice()) return nullptr;
  int32_t bw = 0, bh = 0;
  Graphics::GetBackBufferSize(&bw, &bh);
  x = std::max(x, 0);
  y = std::max(y, 0);
  w = static_cast<int32_t>(std::min<int64_t>(w, int64_t{bw} - x));
  h = static_cast<int32_t>(std::min<int64_t>(h, int64_t{bh} - y));
  if (w < 1 || h < 1) return nullptr;
  uint32_t* pixels = Graphics::ReadScreenPixels(bw, bh, x, y, w, h);
  if (pixels == nullptr) return nullptr;
  for (int64_t i = 0; i < int64_t{w} * h; ++i) pixels[i] |= 0xFF000000u;
  return BitmapOf(pixels, w, h);
}

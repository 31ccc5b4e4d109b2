// Reading BMP files into a TBitmap, adopting raw image blocks and turning
// the image into 32-bit texture pixels.
#include <cstring>

#include "files/file_layer.h"
#include "graphics/bitmap/bitmap_limits.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

constexpr int64_t kFileHeaderBytes = 14;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

uint32_t U32(const uint8_t* at) {
  return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}
uint32_t U16(const uint8_t* at) { return uint32_t{at[0]} | uint32_t{at[1]} << 8; }

struct BmpLayout {
  int64_t width = 0, height = 0;  // height positive; topFirst from its sign
  bool topFirst = false;
  uint32_t bits = 0;
  int64_t offset = 0;
  int64_t fileStride = 0, rowBytes = 0;
  int64_t paletteAt = 0, paletteEntries = 0;
};

// 32-bit bit fields are taken only in the plain blue-green-red-alpha order.
bool PlainBitFields(const uint8_t* file, uint32_t headerBytes) {
  return headerBytes >= 52 && U32(file + 54) == 0xFF0000 && U32(file + 58) == 0xFF00 && U32(file + 62) == 0xFF;
}

int64_t RowBytes(int64_t width, uint32_t bits) { return bits < 8 ? width * bits / 8 : width * (bits / 8); }

// Every size, offset and count is held against the bytes present.
const char* ParseHeader(const uint8_t* file, int64_t size, BmpLayout& out) {
  if (size < kFileHeaderBytes + 40) return "header cut short";
  const uint32_t headerBytes = U32(file + 14);
  if (headerBytes < 40 || kFileHeaderBytes + headerBytes > size) return "bad header size";
  const int32_t height = static_cast<int32_t>(U32(file + 22));
  out.width = static_cast<int32_t>(U32(file + 18));
  out.height = height < 0 ? -int64_t{height} : height;
  out.topFirst = height < 0;
  out.bits = U16(file + 28);
  const uint32_t compression = U32(file + 30);
  if (!Bitmap_SizeAllowed(out.width, out.height)) return "bad size";
  if (out.bits != 1 && out.bits != 4 && out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32) {
    return "bad bit count";
  }
  const bool fields = compression == kBitFields && out.bits == 32 && PlainBitFields(file, headerBytes);
  if (compression != kUncompressed && !fields) return "compressed images are not read";
  out.rowBytes = RowBytes(out.width, out.bits);
  out.fileStride = (out.width * out.bits + 31) / 32 * 4;
  out.offset = U32(file + 10);
  out.paletteAt = kFileHeaderBytes + headerBytes;
  if (out.rowBytes == 0) return "bad size";
  if (out.offset < out.paletteAt || out.offset + out.fileStride * out.height > size) return "pixels outside the file";
  if (out.bits <= 8) {
    const int64_t used = U32(file + 46);
    const int64_t entries = used == 0 || used > (int64_t{1} << out.bits) ? int64_t{1} << out.bits : used;
    const int64_t room = (out.offset - out.paletteAt) / 4;
    out.paletteEntries = entries < room ? entries : room;
  }
  return nullptr;
}

// Rows unpadded, top row first.
uint8_t* CopyRows(const uint8_t* file, const BmpLayout& b) {
  auto* rows = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(b.rowBytes * b.height), false));
  for (int64_t r = 0; r < b.height; ++r) {
    const int64_t y = b.topFirst ? r : b.height - 1 - r;
    std::memcpy(rows + y * b.rowBytes, file + b.offset + r * b.fileStride, static_cast<size_t>(b.rowBytes));
  }
  return rows;
}

// Null when an index lies past the stored palette.
uint8_t* ExpandPalette(const uint8_t* file, const uint8_t* indices, const BmpLayout& b) {
  const int64_t count = b.width * b.height;
  auto* out = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(count * 4), false));
  for (int64_t i = 0; i < count; ++i) {
    if (indices[i] >= b.paletteEntries) {
      MemoryManager::Free(out);
      return nullptr;
    }
    const uint8_t* entry = file + b.paletteAt + 4 * int64_t{indices[i]};
    std::memcpy(out + 4 * i, entry, 3);
    out[4 * i + 3] = 255;
  }
  return out;
}

bool Refuse(const char* reason) {
  g_debugConsole->Output("BMP image not read: %s\n", reason);
  return false;
}

}  // namespace

void TBitmap::Clear() {
  FreeImage();
  width_ = height_ = bytesPerRow_ = 0;
}

void TBitmap::TakeImage(uint8_t* pixels, int32_t format, int32_t width, int32_t height) {
  FreeImage();
  format_ = format;
  width_ = width;
  height_ = height;
  bytesPerRow_ = static_cast<int32_t>(RowBytes(width, static_cast<uint32_t>(BitmapPixelFormat_ToBits(format))));
  pixels_ = pixels;
}

bool TBitmap::ReadBMP(const uint8_t* file, int64_t size) {
  BmpLayout b;
  if (const char* reason = ParseHeader(file, size, b)) return Refuse(reason);
  uint8_t* rows = CopyRows(file, b);
  const int32_t w = static_cast<int32_t>(b.width), h = static_cast<int32_t>(b.height);
  if (b.bits != 8) {
    TakeImage(rows, BitmapPixelFormat_FromBits(static_cast<int32_t>(b.bits)), w, h);
    return true;
  }
  uint8_t* expanded = ExpandPalette(file, rows, b);
  MemoryManager::Free(rows);
  if (expanded == nullptr) return Refuse("pixel index past the palette");
  TakeImage(expanded, kPixelFormat32, w, h);
  return true;
}

// The image is read from where "BM" stands, not from the stream's start.
bool TBitmap::LoadFromStream(CStream* stream) {
  Clear();
  if (stream == nullptr) return false;
  const int64_t at = stream->GetPosition();
  const int64_t size = stream->GetSize();
  if (at < 0 || at + 2 > size || std::memcmp(stream->GetBuffer() + at, "BM", 2) != 0) return false;
  return ReadBMP(stream->GetBuffer() + at, size - at);
}

bool TBitmap::LoadFromFile(const char* fileName) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadFile(fileName, &size);
  if (data == nullptr) {
    Clear();
    return Refuse("file not readable");
  }
  CStream stream(0);
  stream.WriteBuffer(data, size);
  stream.SetPosition(0);
  MemoryManager::Free(data);
  if (size < 2 || std::memcmp(stream.GetBuffer(), "BM", 2) != 0) {
    Clear();
    return Refuse("not a BMP file");
  }
  return LoadFromStream(&stream);
}

bool TBitmap::LoadFromResourceID(int32_t id, const char* type) {
  (void)id;
  (void)type;
  return false;
}

void TBitmap::AttachImage(uint8_t* block, uint32_t blockSize) {
  Clear();
  if (block == nullptr) return;
  const int64_t offset = blockSize >= 24 ? U32(block + 8) : -1;
  const int64_t w = blockSize >= 24 ? static_cast<int32_t>(U32(block + 16)) : 0;
  const int64_t h = blockSize >= 24 ? static_cast<int32_t>(U32(block + 20)) : 0;
  if (offset < 0 || !Bitmap_SizeAllowed(w, h) || offset + w * h * 4 > blockSize) {
    MemoryManager::Free(block);
    Refuse("image block too short");
    return;
  }
  auto* pixels = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(w * h * 4), false));
  std::memcpy(pixels, block + offset, static_cast<size_t>(w * h * 4));
  MemoryManager::Free(block);
  TakeImage(pixels, kPixelFormat32, static_cast<int32_t>(w), static_cast<int32_t>(h));
}

// Only 24- and 32-bit rows hold whole blue-green-red pixels.
uint32_t* TBitmap::Pixels32() const {
  if (pixels_ == nullptr || (format_ != kPixelFormat24 && format_ != kPixelFormat32)) return nullptr;
  const int64_t step = format_ == kPixelFormat32 ? 4 : 3;
  auto* out = static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(int64_t{width_} * height_ * 4), true));
  for (int32_t y = 0; y < height_; ++y) {
    const uint8_t* p = pixels_ + int64_t{y} * bytesPerRow_;
    for (int32_t x = 0; x < width_; ++x, p += step) {
      const uint32_t alpha = step == 4 ? p[3] : 255;
      out[int64_t{y} * width_ + x] = alpha << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
  }
  return out;
}

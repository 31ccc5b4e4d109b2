// The exchange image between decoded files, screen grabs and CBitmap32: rows
// of 24- or 32-bit pixels (bytes blue, green, red[, alpha]), top row first,
// without padding. Every setter rebuilds an empty, zero-filled image.
#pragma once

#include <cstdint>

class CStream;
struct DeviceTexture;

// Pixel format codes: 1, 4, 8, 15, 16, 24 and 32 bits a pixel.
enum TBitmapPixelFormat : int32_t {
  kPixelFormat1 = 1,
  kPixelFormat4 = 2,
  kPixelFormat8 = 3,
  kPixelFormat15 = 4,
  kPixelFormat16 = 5,
  kPixelFormat24 = 6,
  kPixelFormat32 = 7,
};

int32_t BitmapPixelFormat_FromBits(int32_t bits);
int32_t BitmapPixelFormat_ToBits(int32_t format);

class TBitmap {
 public:
  TBitmap() = default;
  virtual ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  void SetWidth(int32_t width);
  void SetHeight(int32_t height);
  void SetPixelFormat(int32_t format);
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  int32_t GetPixelFormat() const { return format_; }
  int32_t BytesPerRow() const { return bytesPerRow_; }

  // The address of a row and the bytes from one row to the next; null and 0
  // when the bitmap holds no image or the row lies outside it. The returned
  // lock is always null here: there is nothing to release.
  void* LockBits(int32_t row, uint8_t** rowAddress, int32_t* bytesPerRow);
  void UnlockBits(void* lock) { (void)lock; }

  // Copies another bitmap's image (or none).
  void Assign(const TBitmap& other);
  void FreeImage();
  // Takes a block of width x height 32-bit pixels from MemoryManager.
  void AdoptPixels32(uint8_t* pixels, int32_t width, int32_t height);

  // BMP files and streams (1, 4, 8, 16, 24 or 32 bits, uncompressed): an
  // 8-bit image becomes 32-bit through its palette. A file that is not a
  // whole, honest BMP leaves the bitmap empty with one console line; the
  // answer says whether an image was read.
  bool LoadFromFile(const char* fileName);
  bool LoadFromStream(CStream* stream);
  // There are no program resources here.
  bool LoadFromResourceID(int32_t id, const char* type);
  // Adopts a MemoryManager block laid out as a BMP file less its "BM": the
  // pixel offset (counted from the block's start) at 8, width at 16, height
  // at 20, then 32-bit pixels top row first. A block too short for them is
  // freed and the bitmap left empty.
  void AttachImage(uint8_t* block, uint32_t blockSize);
  // Opaque for 24 bits, alpha kept for 32; null for other formats or no
  // image. The caller frees the result with MemoryManager.
  uint32_t* Pixels32() const;
  // A device texture of Pixels32; null when there is none. Defined beside
  // the textures, which lie above the bitmaps.
  DeviceTexture* CopyPixels32() const;
  bool Reserved1() { return false; }
  void Reserved2(int32_t, int32_t, int32_t, int32_t) {}
  int32_t Reserved3(int32_t) { return 0; }

 private:
  void ReallocImage();
  bool ReadBMP(const uint8_t* file, int64_t size);
  void Clear();
  void TakeImage(uint8_t* pixels, int32_t format, int32_t width, int32_t height);

  uint8_t* pixels_ = nullptr;
  int32_t format_ = kPixelFormat32;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bytesPerRow_ = 0;
};

TBitmap* TBitmap_Create();

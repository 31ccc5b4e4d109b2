// Page-image decoding on arbitrary bytes: the image files, DDS and the
// block decoders must answer every input without reading past it. First
// bytes from 240 up feed BMP streams, stored 32-bit image records and the
// PVRTC and ETC1 texture decoders instead.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/bitmap/image_decode.h"
#include "graphics/texture/texture_blocks.h"
#include "runtime/memory.h"
#include "runtime/stream.h"

namespace {

constexpr uint8_t kFirstRecordKind = 240;

void FeedStream(const uint8_t* data, size_t size, bool bmp) {
  CStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  if (bmp) {
    TBitmap bitmap;
    bitmap.LoadFromStream(&stream);
    MemoryManager::Free(bitmap.Pixels32());
  } else {
    CBitmap32 image(&stream);
  }
}

// Sizes from the first four bytes (up to 64 x 64), blocks from the rest.
void FeedTextureBlocks(const uint8_t* data, size_t size, uint8_t kind) {
  if (size < 4) return;
  const int32_t width = data[0] % 65, height = data[1] % 65;
  static uint8_t out[64 * 64 * 4];
  if (kind % 2 == 0) {
    g_pvrtcLinearBlocks = data[2] & 1;
    PVRTC_Decompress(data + 4, size - 4, data[3] & 1, width, height, out);
    g_pvrtcLinearBlocks = 0;
  } else {
    ETC1_Decompress(data + 4, size - 4, static_cast<uint32_t>(width), static_cast<uint32_t>(height), out);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  if (size < 2) return 0;
  // The file lies in a block of exactly its size, so that a read one byte
  // past it is caught.
  auto* copy = static_cast<uint8_t*>(MemoryManager::Alloc(size - 1, __FILE__, __LINE__, false));
  std::memcpy(copy, data + 1, size - 1);
  if (data[0] >= kFirstRecordKind) {
    const uint8_t kind = data[0] - kFirstRecordKind;
    if (kind < 4) {
      FeedStream(copy, size - 1, kind % 2 == 0);
    } else {
      FeedTextureBlocks(copy, size - 1, kind);
    }
  } else {
    DecodedImage image = Image_Decode(copy, static_cast<uint32_t>(size - 1), data[0] % 12);
    MemoryManager::Free(image.pixels);
  }
  MemoryManager::Free(copy);
  return 0;
}

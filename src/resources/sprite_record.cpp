#include "resources/sprite.h"
#include "runtime/load_error.h"
#include "runtime/memory.h"

namespace {

// Bit rows, most significant bit first, each row starting a new byte.
void ExpandMask(const uint8_t* bits, int32_t width, int32_t height, uint8_t* out) {
  const int64_t rowBytes = (int64_t{width} + 7) / 8;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = bits + y * rowBytes;
    for (int32_t x = 0; x < width; ++x) out[int64_t{y} * width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
  }
}

}  // namespace

bool CSprite::LoadFromRecord(const GameImage& image, uint32_t recordOffset, uint64_t chunkEnd, const char** name) {
  Reset();
  ImageReader r(image, recordOffset, chunkEnd);
  *name = r.Text();
  width = r.I32();
  height = r.I32();
  bbox.left = r.I32();
  bbox.right = r.I32();
  bbox.bottom = r.I32();
  bbox.top = r.I32();
  transparent = r.U32() != 0;
  smooth = r.U32() != 0;
  preload = r.U32() != 0;
  bboxMode = r.I32();
  precise = r.U32() != 0;
  xorigin = r.I32();
  yorigin = r.I32();
  const uint64_t count = r.U32();
  if (r.Failed()) return LoadError_Report("SPRT", "the record at %u runs past the chunk", recordOffset);
  if (width < 0 || height < 0) {
    return LoadError_Report("SPRT", "the record at %u has a size of %d x %d", recordOffset, width, height);
  }
  if (count * 4 + 4 > r.Remaining()) {
    return LoadError_Report("SPRT", "the frame table of the record at %u runs past the chunk", recordOffset);
  }
  pages.SetLength(static_cast<int32_t>(count));
  for (uint64_t i = 0; i < count; ++i) pages[static_cast<int32_t>(i)] = r.U32();
  hasPages = 1;
  frameCount = static_cast<int32_t>(count);
  const int32_t maskCount = r.I32();
  ComputeRadius();
  if (maskCount < 1) return true;
  const uint64_t perMask = uint64_t{static_cast<uint32_t>(height)} * ((uint64_t{static_cast<uint32_t>(width)} + 7) / 8);
  const uint64_t maskSize = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
  if (perMask == 0) return true;
  if (perMask * static_cast<uint32_t>(maskCount) > r.Remaining() || maskSize > 0x7FFFFFFF) {
    return LoadError_Report("SPRT", "the masks of the record at %u run past the chunk", recordOffset);
  }
  const uint8_t* bits = image.Data() + r.Position();
  masks.SetLength(maskCount);
  for (int32_t m = 0; m < maskCount; ++m) {
    masks[m].size = static_cast<int32_t>(maskSize);
    masks[m].bytes = static_cast<uint8_t*>(KV_ALLOC(maskSize, false));
    ExpandMask(bits + m * perMask, width, height, masks[m].bytes);
  }
  masksPresent = 1;
  return true;
}

#include <cstdlib>
#include <cstring>

#include "graphics/texture/texture_blocks.h"

uint32_t Texture_IsPowerOfTwo(uint32_t value) {
  return value != 0 && ((value - 1) | value) == ((value - 1) ^ value) ? 1 : 0;
}

void Morton_Interleave(uint32_t* index, uint32_t u, uint32_t v) {
  uint32_t result = 0;
  for (uint32_t k = 0; k < 16; ++k) {
    result |= ((v >> k) & 1) << (2 * k);
    result |= ((u >> k) & 1) << (2 * k + 1);
  }
  *index = result;
}

void Morton_Deinterleave(uint32_t* u, uint32_t* v, uint32_t index) {
  uint32_t outU = 0;
  uint32_t outV = 0;
  for (uint32_t k = 0; k < 16; ++k) {
    outU |= ((index >> (2 * k + 1)) & 1) << k;
    outV |= ((index >> (2 * k)) & 1) << k;
  }
  *u = outU;
  *v = outV;
}

void Texture_FillTiled(uint8_t* destination, uint32_t width, uint32_t height, const uint8_t* source, uint32_t tileWidth,
                       uint32_t tileHeight, uint32_t elementSize, bool twiddled) {
  if (tileWidth == 0 || tileHeight == 0) return;
  const uint64_t count = uint64_t{width} * height;
  for (uint64_t i = 0; i < count; ++i) {
    uint32_t x = 0;
    uint32_t y = 0;
    if (twiddled) {
      Morton_Deinterleave(&x, &y, static_cast<uint32_t>(i));
    } else {
      x = static_cast<uint32_t>(i % width);
      y = static_cast<uint32_t>(i / width);
    }
    const uint32_t tx = x % tileWidth;
    const uint32_t ty = y % tileHeight;
    uint32_t from = 0;
    if (twiddled) {
      Morton_Interleave(&from, tx, ty);
    } else {
      from = ty * tileWidth + tx;
    }
    std::memcpy(destination + i * elementSize, source + uint64_t{from} * elementSize, elementSize);
  }
}

namespace {

// Above 2^35 texels no bit count keeps the data within 32 bits, so the sum
// stops growing there instead of overflowing.
constexpr uint64_t kTexelCap = uint64_t{1} << 36;

uint64_t TexelCount(uint32_t width, uint32_t height, uint32_t minWidth, uint32_t minHeight, bool mipChain) {
  uint64_t texels = 0;
  do {
    const uint64_t level = uint64_t{width > minWidth ? width : minWidth} * (height > minHeight ? height : minHeight);
    texels = level >= kTexelCap || texels + level >= kTexelCap ? kTexelCap : texels + level;
    width >>= 1;
    height >>= 1;
  } while (mipChain && (width != 0 || height != 0));
  return texels;
}

}  // namespace

TextureBufferHeader* Texture_CreateBuffer(uint32_t width, uint32_t height, uint32_t minWidth, uint32_t minHeight,
                                          uint32_t bitsPerPixel, bool mipChain) {
  const uint64_t texels = TexelCount(width, height, minWidth, minHeight, mipChain);
  const bool tooMany = texels >= kTexelCap || (bitsPerPixel != 0 && texels > (uint64_t{1} << 36) / bitsPerPixel);
  const uint64_t dataSize = tooMany ? UINT64_MAX : (texels * bitsPerPixel) >> 3;
  if (dataSize > UINT32_MAX - sizeof(TextureBufferHeader)) return nullptr;
  auto* header =
      static_cast<TextureBufferHeader*>(std::malloc(sizeof(TextureBufferHeader) + static_cast<size_t>(dataSize)));
  if (header == nullptr) return nullptr;
  std::memset(header, 0, sizeof *header);
  header->headerSize = sizeof(TextureBufferHeader);
  header->height = height;
  header->width = width;
  header->dataSize = static_cast<uint32_t>(dataSize);
  header->bitsPerPixel = bitsPerPixel;
  header->one = 1;
  return header;
}

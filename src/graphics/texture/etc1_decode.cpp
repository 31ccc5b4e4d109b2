#include <climits>
#include <cstdlib>
#include <cstring>

#include "graphics/texture/texture_blocks.h"

namespace {

constexpr int kModifiers[8][2] = {{2, 8}, {5, 17}, {9, 29}, {13, 42}, {18, 60}, {24, 80}, {33, 106}, {47, 183}};

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The second colour of a differential block wraps modulo 256, so a delta
// leading outside 0..31 still gives a defined colour.
void BaseColours(const uint8_t* block, int first[3], int second[3]) {
  const bool differential = (block[3] & 2) != 0;
  for (int c = 0; c < 3; ++c) {
    if (differential) {
      const int base = block[c] >> 3;
      const int delta = (block[c] & 3) - (block[c] & 4);
      const int sum = (base + delta) & 0xFF;
      first[c] = (base << 3) + (base >> 2);
      second[c] = ((sum << 3) + (sum >> 2)) & 0xFF;
    } else {
      first[c] = (block[c] >> 4) * 17;
      second[c] = (block[c] & 0xF) * 17;
    }
  }
}

// Writes a block's 4 x 4 pixels as red, green, blue, alpha into an image
// `stride` bytes a row.
void DecodeBlock(const uint8_t* block, uint8_t* out, size_t stride) {
  int colours[2][3];
  BaseColours(block, colours[0], colours[1]);
  const int tables[2] = {block[3] >> 5, (block[3] >> 2) & 7};
  const bool flip = (block[3] & 1) != 0;
  const uint32_t high = uint32_t{block[4]} << 8 | block[5];
  const uint32_t low = uint32_t{block[6]} << 8 | block[7];
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const int half = flip ? (y >= 2) : (x >= 2);
      const int bit = 4 * x + y;
      const int index = static_cast<int>(((high >> bit) & 1) << 1 | ((low >> bit) & 1));
      const int magnitude = kModifiers[tables[half]][index & 1];
      const int modifier = index >= 2 ? -magnitude : magnitude;
      uint8_t* pixel = out + y * stride + x * 4;
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>(Clamp255(colours[half][c] + modifier));
      pixel[3] = 255;
    }
  }
}

uint64_t DecodedSide(uint32_t side) { return side < 4 ? 4 : ((uint64_t{side} + 3) & ~uint64_t{3}); }

void DecodeBlocks(const uint8_t* source, uint32_t width, uint32_t height, uint8_t* out) {
  const size_t stride = size_t{width} * 4;
  for (uint32_t by = 0; by < height / 4; ++by) {
    for (uint32_t bx = 0; bx < width / 4; ++bx, source += 8) {
      DecodeBlock(source, out + by * 4 * stride + bx * 16, stride);
    }
  }
}

}  // namespace

// Sizes that are not whole blocks decode into a scratch image of whole
// blocks, of which the wanted corner is copied out.
int32_t ETC1_Decompress(const uint8_t* source, size_t sourceSize, uint32_t width, uint32_t height,
                        uint8_t* destination) {
  const uint64_t decodedWidth = DecodedSide(width);
  const uint64_t decodedHeight = DecodedSide(height);
  const uint64_t bytes = decodedWidth * decodedHeight / 2;
  if (decodedWidth > UINT32_MAX || decodedHeight > UINT32_MAX || bytes > INT32_MAX || bytes > sourceSize) return 0;
  if (decodedWidth == width && decodedHeight == height) {
    DecodeBlocks(source, width, height, destination);
    return static_cast<int32_t>(bytes);
  }
  auto* scratch = static_cast<uint8_t*>(std::malloc(decodedWidth * decodedHeight * 4));
  if (scratch == nullptr) return 0;
  DecodeBlocks(source, static_cast<uint32_t>(decodedWidth), static_cast<uint32_t>(decodedHeight), scratch);
  for (uint32_t y = 0; y < height; ++y) {
    std::memcpy(destination + size_t{y} * width * 4, scratch + y * decodedWidth * 4, size_t{width} * 4);
  }
  std::free(scratch);
  return static_cast<int32_t>(bytes);
}

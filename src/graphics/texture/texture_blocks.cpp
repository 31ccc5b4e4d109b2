#include "graphics/texture/texture_blocks.h"

#include <cstdlib>
#include <cstring>

uint32_t g_pvrtcLinearBlocks = 0;

namespace {

constexpr size_t kBlockBytes = 8;

uint32_t Read32(const uint8_t* at) {
  return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

struct Colour {
  int r, g, b, a;
};

int Widen4(int v) { return (v << 1) | (v >> 3); }
int Widen3(int v) { return (v << 2) | (v >> 1); }

// A colour field of 16 bits; colour A keeps one bit less of blue.
Colour UnpackColour(uint32_t field, bool isColourA) {
  if ((field & 0x8000) != 0) {
    const int blue = isColourA ? Widen4((field >> 1) & 0xF) : field & 0x1F;
    return {static_cast<int>((field >> 10) & 0x1F), static_cast<int>((field >> 5) & 0x1F), blue, 15};
  }
  const int blue = isColourA ? Widen3((field >> 1) & 0x7) : Widen4(field & 0xF);
  return {Widen4((field >> 8) & 0xF), Widen4((field >> 4) & 0xF), blue, static_cast<int>(((field >> 12) & 0x7) << 1)};
}

// The modulation values and modes of the 2 x 2 blocks around a pixel, with
// the colours of those blocks (P, Q, R, S).
struct PvrtcWindow {
  int value[8][16];
  int mode[8][16];
  Colour colourA[4];
  Colour colourB[4];
  const uint8_t* blocks[4];
};

void UnpackModulation(PvrtcWindow& w, uint32_t m, bool twoBpp, int mode, int row0, int col0) {
  const int columns = twoBpp ? 8 : 4;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < columns; ++col) {
      int& value = w.value[row0 + row][col0 + col];
      w.mode[row0 + row][col0 + col] = mode;
      if (!twoBpp) {
        value = static_cast<int>(m & 3);
        m >>= 2;
      } else if (mode == 0) {
        value = (m & 1) != 0 ? 3 : 0;
        m >>= 1;
      } else if (((row + col) & 1) == 0) {
        value = static_cast<int>(m & 3);
        m >>= 2;
      }
    }
  }
}

void UnpackBlocks(PvrtcWindow& w, bool twoBpp, int blockWidth) {
  for (int i = 0; i < 4; ++i) {
    const uint32_t modulation = Read32(w.blocks[i]);
    const uint32_t colours = Read32(w.blocks[i] + 4);
    w.colourA[i] = UnpackColour(colours & 0xFFFE, true);
    w.colourB[i] = UnpackColour(colours >> 16, false);
    UnpackModulation(w, modulation, twoBpp, static_cast<int>(colours & 1), (i / 2) * 4, (i % 2) * blockWidth);
  }
}

// One channel bilinearly between the four block centres, widened to 8 bits.
int Interpolate(int p, int q, int r, int s, int u, int v, int blockWidth, int shift, int widenShift) {
  const int t1 = p * blockWidth + u * (q - p);
  const int t2 = r * blockWidth + u * (s - r);
  const int mixed = (4 * t1 + v * (t2 - t1)) >> shift;
  return mixed + (mixed >> widenShift);
}

Colour Signal(const Colour c[4], int u, int v, int blockWidth, bool twoBpp) {
  const int rgbShift = twoBpp ? 2 : 1;
  const int alphaShift = twoBpp ? 1 : 0;
  return {Interpolate(c[0].r, c[1].r, c[2].r, c[3].r, u, v, blockWidth, rgbShift, 5),
          Interpolate(c[0].g, c[1].g, c[2].g, c[3].g, u, v, blockWidth, rgbShift, 5),
          Interpolate(c[0].b, c[1].b, c[2].b, c[3].b, u, v, blockWidth, rgbShift, 5),
          Interpolate(c[0].a, c[1].a, c[2].a, c[3].a, u, v, blockWidth, alphaShift, 4)};
}

constexpr int kWeights[4] = {0, 3, 5, 8};
constexpr int kPunchThroughWeights[4] = {0, 4, 4, 8};

// The weight in eighths at a window position; *transparent for a 4 bpp
// punch-through value 2.
int Weight(const PvrtcWindow& w, int row, int col, bool twoBpp, bool* transparent) {
  *transparent = false;
  const int value = w.value[row][col];
  if (w.mode[row][col] == 0) return kWeights[value];
  if (!twoBpp) {
    *transparent = value == 2;
    return kPunchThroughWeights[value];
  }
  if (((row + col) & 1) == 0) return kWeights[value];
  return (kWeights[w.value[row - 1][col]] + kWeights[w.value[row + 1][col]] + kWeights[w.value[row][col - 1]] +
          kWeights[w.value[row][col + 1]] + 2) /
         4;
}

int Blend(int a, int b, int weight) { return (a * 8 + weight * (b - a)) >> 3; }

struct PvrtcImage {
  const uint8_t* source;
  bool twoBpp;
  int width, height, blockWidth;
  uint32_t gridWidth, gridHeight;
};

const uint8_t* BlockAt(const PvrtcImage& image, uint32_t row, uint32_t col) {
  return image.source + kBlockBytes * PVRTC_BlockIndex(image.gridWidth, image.gridHeight, row, col);
}

void DecodePixel(const PvrtcImage& image, PvrtcWindow& w, bool& unpacked, int x, int y, uint8_t* out) {
  const int half = image.blockWidth / 2;
  const uint32_t bx = static_cast<uint32_t>(((x - half) & (image.width - 1)) / image.blockWidth);
  const uint32_t by = static_cast<uint32_t>(((y - 2) & (image.height - 1)) / 4);
  const uint32_t bx1 = (bx + 1) & (image.gridWidth - 1);
  const uint32_t by1 = (by + 1) & (image.gridHeight - 1);
  const uint8_t* blocks[4] = {BlockAt(image, by, bx), BlockAt(image, by, bx1), BlockAt(image, by1, bx),
                              BlockAt(image, by1, bx1)};
  if (!unpacked || std::memcmp(blocks, w.blocks, sizeof blocks) != 0) {
    std::memcpy(w.blocks, blocks, sizeof blocks);
    UnpackBlocks(w, image.twoBpp, image.blockWidth);
    unpacked = true;
  }
  const int u = (x - half) & (image.blockWidth - 1);
  const int v = (y - 2) & 3;
  const Colour a = Signal(w.colourA, u, v, image.blockWidth, image.twoBpp);
  const Colour b = Signal(w.colourB, u, v, image.blockWidth, image.twoBpp);
  bool transparent = false;
  const int weight = Weight(w, 2 + v, half + u, image.twoBpp, &transparent);
  out[0] = static_cast<uint8_t>(Blend(a.r, b.r, weight));
  out[1] = static_cast<uint8_t>(Blend(a.g, b.g, weight));
  out[2] = static_cast<uint8_t>(Blend(a.b, b.b, weight));
  out[3] = transparent ? 0 : static_cast<uint8_t>(Blend(a.a, b.a, weight));
}

}  // namespace

uint32_t PVRTC_BlockIndex(uint32_t gridWidth, uint32_t gridHeight, uint32_t by, uint32_t bx) {
  if (g_pvrtcLinearBlocks != 0) return by * gridWidth + bx;
  const uint32_t shorter = gridHeight < gridWidth ? gridHeight : gridWidth;
  const uint32_t rest = gridHeight < gridWidth ? bx : by;
  uint32_t n = 0;
  while (n < 32 && (uint64_t{1} << n) < shorter) ++n;
  uint64_t index = 0;
  for (uint32_t k = 0; k < n && k < 16; ++k) {
    index |= uint64_t{(by >> k) & 1} << (2 * k);
    index |= uint64_t{(bx >> k) & 1} << (2 * k + 1);
  }
  if (n < 16) index |= uint64_t{rest >> n} << (2 * n);
  return static_cast<uint32_t>(index);
}

void PVRTC_Decompress(const uint8_t* source, size_t sourceSize, int32_t twoBitsPerPixel, int32_t width, int32_t height,
                      uint8_t* destination) {
  if (width <= 0 || height <= 0 || Texture_IsPowerOfTwo(static_cast<uint32_t>(width)) == 0 ||
      Texture_IsPowerOfTwo(static_cast<uint32_t>(height)) == 0) {
    return;
  }
  PvrtcImage image{source, twoBitsPerPixel != 0, width, height, twoBitsPerPixel != 0 ? 8 : 4, 0, 0};
  image.gridWidth = static_cast<uint32_t>(width / image.blockWidth > 2 ? width / image.blockWidth : 2);
  image.gridHeight = static_cast<uint32_t>(height / 4 > 2 ? height / 4 : 2);
  if (uint64_t{image.gridWidth} * image.gridHeight * kBlockBytes > sourceSize) return;
  PvrtcWindow window{};
  bool unpacked = false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      DecodePixel(image, window, unpacked, x, y, destination + (int64_t{y} * width + x) * 4);
    }
  }
}

// DDS files: DXT1 to DXT5 blocks, or plain 32-bit pixels whose channels
// the header's masks pick out.
#include "graphics/bitmap/image_formats.h"
#include "runtime/console.h"

namespace {

constexpr uint32_t kDdsHeaderBytes = 128;

void Expand565(uint32_t c, uint32_t rgb[3]) {
  const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  rgb[0] = (r << 3) | (r >> 2);
  rgb[1] = (g << 2) | (g >> 4);
  rgb[2] = (b << 3) | (b >> 2);
}

// The colour half of every block kind; `opaqueOnly` drops the transparent
// entry that a first colour not above the second selects.
void DecodeColours(const uint8_t* block, uint32_t* out, bool opaqueOnly) {
  const uint32_t c0 = Image_Le16(block), c1 = Image_Le16(block + 2);
  uint32_t e[4][3];
  Expand565(c0, e[0]);
  Expand565(c1, e[1]);
  const bool four = opaqueOnly || c0 > c1;
  for (int k = 0; k < 3; ++k) {
    if (four) {
      e[2][k] = (2 * e[0][k] + e[1][k]) / 3;
      e[3][k] = (e[0][k] + 2 * e[1][k]) / 3;
    } else {
      e[2][k] = (e[0][k] + e[1][k]) / 2;
      e[3][k] = 0;
    }
  }
  const uint32_t indices = Image_Le32(block + 4);
  for (int i = 0; i < 16; ++i) {
    const uint32_t index = (indices >> (2 * i)) & 3;
    const uint32_t alpha = (!four && index == 3) ? 0 : 255;
    out[i] = Image_Argb(alpha, e[index][0], e[index][1], e[index][2]);
  }
}

void SetAlpha(uint32_t* pixel, uint32_t alpha) { *pixel = (*pixel & 0x00FFFFFFu) | (alpha << 24); }

bool DecodeCompressed(const uint8_t* data, size_t bound, uint32_t fourCC, DecodedImage& image) {
  const bool one = fourCC == 0x31545844u;  // "DXT1"
  const bool three = fourCC == 0x32545844u || fourCC == 0x33545844u;
  const bool five = fourCC == 0x34545844u || fourCC == 0x35545844u;
  if (!one && !three && !five) {
    g_debugConsole->Output("DDS image: unknown compressed format %08x\n", fourCC);
    return false;
  }
  const uint64_t blockBytes = one ? 8 : 16;
  const uint64_t across = (static_cast<uint64_t>(image.width) + 3) / 4,
                 down = (static_cast<uint64_t>(image.height) + 3) / 4;
  if (kDdsHeaderBytes + across * down * blockBytes > bound) {
    g_debugConsole->Output("DDS image: pixel data cut short\n");
    return false;
  }
  image.pixels = Image_NewPixels(image.width, image.height);
  const uint8_t* block = data + kDdsHeaderBytes;
  uint32_t texels[16];
  for (uint64_t by = 0; by < down; ++by) {
    for (uint64_t bx = 0; bx < across; ++bx, block += blockBytes) {
      if (one) Dxt_DecodeBlock1(block, texels);
      if (three) Dxt_DecodeBlock3(block, texels);
      if (five) Dxt_DecodeBlock5(block, texels);
      for (int i = 0; i < 16; ++i) {
        const uint64_t x = bx * 4 + static_cast<uint64_t>(i % 4), y = by * 4 + static_cast<uint64_t>(i / 4);
        if (x < static_cast<uint64_t>(image.width) && y < static_cast<uint64_t>(image.height)) {
          image.pixels[y * static_cast<uint64_t>(image.width) + x] = texels[i];
        }
      }
    }
  }
  return true;
}

int MaskShift(uint32_t mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

uint32_t Channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  const uint32_t field = (value & mask) >> MaskShift(mask);
  const uint32_t top = mask >> MaskShift(mask);
  return top == 0 ? 0 : (field * 255 + top / 2) / top;
}

bool DecodePlain(const uint8_t* data, size_t bound, const uint8_t* format, DecodedImage& image) {
  const uint32_t flags = Image_Le32(format + 4), bits = Image_Le32(format + 12);
  if ((flags & 0x40) == 0 || bits != 32) {
    g_debugConsole->Output("DDS image: unsupported pixel format (%u bits)\n", bits);
    return false;
  }
  const uint64_t count = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height);
  if (kDdsHeaderBytes + count * 4 > bound) {
    g_debugConsole->Output("DDS image: pixel data cut short\n");
    return false;
  }
  const uint32_t r = Image_Le32(format + 16), g = Image_Le32(format + 20), b = Image_Le32(format + 24);
  const uint32_t a = (flags & 0x1) != 0 ? Image_Le32(format + 28) : 0;
  image.pixels = Image_NewPixels(image.width, image.height);
  for (uint64_t i = 0; i < count; ++i) {
    const uint32_t v = Image_Le32(data + kDdsHeaderBytes + i * 4);
    image.pixels[i] = Image_Argb(a != 0 ? Channel(v, a) : 255, Channel(v, r), Channel(v, g), Channel(v, b));
  }
  return true;
}

}  // namespace

void Dxt_DecodeBlock1(const uint8_t* block, uint32_t* out) { DecodeColours(block, out, false); }

void Dxt_DecodeBlock3(const uint8_t* block, uint32_t* out) {
  DecodeColours(block + 8, out, true);
  for (int i = 0; i < 16; ++i) SetAlpha(&out[i], ((block[i / 2] >> (4 * (i % 2))) & 15) * 17);
}

void Dxt_DecodeBlock5(const uint8_t* block, uint32_t* out) {
  DecodeColours(block + 8, out, true);
  const uint32_t a0 = block[0], a1 = block[1];
  uint32_t alpha[8] = {a0, a1};
  if (a0 > a1) {
    for (uint32_t i = 1; i < 7; ++i) alpha[i + 1] = ((7 - i) * a0 + i * a1) / 7;
  } else {
    for (uint32_t i = 1; i < 5; ++i) alpha[i + 1] = ((5 - i) * a0 + i * a1) / 5;
    alpha[6] = 0;
    alpha[7] = 255;
  }
  uint64_t bits = 0;
  for (int i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
  for (int i = 0; i < 16; ++i) SetAlpha(&out[i], alpha[(bits >> (3 * i)) & 7]);
}

bool Dds_Decode(const uint8_t* data, size_t bound, DecodedImage& image) {
  image.fileFormat = 4;
  if (bound < kDdsHeaderBytes || Image_Le32(data + 4) != 124) {
    g_debugConsole->Output("DDS image: header cut short\n");
    return false;
  }
  const uint32_t height = Image_Le32(data + 12), width = Image_Le32(data + 16);
  if (!Image_SizeAllowed(width, height)) {
    g_debugConsole->Output("DDS image: bad size %u x %u\n", width, height);
    return false;
  }
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  const uint8_t* format = data + 76;
  if ((Image_Le32(format + 4) & 0x4) != 0) return DecodeCompressed(data, bound, Image_Le32(format + 8), image);
  return DecodePlain(data, bound, format, image);
}

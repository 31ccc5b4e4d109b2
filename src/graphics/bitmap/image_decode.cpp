#include "graphics/bitmap/image_decode.h"

#include <algorithm>
#include <cstring>

#include "runtime/console.h"
#include "runtime/memory.h"

#define STBI_MAX_DIMENSIONS 16384
#define STBI_NO_STDIO
#define STBI_NO_PNM  // read by DecodePnm below
#define STBI_ASSERT(x) ((void)0)
#define STBI_MALLOC(size) MemoryManager::Alloc((size), __FILE__, __LINE__, false)
#define STBI_REALLOC(p, size) MemoryManager::ReAlloc((p), (size), __FILE__, __LINE__)
#define STBI_FREE(p) MemoryManager::Free(p)
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr uint32_t kDdsHeaderBytes = 128;
constexpr int32_t kMaxSide = 16384;

uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t Read16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

void Expand565(uint32_t c, uint32_t rgb[3]) {
  const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  rgb[0] = (r << 3) | (r >> 2);
  rgb[1] = (g << 2) | (g >> 4);
  rgb[2] = (b << 3) | (b >> 2);
}

// The colour half of every block kind; `opaqueOnly` drops the transparent
// entry that a first colour not above the second selects.
void DecodeColours(const uint8_t* block, uint32_t* out, bool opaqueOnly) {
  const uint32_t c0 = Read16(block), c1 = Read16(block + 2);
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
  const uint32_t indices = Read32(block + 4);
  for (int i = 0; i < 16; ++i) {
    const uint32_t index = (indices >> (2 * i)) & 3;
    const uint32_t alpha = (!four && index == 3) ? 0 : 255;
    out[i] = Argb(alpha, e[index][0], e[index][1], e[index][2]);
  }
}

void SetAlpha(uint32_t* pixel, uint32_t alpha) { *pixel = (*pixel & 0x00FFFFFFu) | (alpha << 24); }

uint32_t* NewPixels(int32_t width, int32_t height) {
  return static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, true));
}

bool DecodeCompressed(const uint8_t* data, uint32_t bound, uint32_t fourCC, DecodedImage& image) {
  const bool one = fourCC == 0x31545844u;  // "DXT1"
  const bool three = fourCC == 0x32545844u || fourCC == 0x33545844u;
  const bool five = fourCC == 0x34545844u || fourCC == 0x35545844u;
  if (!one && !three && !five) {
    g_debugConsole->Output("DDS image: unknown compressed format %08x\n", fourCC);
    return false;
  }
  const uint64_t blockBytes = one ? 8 : 16;
  const uint64_t across = (static_cast<uint64_t>(image.width) + 3) / 4, down = (static_cast<uint64_t>(image.height) + 3) / 4;
  if (kDdsHeaderBytes + across * down * blockBytes > bound) {
    g_debugConsole->Output("DDS image: pixel data cut short\n");
    return false;
  }
  image.pixels = NewPixels(image.width, image.height);
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

bool DecodePlain(const uint8_t* data, uint32_t bound, const uint8_t* format, DecodedImage& image) {
  const uint32_t flags = Read32(format + 4), bits = Read32(format + 12);
  if ((flags & 0x40) == 0 || bits != 32) {
    g_debugConsole->Output("DDS image: unsupported pixel format (%u bits)\n", bits);
    return false;
  }
  const uint64_t count = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height);
  if (kDdsHeaderBytes + count * 4 > bound) {
    g_debugConsole->Output("DDS image: pixel data cut short\n");
    return false;
  }
  const uint32_t r = Read32(format + 16), g = Read32(format + 20), b = Read32(format + 24);
  const uint32_t a = (flags & 0x1) != 0 ? Read32(format + 28) : 0;
  image.pixels = NewPixels(image.width, image.height);
  for (uint64_t i = 0; i < count; ++i) {
    const uint32_t v = Read32(data + kDdsHeaderBytes + i * 4);
    image.pixels[i] = Argb(a != 0 ? Channel(v, a) : 255, Channel(v, r), Channel(v, g), Channel(v, b));
  }
  return true;
}

bool DecodeDds(const uint8_t* data, uint32_t bound, DecodedImage& image) {
  image.fileFormat = 4;
  if (bound < kDdsHeaderBytes || Read32(data + 4) != 124) {
    g_debugConsole->Output("DDS image: header cut short\n");
    return false;
  }
  const uint32_t height = Read32(data + 12), width = Read32(data + 16);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
    g_debugConsole->Output("DDS image: bad size %u x %u\n", width, height);
    return false;
  }
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  const uint8_t* format = data + 76;
  if ((Read32(format + 4) & 0x4) != 0) return DecodeCompressed(data, bound, Read32(format + 8), image);
  return DecodePlain(data, bound, format, image);
}

uint32_t FileFormat(const uint8_t* data, uint32_t bound) {
  if (bound >= 2 && data[0] == 'B' && data[1] == 'M') return 0;
  if (bound >= 2 && data[0] == 0xFF && data[1] == 0xD8) return 1;
  if (bound >= 4 && std::memcmp(data, "\x89PNG", 4) == 0) return 3;
  if (bound >= 3 && std::memcmp(data, "GIF", 3) == 0) return 9;
  return 2;
}

// Skips data sub-blocks up to and past their empty terminator.
bool SkipSubBlocks(const uint8_t* data, uint32_t bound, size_t* at) {
  while (*at < bound) {
    const uint8_t length = data[(*at)++];
    if (length == 0) return true;
    *at += length;
  }
  return false;
}

// The image library fills a frame whose data is cut off with zero codes and
// calls it a picture; a cut file must fail instead, so the first frame's data
// has to end inside the bound.
bool GifFirstFrameWhole(const uint8_t* data, uint32_t bound) {
  constexpr size_t kScreenBytes = 13, kFrameBytes = 9;
  if (bound < kScreenBytes) return false;
  size_t at = kScreenBytes;
  if ((data[10] & 0x80) != 0) at += size_t{3} << ((data[10] & 7) + 1);
  while (at < bound) {
    const uint8_t tag = data[at++];
    if (tag == 0x21) {  // extension: a label, then sub-blocks
      ++at;
      if (!SkipSubBlocks(data, bound, &at)) return false;
    } else if (tag == 0x2C) {  // frame: description, palette, code size, sub-blocks
      if (bound - at < kFrameBytes) return false;
      const uint8_t flags = data[at + 8];
      at += kFrameBytes;
      if ((flags & 0x80) != 0) at += size_t{3} << ((flags & 7) + 1);
      ++at;
      return SkipSubBlocks(data, bound, &at);
    } else {
      return false;
    }
  }
  return false;
}

// The image library also fills cut-off BMP, TGA and JPEG data with zeros;
// their pixel data (or, for JPEG, the end marker) must lie inside the bound.
const char* CutShort(const uint8_t* data, uint32_t bound, uint32_t format) {
  if (format == 0 && bound >= 30) {
    const uint64_t offset = Read32(data + 10);
    const int64_t width = static_cast<int32_t>(Read32(data + 18));
    const int64_t height = static_cast<int32_t>(Read32(data + 22));
    const uint64_t bits = Read16(data + 28);
    const uint32_t compression = bound >= 34 ? Read32(data + 30) : 0;
    if (compression != 0 && compression != 3) return nullptr;
    const uint64_t rowBytes = (static_cast<uint64_t>(width < 0 ? -width : width) * bits + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
    return offset + rowBytes * rows > bound ? "BMP pixel data cut short" : nullptr;
  }
  if (format == 1) {
    for (uint32_t at = bound; at >= 2; --at) {
      if (data[at - 2] == 0xFF && data[at - 1] == 0xD9) return nullptr;
    }
    return "JPEG data cut short";
  }
  if (format == 3) {
    // Every chunk must fit in what is left: the image library sizes its
    // buffers from the stored lengths before it reads the data.
    uint64_t at = 8;
    while (at + 8 <= bound) {
      const uint64_t length = uint64_t{data[at]} << 24 | uint64_t{data[at + 1]} << 16 | uint64_t{data[at + 2]} << 8 |
                              data[at + 3];
      if (length > bound - at - 8) return "PNG chunk runs past the end";
      if (std::memcmp(data + at + 4, "IEND", 4) == 0) return nullptr;
      at += 12 + length;
    }
    return nullptr;
  }
  const bool plainTga = bound >= 18 && data[1] <= 1 && data[2] >= 1 && data[2] <= 3;
  if (format == 2 && plainTga) {
    const uint64_t palette = data[1] == 1 ? uint64_t{Read16(data + 5)} * ((data[7] + 7u) / 8u) : 0;
    const uint64_t pixels = uint64_t{Read16(data + 12)} * Read16(data + 14) * ((data[16] + 7u) / 8u);
    return 18 + uint64_t{data[0]} + palette + pixels > bound ? "TGA pixel data cut short" : nullptr;
  }
  return nullptr;
}

bool PnmSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One header number: blanks and '#' comments first, then the digits; the
// single blank after the last number ends the header.
uint64_t PnmNumber(const uint8_t* data, uint32_t bound, size_t* at) {
  while (*at < bound && (PnmSpace(data[*at]) || data[*at] == '#')) {
    if (data[*at] == '#') {
      while (*at < bound && data[*at] != '\n' && data[*at] != '\r') ++*at;
    } else {
      ++*at;
    }
  }
  uint64_t value = 0;
  while (*at < bound && data[*at] >= '0' && data[*at] <= '9') {
    if (value <= 0xFFFFFFFFu) value = value * 10 + (data[*at] - '0');
    ++*at;
  }
  return value;
}

bool IsBinaryPnm(const uint8_t* data, uint32_t bound) {
  return bound >= 2 && data[0] == 'P' && (data[1] == '5' || data[1] == '6');
}

// Binary PNM ("P5" grey, "P6" colour), read here rather than by the image
// library, which takes 16-bit samples in the wrong byte order and reads past
// its buffer widening them. Samples scale from 0..maxval to 0..255.
bool DecodePnm(const uint8_t* data, uint32_t bound, DecodedImage& image) {
  size_t at = 2;
  const uint64_t width = PnmNumber(data, bound, &at);
  const uint64_t height = PnmNumber(data, bound, &at);
  const uint64_t maxval = PnmNumber(data, bound, &at);
  if (at >= bound || !PnmSpace(data[at]) || width == 0 || height == 0 || maxval == 0 || maxval > 65535 ||
      width > static_cast<uint64_t>(kMaxSide) || height > static_cast<uint64_t>(kMaxSide)) {
    g_debugConsole->Output("Image decode failed: bad PNM header\n");
    return false;
  }
  ++at;
  const uint64_t channels = data[1] == '6' ? 3 : 1, sampleBytes = maxval > 255 ? 2 : 1;
  if (at + width * height * channels * sampleBytes > bound) {
    g_debugConsole->Output("Image decode failed: PNM pixel data cut short\n");
    return false;
  }
  image.fileFormat = 2;
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  image.pixels = NewPixels(image.width, image.height);
  auto sample = [&]() {
    uint64_t v = data[at++];
    if (sampleBytes == 2) v = (v << 8) | data[at++];
    return static_cast<uint32_t>((std::min(v, maxval) * 255 + maxval / 2) / maxval);
  };
  for (uint64_t i = 0; i < width * height; ++i) {
    const uint32_t r = sample();
    const uint32_t g = channels == 3 ? sample() : r;
    const uint32_t b = channels == 3 ? sample() : r;
    image.pixels[i] = Argb(255, r, g, b);
  }
  return true;
}

bool DecodeCommon(const uint8_t* data, uint32_t bound, DecodedImage& image) {
  image.fileFormat = FileFormat(data, bound);
  if (bound > 0x7FFFFFFFu) bound = 0x7FFFFFFFu;
  int width = 0, height = 0, channels = 0;
  if (stbi_info_from_memory(data, static_cast<int>(bound), &width, &height, &channels) != 0) {
    image.width = width;
    image.height = height;
  }
  if (image.fileFormat == 9 && !GifFirstFrameWhole(data, bound)) {
    g_debugConsole->Output("Image decode failed: GIF frame cut short\n");
    return false;
  }
  if (const char* cut = CutShort(data, bound, image.fileFormat)) {
    g_debugConsole->Output("Image decode failed: %s\n", cut);
    return false;
  }
  stbi_uc* rgba = stbi_load_from_memory(data, static_cast<int>(bound), &width, &height, &channels, 4);
  if (rgba == nullptr) {
    g_debugConsole->Output("Image decode failed: %s\n", stbi_failure_reason());
    return false;
  }
  image.width = width;
  image.height = height;
  image.pixels = NewPixels(width, height);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t i = 0; i < count; ++i) {
    const stbi_uc* p = rgba + i * 4;
    image.pixels[i] = Argb(p[3], p[0], p[1], p[2]);
  }
  stbi_image_free(rgba);
  return true;
}

void QuantiseTo4444(DecodedImage& image) {
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t v = image.pixels[i];
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) out |= (((v >> shift) & 255) >> 4) * 17 << shift;
    image.pixels[i] = out;
  }
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

DecodedImage Image_Decode(const uint8_t* data, uint32_t bound, uint32_t formatCode) {
  DecodedImage image;
  if (data == nullptr || bound < 4) {
    g_debugConsole->Output("Image decode failed: no data\n");
    return image;
  }
  if (formatCode >= 7 && formatCode <= 10) {
    g_debugConsole->Output("Image decode failed: format code %u cannot hold an image\n", formatCode);
    return image;
  }
  bool ok = false;
  if (std::memcmp(data, "DDS ", 4) == 0) {
    ok = DecodeDds(data, bound, image);
  } else if (IsBinaryPnm(data, bound)) {
    ok = DecodePnm(data, bound, image);
  } else {
    ok = DecodeCommon(data, bound, image);
  }
  if (!ok) {
    MemoryManager::Free(image.pixels);
    image.pixels = nullptr;
    return image;
  }
  if (formatCode == 11) QuantiseTo4444(image);
  return image;
}

void Image_ConvertRaw(const uint8_t* source, uint8_t* destination, size_t count, uint32_t format) {
  if (format == 0) {
    for (size_t i = 0; i < count; ++i) {
      destination[4 * i] = source[4 * i + 2];
      destination[4 * i + 1] = source[4 * i + 1];
      destination[4 * i + 2] = source[4 * i];
      destination[4 * i + 3] = source[4 * i + 3];
    }
    return;
  }
  for (size_t i = 0; i < count; ++i) {
    const uint32_t v = Read16(source + 2 * i);
    const uint32_t out = ((v & 0xF) << 12) | (((v >> 4) & 0xF) << 8) | (((v >> 8) & 0xF) << 4) | (v >> 12);
    destination[2 * i] = static_cast<uint8_t>(out & 255);
    destination[2 * i + 1] = static_cast<uint8_t>(out >> 8);
  }
}

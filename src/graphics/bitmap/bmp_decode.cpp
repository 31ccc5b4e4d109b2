// BMP files, read here: 1, 4 and 8-bit palettes, 24-bit pixels, and 16 or
// 32-bit pixels through channel masks (the defaults, or bit fields). Rows
// are stored bottom first unless the height is negative. A plain 32-bit file
// whose alpha bytes are all zero has no alpha and is opaque. Compressed
// (run-length) files are refused. Every count and offset is checked against
// the file before a pixel is read.
#include <algorithm>

#include "graphics/bitmap/image_formats.h"

namespace {

constexpr uint32_t kFileHeaderBytes = 14;

struct BmpHeader {
  uint32_t offset = 0;
  uint32_t headerBytes = 0;
  int64_t width = 0, height = 0;  // a negative height: top row first
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool zeroAlphaIsOpaque = false;
  size_t paletteAt = 0, paletteEntries = 0, entryBytes = 4;
};

bool KnownHeaderSize(uint32_t bytes) {
  return bytes == 12 || bytes == 40 || bytes == 56 || bytes == 108 || bytes == 124;
}

void DefaultMasks(BmpHeader& h) {
  if (h.bits == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.bits == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF, h.masks[3] = 0xFF000000u;
    h.zeroAlphaIsOpaque = true;
  }
}

// Bit fields follow a 40-byte header and lie inside the longer ones.
const char* ReadMasks(ByteCursor& c, BmpHeader& h) {
  if (h.compression == 0) {
    DefaultMasks(h);
    return nullptr;
  }
  const int count = h.headerBytes == 40 ? 3 : 4;
  for (int i = 0; i < count; ++i) h.masks[i] = c.U32();
  if (h.masks[0] == h.masks[1] && h.masks[1] == h.masks[2]) return "bad bit fields";
  return nullptr;
}

const char* ReadInfo(ByteCursor& c, BmpHeader& h) {
  const bool core = h.headerBytes == 12;
  if (core) {
    h.width = c.U16();
    h.height = c.U16();
  } else {
    h.width = static_cast<int32_t>(c.U32());
    h.height = static_cast<int32_t>(c.U32());
  }
  if (c.U16() != 1) return c.Failed() ? "header cut short" : "bad plane count";
  h.bits = c.U16();
  h.compression = core ? 0 : c.U32();
  if (h.compression == 1 || h.compression == 2) return "run-length compression is not supported";
  if (h.compression != 0 && h.compression != 3) return "unsupported compression";
  if (h.compression == 3 && h.bits != 16 && h.bits != 32) return "bit fields need 16 or 32 bits a pixel";
  if (!core) c.Skip(20);
  if (h.bits != 16 && h.bits != 32) return nullptr;
  return ReadMasks(c, h);
}

// The palette fills the gap between the headers and the pixels.
const char* PlacePalette(BmpHeader& h) {
  if (h.bits != 1 && h.bits != 4 && h.bits != 8) return "unsupported bit count";
  h.entryBytes = h.headerBytes == 12 ? 3 : 4;
  h.paletteAt = kFileHeaderBytes + h.headerBytes;
  if (h.offset < h.paletteAt) return "no palette";
  h.paletteEntries = std::min<size_t>((h.offset - h.paletteAt) / h.entryBytes, 256);
  return h.paletteEntries == 0 ? "no palette" : nullptr;
}

const char* ReadHeader(const uint8_t* data, size_t size, BmpHeader& h) {
  ByteCursor c(data, size, 10);
  h.offset = c.U32();
  h.headerBytes = c.U32();
  if (c.Failed()) return "header cut short";
  if (!KnownHeaderSize(h.headerBytes)) return "unknown header size";
  if (const char* fault = ReadInfo(c, h)) return fault;
  if (c.Failed()) return "header cut short";
  if (!Image_SizeAllowed(h.width, h.height < 0 ? -h.height : h.height)) return "bad size";
  if (h.bits <= 8) return PlacePalette(h);
  if (h.bits != 16 && h.bits != 24 && h.bits != 32) return "unsupported bit count";
  const size_t headersEnd = std::max(c.Position(), size_t{kFileHeaderBytes} + h.headerBytes);
  return h.offset < headersEnd ? "pixel data overlaps the header" : nullptr;
}

int HighBit(uint32_t mask) { return mask == 0 ? -1 : 31 - __builtin_clz(mask); }

// A masked field widened to 8 bits by repeating its bits, as a field of n
// bits reads in full range: its top bit moves to bit 7, then the field is
// multiplied out by a pattern that repeats it.
struct Channel {
  uint32_t mask;
  int shift;
  int bits;

  explicit Channel(uint32_t m) : mask(m), shift(HighBit(m) - 7), bits(__builtin_popcount(m)) {}

  uint32_t Of(uint32_t value) const {
    static constexpr uint32_t kMultiply[9] = {0, 0xFF, 0x55, 0x49, 0x11, 0x21, 0x41, 0x81, 0x01};
    static constexpr int kShift[9] = {0, 0, 0, 1, 0, 2, 4, 6, 0};
    uint32_t v = value & mask;
    v = shift < 0 ? v << -shift : v >> shift;
    v >>= 8 - bits;
    return (v * kMultiply[bits]) >> kShift[bits];
  }
};

class BmpPixels {
 public:
  BmpPixels(const uint8_t* data, const BmpHeader& h, uint32_t* out)
      : data_(data),
        h_(h),
        out_(out),
        width_(static_cast<int32_t>(h.width)),
        red_(h.masks[0]),
        green_(h.masks[1]),
        blue_(h.masks[2]),
        alpha_(h.masks[3]) {}

  const char* Read(size_t stride, int32_t rows) {
    if (h_.bits >= 16 && !MasksUsable()) return "bad bit fields";
    for (int32_t y = 0; y < rows; ++y) {
      const uint8_t* source = data_ + h_.offset + static_cast<size_t>(y) * stride;
      const int32_t row = h_.height < 0 ? y : rows - 1 - y;
      uint32_t* out = out_ + static_cast<size_t>(row) * width_;
      for (int32_t x = 0; x < width_; ++x) out[x] = Pixel(source, x);
    }
    return nullptr;
  }

 private:
  bool MasksUsable() const {
    if (h_.bits == 24) return true;
    const Channel channels[4] = {red_, green_, blue_, alpha_};
    for (const Channel& c : channels) {
      if (c.bits > 8) return false;
    }
    return red_.bits > 0 && green_.bits > 0 && blue_.bits > 0;
  }

  uint32_t Pixel(const uint8_t* row, int32_t x) const {
    switch (h_.bits) {
      case 1: return Palette((row[x / 8] >> (7 - x % 8)) & 1);
      case 4: return Palette((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15);
      case 8: return Palette(row[x]);
      case 24: return Image_Argb(255, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      case 16: return Masked(Image_Le16(row + 2 * x));
      default: return Masked(Image_Le32(row + 4 * x));
    }
  }

  // Entries the file does not hold are opaque black.
  uint32_t Palette(uint32_t index) const {
    if (index >= h_.paletteEntries) return Image_Argb(255, 0, 0, 0);
    const uint8_t* e = data_ + h_.paletteAt + index * h_.entryBytes;
    return Image_Argb(255, e[2], e[1], e[0]);
  }

  uint32_t Masked(uint32_t v) const {
    return Image_Argb(alpha_.mask != 0 ? alpha_.Of(v) : 255, red_.Of(v), green_.Of(v), blue_.Of(v));
  }

  const uint8_t* data_;
  const BmpHeader& h_;
  uint32_t* out_;
  int32_t width_;
  Channel red_, green_, blue_, alpha_;
};

void OpaqueWhenAlphaAllZero(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if ((pixels[i] >> 24) != 0) return;
  }
  for (size_t i = 0; i < count; ++i) pixels[i] |= 0xFF000000u;
}

}  // namespace

bool Bmp_Decode(const uint8_t* data, size_t size, DecodedImage& image) {
  image.fileFormat = 0;
  BmpHeader h;
  if (const char* fault = ReadHeader(data, size, h)) return Image_Fail("BMP: %s", fault);
  image.width = static_cast<int32_t>(h.width);
  image.height = static_cast<int32_t>(h.height < 0 ? -h.height : h.height);
  const size_t stride = (static_cast<size_t>(image.width) * h.bits + 31) / 32 * 4;
  if (h.offset > size || stride * static_cast<size_t>(image.height) > size - h.offset) {
    return Image_Fail("BMP pixel data cut short");
  }
  image.pixels = Image_NewPixels(image.width, image.height);
  if (const char* fault = BmpPixels(data, h, image.pixels).Read(stride, image.height)) {
    return Image_Fail("BMP: %s", fault);
  }
  if (h.zeroAlphaIsOpaque) OpaqueWhenAlphaAllZero(image.pixels, static_cast<size_t>(image.width) * image.height);
  return true;
}

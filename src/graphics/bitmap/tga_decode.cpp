// TGA files, read here: true colour (15 or 16, 24 and 32 bits), grey (8
// bits, or 16 with alpha) and colour-mapped (8 or 16-bit indices into 15 or
// 16, 24 or 32-bit entries), raw or run-length, rows bottom first unless bit
// 5 of the descriptor says top first. 15 and 16-bit colours carry no alpha.
// The format has no magic number: data whose header describes none of these
// is no image at all.
#include <vector>

#include "graphics/bitmap/image_formats.h"

namespace {

constexpr size_t kHeaderBytes = 18;
constexpr uint32_t kLongestRun = 128;

struct TgaHeader {
  uint32_t idBytes, mapType, type, mapFirst, mapLength, mapBits, width, height, bits, descriptor;
};

TgaHeader ReadHeader(ByteCursor& c) {
  TgaHeader h{};
  h.idBytes = c.U8();
  h.mapType = c.U8();
  h.type = c.U8();
  h.mapFirst = c.U16();
  h.mapLength = c.U16();
  h.mapBits = c.U8();
  c.Skip(4);  // origin
  h.width = c.U16();
  h.height = c.U16();
  h.bits = c.U8();
  h.descriptor = c.U8();
  return h;
}

bool OneOf(uint32_t value, std::initializer_list<uint32_t> allowed) {
  for (uint32_t a : allowed) {
    if (value == a) return true;
  }
  return false;
}

bool Describable(const TgaHeader& h) {
  if (!Image_SizeAllowed(h.width, h.height)) return false;
  if (h.mapType == 1) return OneOf(h.type, {1, 9}) && OneOf(h.mapBits, {8, 15, 16, 24, 32}) && OneOf(h.bits, {8, 16});
  return h.mapType == 0 && OneOf(h.type, {2, 3, 10, 11}) && OneOf(h.bits, {8, 15, 16, 24, 32});
}

// How a stored colour reads: its byte count and whether 16 bits mean grey
// with alpha or five bits a channel.
struct ColourForm {
  uint32_t bytes;
  bool greyAlpha;

  uint32_t Argb(const uint8_t* p) const {
    switch (bytes) {
      case 1: return Image_Argb(255, p[0], p[0], p[0]);
      case 2: return greyAlpha ? Image_Argb(p[1], p[0], p[0], p[0]) : Five(Image_Le16(p));
      case 3: return Image_Argb(255, p[2], p[1], p[0]);
      default: return Image_Argb(p[3], p[2], p[1], p[0]);
    }
  }
  static uint32_t Five(uint32_t v) {
    return Image_Argb(255, ((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
  }
};

class TgaPixels {
 public:
  TgaPixels(const uint8_t* data, size_t size, const TgaHeader& h)
      : h_(h),
        c_(data, size, kHeaderBytes + h.idBytes),
        indexed_(h.mapType == 1),
        rle_(h.type >= 9),
        form_{((indexed_ ? h.mapBits : h.bits) + 7) / 8, !indexed_ && h.bits == 16 && (h.type == 3 || h.type == 11)},
        valueBytes_(indexed_ ? h.bits / 8 : form_.bytes) {}

  const char* ReadPalette() {
    if (!indexed_) return nullptr;
    if (h_.mapLength == 0) return "empty colour map";
    palette_.resize(h_.mapLength);
    for (uint32_t& entry : palette_) {
      const uint8_t* p = c_.Bytes(form_.bytes);
      if (p == nullptr) return "colour map cut short";
      entry = form_.Argb(p);
    }
    return nullptr;
  }

  // Even runs of the longest kind need this many bytes, so a header that
  // lies about the size fails before the pixels are allocated.
  bool CanHold() const {
    const uint64_t count = uint64_t{h_.width} * h_.height;
    const uint64_t least = rle_ ? (count + kLongestRun - 1) / kLongestRun * (1 + valueBytes_) : count * valueBytes_;
    return least <= c_.Remaining();
  }

  bool Read(uint32_t* out) {
    const uint64_t count = uint64_t{h_.width} * h_.height;
    uint32_t run = 0, value = 0;
    bool repeat = false;
    for (uint64_t i = 0; i < count; ++i) {
      if (rle_ && run == 0) {
        const uint32_t packet = c_.U8();
        run = 1 + (packet & 127);
        repeat = (packet & 128) != 0;
        if (repeat) value = Next();
      }
      if (!repeat) value = Next();
      if (c_.Failed()) return false;
      --run;
      const uint64_t row = i / h_.width, x = i % h_.width;
      const uint64_t y = (h_.descriptor & 0x20) != 0 ? row : h_.height - 1 - row;
      out[y * h_.width + x] = value;
    }
    return true;
  }

 private:
  // Indices outside the map take its first entry.
  uint32_t Next() {
    const uint8_t* p = c_.Bytes(valueBytes_);
    if (p == nullptr) return 0;
    if (!indexed_) return form_.Argb(p);
    const uint32_t index = valueBytes_ == 1 ? p[0] : Image_Le16(p);
    const bool inside = index >= h_.mapFirst && index - h_.mapFirst < palette_.size();
    return palette_[inside ? index - h_.mapFirst : 0];
  }

  const TgaHeader& h_;
  ByteCursor c_;
  bool indexed_, rle_;
  ColourForm form_;
  uint32_t valueBytes_;
  std::vector<uint32_t> palette_;
};

}  // namespace

bool Tga_Decode(const uint8_t* data, size_t size, DecodedImage& image) {
  image.fileFormat = 2;
  ByteCursor c(data, size);
  const TgaHeader h = ReadHeader(c);
  if (c.Failed() || !Describable(h)) return Image_Fail("unknown image type");
  image.width = static_cast<int32_t>(h.width);
  image.height = static_cast<int32_t>(h.height);
  TgaPixels pixels(data, size, h);
  if (const char* fault = pixels.ReadPalette()) return Image_Fail("TGA: %s", fault);
  if (!pixels.CanHold()) return Image_Fail("TGA pixel data cut short");
  image.pixels = Image_NewPixels(image.width, image.height);
  return pixels.Read(image.pixels) || Image_Fail("TGA pixel data cut short");
}

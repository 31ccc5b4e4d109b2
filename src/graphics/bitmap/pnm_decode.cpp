// Binary PNM files: "P5" grey and "P6" colour, 8 or 16 bits a sample (the
// high byte first), each sample scaled from 0..maxval to 0..255.
#include <algorithm>

#include "graphics/bitmap/image_formats.h"

namespace {

bool PnmSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One header number: blanks and '#' comments first, then the digits; the
// single blank after the last number ends the header.
uint64_t PnmNumber(const uint8_t* data, size_t bound, size_t* at) {
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

}  // namespace

bool Pnm_Decode(const uint8_t* data, size_t bound, DecodedImage& image) {
  size_t at = 2;
  const uint64_t width = PnmNumber(data, bound, &at);
  const uint64_t height = PnmNumber(data, bound, &at);
  const uint64_t maxval = PnmNumber(data, bound, &at);
  if (at >= bound || !PnmSpace(data[at]) || width == 0 || height == 0 || maxval == 0 || maxval > 65535 ||
      !Image_SizeAllowed(static_cast<int64_t>(width), static_cast<int64_t>(height))) {
    return Image_Fail("bad PNM header");
  }
  ++at;
  const uint64_t channels = data[1] == '6' ? 3 : 1, sampleBytes = maxval > 255 ? 2 : 1;
  if (at + width * height * channels * sampleBytes > bound) {
    return Image_Fail("PNM pixel data cut short");
  }
  image.fileFormat = 2;
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  image.pixels = Image_NewPixels(image.width, image.height);
  auto sample = [&]() {
    uint64_t v = data[at++];
    if (sampleBytes == 2) v = (v << 8) | data[at++];
    return static_cast<uint32_t>((std::min(v, maxval) * 255 + maxval / 2) / maxval);
  };
  for (uint64_t i = 0; i < width * height; ++i) {
    const uint32_t r = sample();
    const uint32_t g = channels == 3 ? sample() : r;
    const uint32_t b = channels == 3 ? sample() : r;
    image.pixels[i] = Image_Argb(255, r, g, b);
  }
  return true;
}

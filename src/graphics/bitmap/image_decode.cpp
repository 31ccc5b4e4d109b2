#include "graphics/bitmap/image_decode.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "graphics/bitmap/image_formats.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

// The format comes from the first bytes; anything else is read as TGA,
// which has no magic number.
bool DecodeFile(const uint8_t* data, uint32_t bound, DecodedImage& image) {
  if (std::memcmp(data, "DDS ", 4) == 0) return Dds_Decode(data, bound, image);
  if (data[0] == 'P' && (data[1] == '5' || data[1] == '6')) return Pnm_Decode(data, bound, image);
  if (data[0] == 'B' && data[1] == 'M') return Bmp_Decode(data, bound, image);
  if (data[0] == 0xFF && data[1] == 0xD8) return Jpeg_Decode(data, bound, image);
  if (std::memcmp(data, "\x89PNG", 4) == 0) return Png_Decode(data, bound, image);
  if (std::memcmp(data, "GIF", 3) == 0) return Gif_DecodeFirstFrame(data, bound, image);
  return Tga_Decode(data, bound, image);
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

uint32_t* Image_NewPixels(int32_t width, int32_t height) {
  return static_cast<uint32_t*>(KV_ALLOC(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, false));
}

bool Image_Fail(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  g_debugConsole->Output("Image decode failed: %s\n", text);
  return false;
}

DecodedImage Image_Decode(const uint8_t* data, uint32_t bound, uint32_t formatCode) {
  DecodedImage image;
  if (data == nullptr || bound < 4) {
    Image_Fail("no data");
    return image;
  }
  if (formatCode >= 7 && formatCode <= 10) {
    Image_Fail("format code %u cannot hold an image", formatCode);
    return image;
  }
  if (!DecodeFile(data, bound, image)) {
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
    const uint32_t v = Image_Le16(source + 2 * i);
    const uint32_t out = ((v & 0xF) << 12) | (((v >> 4) & 0xF) << 8) | (((v >> 8) & 0xF) << 4) | (v >> 12);
    destination[2 * i] = static_cast<uint8_t>(out & 255);
    destination[2 * i + 1] = static_cast<uint8_t>(out >> 8);
  }
}

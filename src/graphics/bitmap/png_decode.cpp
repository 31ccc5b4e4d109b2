// PNG files through libpng. Every kind becomes 8-bit blue, green, red, alpha
// bytes written straight into the image: palettes and grey widen to colour,
// a transparency chunk becomes alpha, 16-bit samples keep their high byte,
// and gamma is left alone. libpng reports errors by a long jump, so the two
// stages that can fail hold nothing that needs a destructor.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "graphics/bitmap/image_formats.h"

namespace {

struct PngRead {
  const uint8_t* data;
  size_t size;
  size_t at;
  png_structp png;
  png_infop info;
  char fault[160];
};

void ReadBytes(png_structp png, png_bytep out, size_t count) {
  PngRead* r = static_cast<PngRead*>(png_get_io_ptr(png));
  if (count > r->size - r->at) png_error(png, "file cut short");
  std::memcpy(out, r->data + r->at, count);
  r->at += count;
}

// libpng checks the CRC of the critical chunks (and skips that of the
// ancillary ones); its wording for a mismatch is replaced by ours.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  PngRead* r = static_cast<PngRead*>(png_get_error_ptr(png));
  if (std::strstr(message, "CRC error") != nullptr) {
    std::snprintf(r->fault, sizeof r->fault, "PNG chunk checksum wrong");
  } else {
    std::snprintf(r->fault, sizeof r->fault, "PNG: %s", message);
  }
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void RequestBgra(png_structp png) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
}

// The header and the transformations; answers the number of passes (0 on
// failure) and leaves the size in the image.
int ReadHeader(PngRead& r, DecodedImage& image) {
  if (setjmp(png_jmpbuf(r.png)) != 0) return 0;
  png_set_read_fn(r.png, &r, ReadBytes);
  png_set_user_limits(r.png, kImageMaxSide, kImageMaxSide);
  png_read_info(r.png, r.info);
  image.width = static_cast<int32_t>(png_get_image_width(r.png, r.info));
  image.height = static_cast<int32_t>(png_get_image_height(r.png, r.info));
  if (!Image_SizeAllowed(image.width, image.height)) png_error(r.png, "image too large");
  RequestBgra(r.png);
  const int passes = png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  if (png_get_rowbytes(r.png, r.info) != static_cast<size_t>(image.width) * 4) png_error(r.png, "unexpected row size");
  return passes;
}

// Interlaced images come in passes, each filling in more of every row.
bool ReadRows(PngRead& r, int passes, uint32_t* pixels, int32_t width, int32_t height) {
  if (setjmp(png_jmpbuf(r.png)) != 0) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < height; ++y) {
      png_read_row(r.png, reinterpret_cast<png_bytep>(pixels + static_cast<size_t>(y) * width), nullptr);
    }
  }
  png_read_end(r.png, nullptr);
  return true;
}

bool Decode(PngRead& r, DecodedImage& image) {
  const int passes = ReadHeader(r, image);
  if (passes == 0) return false;
  image.pixels = Image_NewPixels(image.width, image.height);
  return ReadRows(r, passes, image.pixels, image.width, image.height);
}

}  // namespace

bool Png_Decode(const uint8_t* data, size_t size, DecodedImage& image) {
  image.fileFormat = 3;
  PngRead r{data, size, 0, nullptr, nullptr, "PNG: out of memory"};
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, OnError, OnWarning);
  if (r.png != nullptr) r.info = png_create_info_struct(r.png);
  const bool ok = r.info != nullptr && Decode(r, image);
  png_destroy_read_struct(&r.png, &r.info, nullptr);
  return ok || Image_Fail("%s", r.fault);
}

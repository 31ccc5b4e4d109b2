// JPEG files through libjpeg-turbo, decoded straight into blue, green, red,
// alpha bytes; grey widens to colour and CMYK (stored inverted, as Adobe
// writes it) is multiplied out by its black. libjpeg reports errors by
// calling error_exit, which jumps back here; warnings that mean pixels would
// be made up (cut-off or damaged data) are errors too, so a damaged file
// never decodes as a half-grey picture.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// jerror.h reads what jpeglib.h defines.
#include <jerror.h>

#include "graphics/bitmap/image_formats.h"

namespace {

// Progressive files may hold any number of scans, each a pass over the whole
// image; a few hundred is far more than any encoder writes.
constexpr int kMaxScans = 500;
// Progressive and multi-scan files keep every coefficient in memory; their
// arrays may not grow past this (the decoder has no disk to spill to).
constexpr long kMaxCoefficientBytes = 512L << 20;

struct JpegRead {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  jmp_buf jump;
  char fault[JMSG_LENGTH_MAX];
  bool created;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  JpegRead* r = reinterpret_cast<JpegRead*>(info->client_data);
  (*info->err->format_message)(info, r->fault);
  std::longjmp(r->jump, 1);
}

bool MakesUpPixels(int code) {
  return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
         code == JWRN_ARITH_BAD_CODE || code == JWRN_MUST_RESYNC || code == JWRN_BOGUS_PROGRESSION ||
         code == JWRN_NOT_SEQUENTIAL;
}

// Level -1 is a warning; higher levels are traces, never printed.
void EmitMessage(j_common_ptr info, int level) {
  if (level < 0 && MakesUpPixels(info->err->msg_code)) ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

void CountScans(j_common_ptr info) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    JpegRead* r = reinterpret_cast<JpegRead*>(info->client_data);
    std::snprintf(r->fault, sizeof r->fault, "more than %d scans", kMaxScans);
    std::longjmp(r->jump, 1);
  }
}

bool IsCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

bool Start(JpegRead& r, const uint8_t* data, size_t size, DecodedImage& image) {
  if (setjmp(r.jump) != 0) return false;
  jpeg_create_decompress(&r.info);
  r.created = true;
  r.info.progress = &r.progress;
  r.info.mem->max_memory_to_use = kMaxCoefficientBytes;
  jpeg_mem_src(&r.info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&r.info, TRUE);
  if (!Image_SizeAllowed(r.info.image_width, r.info.image_height)) {
    std::snprintf(r.fault, sizeof r.fault, "bad size %u x %u", r.info.image_width, r.info.image_height);
    return false;
  }
  image.width = static_cast<int32_t>(r.info.image_width);
  image.height = static_cast<int32_t>(r.info.image_height);
  r.info.out_color_space = IsCmyk(r.info.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&r.info);
  return true;
}

uint32_t Inked(uint32_t ink, uint32_t black) {
  const uint32_t t = ink * black + 128;
  return (t + (t >> 8)) >> 8;
}

void CmykRowToBgra(uint32_t* row, int32_t width) {
  auto* bytes = reinterpret_cast<const uint8_t*>(row);
  for (int32_t x = 0; x < width; ++x) {
    const uint8_t* p = bytes + 4 * x;
    row[x] = Image_Argb(255, Inked(p[0], p[3]), Inked(p[1], p[3]), Inked(p[2], p[3]));
  }
}

bool ReadRows(JpegRead& r, uint32_t* pixels) {
  if (setjmp(r.jump) != 0) return false;
  const bool cmyk = r.info.out_color_space == JCS_CMYK;
  while (r.info.output_scanline < r.info.output_height) {
    uint32_t* row = pixels + static_cast<size_t>(r.info.output_scanline) * r.info.output_width;
    JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(row)};
    jpeg_read_scanlines(&r.info, rows, 1);
    if (cmyk) CmykRowToBgra(row, static_cast<int32_t>(r.info.output_width));
  }
  jpeg_finish_decompress(&r.info);
  return true;
}

bool Decode(JpegRead& r, const uint8_t* data, size_t size, DecodedImage& image) {
  if (!Start(r, data, size, image)) return false;
  image.pixels = Image_NewPixels(image.width, image.height);
  return ReadRows(r, image.pixels);
}

}  // namespace

bool Jpeg_Decode(const uint8_t* data, size_t size, DecodedImage& image) {
  image.fileFormat = 1;
  JpegRead r{};
  r.info.err = jpeg_std_error(&r.errors);
  r.info.client_data = &r;
  r.errors.error_exit = ErrorExit;
  r.errors.emit_message = EmitMessage;
  r.errors.output_message = OutputMessage;
  r.progress.progress_monitor = CountScans;
  const bool ok = Decode(r, data, size, image);
  if (r.created) jpeg_destroy_decompress(&r.info);
  return ok || Image_Fail("JPEG: %s", r.fault);
}

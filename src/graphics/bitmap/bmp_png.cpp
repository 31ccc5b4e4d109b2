#include "graphics/bitmap/bmp_png.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/file_layer.h"
#include "files/files.h"
#include "files/write_stream.h"
#include "platform/regular_file.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

constexpr uint32_t kBmpHeaderSize = 54;
void Put16(uint8_t*& at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
  at += 2;
}

void Put32(uint8_t*& at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
  at += 4;
}

void PutHeader(uint8_t* at, int32_t width, int32_t height, uint32_t imageSize) {
  *at++ = 'B';
  *at++ = 'M';
  Put32(at, kBmpHeaderSize + imageSize);
  Put16(at, 0);
  Put16(at, 0);
  Put32(at, kBmpHeaderSize);
  Put32(at, 40);
  Put32(at, static_cast<uint32_t>(width));
  Put32(at, static_cast<uint32_t>(height));
  Put16(at, 1);
  Put16(at, 24);
  Put32(at, 0);
  Put32(at, imageSize);
  for (int i = 0; i < 4; ++i) Put32(at, 0);
}

constexpr PngWriteMessages kScreenMessages = {false, "[write_png_file] Error during writing bytes",
                                              "[write_png_file] Error during end of write"};

struct PngWriter {
  const PngWriteMessages* messages = &kScreenMessages;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::FILE* file = nullptr;
};

bool Fail(const char* line) {
  g_debugConsole->Output("%s", line);
  return false;
}

void ReportOpenFailure(const char* name, int error) {
  g_debugConsole->Output("[write_png_file] File %s could not be opened for writing (%s)%s\n", name,
                         RegularFile_Reason(error), WriteStream_EarlierNote("; the earlier file there is kept"));
}

// Each stage catches libpng's error jump on its own, so no local of a
// caller lives across a jump.
bool BindFile(PngWriter& w) {
  if (setjmp(png_jmpbuf(w.png))) return Fail("[write_png_file] Error during init_io\n");
  png_init_io(w.png, w.file);
  return true;
}

bool WriteHeader(PngWriter& w, int32_t width, int32_t height) {
  if (setjmp(png_jmpbuf(w.png))) return Fail("[write_png_file] Error during writing header\n");
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.png, w.info);
  return true;
}

bool WriteRows(PngWriter& w, const uint8_t* pixels, int32_t width, int32_t height) {
  if (setjmp(png_jmpbuf(w.png))) return Fail(w.messages->writingBytes);
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int32_t row = 0; row < height; ++row) {
    png_write_row(w.png, pixels + static_cast<size_t>(row) * rowBytes);
  }
  return true;
}

bool WriteEnd(PngWriter& w) {
  if (setjmp(png_jmpbuf(w.png))) return Fail(w.messages->endOfWrite);
  png_write_end(w.png, nullptr);
  return true;
}

// Whatever stage failed, the structures are freed and the file closed.
bool Finish(PngWriter& w, bool ok) {
  if (w.png != nullptr) png_destroy_write_struct(&w.png, w.info != nullptr ? &w.info : nullptr);
  // A stage that failed has said so; the earlier image stays whole.
  if (!ok) WriteStream_Abandon(w.file);
  const bool closed = ok && WriteStream_Close(w.file);
  w.file = nullptr;
  return closed;
}

bool WritePng(PngWriter& w, const uint8_t* pixels, int32_t width, int32_t height) {
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (w.png == nullptr) return Fail("[write_png_file] png_create_write_struct failed\n");
  w.info = png_create_info_struct(w.png);
  if (w.info == nullptr) return Fail("[write_png_file] png_create_info_struct failed\n");
  return BindFile(w) && WriteHeader(w, width, height) && WriteRows(w, pixels, width, height) && WriteEnd(w);
}

}  // namespace

const PngWriteMessages* GR_PngFileMessages() {
  static constexpr PngWriteMessages kMessages = {true, "[write_png_file] Error during writing bytes\n",
                                                 "[write_png_file] Error during end of write\n"};
  return &kMessages;
}

uint8_t* GR_Build_BMP(const void* pixels, int32_t width, int32_t height, uint32_t* outSize, int32_t pixelStep) {
  *outSize = 0;
  if (pixels == nullptr || width < 1 || height < 1 || pixelStep < 3) return nullptr;
  const uint64_t rowSize = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
  const uint64_t imageSize = rowSize * static_cast<uint64_t>(height);
  if (imageSize > UINT32_MAX - kBmpHeaderSize) return nullptr;
  auto* block = static_cast<uint8_t*>(KV_ALLOC(kBmpHeaderSize + imageSize, true));
  if (block == nullptr) return nullptr;
  PutHeader(block, width, height, static_cast<uint32_t>(imageSize));
  const auto* source = static_cast<const uint8_t*>(pixels);
  const size_t sourceRow = static_cast<size_t>(width) * static_cast<size_t>(pixelStep);
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* from = source + static_cast<size_t>(height - 1 - row) * sourceRow;
    uint8_t* to = block + kBmpHeaderSize + static_cast<size_t>(row) * rowSize;
    for (int32_t x = 0; x < width; ++x, from += pixelStep, to += 3) std::memcpy(to, from, 3);
  }
  *outSize = static_cast<uint32_t>(kBmpHeaderSize + imageSize);
  return block;
}

bool GR_Write_PNG_To_Path(const char* realPath, const void* pixels, int32_t width, int32_t height,
                          const PngWriteMessages* messages, const char* shownName) {
  if (realPath == nullptr || realPath[0] == '\0' || pixels == nullptr || width < 1 || height < 1) return false;
  PngWriter w;
  if (messages != nullptr) w.messages = messages;
  w.file = WriteStream_OpenReplacing(realPath, "wb");
  if (w.file == nullptr) {
    if (w.messages->reportOpenFailure) ReportOpenFailure(shownName, errno);
    return false;
  }
  const bool ok = WritePng(w, static_cast<const uint8_t*>(pixels), width, height);
  return Finish(w, ok);
}

// The save folder and the folders under it are made as a write needs them.
bool write_png_file(const char* path, const void* pixels, int32_t width, int32_t height,
                    const PngWriteMessages* messages) {
  // The mapped path has no length limit of its own, as the file built-ins'.
  const std::string mapped = LoadSave_SavePath(path);
  if (mapped.empty()) {
    WriteStream_ForgetEarlier();
    if (messages != nullptr && messages->reportOpenFailure) ReportOpenFailure(path != nullptr ? path : "", ENOENT);
    return false;
  }
  File_CreateParentDirectories(mapped.c_str());
  return GR_Write_PNG_To_Path(mapped.c_str(), pixels, width, height, messages, path);
}

// Image files made from 32-bit pixels: a 24-bit BMP file image in memory
// and PNG files.
#pragma once
#include <cstddef>
#include <cstdint>

// A whole BMP file (bottom row first, blue-green-red, rows padded to 4
// bytes) in one MemoryManager block, its byte count in *outSize. Each
// source pixel is `pixelStep` bytes, of which the low three are used. Null
// with *outSize 0 for a size below 1 or a file that would not fit 32 bits.
uint8_t* GR_Build_BMP(const void* pixels, int32_t width, int32_t height, uint32_t* outSize, int32_t pixelStep);

// What a PNG writer prints when a stage fails: the screen-shot writer's
// lines by default. A failed open is reported with the name as the caller
// gave it when reportOpenFailure is set.
struct PngWriteMessages {
  bool reportOpenFailure;
  const char* writingBytes;
  const char* endOfWrite;
};

// The image savers' lines: a failed open is reported, with its reason.
const PngWriteMessages* GR_PngFileMessages();

// Writes width x height pixels of 4 bytes, top row first, as an RGBA PNG,
// the bytes of each pixel in the order they lie in memory. The path is a
// script path under the save folder. False when it cannot be written.
bool write_png_file(const char* path, const void* pixels, int32_t width, int32_t height,
                    const PngWriteMessages* messages = nullptr);
// The same for a path taken as it is.
bool GR_Write_PNG_To_Path(const char* realPath, const void* pixels, int32_t width, int32_t height,
                          const PngWriteMessages* messages = nullptr, const char* shownName = "");

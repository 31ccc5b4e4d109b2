// A 2048 x 2048 PNG and JPEG decoded through the player's loader, each
// beside the library's own simplest decode of the same file: the loader's
// checks and pixel order should cost little over the library itself.
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "support/image_writer.h"

#include "graphics/bitmap/image_decode.h"
#include "runtime/memory.h"

namespace {

constexpr int kSide = 2048;

// Smooth gradients with a little noise and an alpha ramp: neither trivially
// compressed nor random.
std::vector<uint8_t> Picture() {
  std::vector<uint8_t> rgba(static_cast<size_t>(kSide) * kSide * 4);
  uint32_t noise = 12345;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      noise = noise * 1103515245u + 12345u;
      uint8_t* p = &rgba[(static_cast<size_t>(y) * kSide + x) * 4];
      p[0] = static_cast<uint8_t>(x / 8 + (noise >> 29));
      p[1] = static_cast<uint8_t>(y / 8);
      p[2] = static_cast<uint8_t>((x + y) / 16);
      p[3] = static_cast<uint8_t>(255 - x / 16);
    }
  }
  return rgba;
}

void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

const std::vector<uint8_t>& PngFile() {
  static const std::vector<uint8_t> file = [] {
    std::vector<uint8_t> out;
    stbi_write_png_to_func(Collect, &out, kSide, kSide, 4, Picture().data(), kSide * 4);
    return out;
  }();
  return file;
}

const std::vector<uint8_t>& JpegFile() {
  static const std::vector<uint8_t> file = [] {
    std::vector<uint8_t> out;
    stbi_write_jpg_to_func(Collect, &out, kSide, kSide, 4, Picture().data(), 90);
    return out;
  }();
  return file;
}

void DecodeThroughLoader(benchmark::State& state, const std::vector<uint8_t>& file) {
  for (auto _ : state) {
    DecodedImage image = Image_Decode(file.data(), static_cast<uint32_t>(file.size()), 0);
    if (image.pixels == nullptr) state.SkipWithError("the loader refused the file");
    MemoryManager::Free(image.pixels);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
}

void BM_PngLoader(benchmark::State& state) { DecodeThroughLoader(state, PngFile()); }
BENCHMARK(BM_PngLoader)->Unit(benchmark::kMillisecond);

void BM_PngLibrary(benchmark::State& state) {
  const std::vector<uint8_t>& file = PngFile();
  std::vector<uint8_t> rgba(static_cast<size_t>(kSide) * kSide * 4);
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, file.data(), file.size());
    image.format = PNG_FORMAT_RGBA;
    if (png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) == 0) state.SkipWithError(image.message);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_PngLibrary)->Unit(benchmark::kMillisecond);

void BM_JpegLoader(benchmark::State& state) { DecodeThroughLoader(state, JpegFile()); }
BENCHMARK(BM_JpegLoader)->Unit(benchmark::kMillisecond);

void BM_JpegLibrary(benchmark::State& state) {
  const std::vector<uint8_t>& file = JpegFile();
  std::vector<uint8_t> rgb(static_cast<size_t>(kSide) * kSide * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), file.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = &rgb[static_cast<size_t>(info.output_scanline) * kSide * 3];
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
}
BENCHMARK(BM_JpegLibrary)->Unit(benchmark::kMillisecond);

}  // namespace

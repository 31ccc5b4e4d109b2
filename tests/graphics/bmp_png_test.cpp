// BMP file images and PNG files made from 32-bit pixels, read back byte by
// byte and through libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "files/file_layer.h"
#include "graphics/bitmap/bitmap32.h"
#include "graphics/bitmap/bmp_png.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

TEST(BmpImage, RowsArePaddedBottomFirstInBlueGreenRed) {
  // 3 x 2: top row 0x..010203 etc.
  const uint32_t pixels[6] = {0xAA010203u, 0xAA040506u, 0xAA070809u, 0xBB111213u, 0xBB141516u, 0xBB171819u};
  uint32_t size = 0;
  uint8_t* bmp = GR_Build_BMP(pixels, 3, 2, &size, 4);
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(size, 54u + 24u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp + 2), size);
  EXPECT_EQ(U32(bmp + 10), 54u);
  EXPECT_EQ(U32(bmp + 14), 40u);
  EXPECT_EQ(U32(bmp + 18), 3u);
  EXPECT_EQ(U32(bmp + 22), 2u);
  EXPECT_EQ(U16(bmp + 26), 1);
  EXPECT_EQ(U16(bmp + 28), 24);
  EXPECT_EQ(U32(bmp + 30), 0u);
  EXPECT_EQ(U32(bmp + 34), 24u);  // 12-byte rows, padded
  const uint8_t bottomFirst[24] = {0x13, 0x12, 0x11, 0x16, 0x15, 0x14, 0x19, 0x18, 0x17, 0, 0, 0,
                                   0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bmp + 54, bottomFirst, sizeof bottomFirst), 0);
  MemoryManager::Free(bmp);

  const uint32_t one = 0x00ABCDEF;
  EXPECT_EQ(GR_Build_BMP(&one, 0, 1, &size, 4), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(GR_Build_BMP(&one, 1, -1, &size, 4), nullptr);
  EXPECT_EQ(GR_Build_BMP(nullptr, 1, 1, &size, 4), nullptr);
}

struct PngRead {
  bool ok = false;
  uint32_t width = 0, height = 0;
  int colourType = -1, bitDepth = 0;
  std::vector<uint8_t> bytes;
};

// Reads a PNG without transformations; the caller owns the file.
bool ReadPngFrom(std::FILE* f, PngRead* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, f);
  png_read_info(png, info);
  out->width = png_get_image_width(png, info);
  out->height = png_get_image_height(png, info);
  out->colourType = png_get_color_type(png, info);
  out->bitDepth = png_get_bit_depth(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  out->bytes.resize(rowBytes * out->height);
  for (uint32_t row = 0; row < out->height; ++row) png_read_row(png, out->bytes.data() + row * rowBytes, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

PngRead ReadPng(const std::string& path) {
  PngRead out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return out;
  out.ok = ReadPngFrom(f, &out);
  std::fclose(f);
  return out;
}

TEST(PngFile, WritesRgbaRowsAsTheyLieInMemory) {
  testsupport::ScratchFolder folder;
  const uint8_t pixels[2 * 2 * 4] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255};
  ASSERT_TRUE(GR_Write_PNG_To_Path((folder / "a.png").c_str(), pixels, 2, 2));
  const PngRead back = ReadPng(folder / "a.png");
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.width, 2u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.colourType, PNG_COLOR_TYPE_RGB_ALPHA);
  EXPECT_EQ(back.bitDepth, 8);
  EXPECT_EQ(back.bytes, std::vector<uint8_t>(pixels, pixels + sizeof pixels));
}

TEST(PngFile, ScriptPathsLandInTheSaveFolderAndBadTargetsFail) {
  testsupport::ScratchFolder folder;
  const std::string saveDir = folder.Path() + "/save/";
  LoadSave_SetSaveDirectory(saveDir.c_str());
  const uint32_t pixel = 0xFF336699u;
  EXPECT_TRUE(write_png_file("shots\\one.png", &pixel, 1, 1));
  EXPECT_TRUE(ReadPng(saveDir + "shots/one.png").ok);

  EXPECT_FALSE(write_png_file("/nowhere/else/one.png", &pixel, 1, 1));  // outside every root
  EXPECT_FALSE(GR_Write_PNG_To_Path((folder / "missing/dir/x.png").c_str(), &pixel, 1, 1));
  EXPECT_FALSE(GR_Write_PNG_To_Path(folder.Path().c_str(), &pixel, 1, 1));  // a folder
  EXPECT_FALSE(GR_Write_PNG_To_Path((folder / "empty.png").c_str(), &pixel, 0, 1));
  EXPECT_FALSE(GR_Write_PNG_To_Path((folder / "null.png").c_str(), nullptr, 1, 1));
  LoadSave_SetSaveDirectory(nullptr);
}

// A header libpng refuses ends the write with its line; the leak checker of
// the sanitizer build sees whether the structures and the file were freed.
TEST(PngFile, LibraryErrorPrintsItsStageAndFails) {
  testsupport::ScratchFolder folder;
  testsupport::ConsoleCapture console;
  const uint32_t pixel = 0;
  EXPECT_FALSE(GR_Write_PNG_To_Path((folder / "wide.png").c_str(), &pixel, 2000000, 1));
  EXPECT_EQ(console.Lines(), std::vector<std::string>{"[write_png_file] Error during writing header\n"});
}

// Sprite strips are saved from 0xAARRGGBB words: the file holds red, green,
// blue, alpha.
TEST(PngFile, Bitmap32WritesRgbaSamplesUnderTheSaveFolder) {
  testsupport::ScratchFolder folder;
  const std::string saveDir = folder.Path() + "/save/";
  LoadSave_SetSaveDirectory(saveDir.c_str());
  CBitmap32 image(2, 1, 0);
  image.GetData()->pixels[0] = 0xFFFF0000u;
  image.GetData()->pixels[1] = 0x80402010u;
  EXPECT_TRUE(image.write_png_file("strip.png"));
  const PngRead back = ReadPng(saveDir + "strip.png");
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.bytes, (std::vector<uint8_t>{255, 0, 0, 255, 0x40, 0x20, 0x10, 0x80}));

  testsupport::ConsoleCapture console;
  EXPECT_FALSE(image.write_png_file("/nowhere/else/x.png"));
  std::filesystem::create_directories(saveDir + "sub");
  EXPECT_FALSE(image.write_png_file("sub"));  // a folder
  EXPECT_EQ(console.Lines(),
            (std::vector<std::string>{"[write_png_file] File /nowhere/else/x.png could not be opened for writing "
                                      "(No such file or directory)\n",
                                      "[write_png_file] File sub could not be opened for writing "
                                      "(not a regular file)\n"}));
  LoadSave_SetSaveDirectory(nullptr);
}

}  // namespace

// Whole image files against what the player made of them before its
// decoders changed library: PngSuite, the example pictures that come with
// it, and small files in images/ covering the BMP, TGA, GIF and JPEG layouts.
// Pixels are compared by the CRC-32 of their 0xAARRGGBB words; JPEG, whose
// decoders round differently, within 2 a channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "graphics/bitmap/image_decode.h"
#include "graphics/graphics_fixture.h"
#include "graphics/png_suite.h"
#include "runtime/crc32.h"
#include "runtime/memory.h"

namespace {

const std::string kFixtures = KV_IMAGE_FIXTURES;

struct Outcome {
  bool decoded = false;
  int32_t width = 0, height = 0;
  uint32_t crc = 0, fileFormat = 0;
  std::vector<uint32_t> pixels;
};

Outcome Decode(const std::vector<uint8_t>& bytes) {
  Outcome o;
  DecodedImage image = Image_Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
  o.width = image.width;
  o.height = image.height;
  o.fileFormat = image.fileFormat;
  if (image.pixels == nullptr) return o;
  o.decoded = true;
  o.pixels.assign(image.pixels, image.pixels + static_cast<size_t>(image.width) * image.height);
  o.crc = CRC32_Buffer(image.pixels, static_cast<int64_t>(o.pixels.size()) * 4);
  MemoryManager::Free(image.pixels);
  return o;
}

Outcome DecodeFile(const std::string& path) {
  const std::vector<uint8_t> bytes = png_suite::ReadFile(path);
  EXPECT_FALSE(bytes.empty()) << path << " is missing (scripts/setup.sh installs libsixel-examples)";
  return Decode(bytes);
}

// CRCs of every frame a loader hands out, in order.
std::vector<uint32_t> FrameCrcs(const std::string& path) {
  const std::vector<uint8_t> bytes = png_suite::ReadFile(path);
  BitmapLoader* loader = BitmapLoader_CreateFromMemory(bytes.data(), static_cast<int64_t>(bytes.size()));
  loader->IsMultiFrame();
  std::vector<uint32_t> crcs;
  for (int32_t i = 0; i < loader->GetFrameCount(); ++i) {
    TBitmap* frame = loader->GetFrame(i);
    uint8_t* row = nullptr;
    int32_t rowBytes = 0;
    frame->LockBits(0, &row, &rowBytes);
    crcs.push_back(CRC32_Buffer(row, int64_t{rowBytes} * frame->GetHeight()));
    delete frame;
  }
  delete loader;
  return crcs;
}

using ImageFiles = ConsoleTest;

TEST_F(ImageFiles, PngSuiteDecodesAsBeforeAndCorruptFilesFailWithOneLine) {
  for (const png_suite::Image& e : png_suite::kImages) {
    console_.lines.clear();
    const Outcome o = DecodeFile(png_suite::kFolder + "/" + e.file);
    if (e.MustFail()) {
      EXPECT_FALSE(o.decoded) << e.file;
      EXPECT_EQ(console_.lines.size(), 1u) << e.file;
      continue;
    }
    EXPECT_TRUE(o.decoded) << e.file << ": " << (console_.lines.empty() ? "" : console_.lines[0]);
    EXPECT_EQ(o.width, e.width) << e.file;
    EXPECT_EQ(o.height, e.height) << e.file;
    EXPECT_EQ(o.crc, e.crc) << e.file;
    EXPECT_EQ(o.fileFormat, 3u) << e.file;
    EXPECT_TRUE(console_.lines.empty()) << e.file;
  }
}

// The small fixtures hold one 13 x 7 picture; groups with one CRC are the
// same picture in several layouts. ImageMagick wrote the TGA files with
// their rows top first but the descriptor saying bottom first, so they read
// upside down, as the bottom-up BMP with a negative height does.
TEST_F(ImageFiles, EveryBmpTgaGifAndPngLayoutKeepsItsPixels) {
  struct Case {
    const char* file;
    uint32_t crc;  // 0: must fail
    uint32_t fileFormat;
  };
  const Case cases[] = {
      {"rgb24.bmp", 0xc5710c12, 0},     {"pal8.bmp", 0xc5710c12, 0},   {"os2.bmp", 0xc5710c12, 0},
      {"topleft24.tga", 0xc5710c12, 2}, {"rgb24.tga", 0xb4426733, 2},  {"rle24.tga", 0xb4426733, 2},
      {"topdown24.bmp", 0xb4426733, 0}, {"pal4.bmp", 0xc3183984, 0},   {"os2pal.bmp", 0xc3183984, 0},
      {"argb32.tga", 0x38895d8f, 2},    {"rle32.tga", 0x38895d8f, 2},  {"argb32.bmp", 0x49ba36ae, 0},
      {"mono1.bmp", 0xccc9609d, 0},     {"rgb565.bmp", 0x81ad52ea, 0}, {"pal8.tga", 0xa268dec2, 2},
      {"grey8.tga", 0x398d7fd0, 2},     {"src.png", 0xe90204f1, 3},    {"rle8.bmp", 0, 0},
  };
  for (const Case& c : cases) {
    console_.lines.clear();
    const Outcome o = DecodeFile(kFixtures + "/" + c.file);
    EXPECT_EQ(o.decoded, c.crc != 0) << c.file;
    EXPECT_EQ(o.crc, c.crc) << c.file;
    EXPECT_EQ(o.fileFormat, c.fileFormat) << c.file;
    EXPECT_EQ(console_.lines.size(), c.crc != 0 ? 0u : 1u) << c.file;
    if (o.decoded) {
      EXPECT_EQ(o.width, 13) << c.file;
      EXPECT_EQ(o.height, 7) << c.file;
    }
  }
}

TEST_F(ImageFiles, ExamplePicturesAgreeAcrossFormats) {
  const std::string folder = png_suite::kExamples + "/";
  const Outcome png = DecodeFile(folder + "snake.png");
  ASSERT_TRUE(png.decoded);
  EXPECT_EQ(png.crc, 0xfc329d15u);
  for (const char* other : {"snake.bmp", "snake.tga", "snake.ppm"}) {
    const Outcome o = DecodeFile(folder + other);
    EXPECT_EQ(o.crc, png.crc) << other;
  }
  EXPECT_EQ(DecodeFile(folder + "snake-grayscale.png").crc, DecodeFile(folder + "snake.pgm").crc);
  EXPECT_EQ(DecodeFile(folder + "snake.gif").crc, DecodeFile(folder + "snake-palette.png").crc);
  EXPECT_EQ(DecodeFile(folder + "map16.png").crc, DecodeFile(folder + "map16-palette.png").crc);
}

// A page image of a GIF is its first frame.
TEST_F(ImageFiles, AnimatedGifsGiveEveryFrameAsBefore) {
  const Outcome first = DecodeFile(kFixtures + "/anim.gif");
  EXPECT_EQ(first.fileFormat, 9u);
  EXPECT_EQ(first.crc, 0x2f79880au);
  EXPECT_EQ(FrameCrcs(kFixtures + "/anim.gif"),
            (std::vector<uint32_t>{0x2f79880a, 0x75b44634, 0xe5f14970, 0x006fe795, 0xb0a0bbe0}));
  EXPECT_EQ(FrameCrcs(png_suite::kExamples + "/seq2gif.gif"),
            (std::vector<uint32_t>{0xadaf86dc, 0x2cd22dbf, 0x629aca2a, 0x97582f19, 0xf0c204e1, 0x81bfbaa6, 0xd7915856,
                                   0xe3d1f09d, 0xe3d1f09d}));
  EXPECT_EQ(FrameCrcs(png_suite::kExamples + "/snake.gif").size(), 1u);
}

int ChannelDistance(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
  }
  return most;
}

// Colour halved both ways, progressive with full colour, grey, and Adobe
// CMYK; each .argb file holds the earlier decoder's pixels.
TEST_F(ImageFiles, JpegStaysWithinTwoOfThePreviousDecoding) {
  for (const char* name : {"ycc420", "progressive444", "grey", "cmyk"}) {
    const Outcome o = DecodeFile(kFixtures + "/" + name + ".jpg");
    ASSERT_TRUE(o.decoded) << name;
    EXPECT_EQ(o.fileFormat, 1u);
    const std::vector<uint8_t> before = png_suite::ReadFile(kFixtures + "/" + name + ".argb");
    ASSERT_EQ(before.size(), o.pixels.size() * 4) << name;
    int most = 0;
    for (size_t i = 0; i < o.pixels.size(); ++i) {
      uint32_t earlier = 0;
      std::memcpy(&earlier, before.data() + 4 * i, 4);
      most = std::max(most, ChannelDistance(o.pixels[i], earlier));
    }
    EXPECT_LE(most, 2) << name;
  }
}

}  // namespace

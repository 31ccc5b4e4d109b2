// Image files made or read by ImageMagick, an outside implementation of the
// formats, against our loaders: PngSuite as convert reads it (through
// libpng), an optimised animated GIF, and BMP files of every depth the
// player reads, whole and damaged.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/image_magick.h"
#include "graphics/png_suite.h"
#include "runtime/stream.h"
#include "support/test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;
using image_magick::Quoted;

bool ConvertMissing() { return image_magick::Convert().empty(); }

bool Convert(const std::string& arguments) {
  bool ok = false;
  image_magick::Run(arguments, &ok);
  return ok;
}

Bytes BitmapBytes(TBitmap& bitmap) {
  Bytes out;
  for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
    uint8_t* row = nullptr;
    int32_t stride = 0;
    bitmap.LockBits(y, &row, &stride);
    if (row != nullptr) out.insert(out.end(), row, row + stride);
  }
  return out;
}

// Blue, green, red, alpha bytes of 0xAARRGGBB pixels.
Bytes Bgra(const std::vector<uint32_t>& pixels) {
  Bytes out;
  for (uint32_t p : pixels) out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
  return out;
}

// Every frame the loader hands out, as bytes; `multi` is IsMultiFrame's answer.
std::vector<Bytes> Frames(BitmapLoader* loader, bool* multi) {
  *multi = loader->IsMultiFrame();
  std::vector<Bytes> frames;
  for (int32_t i = 0; i < loader->GetFrameCount(); ++i) {
    std::unique_ptr<TBitmap> frame(loader->GetFrame(i));
    frames.push_back(frame == nullptr ? Bytes{} : BitmapBytes(*frame));
  }
  return frames;
}

TEST(ImageMagickFiles, PngSuiteLoadsExactlyAsConvertReadsIt) {
  if (ConvertMissing()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  if (!std::filesystem::exists(png_suite::kFolder)) GTEST_SKIP() << "PngSuite (libsixel-examples) is not installed";
  int compared = 0;
  for (const png_suite::Image& e : png_suite::kImages) {
    if (e.MustFail()) continue;
    const std::string path = png_suite::kFolder + "/" + e.file;
    std::unique_ptr<BitmapLoader> loader(BitmapLoader_CreateFromFile(path.c_str()));
    bool multi = true;
    const std::vector<Bytes> frames = Frames(loader.get(), &multi);
    ASSERT_EQ(frames.size(), 1u) << e.file;
    const Bytes reference = image_magick::ReadBgra(path, e.width, e.height);
    ASSERT_FALSE(reference.empty()) << "convert could not read " << e.file;
    EXPECT_EQ(frames[0], reference) << e.file;
    ++compared;
  }
  EXPECT_GT(compared, 140);
}

// Twelve 24 x 16 frames over few colours: a square moving right and a bar
// growing along the bottom, so that optimised layers hold only the part of
// each frame that changed.
std::vector<uint32_t> SourceFrame(int f) {
  static constexpr uint32_t kColours[] = {0xFF282828u, 0xFFC81E1Eu, 0xFF1EC81Eu, 0xFF1E1EC8u, 0xFFFAFA00u};
  std::vector<uint32_t> pixels(24 * 16, kColours[0]);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (x >= f * 2 && x < f * 2 + 4 && y >= 4 && y < 8) pixels[size_t(y * 24 + x)] = kColours[1 + f % 3];
      if (y == 15 && x <= f) pixels[size_t(y * 24 + x)] = kColours[4];
    }
  }
  return pixels;
}

TEST(ImageMagickFiles, OptimisedAnimatedGifGivesTwelveWholeFramesAndAPngOne) {
  if (ConvertMissing()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  testsupport::ScratchFolder folder;
  std::string sources;
  for (int f = 0; f < 12; ++f) {
    const std::string path = folder / ("f" + std::to_string(f + 10) + ".pam");
    ASSERT_TRUE(image_magick::WritePam(path, SourceFrame(f), 24, 16));
    sources += Quoted(path) + " ";
  }
  const std::string gif = folder / "moving.gif";
  ASSERT_TRUE(Convert("-delay 10 " + sources + "-layers Optimize " + Quoted(gif)));
  // The layers really are partial: some frame is narrower than the screen.
  bool ok = false;
  const Bytes widths = image_magick::Run(Quoted(gif) + " -format '%w,' info:", &ok);
  ASSERT_TRUE(ok);
  const std::string text(widths.begin(), widths.end());
  int layers = 0, partial = 0;
  for (size_t at = 0; at < text.size(); at = text.find(',', at) + 1) {
    ++layers;
    if (std::stoi(text.substr(at)) < 24) ++partial;
  }
  EXPECT_EQ(layers, 12) << text;
  EXPECT_GT(partial, 0) << "every layer is whole: " << text;

  std::unique_ptr<BitmapLoader> loader(BitmapLoader_CreateFromFile(gif.c_str()));
  bool multi = false;
  const std::vector<Bytes> frames = Frames(loader.get(), &multi);
  EXPECT_TRUE(multi);
  ASSERT_EQ(frames.size(), 12u);
  for (int f = 0; f < 12; ++f) EXPECT_EQ(frames[size_t(f)], Bgra(SourceFrame(f))) << "frame " << f;
  EXPECT_EQ(loader->GetFrame(12), nullptr);

  const std::string png = folder / "still.png";
  ASSERT_TRUE(Convert(Quoted(folder / "f15.pam") + " " + Quoted(png)));
  std::unique_ptr<BitmapLoader> still(BitmapLoader_CreateFromFile(png.c_str()));
  const std::vector<Bytes> one = Frames(still.get(), &multi);
  EXPECT_FALSE(multi);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0], Bgra(SourceFrame(5)));
}

// Up to 256 distinct colours: pixel i has red i, green 255 - i, blue 7 i
// and, unless opaque, an alpha that varies too.
std::vector<uint32_t> DistinctColours(int32_t count, bool opaque) {
  std::vector<uint32_t> pixels;
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t alpha = opaque ? 0xFFu : uint32_t(i * 37 + 11) & 0xFFu;
    pixels.push_back(alpha << 24 | uint32_t(i & 255) << 16 | uint32_t(255 - (i & 255)) << 8 | uint32_t(i * 7 & 255));
  }
  return pixels;
}

uint32_t Field(const std::string& file, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(file[at + size_t(i)]);
  return v;
}

class ImageMagickBmp : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ConvertMissing()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  }
  // Source pixels written as PAM and turned into a BMP with `options`.
  std::string Make(const char* name, const std::vector<uint32_t>& pixels, int32_t w, int32_t h, const char* options) {
    const std::string source = folder_ / (std::string(name) + ".pam");
    const std::string bmp = folder_ / (std::string(name) + ".bmp");
    EXPECT_TRUE(image_magick::WritePam(source, pixels, w, h));
    EXPECT_TRUE(Convert(Quoted(source) + " -compress None " + options + Quoted(bmp))) << name;
    return bmp;
  }
  testsupport::ScratchFolder folder_;
};

TEST_F(ImageMagickBmp, EveryDepthReadsAsItsSourceTopRowFirst) {
  // 24 bits, width 3: rows padded to 12 bytes in the file, stored bottom
  // row first, so rows 0 and 2 come out exchanged against the file.
  const std::vector<uint32_t> rgb = DistinctColours(9, true);
  const std::string file24 = testsupport::ReadRaw(Make("rgb", rgb, 3, 3, "-alpha off -type TrueColor bmp3:"));
  ASSERT_EQ(Field(file24, 28, 2), 24u);
  const size_t offset = Field(file24, 10, 4);
  ASSERT_EQ(uint8_t(file24[offset]), uint8_t(rgb[6])) << "the file's first row is the picture's last";
  TBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromFile((folder_ / "rgb.bmp").c_str()));
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat24);
  EXPECT_EQ(bitmap.BytesPerRow(), 9);
  Bytes expected;
  for (uint32_t p : rgb) expected.insert(expected.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
  EXPECT_EQ(BitmapBytes(bitmap), expected);

  // 32 bits with alpha: convert writes a version 5 header with bit fields.
  const std::vector<uint32_t> argb = DistinctColours(12, false);
  const std::string file32 = testsupport::ReadRaw(Make("argb", argb, 4, 3, "bmp:"));
  ASSERT_EQ(Field(file32, 28, 2), 32u);
  ASSERT_TRUE(bitmap.LoadFromFile((folder_ / "argb.bmp").c_str()));
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat32);
  EXPECT_EQ(BitmapBytes(bitmap), Bgra(argb));

  // 8 bits: 256 colours, one per palette entry, so every index is used.
  const std::vector<uint32_t> many = DistinctColours(256, true);
  const std::string file8 = testsupport::ReadRaw(Make("palette", many, 16, 16, "-alpha off -type Palette bmp3:"));
  ASSERT_EQ(Field(file8, 28, 2), 8u);
  ASSERT_TRUE(bitmap.LoadFromFile((folder_ / "palette.bmp").c_str()));
  EXPECT_EQ(BitmapBytes(bitmap), Bgra(many));
  const size_t pixels8 = Field(file8, 10, 4), palette = 14 + Field(file8, 14, 4);
  const size_t at = file8.find(char(200), pixels8);
  ASSERT_NE(at, std::string::npos);
  const int32_t row = 15 - int32_t((at - pixels8) / 16), column = int32_t((at - pixels8) % 16);
  uint8_t* line = nullptr;
  bitmap.LockBits(row, &line, nullptr);
  EXPECT_EQ(Bytes(line + column * 4, line + column * 4 + 3),
            Bytes(file8.begin() + long(palette + 800), file8.begin() + long(palette + 803)))
      << "index 200 takes palette entry 200";
}

TEST_F(ImageMagickBmp, SignatureAfterOtherBytesAndDamagedFiles) {
  const std::vector<uint32_t> rgb = DistinctColours(6, true);
  const std::string whole = testsupport::ReadRaw(Make("rgb", rgb, 3, 2, "-alpha off -type TrueColor bmp3:"));
  const std::string indexed =
      testsupport::ReadRaw(Make("pal", DistinctColours(256, true), 16, 16, "-alpha off -type Palette bmp3:"));
  ASSERT_FALSE(whole.empty());
  ASSERT_FALSE(indexed.empty());
  const auto load = [](const std::string& bytes, int64_t at) {
    CStream stream;
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    stream.SetPosition(at);
    TBitmap bitmap;
    const bool loaded = bitmap.LoadFromStream(&stream);
    return std::pair{loaded, BitmapBytes(bitmap)};
  };
  const auto placed = load("junk" + whole, 4);
  EXPECT_TRUE(placed.first);
  EXPECT_EQ(placed.second.size(), 18u);
  EXPECT_EQ(placed.second[0], uint8_t(rgb[0]));

  std::string offsetPast = whole, fewColours = indexed;
  const uint32_t past = uint32_t(whole.size()) + 10;
  std::memcpy(&offsetPast[10], &past, 4);
  const uint32_t hundred = 100;  // indices up to 255 stay in the file
  std::memcpy(&fewColours[46], &hundred, 4);
  for (const std::string& bad : {whole.substr(0, whole.size() - 1), offsetPast, fewColours}) {
    testsupport::ConsoleCapture console;
    const auto result = load(bad, 0);
    EXPECT_FALSE(result.first);
    EXPECT_TRUE(result.second.empty());
    EXPECT_EQ(console.Lines().size(), 1u);
  }
}

}  // namespace

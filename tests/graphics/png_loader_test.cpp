#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "graphics/png_suite.h"
#include "support/test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Loaded {
  int32_t frames = 0;
  Bytes pixels;
};

Loaded LoadFile(const std::string& path) {
  Loaded out;
  BitmapLoader* loader = BitmapLoader_CreateFromFile(path.c_str());
  loader->IsMultiFrame();
  out.frames = loader->GetFrameCount();
  if (TBitmap* frame = loader->GetFrame(0)) {
    uint8_t* row = nullptr;
    int32_t stride = 0;
    frame->LockBits(0, &row, &stride);
    out.pixels.assign(row, row + int64_t{stride} * frame->GetHeight());
    delete frame;
  }
  delete loader;
  return out;
}

bool SuitePresent() { return std::filesystem::exists(png_suite::kFolder); }

// Interlacing changes only the order of the rows in the file.
TEST(PngLoader, InterlacedSuiteImagesEqualTheirPlainTwins) {
  if (!SuitePresent()) GTEST_SKIP() << "PngSuite (libsixel-examples) is not installed";
  int twins = 0;
  for (const png_suite::Image& e : png_suite::kImages) {
    std::string plain = e.file;
    const size_t name = plain.rfind('/') + 1;
    if (e.MustFail() || plain.compare(name, 4, "basi") != 0) continue;
    plain = "basic/" + plain.substr(name);
    plain[9] = 'n';
    const Loaded interlaced = LoadFile(png_suite::kFolder + "/" + e.file);
    ASSERT_EQ(interlaced.frames, 1) << e.file;
    EXPECT_EQ(interlaced.pixels, LoadFile(png_suite::kFolder + "/" + plain).pixels) << e.file;
    ++twins;
  }
  EXPECT_GT(twins, 10);
}

TEST(PngLoader, CorruptSuiteFilesGiveNoFramesAndOneLine) {
  if (!SuitePresent()) GTEST_SKIP() << "PngSuite (libsixel-examples) is not installed";
  for (const png_suite::Image& e : png_suite::kImages) {
    if (!e.MustFail()) continue;
    testsupport::ConsoleCapture console;
    EXPECT_EQ(LoadFile(png_suite::kFolder + "/" + e.file).frames, 0) << e.file;
    EXPECT_EQ(console.Lines().size(), 1u) << e.file;
  }
}

// Chunks are walked from the signature; `type`'s CRC is spoiled.
Bytes SpoilCrc(Bytes png, const char* type) {
  for (size_t at = 8; at + 12 <= png.size();) {
    const size_t length = size_t{png[at]} << 24 | size_t{png[at + 1]} << 16 | size_t{png[at + 2]} << 8 | png[at + 3];
    if (std::equal(type, type + 4, png.begin() + long(at) + 4)) {
      png[at + 8 + length] ^= 0x01;
      return png;
    }
    at += 12 + length;
  }
  ADD_FAILURE() << "no " << type << " chunk";
  return png;
}

TEST(PngLoader, CriticalChunkChecksumsAreCheckedAncillaryOnesNot) {
  if (!SuitePresent()) GTEST_SKIP() << "PngSuite (libsixel-examples) is not installed";
  testsupport::ScratchFolder folder;
  const Bytes original = png_suite::ReadFile(png_suite::kFolder + "/basic/basn3p08.png");
  const std::string path = folder / "x.png";
  for (const char* type : {"IHDR", "PLTE", "IDAT", "IEND", "gAMA"}) {
    const Bytes spoilt = SpoilCrc(original, type);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(spoilt.data(), 1, spoilt.size(), f);
    std::fclose(f);
    testsupport::ConsoleCapture console;
    const Loaded loaded = LoadFile(path);
    if (std::string(type) == "gAMA") {
      EXPECT_EQ(loaded.frames, 1);
    } else {
      EXPECT_EQ(loaded.frames, 0) << type;
      EXPECT_EQ(console.Lines().size(), 1u) << type;
      if (!console.Lines().empty()) {
        EXPECT_NE(console.Lines()[0].find("PNG chunk checksum wrong"), std::string::npos) << type << console.Lines()[0];
      }
    }
  }
}

}  // namespace

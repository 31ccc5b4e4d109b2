#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/bitmap/bitmap_loader.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/graphics_fixture.h"
#include "runtime/memory.h"
#include "runtime/stream.h"
#include "support/test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t at, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A BMP file of the given bit count whose byte k of file row r is
// r * 16 + k (rows bottom first unless height is negative), with a palette
// of 256 entries {i, i ^ 0xFF, 7, 0} for 8 bits.
Bytes MakeBmp(int32_t width, int32_t height, uint32_t bits) {
  const uint32_t stride = (uint32_t(width) * bits + 31) / 32 * 4;
  const uint32_t palette = bits == 8 ? 256 * 4 : 0;
  const uint32_t offset = 54 + palette;
  const uint32_t rows = uint32_t(height < 0 ? -height : height);
  Bytes b(offset + stride * rows, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 2, uint32_t(b.size()), 4);
  Put(b, 10, offset, 4);
  Put(b, 14, 40, 4);
  Put(b, 18, uint32_t(width), 4);
  Put(b, 22, uint32_t(height), 4);
  Put(b, 26, 1, 2);
  Put(b, 28, bits, 2);
  for (uint32_t i = 0; i < palette / 4; ++i) Put(b, 54 + i * 4, i | (i ^ 0xFF) << 8 | 7 << 16, 4);
  for (uint32_t r = 0; r < rows; ++r) {
    for (uint32_t k = 0; k < stride; ++k) b[offset + r * stride + k] = uint8_t(r * 16 + k);
  }
  return b;
}

// Reads bytes through a stream positioned at `at`.
bool Load(TBitmap& bitmap, const Bytes& bytes, int64_t at = 0) {
  CStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(at);
  return bitmap.LoadFromStream(&stream);
}

Bytes Row(TBitmap& bitmap, int32_t y) {
  uint8_t* row = nullptr;
  int32_t stride = 0;
  bitmap.LockBits(y, &row, &stride);
  return row == nullptr ? Bytes{} : Bytes(row, row + stride);
}

TEST(BmpRead, PaddedRowsAreStoredUnpaddedTopRowFirst) {
  TBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, MakeBmp(3, 3, 24)));  // 9 bytes a row, 12 in the file
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat24);
  EXPECT_EQ(bitmap.BytesPerRow(), 9);
  EXPECT_EQ(Row(bitmap, 0), (Bytes{32, 33, 34, 35, 36, 37, 38, 39, 40})) << "the file's last row is the top";
  EXPECT_EQ(Row(bitmap, 1)[0], 16);
  EXPECT_EQ(Row(bitmap, 2)[0], 0);

  ASSERT_TRUE(Load(bitmap, MakeBmp(2, -3, 32)));
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat32);
  EXPECT_EQ(Row(bitmap, 0), (Bytes{0, 1, 2, 3, 4, 5, 6, 7})) << "negative height: top row first, unflipped";
  EXPECT_EQ(Row(bitmap, 2)[0], 32);
}

TEST(BmpRead, EightBitIndicesTakeTheirPaletteEntry) {
  Bytes file = MakeBmp(4, 1, 8);
  file[54 + 1024] = 200;
  TBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, file));
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat32);
  const Bytes row = Row(bitmap, 0);
  EXPECT_EQ(Bytes(row.begin(), row.begin() + 4), (Bytes{200, 200 ^ 0xFF, 7, 255}));

  Put(file, 46, 100, 4);  // only 100 colours stored
  testsupport::ConsoleCapture console;
  EXPECT_FALSE(Load(bitmap, file));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(console.Lines(), std::vector<std::string>{"BMP image not read: pixel index past the palette\n"});
}

TEST(BmpRead, ImageIsReadFromWhereTheSignatureStands) {
  Bytes file = {'x', 'y', 'z'};
  const Bytes bmp = MakeBmp(1, 1, 24);
  file.insert(file.end(), bmp.begin(), bmp.end());
  TBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, file, 3));
  EXPECT_EQ(Row(bitmap, 0), (Bytes{0, 1, 2}));
  EXPECT_FALSE(Load(bitmap, file, 0)) << "no signature at the position";
  EXPECT_EQ(bitmap.GetWidth(), 0);
}

TEST(BmpRead, DamagedFilesLeaveAnEmptyBitmapAndOneLine) {
  std::vector<Bytes> bad;
  const Bytes good = MakeBmp(3, 2, 24);
  bad.push_back(Bytes(good.begin(), good.end() - 1));  // truncated
  bad.push_back(good);
  Put(bad.back(), 10, 0x7FFFFFF0, 4);  // offset past the end
  bad.push_back(good);
  Put(bad.back(), 18, uint32_t(-3), 4);  // negative width
  bad.push_back(good);
  Put(bad.back(), 22, 0x80000000u, 4);  // the most negative height
  bad.push_back(good);
  Put(bad.back(), 30, 1, 4);  // run-length compressed
  bad.push_back(good);
  Put(bad.back(), 28, 7, 2);  // bit count
  bad.push_back(good);
  Put(bad.back(), 14, 0xFFFFFFF0u, 4);  // header size
  bad.push_back(Bytes(good.begin(), good.begin() + 20));
  for (size_t i = 0; i < bad.size(); ++i) {
    testsupport::ConsoleCapture console;
    TBitmap bitmap;
    EXPECT_FALSE(Load(bitmap, bad[i])) << i;
    EXPECT_EQ(Row(bitmap, 0), Bytes{}) << i;
    EXPECT_EQ(console.Lines().size(), 1u) << i;
  }
}

TEST(BmpRead, FilesAndResources) {
  testsupport::ScratchFolder folder;
  const Bytes bmp = MakeBmp(2, 2, 32);
  const std::string path = folder / "a.bmp";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bmp.data(), 1, bmp.size(), f);
  std::fclose(f);
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.LoadFromFile(path.c_str()));
  EXPECT_EQ(bitmap.GetWidth(), 2);
  testsupport::ConsoleCapture console;
  EXPECT_FALSE(bitmap.LoadFromFile((folder / "missing.bmp").c_str()));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(console.Lines().size(), 1u);
  EXPECT_FALSE(bitmap.LoadFromResourceID(1, "BITMAP"));
  EXPECT_FALSE(bitmap.Reserved1());
}

TEST(PlatformBitmap, NewTwentyFourBitImageAndItsTexturePixels) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(kPixelFormat24);
  bitmap.SetWidth(3);
  bitmap.SetHeight(2);
  EXPECT_EQ(bitmap.BytesPerRow(), 9);
  EXPECT_EQ(Row(bitmap, 1), Bytes(9, 0));
  Row(bitmap, 0);
  uint8_t* row = nullptr;
  bitmap.LockBits(0, &row, nullptr);
  row[0] = 0x10, row[1] = 0x20, row[2] = 0x30;
  uint32_t* pixels = bitmap.Pixels32();
  EXPECT_EQ(pixels[0], 0xFF302010u);
  EXPECT_EQ(pixels[1], 0xFF000000u);
  MemoryManager::Free(pixels);

  TBitmap argb;
  ASSERT_TRUE(Load(argb, MakeBmp(1, 1, 32)));
  pixels = argb.Pixels32();
  EXPECT_EQ(pixels[0], 0x03020100u) << "alpha kept for 32 bits";
  MemoryManager::Free(pixels);

  bitmap.SetPixelFormat(kPixelFormat16);
  EXPECT_EQ(bitmap.Pixels32(), nullptr);
}

Bytes ImageBlock(int32_t w, int32_t h, uint32_t offset, size_t pixelBytes) {
  Bytes block(offset + pixelBytes, 0x5A);
  Put(block, 8, offset, 4);
  Put(block, 16, uint32_t(w), 4);
  Put(block, 20, uint32_t(h), 4);
  return block;
}

uint8_t* Owned(const Bytes& bytes) {
  auto* block = static_cast<uint8_t*>(KV_ALLOC(bytes.size(), false));
  std::memcpy(block, bytes.data(), bytes.size());
  return block;
}

TEST(PlatformBitmap, AttachImageAdoptsOnlyWholeBlocks) {
  TBitmap bitmap;
  const Bytes whole = ImageBlock(2, 1, 52, 8);
  bitmap.AttachImage(Owned(whole), uint32_t(whole.size()));
  EXPECT_EQ(bitmap.GetPixelFormat(), kPixelFormat32);
  EXPECT_EQ(Row(bitmap, 0), Bytes(8, 0x5A));
  testsupport::ConsoleCapture console;
  const Bytes shortBlock = ImageBlock(2, 1, 52, 7);
  bitmap.AttachImage(Owned(shortBlock), uint32_t(shortBlock.size()));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  const Bytes tiny(10, 0);
  bitmap.AttachImage(Owned(tiny), uint32_t(tiny.size()));
  EXPECT_EQ(console.Lines().size(), 2u);
}

TEST(PlatformBitmap, RawPixelLoaderGivesOneFrame) {
  const uint32_t pixels[2] = {0x80112233u, 0xFF445566u};
  BitmapLoader* loader = BitmapLoader_CreateFromPixels(pixels, 2, 1);
  EXPECT_FALSE(loader->IsMultiFrame());
  EXPECT_EQ(loader->GetFrameCount(), 1);
  TBitmap* frame = loader->GetFrame(0);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Row(*frame, 0), (Bytes{0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF}));
  EXPECT_EQ(loader->GetFrame(1), nullptr);
  delete frame;
  delete loader;
  testsupport::ConsoleCapture console;
  loader = BitmapLoader_CreateFromPixels(pixels, 0, 1);
  EXPECT_EQ(loader->GetFrameCount(), 0);
  delete loader;
}

}  // namespace

// The device texture made from a bitmap's pixels, read back from the GPU.
class PlatformBitmapTexture : public GraphicsTest {};

TEST_F(PlatformBitmapTexture, ThirtyTwoBitsKeepAlphaTwentyFourAreOpaque) {
  StartDevice(false);
  for (const uint32_t bits : {32u, 24u}) {
    TBitmap bitmap;
    ASSERT_TRUE(Load(bitmap, MakeBmp(2, 1, bits)));
    DeviceTexture* texture = bitmap.CopyPixels32();
    ASSERT_NE(texture, nullptr) << bits;
    const std::vector<uint32_t> pixels = Read(texture);
    ASSERT_GE(pixels.size(), 2u);
    EXPECT_EQ(pixels[0], bits == 32 ? 0x03020100u : 0xFF020100u) << bits;
    EXPECT_EQ(pixels[1], bits == 32 ? 0x07060504u : 0xFF050403u) << bits;
    Graphics::FreeTexture(texture);
  }
  TBitmap narrow;
  narrow.SetPixelFormat(kPixelFormat16);
  narrow.SetWidth(2);
  narrow.SetHeight(2);
  EXPECT_EQ(narrow.CopyPixels32(), nullptr) << "only 24 and 32 bits give a texture";
}

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <vector>

#include "graphics/bitmap/bitmap32.h"
#include "runtime/stream.h"
#include "support/test_support.h"

namespace {

CBitmap32 Patterned(int32_t w, int32_t h) {
  CBitmap32 image(w, h, 0);
  for (int32_t i = 0; i < w * h; ++i) image.GetData()->pixels[i] = 0x01000000u * uint32_t(i) + uint32_t(i * 7919);
  return image;
}

std::vector<uint32_t> Pixels(const CBitmap32& image) {
  const uint32_t* p = image.GetData()->pixels;
  return p == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(p, p + image.GetWidth() * image.GetHeight());
}

TEST(Bitmap32Stream, SaveReadsBackEqual) {
  for (const auto& size : {std::pair{1, 1}, std::pair{3, 2}, std::pair{257, 3}}) {
    const CBitmap32 image = Patterned(size.first, size.second);
    CStream stream;
    image.Save(&stream);
    stream.WriteInteger(0x5EED);
    stream.SetPosition(0);
    const CBitmap32 back(&stream);
    ASSERT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetWidth(), size.first);
    EXPECT_EQ(Pixels(back), Pixels(image));
    EXPECT_EQ(stream.ReadInteger(), 0x5EED) << "read to the record's end";
  }
  CStream stream;
  CBitmap32(CBitmap32(2, 2, 0), 5, 5, 1, 1).Save(&stream);
  EXPECT_EQ(stream.GetPosition(), 8) << "an invalid image stores its version and false";
}

// A raw record: version 800, the sizes, then `count` bytes of value 0x11.
CStream* RawRecord(int32_t w, int32_t h, int32_t count) {
  auto* stream = new CStream;
  stream->WriteInteger(800);
  stream->WriteInteger(w);
  stream->WriteInteger(h);
  stream->WriteInteger(count);
  const std::vector<uint8_t> bytes(size_t(count), 0x11);
  stream->WriteBuffer(bytes.data(), count);
  stream->WriteInteger(0x5EED);
  stream->SetPosition(0);
  return stream;
}

TEST(Bitmap32Stream, BadRecordsFailClosedAndStayInStep) {
  testsupport::ConsoleCapture console;
  CStream* shortBlock = RawRecord(2, 2, 6);
  const CBitmap32 partial(shortBlock);
  EXPECT_EQ(Pixels(partial), (std::vector<uint32_t>{0x11111111u, 0x1111u, 0, 0}));
  EXPECT_EQ(shortBlock->ReadInteger(), 0x5EED);
  CStream::Destroy(shortBlock);

  for (const auto& size : {std::pair{-1, 2}, std::pair{0, 0}, std::pair{1 << 20, 1 << 20}}) {
    CStream* lying = RawRecord(size.first, size.second, 8);
    EXPECT_FALSE(CBitmap32(lying).IsValid());
    EXPECT_EQ(lying->ReadInteger(), 0x5EED) << size.first;
    CStream::Destroy(lying);
  }

  CStream unknown;
  unknown.WriteInteger(7);
  unknown.WriteInteger(1);
  unknown.SetPosition(0);
  EXPECT_FALSE(CBitmap32(&unknown).IsValid());
  EXPECT_EQ(unknown.GetPosition(), 4);
  EXPECT_EQ(console.Lines().size(), 4u) << "one line for each refused record";
}

// A packed record whose block inflates far beyond its 2 x 2 pixels, or is
// not zlib data at all.
TEST(Bitmap32Stream, PackedBlocksInflateOnlyTheImage) {
  const std::vector<uint8_t> huge(size_t{1} << 20, 0x22);
  std::vector<uint8_t> packed(compressBound(huge.size()));
  uLongf packedSize = packed.size();
  ASSERT_EQ(compress(packed.data(), &packedSize, huge.data(), huge.size()), Z_OK);
  for (const bool damaged : {false, true}) {
    if (damaged) packed[0] ^= 0xFF;
    CStream stream;
    stream.WriteInteger(540);
    stream.WriteBoolean(true);
    stream.WriteInteger(2);
    stream.WriteInteger(2);
    stream.WriteInteger(int32_t(packedSize));
    stream.WriteBuffer(packed.data(), int64_t(packedSize));
    stream.SetPosition(0);
    const CBitmap32 image(&stream);
    EXPECT_EQ(Pixels(image), std::vector<uint32_t>(4, damaged ? 0u : 0x22222222u));
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
  }
}

// A zlib stream of `total` bytes 0x22 built by hand: one fixed-code block
// of literals and copies of 258 bytes at distance 1 (13 bits each), so a
// gibibyte takes under 7 MB and no time to make.
std::vector<uint8_t> Bomb(uint64_t total) {
  std::vector<uint8_t> out = {0x78, 0x01};
  uint32_t pending = 0;
  int bits = 0;
  const auto put = [&](uint32_t value, int count) {
    pending |= value << bits;
    for (bits += count; bits >= 8; bits -= 8, pending >>= 8) out.push_back(uint8_t(pending));
  };
  const auto code = [&](uint32_t value, int count) {  // codes go most significant bit first
    for (int i = count - 1; i >= 0; --i) put(value >> i & 1, 1);
  };
  put(1, 1);  // the last block
  put(1, 2);  // fixed codes
  const uint64_t copies = (total - 1) / 258;
  for (uint64_t i = 0; i < total - copies * 258; ++i) code(0x30 + 0x22, 8);  // literal 0x22
  for (uint64_t i = 0; i < copies; ++i) code(0xC5, 8), code(0, 5);           // length 258, distance 1
  code(0, 7);                                                                // end of block
  if (bits > 0) out.push_back(uint8_t(pending));
  const uint64_t n = total % 65521;  // Adler-32 of n bytes v: 1 + n v, and n + v n (n + 1) / 2
  const uint32_t adler = uint32_t((n + 0x22 * (n * (n + 1) / 2)) % 65521) << 16 | uint32_t((1 + n * 0x22) % 65521);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(adler >> shift));
  return out;
}

TEST(Bitmap32Stream, AGibibyteBlockInflatesOnlyTheImage) {
  // The maker checked at a mebibyte, where inflating it all is cheap.
  const std::vector<uint8_t> small = Bomb(uint64_t{1} << 20);
  std::vector<uint8_t> inflated((size_t{1} << 20) + 1, 0xEE);
  uLongf inflatedSize = inflated.size();
  ASSERT_EQ(uncompress(inflated.data(), &inflatedSize, small.data(), small.size()), Z_OK);
  EXPECT_EQ(inflatedSize, uLongf{1} << 20);
  EXPECT_EQ(inflated[0] & inflated[inflatedSize - 1], 0x22);

  const std::vector<uint8_t> bomb = Bomb(uint64_t{1} << 30);
  CStream stream;
  stream.WriteInteger(540);
  stream.WriteBoolean(true);
  stream.WriteInteger(2);
  stream.WriteInteger(2);
  stream.WriteInteger(int32_t(bomb.size()));
  stream.WriteBuffer(bomb.data(), int64_t(bomb.size()));
  stream.WriteInteger(0x5EED);
  stream.SetPosition(0);
  const CBitmap32 image(&stream);
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(Pixels(image), std::vector<uint32_t>(4, 0x22222222u));
  EXPECT_EQ(stream.ReadInteger(), 0x5EED) << "the whole block is passed over";
}

TEST(Bitmap32Colours, MergeWrapsChannelsAndSwapExchangesRedAndBlue) {
  EXPECT_EQ(GR_Color_Merge(0x000000, 0x0000FF, 2.0), 0x0000FEu) << "510 wraps to 254";
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, 2.0), 0x000001u) << "-255 wraps to 1";
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, std::nan("")), 0u);
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, HUGE_VAL), 0u);
  EXPECT_EQ(GR_Color_Swap_Red_Blue(0x80123456u), 0x80563412u);
}

}  // namespace

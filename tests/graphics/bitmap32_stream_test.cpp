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

TEST(Bitmap32Colours, MergeWrapsChannelsAndSwapExchangesRedAndBlue) {
  EXPECT_EQ(GR_Color_Merge(0x000000, 0x0000FF, 2.0), 0x0000FEu) << "510 wraps to 254";
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, 2.0), 0x000001u) << "-255 wraps to 1";
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, std::nan("")), 0u);
  EXPECT_EQ(GR_Color_Merge(0x0000FF, 0x000000, HUGE_VAL), 0u);
  EXPECT_EQ(GR_Color_Swap_Red_Blue(0x80123456u), 0x80563412u);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "graphics/texture/texture_blocks.h"

#ifdef KV_HAVE_ETC1
#include <android/ETC1/etc1.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

// ---- ETC1 ----

Bytes Etc1Decode(const Bytes& blocks, uint32_t w, uint32_t h, int32_t* result) {
  Bytes out(size_t{w} * h * 4 + 16, 0xEE);
  *result = ETC1_Decompress(blocks.data(), blocks.size(), w, h, out.data());
  for (size_t i = size_t{w} * h * 4; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE) << "written past the image";
  out.resize(size_t{w} * h * 4);
  return out;
}

// A differential block of one colour per half, every pixel index 0 (+a).
Bytes DifferentialBlock(uint8_t red) { return {red, 0, 0, 0x02, 0, 0, 0, 0}; }

TEST(Etc1, DifferentialSecondColourWrapsModulo256) {
  int32_t result = 0;
  Bytes image = Etc1Decode(DifferentialBlock(0x04), 4, 4, &result);  // base 0, delta -4
  EXPECT_EQ(result, 8);
  EXPECT_EQ(image[0], 2) << "left half: base 0 plus modifier 2";
  EXPECT_EQ(image[3 * 4], 31 + 2) << "right half: 0 - 4 widens to 31";
  EXPECT_EQ(image[3], 255);
  image = Etc1Decode(DifferentialBlock(0xFB), 4, 4, &result);  // base 31, delta +3
  EXPECT_EQ(image[0], 255) << "clamped";
  EXPECT_EQ(image[3 * 4], 24 + 2);
}

TEST(Etc1, SmallAndOddSizesUseWholeBlocksWithoutOverrun) {
  Bytes block = {0x4C, 0x8E, 0x1A, 0xE0, 0x5A, 0xA5, 0x0F, 0xF0};
  int32_t result = 0;
  const Bytes whole = Etc1Decode(block, 4, 4, &result);
  const Bytes corner = Etc1Decode(block, 2, 2, &result);
  EXPECT_EQ(result, 8);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(corner[size_t(y * 8 + x)], whole[size_t(y * 16 + x)]);
  }
  Etc1Decode(block, 0, 0, &result);
  EXPECT_EQ(result, 8);
  Bytes four(32, 0x33);
  Etc1Decode(four, 6, 6, &result);
  EXPECT_EQ(result, 32) << "6 x 6 occupies 2 x 2 blocks";
  Bytes short3(24, 0x33);
  const Bytes untouched = Etc1Decode(short3, 6, 6, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(untouched, Bytes(6 * 6 * 4, 0xEE)) << "a short source writes nothing";
  EXPECT_EQ(ETC1_Decompress(four.data(), four.size(), 0xFFFFFFFFu, 0xFFFFFFFFu, nullptr), 0);
}

#ifdef KV_HAVE_ETC1
Bytes ReferenceRgba(const Bytes& blocks, uint32_t w, uint32_t h) {
  Bytes rgb(size_t{w} * h * 3);
  etc1_decode_image(blocks.data(), rgb.data(), w, h, 3, w * 3);
  Bytes rgba;
  for (size_t i = 0; i < rgb.size(); i += 3) rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  return rgba;
}

TEST(Etc1, MatchesTheReferenceCodecOnEncodedImages) {
  std::mt19937 random(7);
  const uint32_t sizes[][2] = {{4, 4}, {8, 4}, {16, 16}, {6, 6}, {2, 2}};
  for (const auto& size : sizes) {
    const uint32_t w = size[0], h = size[1];
    Bytes rgb(size_t{w} * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(random() % 256 / 2 + 40 * (i % 3));
    Bytes blocks(etc1_get_encoded_data_size(w, h));
    ASSERT_EQ(etc1_encode_image(rgb.data(), w, h, 3, w * 3, blocks.data()), 0);
    int32_t result = 0;
    EXPECT_EQ(Etc1Decode(blocks, w, h, &result), ReferenceRgba(blocks, w, h)) << w << "x" << h;
    EXPECT_EQ(result, int32_t(blocks.size()));
  }
}

TEST(Etc1, MatchesTheReferenceCodecOnRandomBlocks) {
  std::mt19937 random(11);
  for (int n = 0; n < 500; ++n) {
    Bytes block(8);
    for (auto& b : block) b = uint8_t(random());
    if ((block[3] & 2) != 0) {
      for (int c = 0; c < 3; ++c) {  // keep base + delta within 0..31
        const int base = block[c] >> 3, delta = (block[c] & 3) - (block[c] & 4);
        if (base + delta < 0 || base + delta > 31) block[size_t(c)] &= 0xF8;
      }
    }
    int32_t result = 0;
    ASSERT_EQ(Etc1Decode(block, 4, 4, &result), ReferenceRgba(block, 4, 4)) << "block " << n;
  }
}
#else
TEST(Etc1, MatchesTheReferenceCodec) { GTEST_SKIP() << "android-libetc1-dev is not installed"; }
#endif

// ---- PVRTC ----

struct Rgb5 {
  uint32_t r, g, b;
};

// An opaque colour word: colour A keeps the top 4 bits of its blue.
uint32_t OpaqueColours(Rgb5 a, Rgb5 b, uint32_t modeBit) {
  const uint32_t fieldA = 0x8000 | a.r << 10 | a.g << 5 | (a.b >> 1) << 1;
  const uint32_t fieldB = 0x8000 | b.r << 10 | b.g << 5 | b.b;
  return fieldA | fieldB << 16 | modeBit;
}

void PutBlock(Bytes& source, uint32_t index, uint32_t modulation, uint32_t colours) {
  for (int i = 0; i < 4; ++i) {
    source[index * 8 + size_t(i)] = uint8_t(modulation >> (8 * i));
    source[index * 8 + 4 + size_t(i)] = uint8_t(colours >> (8 * i));
  }
}

Bytes Pvrtc(const Bytes& source, bool twoBpp, int32_t w, int32_t h) {
  Bytes out(size_t(w > 0 ? w : 0) * size_t(h > 0 ? h : 0) * 4 + 4, 0xEE);
  PVRTC_Decompress(source.data(), source.size(), twoBpp ? 1 : 0, w, h, out.data());
  return out;
}

TEST(Pvrtc, SizesAndSourceLengthsThatCannotBeDecodedWriteNothing) {
  const Bytes blocks(32, 0x55);
  EXPECT_EQ(Pvrtc(blocks, false, 0, 4), Bytes(4, 0xEE));
  EXPECT_EQ(Pvrtc(blocks, false, 6, 4), Bytes(6 * 4 * 4 + 4, 0xEE)) << "not a power of two";
  EXPECT_EQ(Pvrtc(Bytes(31, 0x55), false, 4, 4), Bytes(4 * 4 * 4 + 4, 0xEE)) << "4 x 4 needs 2 x 2 blocks";
  const Bytes decoded = Pvrtc(blocks, false, 4, 4);
  EXPECT_NE(decoded[0], 0xEE);
  EXPECT_EQ(decoded[64], 0xEE);
}

TEST(Pvrtc, CornerPixelWeighsTheFourWrappedBlocksEqually) {
  Bytes source(4 * 8);
  const uint32_t reds[4] = {0, 8, 16, 24};
  for (uint32_t i = 0; i < 4; ++i) PutBlock(source, i, 0, OpaqueColours({reds[i], 0, 0}, {31, 31, 31}, 0));
  const Bytes image = Pvrtc(source, false, 8, 8);
  EXPECT_EQ(image[0], (12 << 3) + (12 >> 2)) << "the mean red 12 widened";
  EXPECT_EQ(image[3], 255);
}

TEST(Pvrtc, PunchThroughValueTwoIsTransparentAndHalfway) {
  Bytes source(4 * 8);
  for (uint32_t i = 0; i < 4; ++i) PutBlock(source, i, 0xAAAAAAAA, OpaqueColours({0, 0, 0}, {31, 31, 31}, 1));
  const Bytes image = Pvrtc(source, false, 8, 8);
  EXPECT_EQ(image[0], 255 * 4 / 8);
  EXPECT_EQ(image[2], 255 * 4 / 8);
  EXPECT_EQ(image[3], 0);
}

TEST(Pvrtc, TwoBppModeZeroGivesOnlyTheEndColours) {
  std::mt19937 random(3);
  Bytes source(4 * 8);
  for (uint32_t i = 0; i < 4; ++i) PutBlock(source, i, uint32_t(random()), OpaqueColours({0, 0, 0}, {31, 31, 31}, 0));
  const Bytes image = Pvrtc(source, true, 16, 8);
  for (size_t i = 0; i < 16 * 8 * 4; i += 4) ASSERT_TRUE(image[i] == 0 || image[i] == 255) << i;
}

TEST(Pvrtc, UniformBlocksGiveAUniformImageAtBothRatesAndOrders) {
  std::mt19937 random(5);
  for (int rate = 0; rate < 2; ++rate) {
    for (uint32_t linear = 0; linear < 2; ++linear) {
      g_pvrtcLinearBlocks = linear;
      const uint32_t colours = uint32_t(random()) & ~uint32_t{1};
      Bytes source(16 * 8);
      for (uint32_t i = 0; i < 16; ++i) PutBlock(source, i, 0, colours);
      const Bytes image = Pvrtc(source, rate == 1, 16, 16);
      for (size_t i = 0; i < 16 * 16 * 4; ++i) ASSERT_EQ(image[i], image[i % 4]) << rate << linear << i;
    }
  }
  g_pvrtcLinearBlocks = 0;
}

TEST(Pvrtc, RowMajorBlocksWithTheSwitchMatchTwiddledBlocks) {
  std::mt19937 random(9);
  const uint32_t gw = 8, gh = 2;  // 32 x 8 pixels at 4 bpp
  Bytes rowMajor(gw * gh * 8), twiddled(gw * gh * 8);
  for (uint32_t by = 0; by < gh; ++by) {
    for (uint32_t bx = 0; bx < gw; ++bx) {
      const uint32_t m = uint32_t(random()), c = uint32_t(random());
      PutBlock(rowMajor, by * gw + bx, m, c);
      PutBlock(twiddled, PVRTC_BlockIndex(gw, gh, by, bx), m, c);
    }
  }
  const Bytes fromTwiddled = Pvrtc(twiddled, false, 32, 8);
  g_pvrtcLinearBlocks = 1;
  const Bytes fromRowMajor = Pvrtc(rowMajor, false, 32, 8);
  g_pvrtcLinearBlocks = 0;
  EXPECT_EQ(fromTwiddled, fromRowMajor);
}

TEST(Pvrtc, TwiddledBlockIndexInterleavesTheShorterSide) {
  EXPECT_EQ(PVRTC_BlockIndex(4, 4, 1, 0), 1u);
  EXPECT_EQ(PVRTC_BlockIndex(4, 4, 0, 1), 2u);
  EXPECT_EQ(PVRTC_BlockIndex(4, 2, 1, 3), 7u);
  EXPECT_EQ(PVRTC_BlockIndex(2, 4, 3, 1), 7u);
  EXPECT_EQ(PVRTC_BlockIndex(0xFFFFFFFFu, 0xFFFFFFFFu, 1, 1), 3u) << "no shift of 32 or more";
}

// ---- buffer helpers ----

TEST(TextureBuffers, PowerOfTwoAndMortonOrder) {
  EXPECT_EQ(Texture_IsPowerOfTwo(0), 0u);
  EXPECT_EQ(Texture_IsPowerOfTwo(1), 1u);
  EXPECT_EQ(Texture_IsPowerOfTwo(6), 0u);
  EXPECT_EQ(Texture_IsPowerOfTwo(0x80000000u), 1u);
  uint32_t index = 0, u = 0, v = 0;
  Morton_Interleave(&index, 1, 0);
  EXPECT_EQ(index, 2u);
  Morton_Interleave(&index, 0x1234, 0xABCD);
  Morton_Deinterleave(&u, &v, index);
  EXPECT_EQ(u, 0x1234u);
  EXPECT_EQ(v, 0xABCDu);
}

TEST(TextureBuffers, FillTiledRepeatsTheTileInBothOrders) {
  Bytes dest(8, 0);
  const Bytes pair = {'a', 'b'};
  Texture_FillTiled(dest.data(), 4, 2, pair.data(), 2, 1, 1, false);
  EXPECT_EQ(std::string(dest.begin(), dest.end()), "abababab");
  Texture_FillTiled(dest.data(), 4, 2, pair.data(), 0, 1, 1, false);
  EXPECT_EQ(std::string(dest.begin(), dest.end()), "abababab") << "a zero tile does nothing";
  Bytes square(16, 0);
  const Bytes tile = {'0', '1', '2', '3'};
  Texture_FillTiled(square.data(), 4, 4, tile.data(), 2, 2, 1, true);
  EXPECT_EQ(std::string(square.begin(), square.end()), "0123012301230123");
}

TEST(TextureBuffers, CreateBufferCountsTheMipChainAndRefusesHugeSizes) {
  TextureBufferHeader* chain = Texture_CreateBuffer(4, 1, 1, 1, 8, true);
  ASSERT_NE(chain, nullptr);
  EXPECT_EQ(chain->headerSize, 52u);
  EXPECT_EQ(chain->dataSize, 7u);
  EXPECT_EQ(chain->width, 4u);
  EXPECT_EQ(chain->one, 1u);
  std::free(chain);
  TextureBufferHeader* level = Texture_CreateBuffer(4, 1, 1, 1, 8, false);
  EXPECT_EQ(level->dataSize, 4u);
  std::free(level);
  EXPECT_EQ(Texture_CreateBuffer(65536, 65536, 1, 1, 32, false), nullptr);
  EXPECT_EQ(Texture_CreateBuffer(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, true), nullptr);
}

}  // namespace

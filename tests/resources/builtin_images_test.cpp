#include "resources/builtin_images.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/bitmap/image_decode.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

uint32_t Word(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

TEST(BuiltinImages, TableLayoutAndDdsHeaders) {
  const uint8_t* t = g_builtinImageTable;
  ASSERT_EQ(Word(t), 17u);
  EXPECT_EQ(Word(t + 8), 0x100u);
  uint32_t expectedOffset = 0x100;
  for (int i = 0; i < 17; ++i) {
    uint32_t size = Word(t + 4 + 8 * i), offset = Word(t + 8 + 8 * i);
    EXPECT_EQ(offset, expectedOffset) << i;
    expectedOffset += size;
    if (i < 15) {
      EXPECT_EQ(size, 4224u) << i;
    }
    const uint8_t* image = t + offset;
    if (i <= 15) {
      EXPECT_EQ(std::memcmp(image, "DDS ", 4), 0);
      EXPECT_EQ(std::memcmp(image + 84, "DXT5", 4), 0);
      EXPECT_EQ(Word(image + 12), i == 15 ? 128u : 64u);
      EXPECT_EQ(Word(image + 16), i == 15 ? 256u : 64u);
    }
  }
  EXPECT_EQ(Word(t + 4 + 8 * 15), 32896u);
  EXPECT_EQ(std::memcmp(t + Word(t + 8 + 8 * 16), "\x89PNG", 4), 0);
  EXPECT_EQ(expectedOffset, g_builtinImageTableSize);
}

TEST(BuiltinImages, DiskIsOpaqueInTheMiddleAndClearAtTheCorners) {
  EmbeddedImage_SetTable(g_builtinImageTable, g_builtinImageTableSize);
  uint32_t size = 0;
  const uint8_t* data = EmbeddedImage_Data(2, &size);  // shape 1, the disk
  DecodedImage disk = Image_Decode(data, size, 0);
  ASSERT_NE(disk.pixels, nullptr);
  ASSERT_EQ(disk.width, 64);
  EXPECT_EQ(disk.pixels[32 * 64 + 32], 0xFFFFFFFFu);
  for (int at : {0, 63, 63 * 64, 64 * 64 - 1}) EXPECT_EQ(disk.pixels[at] >> 24, 0u) << at;
  MemoryManager::Free(disk.pixels);

  DecodedImage loading = Image_Decode(EmbeddedImage_Data(16, &size), size, 0);
  EXPECT_NE(loading.pixels, nullptr);
  MemoryManager::Free(loading.pixels);
}

class BuiltinImageTextures : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(true); }
  void TearDown() override {
    EmbeddedImage_SetTable(g_builtinImageTable, g_builtinImageTableSize);
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
};

// An entry gives its image and a texture of its size; an index past the
// table, or an entry pointing past its end, gives nothing.
TEST_F(BuiltinImageTextures, AnEntryGivesItsImageOrNothing) {
  EmbeddedImage_SetTable(g_builtinImageTable, g_builtinImageTableSize);
  uint32_t size = 99;
  EXPECT_EQ(EmbeddedImage_Data(1, &size), g_builtinImageTable + Word(g_builtinImageTable + 16));
  EXPECT_EQ(size, 4224u);
  const int32_t texture = EmbeddedImage_CreateTexture(1);
  ASSERT_TRUE(GR_Texture_Exists(texture));
  EXPECT_EQ(GR_Texture_Entry(texture)->width, 64);
  EXPECT_EQ(EmbeddedImage_Data(17, &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(EmbeddedImage_CreateTexture(17), -1);
  uint8_t bad[16] = {1, 0, 0, 0, 200, 0, 0, 0, 8, 0, 0, 0};
  EmbeddedImage_SetTable(bad, sizeof bad);
  EXPECT_EQ(EmbeddedImage_Data(0, &size), nullptr);
  EXPECT_EQ(EmbeddedImage_CreateTexture(0), -1);
}

}  // namespace

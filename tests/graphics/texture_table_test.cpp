// The texture table on the recording device: slots, used fractions, failed
// creations, and the handles scripts use for texture-page images.
#include <vector>

#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"

namespace {

class TextureTable : public GraphicsTest {
 protected:
  void SetUp() override { StartDevice(true); }
  void TearDown() override {
    GR_Texture_Quit();
    g_texturePages.clear();
    GraphicsTest::TearDown();
  }
};

TEST_F(TextureTable, FreedSlotIsTakenByTheNextCreation) {
  const int32_t a = GR_Texture_Create(16, 16, false), b = GR_Texture_Create(16, 16, false);
  const int32_t c = GR_Texture_Create(16, 16, true);
  EXPECT_EQ((std::vector<int32_t>{a, b, c}), (std::vector<int32_t>{0, 1, 2}));
  GR_Texture_Free(b);
  EXPECT_FALSE(GR_Texture_Exists(b));
  EXPECT_EQ(GR_Texture_Create(8, 8, false), 1);
  EXPECT_EQ(GR_Texture_Count(), 3);
  GR_Texture_Free_All();
  EXPECT_EQ(GR_Texture_Count(), 0);
  EXPECT_EQ(Graphics::TextureList(), Graphics::ScreenTexture());
}

TEST_F(TextureTable, UsedFractionFollowsTheDeviceSizeOnThePixelPath) {
  std::vector<uint32_t> pixels(100 * 20, 0xFF00FF00u);
  const int32_t i = GR_Texture_Create_From_Pixels(100, 20, pixels.data(), 100 * 20 * 4);
  ASSERT_GE(i, 0);
  EXPECT_EQ(GR_Texture_Get_Width(i), 0.78125f);
  EXPECT_EQ(GR_Texture_Get_Height(i), 20.0f / 64.0f);
  // A render target is made at its exact size, so all of it is used.
  const int32_t target = GR_Texture_Create(100, 20, true);
  EXPECT_EQ(GR_Texture_Get_Width(target), 1.0f);
  const int32_t wrapped = GR_Texture_Add_Device_Texture(Graphics::CreateTexture(8, 8, 1, false, 6), 6, 4);
  EXPECT_EQ(GR_Texture_Entry(wrapped)->inverseWidth, 1.0f / 6);
}

TEST_F(TextureTable, BadIndicesReadAsDefaultsAndChangeNothing) {
  const int32_t freed = GR_Texture_Create(8, 8, false);
  GR_Texture_Free(freed);
  FakeGraphics_Log().Clear();
  for (int32_t index : {-1, freed, 7, 0x40000000}) {
    EXPECT_FALSE(GR_Texture_Exists(index));
    EXPECT_EQ(GR_Texture_Get_Device_Texture(index), nullptr);
    EXPECT_EQ(GR_Texture_Get_Width(index), 1.0f);
    EXPECT_EQ(GR_Texture_Get_Height(index), 1.0f);
    GR_Texture_Preload(index);
    GR_Texture_Set_Priority(index, 3);
    GR_Texture_Free(index);
  }
  EXPECT_TRUE(FakeGraphics_Log().calls.empty());
}

TEST_F(TextureTable, FailedCreationsReturnMinusOneAndLeaveTheSlotFree) {
  const int32_t kept = GR_Texture_Create(8, 8, false);
  FakeGraphics_Log().Fail("CreateTexture");
  EXPECT_EQ(GR_Texture_Create(8, 8, false), -1);
  const uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(GR_Texture_Create_From_Memory(garbage, sizeof garbage), -1);
  EXPECT_EQ(GR_Texture_Load_From_Memory(garbage, 3), -1);
  EXPECT_EQ(GR_Texture_Create_From_Pixels(2, 2, garbage, sizeof garbage), -1);
  // A glyph whose upload fails gives its new slot back.
  const uint8_t coverage[4] = {0, 64, 128, 255};
  FakeGraphics_Log().Fail("LockRect");
  EXPECT_EQ(GR_Texture_Create_From_Alpha(2, 2, coverage), -1);
  EXPECT_EQ(GR_Texture_Create_From_Alpha(2, 2, nullptr), -1);
  EXPECT_EQ(GR_Texture_Create_From_Alpha(100000, 100000, coverage), -1);
  EXPECT_EQ(GR_Texture_Add_Device_Texture(nullptr, 4, 4), -1);
  for (int32_t i = 0; i < GR_Texture_Count(); ++i) EXPECT_EQ(GR_Texture_Exists(i), i == kept) << i;
  EXPECT_EQ(GR_Texture_Create_From_Alpha(2, 2, coverage), 1);
}

TEST_F(TextureTable, PageHandlesNameOnlyExistingRecords) {
  g_texturePages.assign(3, TexturePage{});
  const int32_t texture = GR_Texture_Create(8, 8, false);
  g_texturePages[1].page = static_cast<int16_t>(texture);
  g_texturePages[2].page = 40;
  EXPECT_EQ(GR_TexturePage_Handle(1), 0x40000001);
  EXPECT_EQ(GR_TexturePage_Handle(3), -1);
  EXPECT_EQ(GR_TexturePage_Handle(-1), -1);
  EXPECT_EQ(GR_TexturePage_FromHandle(0x40000001), &g_texturePages[1]);
  for (int64_t bad : {int64_t{0}, int64_t{1}, int64_t{-1}, int64_t{0x40000003}, int64_t{0x3FFFFFFF},
                      int64_t{0x140000001}, INT64_MIN}) {
    EXPECT_EQ(GR_TexturePage_FromHandle(bad), nullptr) << bad;
  }
  DeviceTexture* device = GR_Texture_Get_Device_Texture(texture);
  EXPECT_EQ(GR_Texture_From_Script(texture), device);
  EXPECT_EQ(GR_Texture_From_Script(0x40000001), device);
  EXPECT_EQ(GR_Texture_From_Script(0x40000002), nullptr);  // names a texture that does not exist
  EXPECT_EQ(GR_Texture_From_Script(0x40000007), nullptr);
  EXPECT_EQ(GR_Texture_From_Script(-4), nullptr);
}

}  // namespace

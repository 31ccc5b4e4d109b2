// Sprite drawing seen in the vertex batch of the recording device.
#include <cmath>
#include <memory>

#include "gamefile/image_builder.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "resources/sprite.h"
#include "resources/texture_pages.h"

namespace {

std::unique_ptr<TBitmap> Solid(int32_t w, int32_t h, uint8_t red) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  bitmap->LockBits(0, &row, nullptr);
  for (int32_t i = 0; i < w * h; ++i) row[i * 4 + 2] = red, row[i * 4 + 3] = 0xFF;
  return bitmap;
}

class SpriteDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
    g_currentViewRect[0] = g_currentViewRect[1] = 0;
    g_currentViewRect[2] = g_currentViewRect[3] = 100;
    // Four frames of 4 x 4, each its own texture.
    sprite_.CreateFromBitmap(Solid(4, 4, 1).get(), false, false, false, true, 0, 0, 0);
    for (uint8_t red = 2; red <= 4; ++red) sprite_.AddFrameFromBitmap(Solid(4, 4, red).get(), 0);
  }
  void TearDown() override {
    sprite_.Reset();
    TexturePage_Clear();
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  int32_t Count() const { return Graphics::PendingBatch().count; }
  const DeviceTexture* Texture() const { return Graphics::PendingBatch().texture; }
  void Clear() { Graphics::ResetVertexBuffers(); }
  CSprite sprite_;
};

TEST_F(SpriteDrawing, FramesWrapAndEachFrameHasItsTexture) {
  ASSERT_EQ(sprite_.frameCount, 4);
  ASSERT_EQ(sprite_.textures.length, 4);
  for (int32_t i = 0; i < 4; ++i) ASSERT_GE(sprite_.textures[i], 0);
  EXPECT_EQ(sprite_.radius, 6);
  sprite_.DrawSimple(-1, 50, 50);
  ASSERT_EQ(Count(), 6);
  EXPECT_EQ(Texture(), GR_Texture_Get_Device_Texture(sprite_.textures[3]));
  Clear();
  sprite_.Draw(9, 50, 50, 1, 1, 0, 0xFFFFFF, 1);
  EXPECT_EQ(Texture(), GR_Texture_Get_Device_Texture(sprite_.textures[1]));
  EXPECT_EQ(sprite_.TextureOfFrame(-5), sprite_.textures[3]);
  CSprite empty;
  EXPECT_EQ(empty.TextureOfFrame(0), -1);
  Clear();
  empty.DrawSimple(0, 50, 50);
  empty.Draw(0, 50, 50, 1, 1, 0, 0, 1);
  EXPECT_EQ(Count(), 0);
}

TEST_F(SpriteDrawing, SpritesOutOfReachOfTheDrawnAreaAreSkipped) {
  sprite_.DrawSimple(0, -6, 50);  // six to the left: within the radius
  EXPECT_EQ(Count(), 6);
  Clear();
  sprite_.DrawSimple(0, -7, 50);
  sprite_.DrawSimple(0, 50, 107);
  EXPECT_EQ(Count(), 0);
  g_orthoProjection = 1;
  sprite_.DrawSimple(0, -7, 50);
  EXPECT_EQ(Count(), 6);
  g_orthoProjection = 0;
  Clear();
  g_drawState.currentTarget = 2;
  sprite_.DrawSimple(0, -7, 50);
  EXPECT_EQ(Count(), 6) << "a surface target is never skipped";
  g_drawState.currentTarget = -1;
  Clear();

  // The scaled reach: radius 6 at xscale -2 reaches 12.
  sprite_.Draw(0, -12, 50, -2, 1, 0, 0xFFFFFF, 1);
  EXPECT_GT(Count(), 0);
  Clear();
  sprite_.Draw(0, -13, 50, -2, 1, 0, 0xFFFFFF, 1);
  EXPECT_EQ(Count(), 0);
  g_3dMode = 1;
  sprite_.Draw(0, -500, 50, 1, 1, 0, 0xFFFFFF, 1);
  EXPECT_GT(Count(), 0);
  g_3dMode = 0;
  Clear();
  // The general form reaches separately along each axis.
  sprite_.DrawGeneral(0, 0, 0, 4, 4, 50, -12, 1, 2, 0, 0, 0, 0, 0, 1);
  EXPECT_GT(Count(), 0);
  Clear();
  sprite_.DrawGeneral(0, 0, 0, 4, 4, -12, 50, 1, 2, 0, 0, 0, 0, 0, 1);
  EXPECT_EQ(Count(), 0);
}

TEST_F(SpriteDrawing, StretchedDrawsNeedAPositiveSizeAndPositionsNeedPages) {
  sprite_.DrawStretched(0, 10, 10, 0, 8, 0xFFFFFF, 1);
  sprite_.DrawStretched(0, 10, 10, 8, -1, 0xFFFFFF, 1);
  sprite_.DrawStretched(0, 10, 10, NAN, 8, 0xFFFFFF, 1);
  EXPECT_EQ(Count(), 0);
  sprite_.DrawStretched(0, 10, 10, 8, 2, 0xFFFFFF, 1);
  ASSERT_GT(Count(), 0);
  const TexVertex* v = reinterpret_cast<const TexVertex*>(Graphics::PendingBatch().scratch);
  float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (int32_t i = 0; i < Count(); ++i) {
    left = std::fmin(left, v[i].x), top = std::fmin(top, v[i].y);
    right = std::fmax(right, v[i].x), bottom = std::fmax(bottom, v[i].y);
  }
  EXPECT_EQ(right - left, 8);
  EXPECT_EQ(bottom - top, 2);
  Clear();
  sprite_.DrawPos(0, 0, 0, 4, 0, 4, 4, 0, 4, 0xFFFFFFFF, 1);
  EXPECT_EQ(Count(), 0) << "run-time sprites have no pages";
}

// A game-file sprite whose two frames lie on one TPAG page each.
TEST_F(SpriteDrawing, PagedSpritesDrawTheirPageRecordsAndCopiesShareThem) {
  const int32_t texture = GR_Texture_Create(16, 16, false);
  ImageBuilder b;
  const size_t at = b.Chunk("TPAG");
  const size_t data = b.Here();
  b.U32(2);
  const size_t table = b.Here();
  b.U32(0).U32(0);
  for (int i = 0; i < 2; ++i) {
    b.Patch(table + 4 * i, uint32_t(b.Here()));
    const int16_t fields[11] = {int16_t(i * 4), 0, 4, 4, 0, 0, 4, 4, 4, 4, int16_t(texture)};
    for (int16_t f : fields) b.bytes.push_back(uint8_t(f)), b.bytes.push_back(uint8_t(f >> 8));
  }
  b.EndChunk(at);
  const uint32_t first = uint32_t(table + 8);
  const uint32_t second = first + 22;
  GameImage image = b.Finish();
  ASSERT_TRUE(TexturePage_Load(image, data, uint32_t(image.Size() - data)));

  CSprite paged;
  paged.frameCount = 2;
  paged.width = paged.height = 4;
  paged.hasPages = 1;
  paged.pages.SetLength(2);
  paged.pages[0] = first;
  paged.pages[1] = second;
  CSprite copy;
  copy.Assign(&paged);
  ASSERT_EQ(copy.PageOfFrame(-1), TexturePage_AtOffset(second));
  EXPECT_EQ(copy.textures.length, 0) << "pages need no textures of their own";
  copy.DrawPos(1, 0, 0, 4, 0, 4, 4, 0, 4, 0xFFFFFFFF, 0.5f);
  ASSERT_EQ(Count(), 6);
  const TexVertex* v = reinterpret_cast<const TexVertex*>(Graphics::PendingBatch().scratch);
  EXPECT_EQ(v[0].colour >> 24, 127u);
  EXPECT_EQ(g_drawState.alpha, 255u);
  EXPECT_EQ(copy.TextureOfFrame(1), GR_TexturePage_Handle(1));
  Clear();
  copy.DrawTiled(0, 0, 0, 1, 1, true, false, 0, 0, 16, 4, 0xFFFFFF, 1);
  EXPECT_EQ(Count(), 24) << "four tiles across";
}

}  // namespace

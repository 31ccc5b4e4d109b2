// Background drawing and rebuilding seen in the vertex batch of the
// recording device.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gamefile/image_builder.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"
#include "resources/background.h"
#include "resources/texture_pages.h"

namespace {

class BackgroundDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
    Background_Init();
    pageTexture_ = GR_Texture_Create(32, 32, false);
    ASSERT_GE(pageTexture_, 0);
  }
  void TearDown() override {
    Background_Shutdown();
    TexturePage_Clear();
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  // A TPAG chunk of one 20 x 10 image and a BGND chunk of one background
  // drawn from it.
  void LoadFileBackground() {
    ImageBuilder b;
    size_t at = b.Chunk("TPAG");
    const size_t pages = b.Here();
    b.U32(1).U32(static_cast<uint32_t>(b.Here() + 4));
    const uint32_t record = static_cast<uint32_t>(b.Here());
    const int16_t fields[11] = {0, 0, 20, 10, 0, 0, 20, 10, 20, 10, static_cast<int16_t>(pageTexture_)};
    for (int16_t f : fields) {
      b.bytes.push_back(static_cast<uint8_t>(f));
      b.bytes.push_back(static_cast<uint8_t>(f >> 8));
    }
    b.EndChunk(at);
    const uint32_t pagesSize = static_cast<uint32_t>(b.Here() - pages);
    at = b.Chunk("BGND");
    const size_t data = b.Here();
    b.U32(1).U32(static_cast<uint32_t>(b.Here() + 4));
    const uint32_t nameAt = static_cast<uint32_t>(b.Here() + 20);
    b.U32(nameAt).U32(0).U32(0).U32(0).U32(record);
    b.Text("bg");
    b.EndChunk(at);
    const uint32_t size = static_cast<uint32_t>(b.Here() - data);
    image_ = b.Finish();
    ASSERT_TRUE(TexturePage_Load(image_, pages, pagesSize));
    ASSERT_TRUE(Background_Load(image_, data, size));
  }
  const VertexBatch& Batch() const { return Graphics::PendingBatch(); }
  const TexVertex* Vertices() const { return reinterpret_cast<const TexVertex*>(Batch().scratch); }

  GameImage image_;
  int32_t pageTexture_ = -1;
};

// Every form, drawn once each.
std::vector<std::function<void(const CBackground&)>> DrawingForms() {
  return {
      [](const CBackground& b) { b.DrawSimple(1, 2); },
      [](const CBackground& b) { b.Draw(1, 2, 2, 2, 30, 0xFFFFFF, 1); },
      [](const CBackground& b) { b.DrawStretched(1, 2, 40, 5, 0xFFFFFF, 1); },
      [](const CBackground& b) { b.DrawPart(2, 2, 4, 4, 1, 2, 1, 1, 0xFFFFFF, 1); },
      [](const CBackground& b) { b.DrawGeneral(2, 2, 4, 4, 1, 2, 1, 1, 45, 1, 2, 3, 4, 1); },
      [](const CBackground& b) { b.DrawTiled(0, 0, 1, 1, true, false, 0, 0, 30, 10, 0xFFFFFF, 1); },
  };
}

TEST_F(BackgroundDrawing, FileBackgroundsDrawThroughTheirPageAndOthersThroughTheirTexture) {
  LoadFileBackground();
  const CBackground& file = *Background_Get(0);
  CBackground& plain = *Background_Get(Background_AddEmpty());
  plain.CreateColor(8, 4, 0x0000FF, false);
  ASSERT_GE(plain.GetTextureId(), 0);
  EXPECT_EQ(file.GetTexture(), GR_TexturePage_Handle(0));
  EXPECT_EQ(plain.GetTexture(), plain.GetTextureId());
  const DeviceTexture* pageDevice = GR_Texture_Get_Device_Texture(pageTexture_);
  const DeviceTexture* plainDevice = GR_Texture_Get_Device_Texture(plain.GetTextureId());
  int form = 0;
  for (const auto& draw : DrawingForms()) {
    Graphics::ResetVertexBuffers();
    draw(file);
    EXPECT_GT(Batch().count, 0) << "form " << form;
    EXPECT_EQ(Batch().texture, pageDevice) << "form " << form;
    Graphics::ResetVertexBuffers();
    draw(plain);
    EXPECT_GT(Batch().count, 0) << "form " << form;
    EXPECT_EQ(Batch().texture, plainDevice) << "form " << form;
    ++form;
  }
}

TEST_F(BackgroundDrawing, StretchedDrawingScalesToTheTargetAndSkipsEmptySizes) {
  CBackground& b = *Background_Get(Background_AddEmpty());
  b.CreateColor(8, 4, 0xFFFFFF, false);
  b.DrawStretched(0, 0, 16, 12, 0xFFFFFF, 1);
  ASSERT_GT(Batch().count, 0);
  float right = Vertices()[0].x, bottom = Vertices()[0].y, left = right, top = bottom;
  for (int32_t i = 0; i < Batch().count; ++i) {
    right = std::max(right, Vertices()[i].x), left = std::min(left, Vertices()[i].x);
    bottom = std::max(bottom, Vertices()[i].y), top = std::min(top, Vertices()[i].y);
  }
  EXPECT_FLOAT_EQ(right - left, 16.0f);
  EXPECT_FLOAT_EQ(bottom - top, 12.0f);
  Graphics::ResetVertexBuffers();
  b.DrawStretched(0, 0, 0, 12, 0xFFFFFF, 1);
  b.DrawStretched(0, 0, 16, -1, 0xFFFFFF, 1);
  CBackground& flat = *Background_Get(Background_AddEmpty());
  flat.CreateColor(0, 4, 0xFFFFFF, false);
  flat.DrawStretched(0, 0, 16, 12, 0xFFFFFF, 1);
  EXPECT_EQ(Batch().count, 0);
}

uint32_t Pixel(const CBackground& b, int32_t x, int32_t y) {
  return b.GetPixels()->GetData()->pixels[y * b.GetPixels()->GetWidth() + x];
}

TEST_F(BackgroundDrawing, ColourAndGradientBackgroundsHoldOpaquePixels) {
  CBackground& b = *Background_Get(Background_AddEmpty());
  b.CreateColor(3, 2, 0x0000FF, true);
  EXPECT_EQ(Pixel(b, 2, 1), 0xFFFF0000u);
  EXPECT_TRUE(b.GetPreload());
  EXPECT_FALSE(b.GetTransparent());
  b.CreateGradient(4, 2, 0x000000, 0xFFFFFF, 0, false);
  EXPECT_EQ(b.GetWidth(), 4);
  EXPECT_EQ(Pixel(b, 0, 1), 0xFF000000u);
  EXPECT_EQ(Pixel(b, 1, 0), 0xFF404040u);  // a quarter: the last column is not pure white
  EXPECT_EQ(Pixel(b, 3, 0), 0xFFBFBFBFu);
  b.CreateGradient(2, 4, 0x000000, 0x0000FF, 1, false);  // vertical, to red
  EXPECT_EQ(Pixel(b, 1, 2), 0xFF800000u);
  EXPECT_EQ(Pixel(b, 1, 0), 0xFF000000u);
  b.CreateGradient(6, 6, 0x000000, 0xFFFFFF, 2, false);  // rectangle: the border takes colour 1
  EXPECT_EQ(Pixel(b, 0, 3), 0xFF000000u);
  EXPECT_NE(Pixel(b, 2, 3), 0xFF000000u);
  b.CreateGradient(4, 4, 0xFFFFFF, 0xFFFFFF, 7, false);  // no such kind: black
  EXPECT_EQ(Pixel(b, 2, 2), 0xFF000000u);
  EXPECT_GE(b.GetTextureId(), 0);
}

TEST_F(BackgroundDrawing, AlphaFromAnotherNeedsTwoPixelCopies) {
  LoadFileBackground();
  CBackground& target = *Background_Get(Background_AddEmpty());
  target.CreateColor(2, 2, 0x0000FF, false);
  CBackground& grey = *Background_Get(Background_AddEmpty());
  grey.CreateColor(1, 1, 0x303030, false);
  target.SetAlphaFromBackground(*Background_Get(0));
  EXPECT_TRUE(Traced("Both bitmaps need to be duplicated first\n"));
  EXPECT_EQ(Pixel(target, 0, 0) >> 24, 0xFFu);
  target.SetAlphaFromBackground(grey);
  EXPECT_EQ(Pixel(target, 0, 0) >> 24, 0x30u);
  EXPECT_EQ(Pixel(target, 1, 1) >> 24, 0xFFu) << "outside the common area";
  EXPECT_GE(target.GetTextureId(), 0);
}

TEST_F(BackgroundDrawing, CopiesAndGraphicsStartMakeTexturesOfTheirOwn) {
  LoadFileBackground();
  const int32_t colour = Background_AddEmpty();
  Background_Get(colour)->CreateColor(4, 4, 0x00FF00, false);
  const int32_t copy = Background_Duplicate(colour);
  const CBackground& c = *Background_Get(copy);
  ASSERT_NE(c.GetPixels(), nullptr);
  EXPECT_NE(c.GetPixels(), Background_Get(colour)->GetPixels());
  EXPECT_GE(c.GetTextureId(), 0);
  EXPECT_NE(c.GetTextureId(), Background_Get(colour)->GetTextureId());
  Background_InitTextures();
  EXPECT_EQ(Background_Get(0)->GetTextureId(), -1) << "page images need no texture";
  EXPECT_TRUE(GR_Texture_Exists(Background_Get(colour)->GetTextureId()));
  EXPECT_TRUE(GR_Texture_Exists(c.GetTextureId()));
  EXPECT_NE(Background_Get(colour)->GetTextureId(), c.GetTextureId());
}

}  // namespace

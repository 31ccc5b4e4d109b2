// Textured quads: their vertices in the batch, and their pixels on the
// OpenGL device with point filtering at texel centres.
#include <cmath>
#include <vector>

#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"

namespace {

constexpr float kQuarterTurn = 1.57079632679f;

// A 16 x 16 page image whose texels all differ.
uint32_t Texel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 16 + 8) << 16 | static_cast<uint32_t>(y * 16 + 8) << 8 | 0x40;
}

TexturePage Record(int16_t page) {
  TexturePage p{};
  p.x = 2;
  p.y = 3;
  p.width = p.cropWidth = p.fullWidth = 5;
  p.height = p.cropHeight = p.fullHeight = 4;
  p.page = page;
  return p;
}

// Vertices written by the writers, read from the batch before it is drawn.
class QuadVertices : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
    texture_ = GR_Texture_Create(16, 16, false);
  }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  const TexVertex* Vertices() const { return reinterpret_cast<const TexVertex*>(Graphics::PendingBatch().scratch); }
  int32_t Count() const { return Graphics::PendingBatch().count; }
  int32_t texture_ = -1;
};

TEST_F(QuadVertices, PageFormsWriteTheStandardOrderWithDepthAndSourceCoordinates) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  g_drawDepth = 0.25f;
  g_drawState.alpha = 0x80;
  GR_TexturePage_Draw(&p, 10, 20);
  ASSERT_EQ(Count(), 6);
  const TexVertex* v = Vertices();
  const float iw = 1.0f / 64;  // the device texture is 64 wide
  EXPECT_EQ(v[0].x, 10);
  EXPECT_EQ(v[0].y, 20);
  EXPECT_EQ(v[2].x, 15);
  EXPECT_EQ(v[2].y, 24);
  EXPECT_EQ(v[4].x, 10);
  EXPECT_EQ(v[4].y, 24);
  EXPECT_EQ(v[0].u, 2 * iw);
  EXPECT_EQ(v[2].u, 7 * iw);
  EXPECT_EQ(v[0].z, 0.25f);
  EXPECT_EQ(v[0].colour, 0x80FFFFFFu);
  EXPECT_EQ(v[3].x, v[2].x);
  EXPECT_EQ(v[5].y, v[0].y);
}

TEST_F(QuadVertices, AlphaIsTruncatedInMostFormsAndRoundedInTheGeneralPageForm) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  GR_TexturePage_Draw_Ext(&p, 0, 0, 0, 0, 1, 1, 0, 0x0000FF, 0.5f);
  GR_TexturePage_Draw_General(&p, 0, 0, 5, 4, 0, 0, 1, 1, 0, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0.5f);
  GR_TexturePage_Draw_Ext(&p, 0, 0, 0, 0, 1, 1, 0, 0, 7.0f);
  ASSERT_EQ(Count(), 18);
  const TexVertex* v = Vertices();
  EXPECT_EQ(v[0].colour, 0x7FFF0000u);
  EXPECT_EQ(v[6].colour, 0x80FF0000u);
  EXPECT_EQ(v[7].colour, 0x8000FF00u);
  EXPECT_EQ(v[8].colour, 0x800000FFu);
  EXPECT_EQ(v[10].colour, 0x80FFFFFFu);
  EXPECT_EQ(v[12].colour, 0xFF000000u);
}

TEST_F(QuadVertices, RotationStartsAtItsThreshold) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  GR_TexturePage_Draw_Ext(&p, 0, 0, 10, 10, 1, 1, 0.0005f, 0xFFFFFF, 1);
  EXPECT_EQ(Vertices()[1].x, 15.0f);
  EXPECT_EQ(Vertices()[1].y, 10.0f);
  Graphics::ResetVertexBuffers();
  GR_TexturePage_Draw_Ext(&p, 0, 0, 10, 10, 1, 1, 0.002f, 0xFFFFFF, 1);
  EXPECT_NE(Vertices()[1].y, 10.0f);
  EXPECT_NEAR(Vertices()[1].y, 10 - 5 * std::sin(0.002f), 1e-5);
  // The general forms turn only from 0.01.
  Graphics::ResetVertexBuffers();
  GR_TexturePage_Draw_General(&p, 0, 0, 5, 4, 10, 10, 1, 1, 0.005f, 0, 0, 0, 0, 1);
  EXPECT_EQ(Vertices()[1].y, 10.0f);
}

TEST_F(QuadVertices, PartsAreClippedToTheStoredCrop) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  p.xOffset = 3;
  p.fullWidth = 10;
  // Starting left of the crop: moved along the turned x axis to the crop edge.
  GR_TexturePage_Draw_Part(&p, 1, 0, 4, 4, 10, 20, 1, 1, 0, 0xFFFFFF, 1);
  ASSERT_EQ(Count(), 6);
  EXPECT_EQ(Vertices()[0].x, 12.0f);
  EXPECT_EQ(Vertices()[1].x, 14.0f);
  EXPECT_EQ(Vertices()[0].u, 2.0f / 64);
  Graphics::ResetVertexBuffers();
  GR_TexturePage_Draw_Part(&p, 1, 0, 4, 4, 10, 20, 1, 1, kQuarterTurn, 0xFFFFFF, 1);
  EXPECT_EQ(Vertices()[0].x, 10.0f);
  EXPECT_EQ(Vertices()[0].y, 18.0f);
  // Reaching past the crop's far edge stops there; wholly outside draws nothing.
  Graphics::ResetVertexBuffers();
  GR_TexturePage_Draw_Part(&p, 6, 0, 10, 4, 0, 0, 1, 1, 0, 0xFFFFFF, 1);
  EXPECT_EQ(Vertices()[1].x - Vertices()[0].x, 2.0f);
  EXPECT_EQ(Vertices()[1].u, 7.0f / 64);
  Graphics::ResetVertexBuffers();
  GR_TexturePage_Draw_Part(&p, 0, 0, 2, 4, 0, 0, 1, 1, 0, 0xFFFFFF, 1);
  GR_TexturePage_Draw_Part(&p, 9, 0, 4, 4, 0, 0, 1, 1, 0, 0xFFFFFF, 1);
  GR_TexturePage_Draw_General(&p, 9, 0, 4, 4, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1);
  EXPECT_EQ(Count(), 0);
}

TEST_F(QuadVertices, BadTexturesAndZeroTileSizesDrawNothing) {
  TexturePage bad = Record(99);
  GR_TexturePage_Draw(&bad, 0, 0);
  GR_TexturePage_Draw(nullptr, 0, 0);
  GR_TexturePage_Draw_Ext(&bad, 0, 0, 0, 0, 1, 1, 0, 0, 1);
  GR_Texture_Draw(-1, 0, 0);
  GR_Texture_Draw(texture_ + 1, 0, 0);
  GR_Texture_Draw_Ext(77, 0, 0, 0, 0, 1, 1, 0, 0, 1);
  GR_Texture_Draw_Tiled(texture_, 0, 0, 0, 0, 1.0f / 32, 1, true, true, TileArea{0, 0, 64, 64}, 0, 1);
  TexturePage p = Record(static_cast<int16_t>(texture_));
  GR_TexturePage_Draw_Tiled(&p, 0, 0, 0, 0, 1, 0.2f, true, true, TileArea{0, 0, 64, 64}, 0, 1);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Graphics::PendingBatch().primitiveType, kNoPrimitive);
}

TEST_F(QuadVertices, TexturesOfNoSizeAreDrawnAsEightByEight) {
  const int32_t empty = GR_Texture_Add_Device_Texture(GR_Texture_Get_Device_Texture(texture_), 1, 1);
  GR_Texture_Entry(empty)->width = 0;
  GR_Texture_Draw_Ext(empty, 0, 0, 0, 0, 1, 1, 0, 0, 1);
  EXPECT_EQ(GR_Texture_Entry(empty)->width, 8);
  EXPECT_EQ(GR_Texture_Entry(empty)->inverseHeight, 0.125f);
  EXPECT_EQ(Vertices()[2].x, 7.5f);
  GR_Texture_Entry(empty)->texture = nullptr;  // shared with texture_, freed once
  GR_Texture_Entry(empty)->inUse = 0;
}

TEST_F(QuadVertices, PageQuadsOfOneTextureAreOneDrawAndFansEndTheBatch) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  FakeGraphics_Log().Clear();
  for (int i = 0; i < 3; ++i) GR_TexturePage_Draw_Ext(&p, 0, 0, i * 8.0f, 0, 1, 1, 0, 0xFFFFFF, 1);
  GR_Texture_Draw_Ext(texture_, 0, 0, 0, 0, 1, 1, 0, 0xFFFFFF, 1);
  GR_TexturePage_Draw(&p, 0, 0);
  Graphics::FlushBatch();
  std::vector<std::string> draws;
  for (const auto& line : FakeGraphics_Log().calls) {
    if (line.rfind("DrawPrimitiveUP", 0) == 0) draws.push_back(line);
  }
  EXPECT_EQ(draws,
            (std::vector<std::string>{"DrawPrimitiveUP 4 6 24", "DrawPrimitiveUP 6 2 24", "DrawPrimitiveUP 4 2 24"}));
}

// Pixels on the OpenGL device.
class QuadPixels : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(false);
    std::vector<uint32_t> image(16 * 16);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) image[static_cast<size_t>(y * 16 + x)] = Texel(x, y);
    }
    texture_ = GR_Texture_Create_From_Pixels(16, 16, image.data(), 16 * 16 * 4);
    ASSERT_GE(texture_, 0);
    target_ = Graphics::CreateTexture(64, 64, 1, true, 6);
    ASSERT_NE(target_, nullptr);
  }
  void TearDown() override {
    Graphics::SetProjectionSizeSource(nullptr);
    Graphics::FreeTexture(target_);
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  static void TargetSize(int32_t* w, int32_t* h) { *w = *h = 64; }
  // Pixel-space drawing through the state layer, point filtered.
  void Begin() {
    DrawInto(target_);
    Graphics::SetProjectionSizeSource(TargetSize);
    const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    const Matrix projection{{2.0f / 64, 0, 0, 0, 0, -2.0f / 64, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1}};
    Graphics::SetTransform(0, identity);
    Graphics::SetTransform(2, identity);
    Graphics::SetTransform(1, projection);
    Graphics::SetTextureBlending(true);
    Graphics::SetSamplerState(0, kSamplerMagFilter, 1);
    Graphics::SetSamplerState(0, kSamplerMinFilter, 1);
  }
  std::vector<uint32_t> End() {
    Graphics::FlushBatch();
    Done();
    return Read(target_);
  }
  static uint32_t At(const std::vector<uint32_t>& p, int x, int y) { return p[static_cast<size_t>(y * 64 + x)]; }
  int32_t texture_ = -1;
  DeviceTexture* target_ = nullptr;
};

TEST_F(QuadPixels, PageImagesLandTexelForTexelAtTheirOffsetAndCropSize) {
  TexturePage plain = Record(static_cast<int16_t>(texture_));
  TexturePage trimmed = plain;
  trimmed.xOffset = 3;
  trimmed.yOffset = 2;
  trimmed.fullWidth = 12;
  TexturePage thin = plain;
  thin.cropWidth = 0;
  thin.width = 1;
  Begin();
  GR_TexturePage_Draw(&plain, 4, 4);
  GR_TexturePage_Draw(&trimmed, 20, 4);
  GR_TexturePage_Draw(&thin, 40, 4);
  const std::vector<uint32_t> p = End();
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(At(p, 4 + i, 4 + j), Texel(2 + i, 3 + j)) << i << "," << j;
      EXPECT_EQ(At(p, 23 + i, 6 + j), Texel(2 + i, 3 + j)) << i << "," << j;
    }
    EXPECT_EQ(At(p, 9, 4 + j), 0u);
    EXPECT_EQ(At(p, 40, 4 + j), Texel(2, 3 + j));
    EXPECT_EQ(At(p, 41, 4 + j), 0u);
  }
  EXPECT_EQ(At(p, 22, 6), 0u);
  EXPECT_EQ(At(p, 23, 5), 0u);
  EXPECT_EQ(thin.cropWidth, 1);
}

TEST_F(QuadPixels, ScaleMirrorAndQuarterTurnAreExact) {
  TexturePage p = Record(static_cast<int16_t>(texture_));
  Begin();
  GR_TexturePage_Draw_Ext(&p, 0, 0, 2, 2, 2, 2, 0, 0xFFFFFF, 1);
  GR_TexturePage_Draw_Ext(&p, 0, 0, 30, 2, -1, 1, 0, 0xFFFFFF, 1);
  GR_TexturePage_Draw_Ext(&p, 0, 0, 40, 30, 1, 1, kQuarterTurn, 0xFFFFFF, 1);
  const std::vector<uint32_t> px = End();
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 5; ++i) {
      for (int k = 0; k < 4; ++k) EXPECT_EQ(At(px, 2 + 2 * i + k % 2, 2 + 2 * j + k / 2), Texel(2 + i, 3 + j));
      EXPECT_EQ(At(px, 29 - i, 2 + j), Texel(2 + i, 3 + j)) << "mirror " << i;
      // A quarter turn takes texel (i, j) up from the anchor along +x.
      EXPECT_EQ(At(px, 40 + j, 29 - i), Texel(2 + i, 3 + j)) << "turn " << i << "," << j;
    }
  }
  EXPECT_EQ(At(px, 30, 2), 0u);
  EXPECT_EQ(At(px, 12, 2), 0u);
}

TEST_F(QuadPixels, TilesCoverTheAreaEdgeToEdge) {
  std::vector<uint32_t> two = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};
  const int32_t small = GR_Texture_Create_From_Pixels(2, 2, two.data(), 16);
  Begin();
  GR_Texture_Draw_Tiled(small, 0, 0, 3, 5, 4, 4, true, true, TileArea{0, 0, 64, 64}, 0xFFFFFF, 1);
  const std::vector<uint32_t> p = End();
  // Texel centres of the 8-pixel tiles starting at 3 and 5, shifted half a
  // pixel up and left with the rest of the texture-index forms.
  auto texelOf = [](int pixel, int start) {
    const int k = ((pixel + 1 - start) % 8 + 8) % 8;
    return k == 2 ? 0 : k == 6 ? 1 : -1;
  };
  int checked = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const int tx = texelOf(x, 3), ty = texelOf(y, 5);
      if (tx < 0 || ty < 0) continue;
      EXPECT_EQ(At(p, x, y), two[static_cast<size_t>(ty * 2 + tx)]) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 256);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) ASSERT_NE(At(p, x, y), 0u) << x << "," << y;
  }
}

}  // namespace

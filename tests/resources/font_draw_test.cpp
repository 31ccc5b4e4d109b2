// Font drawing seen in the vertex batch of the recording device.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"
#include "resources/builtin_images.h"
#include "resources/font.h"
#include "resources/sprite.h"
#include "runtime/memory.h"

namespace {

std::unique_ptr<TBitmap> Solid(int32_t w, int32_t h) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  bitmap->LockBits(0, &row, nullptr);
  for (int32_t i = 0; i < w * h; ++i) row[i * 4] = row[i * 4 + 3] = 0xFF;
  return bitmap;
}

class FontDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    Graphics::ResetVertexBuffers();
    g_drawDepth = 0.25f;
    g_currentViewRect[0] = g_currentViewRect[1] = -100000;
    g_currentViewRect[2] = g_currentViewRect[3] = 100000;
    Font_Init();
    Sprite_Init();
    texture_ = GR_Texture_Create(256, 128, false);
    ASSERT_GE(texture_, 0);
  }
  void TearDown() override {
    Font_Shutdown();
    Sprite_Shutdown();
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  const VertexBatch& Batch() const { return Graphics::PendingBatch(); }
  const TexVertex* Vertices() const { return reinterpret_cast<const TexVertex*>(Batch().scratch); }
  // A sprite of `frames` 4 x 4 frames, each with a texture of its own.
  int32_t MakeSprite(int32_t frames) {
    const int32_t index = Sprite_AddEmpty();
    CSprite* s = Sprite_Get(index);
    s->CreateFromBitmap(Solid(4, 4).get(), false, false, false, true, 0, 0, 0);
    for (int32_t i = 1; i < frames; ++i) s->AddFrameFromBitmap(Solid(4, 4).get(), 0);
    return index;
  }
  int32_t texture_ = -1;
};

TEST_F(FontDrawing, TextureFontQuadsAreWidenedHalfAPixelAndTakeTheDeviceColour) {
  CFontGM debug(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, texture_);
  const FontGlyph& w = *debug.FindGlyph('W');
  debug.Draw(10, 20, "W\x01W", 0x0000FF, 0.5f);  // red; the middle character has no glyph
  ASSERT_EQ(Batch().primitiveType, 4);
  ASSERT_EQ(Batch().count, 18);
  EXPECT_EQ(Batch().texture, GR_Texture_Get_Device_Texture(texture_));
  const TexVertex* v = Vertices();
  EXPECT_FLOAT_EQ(v[0].x, 9.5f);
  EXPECT_FLOAT_EQ(v[0].y, 19.5f);
  EXPECT_FLOAT_EQ(v[2].x, 10.5f + w.width);
  EXPECT_FLOAT_EQ(v[2].y, 20.5f + w.height);
  EXPECT_FLOAT_EQ(v[0].z, 0.25f);
  EXPECT_EQ(v[0].colour, 0x7FFF0000u);
  EXPECT_FLOAT_EQ(v[0].u, (w.x - 0.5f) / 256);
  EXPECT_FLOAT_EQ(v[2].v, (w.y + w.height + 0.5f) / 128);
  for (int i = 6; i < 12; ++i) EXPECT_EQ(v[i].colour, 0u) << "no glyph, nothing visible";
  EXPECT_FLOAT_EQ(v[12].x, 9.5f + w.shift) << "the missing letter does not move the pen";

  Graphics::ResetVertexBuffers();
  debug.Draw(10, 20, "", 0, 1);
  debug.Draw(10, 20, nullptr, 0, 1);
  CFontGM noTexture(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, 999);
  noTexture.Draw(10, 20, "W", 0, 1);
  EXPECT_EQ(Batch().count, 0);
}

// A font without a coverage image keeps its page's texture; one with it
// gets a texture of its own, which the next remaking frees.
TEST_F(FontDrawing, OnlyFontsWithCoverageGetATextureOfTheirOwn) {
  const int32_t font = Font_Add("Sans", 12, false, false, 32, 127);
  ASSERT_GE(font, 0);
  Font_Get(font)->SetCoverage(nullptr, 0, 0);
  Font_InitTextures();
  EXPECT_EQ(Font_Get(font)->GetTexture(), -1);
  Font_Get(font)->SetCoverage(static_cast<uint8_t*>(KV_ALLOC(16, true)), 4, 4);
  Font_InitTextures();
  const int32_t first = Font_Get(font)->GetTexture();
  ASSERT_TRUE(GR_Texture_Exists(first));
  EXPECT_NE(first, texture_);
  const int32_t count = GR_Texture_Count();
  Font_InitTextures();
  EXPECT_TRUE(GR_Texture_Exists(Font_Get(font)->GetTexture()));
  EXPECT_EQ(GR_Texture_Count(), count) << "the first texture was freed";
}

TEST_F(FontDrawing, LongLinesAreDrawnInSeveralBatchesWithThePenCarriedOn) {
  CFontGM debug(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, texture_);
  const int32_t shift = debug.CharWidth('W');
  const int32_t chars = 2 * kFontCharsPerBatch + 1;
  const int32_t before = g_vertexBatches;
  debug.Draw(0, 0, std::string(chars, 'W').c_str(), 0xFFFFFF, 1);
  EXPECT_EQ(g_vertexBatches - before, 2) << "two full batches went out";
  ASSERT_EQ(Batch().count, 6);
  EXPECT_FLOAT_EQ(Vertices()[0].x, static_cast<float>(shift) * (chars - 1) - 0.5f);
}

TEST_F(FontDrawing, TransformedLinesTurnAboutTheirStart) {
  CFontGM debug(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, texture_);
  const float shift = static_cast<float>(debug.CharWidth('W'));
  debug.DrawTransformed(50, 50, "WW", 2, 3, 90, 0xFFFFFF, 1);
  ASSERT_EQ(Batch().count, 12);
  const TexVertex* v = Vertices();
  // A quarter turn: along the line is up the screen.
  EXPECT_NEAR(v[6].y - v[0].y, -2 * shift, 1e-3);
  EXPECT_NEAR(v[6].x - v[0].x, 0.0f, 1e-3);
  const float height = static_cast<float>(debug.FindGlyph('W')->height);
  EXPECT_NEAR(v[4].x - v[0].x, 3 * height + 1, 1e-3) << "bottom-left lies along the down direction";
}

TEST_F(FontDrawing, ColourFormsBlendAcrossTheMeasuredWidth) {
  CFontGM debug(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, texture_);
  debug.DrawColor(0, 0, "WW", 0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 1);
  // Two page quads; the second covers the right half of the line.
  ASSERT_EQ(Batch().count, 12);
  const TexVertex* v = Vertices() + 6;
  EXPECT_EQ(v[0].colour, 0xFF800000u);  // top-left: half way from black to red
  EXPECT_EQ(v[1].colour, 0xFFFF0000u);  // top-right: red
  EXPECT_EQ(v[2].colour, 0xFF00FF00u);  // bottom-right: green
  EXPECT_EQ(v[4].colour, 0xFF008080u);  // bottom-left: half way from blue to green
  // A line of no width draws in the first colours rather than dividing by it.
  Graphics::ResetVertexBuffers();
  FontGlyph flat = {'W', 0, 0, 4, 4, 0, 0};
  CFontGM zero(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, texture_);
  zero.SetGlyphs(&flat, 1);
  zero.DrawColor(0, 0, "W", 0x0000FF, 0x00FF00, 0x00FF00, 0x0000FF, 1);
  ASSERT_EQ(Batch().count, 6);
  EXPECT_EQ(Vertices()[1].colour, 0xFFFF0000u);
}

TEST_F(FontDrawing, SpriteFontsDrawFramesAndSkipSpaces) {
  const int32_t sprite = MakeSprite(2);
  const int32_t index = Font_AddSpriteExt(sprite, "ab", false, 2);
  const CFontGM* f = Font_Get(index);
  ASSERT_EQ(f->GetGlyphCount(), 3);
  EXPECT_EQ(f->CharWidth(' '), 6) << "the space is as wide as the widest";
  // Where frame 1 lands when the sprite draws it itself.
  Sprite_Get(sprite)->Draw(1, 22, 5, 1, 1, 0, 0xFFFFFF, 1);
  const TexVertex expected = Vertices()[0];
  Graphics::ResetVertexBuffers();
  f->Draw(10, 5, "a b", 0xFFFFFF, 1);
  ASSERT_EQ(Batch().count, 4) << "the last frame is pending alone: frames have their own textures";
  EXPECT_EQ(Batch().texture, GR_Texture_Get_Device_Texture(Sprite_Get(sprite)->textures[1]));
  EXPECT_FLOAT_EQ(Vertices()[0].x, expected.x);
  EXPECT_FLOAT_EQ(Vertices()[0].y, expected.y);

  Graphics::ResetVertexBuffers();
  f->DrawColor(10, 5, "b", 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 1);
  EXPECT_EQ(Batch().count, 4) << "through the sprite's general draw";

  const CFontGM* missing = Font_Get(Font_AddSpriteExt(sprite + 5, "ab", false, 0));
  EXPECT_EQ(missing->GetGlyphCount(), 0) << "no sprite, no glyphs, not even a space";
  EXPECT_EQ(missing->TextWidth("ab"), 0);
}

TEST_F(FontDrawing, SystemFontsAreRasterisedAndDrawFromTheirOwnTexture) {
  const int32_t index = Font_Add("NoSuchFamilyAnywhere", 12, false, false, 32, 127);
  const CFontGM* f = Font_Get(index);
  ASSERT_GT(f->GetGlyphCount(), 90) << "an unknown face falls back to a face that exists";
  ASSERT_NE(f->GetCoverage(), nullptr);
  EXPECT_GT(f->GetLineHeight(), 10);
  EXPECT_GT(f->CharWidth('M'), f->CharWidth('.'));
  EXPECT_EQ(f->TextWidth("MM"), 2 * f->CharWidth('M'));
  ASSERT_GE(f->GetTexture(), 0);
  // Some coverage inside 'M''s cell is solid ink.
  const FontGlyph& m = *f->FindGlyph('M');
  int32_t darkest = 0;
  for (int32_t y = m.y; y < m.y + m.height; ++y) {
    for (int32_t x = m.x; x < m.x + m.width; ++x) {
      darkest = std::max<int32_t>(darkest, f->GetCoverage()[y * f->GetTextureWidth() + x]);
    }
  }
  EXPECT_GT(darkest, 200);
  f->Draw(0, 0, "MM", 0xFFFFFF, 1);
  ASSERT_EQ(Batch().count, 12);
  EXPECT_EQ(Batch().texture, GR_Texture_Get_Device_Texture(f->GetTexture()));
  EXPECT_FLOAT_EQ(Vertices()[0].u, static_cast<float>(m.x) / f->GetTextureWidth())
      << "without a page the glyph's own place, not widened";
  // A range with no characters leaves a font that draws nothing.
  const CFontGM* none = Font_Get(Font_Add("Sans", 12, false, false, 200, 100));
  EXPECT_EQ(none->GetGlyphCount(), 0);
  EXPECT_EQ(none->GetTexture(), -1);
}

}  // namespace

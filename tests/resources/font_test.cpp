#include "resources/font.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <string>
#include <vector>

#include "gamefile/image_builder.h"
#include "platform/platform_font.h"
#include "resources/builtin_images.h"
#include "resources/font_rasterise.h"
#include "resources/sprite.h"
#include "runtime/memory.h"
#include "support/test_support.h"

namespace {

struct GlyphSpec {
  int16_t code, x, y, width, height, shift, offset;
};

// A FONT chunk of one font (or an empty slot) and its 512-byte code table.
struct FontChunk {
  GameImage image;
  uint64_t data;
  uint32_t size;
};

FontChunk OneFont(uint32_t rangeWord, const std::vector<GlyphSpec>& glyphs, bool emptySlot = false,
                  uint32_t extraGlyphs = 0) {
  ImageBuilder b;
  size_t at = b.Chunk("FONT");
  FontChunk c;
  c.data = b.Here();
  b.U32(emptySlot ? 2 : 1);
  size_t table = b.Here();
  b.U32(0);
  if (emptySlot) b.U32(0);
  size_t nameAt = b.Here();
  b.Text("fnt");
  size_t pageAt = b.Here();
  for (int16_t v : {10, 20, 64, 32, 0, 0, 64, 32, 64, 32, 0}) {
    b.bytes.push_back(static_cast<uint8_t>(v));
    b.bytes.push_back(static_cast<uint8_t>(v >> 8));
  }
  std::vector<size_t> glyphAt;
  for (const GlyphSpec& g : glyphs) {
    glyphAt.push_back(b.Here());
    for (int16_t v : {g.code, g.x, g.y, g.width, g.height, g.shift, g.offset}) {
      b.bytes.push_back(static_cast<uint8_t>(v));
      b.bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
  }
  b.Patch(table, static_cast<uint32_t>(b.Here()));
  b.U32(static_cast<uint32_t>(nameAt)).U32(static_cast<uint32_t>(nameAt)).U32(14).U32(1).U32(0);
  b.U32(rangeWord).U32(127).U32(static_cast<uint32_t>(pageAt)).U32(0x3F800000).U32(0x3F800000);
  b.U32(static_cast<uint32_t>(glyphs.size()) + extraGlyphs);
  for (size_t g : glyphAt) b.U32(static_cast<uint32_t>(g));
  for (int i = 0; i < 256; ++i) {
    b.bytes.push_back(static_cast<uint8_t>(i == 0 ? 0 : 64 + i));
    b.bytes.push_back(0);
  }
  b.EndChunk(at);
  c.size = static_cast<uint32_t>(b.Here() - c.data);
  c.image = b.Finish();
  return c;
}

class Fonts : public testing::Test {
 protected:
  void SetUp() override { Font_Init(); }
  void TearDown() override { Font_Shutdown(); }
  testsupport::ConsoleCapture console_;
};

TEST_F(Fonts, RecordFieldsAndRangeWord) {
  FontChunk c = OneFont(65 | 1 << 16, {{66, 0, 0, 5, 9, 6, 0}, {65, 5, 0, 7, 11, 8, 1}}, true);
  ASSERT_TRUE(Font_Load(c.image, c.data, c.size));
  EXPECT_EQ(Font_Count(), 2);
  EXPECT_FALSE(Font_Exists(1));
  CFontGM* f = Font_Get(0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->GetFirst(), 65);
  EXPECT_EQ(f->GetCharset(), 1);
  EXPECT_EQ(f->GetAntialias(), CFontGM().GetAntialias());
  EXPECT_EQ(f->GetLast(), 127);
  EXPECT_EQ(f->GetSize(), 14);
  EXPECT_TRUE(f->GetBold());
  EXPECT_STREQ(f->GetFaceName(), "fnt");
  EXPECT_EQ(f->GetTextureWidth(), 64);
  EXPECT_EQ(f->GetTextureHeight(), 32);
  EXPECT_EQ(f->GetLineHeight(), 11);
  // Glyphs are found by code whatever their order in the file.
  EXPECT_EQ(f->CharWidth('A'), 8);
  EXPECT_EQ(f->CharWidth('B'), 6);
  EXPECT_EQ(Font_CodeTableEntry(3), 67);

  FontChunk d = OneFont(65 | 0 << 16 | 3u << 24, {{65, 0, 0, 5, 9, 6, 0}});
  ASSERT_TRUE(Font_Load(d.image, d.data, d.size));
  EXPECT_EQ(Font_Get(0)->GetAntialias(), 2);
  EXPECT_EQ(Font_Get(0)->GetCharset(), 0);
}

TEST_F(Fonts, DamagedChunksFailTheLoad) {
  FontChunk glyphsPast = OneFont(32, {{65, 0, 0, 5, 9, 6, 0}}, false, 100000);
  EXPECT_FALSE(Font_Load(glyphsPast.image, glyphsPast.data, glyphsPast.size));
  FontChunk tiny = OneFont(32, {});
  EXPECT_FALSE(Font_Load(tiny.image, tiny.data, 100));
  EXPECT_NE(console_.Text().find("FONT"), std::string::npos);
}

TEST_F(Fonts, MeasuringCountsMissingLettersAsTheFirstGlyph) {
  FontChunk c = OneFont(65, {{65, 0, 0, 5, 9, 6, 0}, {66, 5, 0, 7, 11, 8, 1}});
  ASSERT_TRUE(Font_Load(c.image, c.data, c.size));
  CFontGM* f = Font_Get(0);
  EXPECT_EQ(f->TextWidth("ABZ"), 6 + 8 + 6);
  EXPECT_EQ(f->TextWidth(""), 0);
  EXPECT_EQ(f->TextWidth(nullptr), 0);
  EXPECT_EQ(f->TextHeight(""), 11);
  // Multi-byte characters count once.
  EXPECT_EQ(f->TextWidth("A\xC3\xA9"), 12);

  CFontGM empty;
  EXPECT_EQ(empty.CharWidth('A'), 0);
  EXPECT_EQ(empty.TextWidth("AB"), 0);
}

TEST_F(Fonts, LayoutWritesSixVerticesPerCharacterWithHalfPixelWidening) {
  FontChunk c = OneFont(65, {{65, 2, 3, 5, 9, 6, 1}});
  ASSERT_TRUE(Font_Load(c.image, c.data, c.size));
  CFontGM* f = Font_Get(0);
  FontLayout layout = {1.0f, 1.0f, 0.0f, 0xFF00FF00u, 0.5f, 1.0f / 64, 1.0f / 32};
  std::vector<FontVertex> v(18);
  ASSERT_EQ(f->LayoutLine(100, 50, "AZA", layout, v.data()), 18);
  EXPECT_FLOAT_EQ(v[0].x, 100.5f);  // pen + offset - 0.5
  EXPECT_FLOAT_EQ(v[0].y, 49.5f);
  EXPECT_FLOAT_EQ(v[2].x, 106.5f);  // + width + 0.5
  EXPECT_FLOAT_EQ(v[2].y, 59.5f);
  EXPECT_FLOAT_EQ(v[0].z, 0.5f);
  EXPECT_EQ(v[0].colour, 0xFF00FF00u);
  // No page records are loaded: the glyph's own place, times the texel size.
  EXPECT_FLOAT_EQ(v[0].u, 2.0f / 64);
  EXPECT_FLOAT_EQ(v[0].v, 3.0f / 32);
  // The missing letter is six empty vertices and does not move the pen.
  for (int i = 6; i < 12; ++i) EXPECT_FLOAT_EQ(v[i].x, 0.0f);
  EXPECT_FLOAT_EQ(v[12].x, 106.5f);

  layout.angle = 90.0f;
  f->LayoutLine(100, 50, "AA", layout, v.data());
  // Turned a quarter: the second glyph's pen lies 6 up from the first's.
  EXPECT_NEAR(v[6].y - v[0].y, -6.0f, 1e-4);
  EXPECT_NEAR(v[6].x - v[0].x, 0.0f, 1e-4);
}

int32_t g_box[4][2] = {{2, 10}, {0, 4}, {1, 7}};
void FrameBox(const void*, int32_t frame, int32_t* left, int32_t* right) {
  *left = g_box[frame][0];
  *right = g_box[frame][1];
}

TEST_F(Fonts, SpriteFontsTakeOneGlyphPerFrameAndAddASpace) {
  SpriteFontSource source = {3, 16, 20, FrameBox, nullptr};
  int32_t index = Font_AddSpriteExt(4, source, "abcd", true, 1);
  CFontGM* f = Font_Get(index);
  ASSERT_EQ(f->GetGlyphCount(), 4);
  EXPECT_EQ(f->GetGlyph(0).code, 32);
  EXPECT_EQ(f->GetGlyph(0).shift, 9);  // the widest: 10 - 2 + 1
  EXPECT_EQ(f->FindGlyph('b')->shift, 5);
  EXPECT_EQ(f->FindGlyph('c')->offset, -1);
  EXPECT_EQ(f->FindGlyph('c')->width, 2);  // the frame
  EXPECT_EQ(f->FindGlyph('d'), nullptr);
  EXPECT_EQ(f->GetFirst(), 32);
  EXPECT_EQ(f->GetLineHeight(), 20);
  EXPECT_EQ(f->GetSprite(), 4);

  SpriteFontSource none = {0, 16, 20, FrameBox, nullptr};
  CFontGM* lone = Font_Get(Font_AddSpriteExt(4, none, "xy", false, 0));
  ASSERT_EQ(lone->GetGlyphCount(), 1);
  EXPECT_EQ(lone->GetGlyph(0).shift, -999);
  EXPECT_STREQ(Font_Name(index), "__newfont0");
}

TEST_F(Fonts, SystemFontsClampTheirRangeAndReplaceKeepsTheName) {
  int32_t index = Font_Add("Sans", 11, false, true, -5, 300);
  CFontGM* f = Font_Get(index);
  EXPECT_EQ(f->GetFirst(), 0);
  EXPECT_EQ(f->GetLast(), 255);
  EXPECT_EQ(f->GetAntialias(), 3);
  EXPECT_TRUE(Font_Replace(index, "Mono", 9, true, false, 40, 90));
  EXPECT_STREQ(Font_Get(index)->GetFaceName(), "Mono");
  EXPECT_STREQ(Font_Name(index), "__newfont0");
  EXPECT_FALSE(Font_Replace(5, "Mono", 9, true, false, 40, 90));
  // The store grows five slots at a time and never reuses an index.
  for (int i = 0; i < 6; ++i) Font_Add("Sans", 11, false, false, 32, 127);
  EXPECT_TRUE(Font_Delete(0));
  EXPECT_FALSE(Font_Delete(0));
  EXPECT_EQ(Font_Add("Sans", 11, false, false, 32, 127), 7);
  char* name = Font_GetName(0);
  EXPECT_STREQ(name, "<undefined>");
  MemoryManager::Free(name);
}

TEST_F(Fonts, SpriteCharactersStopAtTheTableEnd) {
  FontChunk c = OneFont(32, {});
  ASSERT_TRUE(Font_Load(c.image, c.data, c.size));
  char* text = Font_SpriteCharacters(254, 5);
  EXPECT_STREQ(text, ">?");
  MemoryManager::Free(text);
}

TEST_F(Fonts, SpriteFontsFromTheStoreTakeTheirCharactersFromTheCodeTable) {
  FontChunk c = OneFont(32, {});
  ASSERT_TRUE(Font_Load(c.image, c.data, c.size));
  Sprite_Init();
  const int32_t sprite = Sprite_AddEmpty();
  TBitmap frame;
  frame.SetWidth(5);
  frame.SetHeight(7);
  for (int i = 0; i < 3; ++i) Sprite_Get(sprite)->AddFrameFromBitmap(&frame, 0);
  ASSERT_EQ(Sprite_Get(sprite)->frameCount, 3);
  const CFontGM* f = Font_Get(Font_AddSprite(sprite, 1, false, 1));
  ASSERT_EQ(f->GetGlyphCount(), 4);
  EXPECT_EQ(f->GetGlyph(1).code, 'A');
  EXPECT_EQ(f->GetGlyph(3).code, 'C');
  EXPECT_EQ(f->FindGlyph('C')->width, 2) << "the frame";
  EXPECT_EQ(f->CharWidth('B'), 6);
  EXPECT_EQ(f->GetLineHeight(), 7);
  EXPECT_TRUE(Font_ReplaceSprite(0, sprite, 254, false, 0));
  EXPECT_EQ(Font_Get(0)->GetGlyphCount(), 3) << "two characters are left before the table ends";
  EXPECT_FALSE(Font_ReplaceSprite(9, sprite, 1, false, 0));
  Sprite_Shutdown();
}

TEST(DebugFont, BuiltFromTheGeneratedBoxes) {
  CFontGM f(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, 7);
  EXPECT_STREQ(f.GetFaceName(), "debug");
  EXPECT_EQ(f.GetSize(), 10);
  EXPECT_EQ(f.GetFirst(), 32);
  EXPECT_EQ(f.GetLast(), 137);
  EXPECT_EQ(f.GetGlyphCount(), 106);
  EXPECT_EQ(f.GetLineHeight(), 10);
  ASSERT_NE(f.GetPage(), nullptr);
  EXPECT_EQ(f.GetPage()->page, 7);
  EXPECT_EQ(f.CharWidth('W'), 6);
  EXPECT_EQ(f.FindGlyph(137)->x, (105 % 32) * 8);
}

// The first codes are found without a search: the answers must be the
// search's, for low and high codes, repeated codes and a reset font.
TEST(FontGlyphs, LowCodesAreFoundAsTheSearchFindsThem) {
  const FontGlyph glyphs[] = {{300, 0, 0, 1, 1, 30, 0},
                              {'B', 0, 0, 1, 1, 2, 0},
                              {'A', 0, 0, 1, 1, 1, 0},
                              {'B', 0, 0, 1, 1, 3, 0},
                              {255, 0, 0, 1, 1, 25, 0}};
  CFontGM f;
  EXPECT_EQ(f.FindGlyph('A'), nullptr) << "a new font has no glyphs";
  f.SetGlyphs(glyphs, 5);
  EXPECT_EQ(f.FindGlyph('A')->shift, 1);
  EXPECT_EQ(f.FindGlyph('B')->shift, 2) << "of equal codes the first listed";
  EXPECT_EQ(f.FindGlyph(255)->shift, 25);
  EXPECT_EQ(f.FindGlyph(300)->shift, 30);
  EXPECT_EQ(f.FindGlyph('C'), nullptr);
  EXPECT_EQ(f.FindGlyph(-1), nullptr);
  f.Reset();
  EXPECT_EQ(f.FindGlyph('A'), nullptr);
}

// A font resource's size is in points at 96 dots per inch: 12 points are
// 16 pixels to the em.
TEST(SystemFonts, ResourcesBecomePlatformFontsOfTheirEmHeight) {
  TFont bold;
  Font_ToPlatformFont("DejaVu Sans", 12, true, false, &bold);
  EXPECT_EQ(bold.GetSize(), -16);
  EXPECT_EQ(bold.GetStyle(), kFontBold);
  ASSERT_NE(bold.GetHandle(), nullptr);
  EXPECT_EQ(bold.GetHandle()->size->metrics.y_ppem, 16);
  TFont italic;
  Font_ToPlatformFont(nullptr, 10, false, true, &italic);
  EXPECT_EQ(italic.GetSize(), -13);
  EXPECT_EQ(italic.GetStyle(), kFontItalic);
  EXPECT_EQ(italic.GetName(), nullptr);
  EXPECT_NE(italic.GetHandle(), nullptr) << "no name: the default family";
  PlatformFont_Shutdown();
}

}  // namespace

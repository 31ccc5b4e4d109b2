// Text drawing seen in the vertex batch of the recording device: where the
// alignment puts each line, which font draws, and the profiler's marker.
#include "resources/text_draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"
#include "resources/builtin_images.h"
#include "resources/font.h"
#include "runtime/memory.h"

namespace {

std::vector<std::string> g_markers;

void MarkerBegin(uint32_t colour, const char* name) {
  char text[64];
  std::snprintf(text, sizeof text, "begin %s %06X", name, colour);
  g_markers.emplace_back(text);
}
void MarkerEnd() { g_markers.emplace_back("end"); }
void Nothing() {}
int32_t g_sheet = -1;
int32_t SheetTexture() {
  if (g_sheet < 0) g_sheet = EmbeddedImage_CreateTexture(kBuiltinImageFontSheet);
  return g_sheet;
}

constexpr ProfilerServices kRecordingProfiler{Nothing, Nothing,     Nothing,   Nothing,
                                              Nothing, MarkerBegin, MarkerEnd, SheetTexture};

// A solid sheet: "A" 10 wide, "W" 15 wide, space 6, lines 15 high, in place
// of the glyphs the platform rasterised, with its texture made anew.
void MakeFixed(CFontGM* font) {
  const FontGlyph glyphs[] = {{' ', 0, 0, 6, 15, 6, 0}, {'A', 0, 0, 10, 15, 10, 0}, {'W', 0, 0, 15, 15, 15, 0}};
  font->SetGlyphs(glyphs, 3);
  auto* sheet = static_cast<uint8_t*>(KV_ALLOC(32 * 16, false));
  std::memset(sheet, 255, 32 * 16);
  font->SetCoverage(sheet, 32, 16);
  font->MakeTexture();
}

class TextDrawing : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    g_sheet = -1;
    ProfilerServices_Install(&kRecordingProfiler);
    Graphics::ResetVertexBuffers();
    g_currentViewRect[0] = g_currentViewRect[1] = -100000;
    g_currentViewRect[2] = g_currentViewRect[3] = 100000;
    Font_Init();
    font_ = Font_Add("fixed", 12, false, false, 32, 127);
    MakeFixed(Font_Get(font_));
    GR_Text_Reset();
    GR_Text_Set_Font(font_);
    g_markers.clear();
  }
  void TearDown() override {
    GR_Text_Reset();
    Font_Shutdown();
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  const TexVertex* Vertices() const { return reinterpret_cast<const TexVertex*>(Graphics::PendingBatch().scratch); }
  int32_t Count() const { return Graphics::PendingBatch().count; }
  // The top-left corner of the first glyph drawn, less the half-pixel widening.
  std::pair<float, float> FirstCorner() const { return {Vertices()[0].x + 0.5f, Vertices()[0].y + 0.5f}; }
  void Clear() { Graphics::ResetVertexBuffers(); }
  int32_t font_ = -1;
};

TEST_F(TextDrawing, VerticalCentringMovesUpByWholePixelsOrRoundsWhenTransformed) {
  GR_Text_Set_Valign(1);
  GR_Text_Draw(0, 100, "A#A#A", -1, -1);
  ASSERT_EQ(Count(), 18);
  EXPECT_FLOAT_EQ(FirstCorner().second, 100 - 22);
  EXPECT_FLOAT_EQ(Vertices()[6].y + 0.5f, 100 - 22 + 15) << "each line one height lower";
  Clear();
  GR_Text_Draw(0, 100, "A#A#A#A#A", -1, -1);
  EXPECT_FLOAT_EQ(FirstCorner().second, 100 - 37);
  Clear();
  GR_Text_Draw_Transformed(0, 100, "A#A#A#A#A", -1, -1, 1, 1, 0);
  EXPECT_FLOAT_EQ(FirstCorner().second, 100 - 38) << "37.5 rounds to even";
  Clear();
  GR_Text_Set_Valign(2);
  GR_Text_Draw(0, 100, "A#A", 20, -1);
  EXPECT_FLOAT_EQ(FirstCorner().second, 100 - 40);
}

TEST_F(TextDrawing, HorizontalAlignmentOffsetsEachLineByItsOwnWidth) {
  GR_Text_Set_Halign(1);
  GR_Text_Draw(50, 0, "W", -1, -1);
  EXPECT_FLOAT_EQ(FirstCorner().first, 50 - 7);
  Clear();
  GR_Text_Draw_Transformed(50, 0, "W", -1, -1, 1, 1, 0);
  EXPECT_FLOAT_EQ(FirstCorner().first, 50 - 7);
  Clear();
  GR_Text_Set_Halign(2);
  GR_Text_Draw(100, 0, "A#WA#", -1, -1);
  ASSERT_EQ(Count(), 18);
  EXPECT_FLOAT_EQ(Vertices()[0].x + 0.5f, 90) << "every line ends at x";
  EXPECT_FLOAT_EQ(Vertices()[6].x + 0.5f, 75);
  EXPECT_FLOAT_EQ(Vertices()[12].x + 0.5f, 90);
}

// The colour forms draw glyph by glyph; only the offsets between two
// alignments are compared.
TEST_F(TextDrawing, TheTransformedColourFormRoundsItsOffset) {
  auto leftOf = [&](int32_t halign, bool transformed) {
    Clear();
    GR_Text_Set_Halign(halign);
    if (transformed) {
      GR_Text_Draw_Transformed_Color(50, 0, "W", -1, -1, 1, 1, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 1);
    } else {
      GR_Text_Draw_Color(50, 0, "W", -1, -1, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 1);
    }
    EXPECT_GT(Count(), 0);
    float left = std::numeric_limits<float>::max();
    for (int32_t i = 0; i < Count(); ++i) left = std::min(left, Vertices()[i].x);
    return left;
  };
  EXPECT_FLOAT_EQ(leftOf(1, false) - leftOf(0, false), -7);
  EXPECT_FLOAT_EQ(leftOf(1, true) - leftOf(0, true), -8);
}

TEST_F(TextDrawing, TransformedLinesStepAlongTheTurnedDownDirection) {
  GR_Text_Draw_Transformed(100, 100, "A#A", 20, -1, 1, 2, 90);
  ASSERT_EQ(Count(), 12);
  // A quarter turn: the next line lies 40 to the right.
  EXPECT_NEAR(Vertices()[6].x - Vertices()[0].x, 40, 1e-3);
  EXPECT_NEAR(Vertices()[6].y - Vertices()[0].y, 0, 1e-3);
}

TEST_F(TextDrawing, OnlyThePlainAndTransformedFormsOpenTheTextMarker) {
  GR_Text_Draw(0, 0, "A", -1, -1);
  GR_Text_Draw_Transformed(0, 0, "A", -1, -1, 1, 1, 0);
  GR_Text_Draw_Color(0, 0, "A", -1, -1, 0, 0, 0, 0, 1);
  GR_Text_Draw_Transformed_Color(0, 0, "A", -1, -1, 1, 1, 0, 0, 0, 0, 0, 1);
  EXPECT_EQ(g_markers, (std::vector<std::string>{"begin Text FFFF00", "end", "begin Text FFFF00", "end"}));
}

TEST_F(TextDrawing, EmptyLinesStillTakeTheirPlace) {
  GR_Text_Draw(0, 0, "A##A", -1, -1);
  ASSERT_EQ(Count(), 12);
  EXPECT_FLOAT_EQ(Vertices()[6].y + 0.5f, 30);
  Clear();
  GR_Text_Draw(0, 0, "", -1, -1);
  GR_Text_Draw(0, 0, nullptr, -1, -1);
  EXPECT_EQ(Count(), 0);
}

TEST_F(TextDrawing, AFontThatIsNotOneDrawsWithTheBuiltInFont) {
  for (int32_t index : {-1, 99, font_ + 1}) {
    Clear();
    GR_Text_Set_Font(index);
    GR_Text_Draw(20, 30, "Hi!", -1, -1);
    ASSERT_EQ(Count(), 18) << index;
    EXPECT_NE(Graphics::PendingBatch().texture, nullptr);
    const float right = 20.0f + static_cast<float>(GR_Text_String_Width("Hi!", -1, -1));
    const float bottom = 30.0f + static_cast<float>(GR_Text_String_Height("Hi!", -1, -1));
    for (int32_t i = 0; i < Count(); ++i) {
      EXPECT_GE(Vertices()[i].x, 19.5f);
      EXPECT_LE(Vertices()[i].x, right + 0.5f);
      EXPECT_GE(Vertices()[i].y, 29.5f);
      EXPECT_LE(Vertices()[i].y, bottom + 0.5f);
    }
  }
}

// Reals that are not numbers reach text drawing as INT32_MIN: lines as high
// as the font and no wrapping.
TEST_F(TextDrawing, OutOfRangeSeparationsAndWrapWidthsMeanTheDefaults) {
  EXPECT_EQ(GR_Text_String_Height("A#A", INT32_MIN, INT32_MIN), 30);
  EXPECT_EQ(GR_Text_String_Width("AA AA", INT32_MIN, INT32_MIN), 46);
  const float nan = std::nanf("");
  GR_Text_Draw_Transformed(nan, nan, "A", INT32_MIN, INT32_MIN, nan, nan, nan);
  GR_Text_Draw_Transformed_Color(0, 0, "A#A", INT32_MAX, -1, INFINITY, -INFINITY, INFINITY, 0, 0, 0, 0, nan);
  EXPECT_EQ(GR_Text_String_Height("A#A#A", INT32_MAX, -1), INT32_MAX);
}

}  // namespace

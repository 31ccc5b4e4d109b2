// Splitting texts into lines and measuring them, with a font of fixed
// advances and no device.
#include "resources/text_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/overlay/profiler.h"
#include "resources/font.h"
#include "resources/text_draw.h"

namespace {

// A = 10 wide, space 6, every other character 10; lines 16 high.
class FixedFont : public ::testing::Test {
 protected:
  FixedFont() {
    const FontGlyph glyphs[] = {{' ', 0, 0, 6, 16, 6, 0}, {'A', 0, 0, 10, 16, 10, 0}, {'M', 0, 0, 10, 16, 10, 0}};
    font_.SetGlyphs(glyphs, 3);
  }
  std::vector<std::string> Lines(const char* text, int32_t wrap = kTextNoWrap) const {
    const TextLines lines(text, font_, wrap);
    std::vector<std::string> out;
    for (int32_t i = 0; i < lines.Count(); ++i) out.emplace_back(lines.Line(i));
    return out;
  }
  int32_t Width(const char* text, int32_t wrap) const { return TextLines(text, font_, wrap).Width(); }
  int32_t Height(const char* text, int32_t wrap) const {
    return Text_Height(TextLines(text, font_, wrap).Count(), -1, Text_UnitHeight(font_));
  }
  CFontGM font_;
};

using Split = std::vector<std::string>;

TEST_F(FixedFont, HashesAndBreaksSplitLinesWithoutTouchingTheCallersText) {
  EXPECT_EQ(Lines("a#b"), (Split{"a", "b"}));
  const char shown[] = "a\\#b";
  EXPECT_EQ(Lines(shown), (Split{"a#b"}));
  EXPECT_EQ(Lines(shown), (Split{"a#b"})) << "a second split still sees the backslash";
  EXPECT_STREQ(shown, "a\\#b");
  EXPECT_EQ(Lines("a\r\nb"), (Split{"a", "", "b"})) << "a carriage return and a line feed are two breaks";
  EXPECT_EQ(Lines("a#"), (Split{"a"})) << "a break at the end adds no line";
  EXPECT_EQ(Lines("##"), (Split{"", ""}));
  EXPECT_EQ(Lines(""), Split{});
  EXPECT_EQ(Lines(nullptr), Split{});
}

TEST_F(FixedFont, WrappingBreaksAtSpacesAndKeepsLongWordsWhole) {
  EXPECT_EQ(Lines("AA AA AA", 45), (Split{"AA", "AA", "AA"}));
  EXPECT_EQ(Width("AA AA AA", 45), 20);
  EXPECT_EQ(Height("AA AA AA", 45), 48);
  EXPECT_EQ(Lines("AA AA AA", 56), (Split{"AA AA", "AA"}));
  EXPECT_EQ(Width("AA AA AA", 56), 46);
  EXPECT_EQ(Lines("AAAAAAAAAAAA", 50), (Split{"AAAAAAAAAAAA"}));
  EXPECT_EQ(Width("AAAAAAAAAAAA", 50), 120);
  EXPECT_EQ(Lines("AA    AA", 30), (Split{"AA ", "AA"})) << "a break on a space keeps the spaces before it";
  EXPECT_EQ(Lines("AA   AAAA", 45), (Split{"AA", "AAAA"})) << "a break moved back drops them";
  EXPECT_EQ(Lines("  AA", 1000), (Split{"AA"}));
}

TEST_F(FixedFont, WrappingStopsAtAGlyphWiderThanTheWidth) {
  EXPECT_EQ(Lines("AA", 5), Split{});
  EXPECT_EQ(Height("AA", 5), 1);
  EXPECT_EQ(Lines("A", 0), Split{}) << "a wrap width of 0 lays out nothing";
  EXPECT_EQ(Lines("AAA AAAAAAA", 35), (Split{"AAA", "AAAAAAA"}));
  EXPECT_EQ(Lines("A AAAAAAA#A", 5), Split{}) << "the first line already stops the layout";
}

TEST_F(FixedFont, WhenWrappingOnlyCarriageReturnsBreak) {
  EXPECT_EQ(Lines("a\nb", 1000), (Split{"a\nb"})) << "a line feed is an ordinary character";
  EXPECT_EQ(Lines("a#b", 1000), (Split{"a", "b"}));
  EXPECT_EQ(Lines("a##b", 1000), (Split{"a", "b"})) << "empty lines are not entered";
}

TEST_F(FixedFont, MeasuringCountsLinesAndHoldsResultsToThirtyTwoBits) {
  EXPECT_EQ(Text_Height(3, 20, 16), 56);
  EXPECT_EQ(Text_Height(3, -5, 16), 48) << "a negative separation is the line height";
  EXPECT_EQ(Text_Height(0, 20, 16), 1);
  EXPECT_EQ(Text_Height(1000, INT32_MAX, 16), INT32_MAX);
  EXPECT_EQ(Width("", kTextNoWrap), 1);
  EXPECT_EQ(Width("A#AAA", kTextNoWrap), 30);
  EXPECT_EQ(Text_UnitHeight(font_), 16);
}

TEST_F(FixedFont, MalformedAndWideCodePointsMeasureAsTheDecoderReadsThem) {
  EXPECT_EQ(Width("A\xE2", kTextNoWrap), 10) << "a cut sequence ends the text";
  // Beyond U+FFFF one replacement character, which takes the first glyph's advance.
  EXPECT_EQ(Width("A\xF0\x9F\x98\x80"
                  "A",
                  kTextNoWrap),
            26);
  EXPECT_EQ(Lines("\xC3#"), (Split{"\xC3\xA3"})) << "a lead byte takes the next byte as it comes";
}

TEST_F(FixedFont, AMegabyteTextIsLaidOutOnTheHeap) {
  const std::string big(1 << 20, 'A');
  EXPECT_EQ(Width(big.c_str(), kTextNoWrap), 10 << 20);
  std::string words;
  for (int i = 0; i < (1 << 18); ++i) words += "AAA ";
  EXPECT_EQ(TextLines(words.c_str(), font_, 35).Count(), 1 << 18);
}

// Without a device the built-in font still measures.
TEST(BuiltinFont, MeasuresWithoutADevice) {
  ProfilerServices_Install(&ProfilerServices_Real());
  GR_Text_Reset();
  GR_Text_Set_Font(12345);
  EXPECT_EQ(GR_Text_String_Width("", -1, -1), 1);
  EXPECT_GT(GR_Text_String_Width("Hello", -1, -1), 5);
  const int32_t h = GR_Text_String_Height("a", -1, -1);
  EXPECT_GT(h, 1);
  EXPECT_EQ(GR_Text_String_Height("a#b#c", 20, -1), h + 40);
  GR_Text_Set_Halign(5);
  GR_Text_Set_Valign(-1);
  EXPECT_EQ(GR_Text_Get_Halign(), 0);
  EXPECT_EQ(GR_Text_Get_Valign(), 0);
  GR_Text_Set_Halign(2);
  EXPECT_EQ(GR_Text_Get_Halign(), 2);
  GR_Text_Reset();
}

}  // namespace

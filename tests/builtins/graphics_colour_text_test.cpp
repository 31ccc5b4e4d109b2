#include "graphics_test_support.h"

namespace {

TEST_F(GraphicsBuiltins, MakeColourTruncatesWithoutClampingAndBothNamesShareOneHandler) {
  EXPECT_EQ(Real("make_color_rgb", {R(255), R(128), R(0)}), 33023);
  EXPECT_EQ(Real("make_color_rgb", {R(-1), R(0), R(0)}), -1);
  EXPECT_EQ(Real("make_color_rgb", {R(10.9), R(0), R(0)}), 10);
  EXPECT_EQ(Real("make_color_rgb", {R(300), R(0), R(0)}), 300);
  EXPECT_EQ(Real("make_color", {R(0), R(0), R(255)}), 0xFF0000);
  int32_t a = -1, b = -1;
  ASSERT_TRUE(Function_Find("make_color", &a));
  ASSERT_TRUE(Function_Find("make_color_rgb", &b));
  EXPECT_EQ(Function_GetHandler(a), Function_GetHandler(b));
}

TEST_F(GraphicsBuiltins, ChannelGettersKeepTheSignOfANegativeColour) {
  EXPECT_EQ(Real("color_get_red", {R(-1)}), -1);
  EXPECT_EQ(Real("color_get_green", {R(-1)}), 0);
  EXPECT_EQ(Real("color_get_red", {R(0x123456)}), 0x56);
  EXPECT_EQ(Real("color_get_green", {R(0x123456)}), 0x34);
  EXPECT_EQ(Real("color_get_blue", {R(0xFF0000)}), 255);
  EXPECT_EQ(Real("color_get_blue", {R(-65536 * 3)}), -3);
}

TEST_F(GraphicsBuiltins, HSVBytesOfPureAndGreyColours) {
  EXPECT_EQ(Real("color_get_saturation", {R(255)}), 255);
  EXPECT_EQ(Real("color_get_hue", {R(255)}), 0);
  EXPECT_EQ(Real("color_get_hue", {R(65280)}), 85);
  EXPECT_EQ(Real("color_get_value", {R(65280)}), 255);
  for (double grey : {0.0, 8421504.0, 16777215.0}) {
    EXPECT_EQ(Real("color_get_hue", {R(grey)}), 0) << grey;
    EXPECT_EQ(Real("color_get_saturation", {R(grey)}), 0) << grey;
  }
  EXPECT_EQ(Real("color_get_value", {R(8421504)}), 128);
}

TEST_F(GraphicsBuiltins, MakeColourHSVAndMergeColour) {
  EXPECT_EQ(Real("make_color_hsv", {R(0), R(0), R(255)}), 16777215);
  EXPECT_EQ(Real("make_color_hsv", {R(255), R(255), R(255)}), 255);
  EXPECT_EQ(Real("make_color_hsv", {R(85), R(255), R(255)}), 65280);
  EXPECT_EQ(Real("merge_color", {R(0), R(255), R(0.5)}), 128);
  EXPECT_EQ(Real("merge_color", {R(0x102030), R(0x102030), R(0.3)}), 0x102030);
  EXPECT_GE(Real("make_color_hsv", {R(-1), R(-1), R(-1)}), 0) << "an unsigned result";
}

TEST_F(GraphicsBuiltins, ColourBuiltinsAnswerDefinedValuesForNonFiniteInput) {
  for (double bad : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300}) {
    EXPECT_TRUE(std::isfinite(Real("make_color_rgb", {R(bad), R(bad), R(bad)})));
    EXPECT_TRUE(std::isfinite(Real("color_get_red", {R(bad)})));
    EXPECT_TRUE(std::isfinite(Real("merge_color", {R(bad), R(0), R(bad)})));
  }
}

std::string Text(const ScriptValue& v, size_t size = 1024) {
  std::vector<char> buffer(size, 'x');
  Graphics_ValueToText(v, size, buffer.data());
  return std::string(buffer.data());
}

std::string RealText(double x, size_t size = 1024) {
  ScriptValue v{};
  ScriptValue_SetReal(&v, x);
  return Text(v, size);
}

TEST(GraphicsValueText, WholeSingleValuesPrintAsIntegersOthersWithTwoDecimals) {
  EXPECT_EQ(RealText(3), "3");
  EXPECT_EQ(RealText(3.0000001), "3");
  EXPECT_EQ(RealText(2.5), "2.50");
  EXPECT_EQ(RealText(0.1), "0.10");
  EXPECT_EQ(RealText(-7), "-7");
  EXPECT_EQ(RealText(-2147483648.0), "-2147483648");
  EXPECT_EQ(RealText(12.5, 4), "12.");
  EXPECT_FALSE(RealText(NAN).empty());
  EXPECT_LT(RealText(1e300).size(), 1024u);
  EXPECT_LT(RealText(3e38).size(), 1024u);
}

TEST(GraphicsValueText, StringsStandAsTheyAreAndAreCutToTheBuffer) {
  ScriptValue v{};
  ScriptValue_SetString(&v, "%d%s");
  EXPECT_EQ(Text(v), "%d%s");
  EXPECT_EQ(Text(v, 3), "%d");
  ScriptValue_Release(&v);
  v.kind = kValueString;
  v.text = nullptr;
  EXPECT_EQ(Text(v), "");
}

TEST_F(GraphicsBuiltins, TextLongerThanTheBufferIsDrawnWhole) {
  const std::string longText(3000, 'a');
  ExpectSame(
      "draw_text", {R(0), R(0), S(longText.c_str())}, [&] { GR_Text_Draw(0, 0, longText.c_str(), -1, -1); },
      [&] { GR_Text_Draw(0, 0, longText.substr(0, kGraphicsTextBufferSize - 1).c_str(), -1, -1); });
}

}  // namespace

#include "runtime/colour.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Script colours, red in the low byte.
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

uint32_t Hsv(uint32_t h, uint32_t s, uint32_t v) { return Colour_MakeTriple(h, s, v); }

TEST(Colour, ToHsv) {
  EXPECT_EQ(Colour_RGBToHSV(0xFF0000), Hsv(0, 255, 255)) << "the RGB triple holds red in bits 16-23";
  EXPECT_EQ(Colour_GetHSV(kRed), Hsv(0, 255, 255));
  EXPECT_EQ(Colour_GetHSV(kGreen), Hsv(85, 255, 255));
  EXPECT_EQ(Colour_GetHSV(kBlue), Hsv(170, 255, 255));
  EXPECT_EQ(Colour_GetHSV(kRed | kBlue), Hsv(212, 255, 255)) << "negative hue wraps to 300 degrees";
  EXPECT_EQ(Colour_GetHSV(0), Hsv(0, 0, 0));
  EXPECT_EQ(Colour_GetHSV(0xFF808080u), Hsv(0, 0, 128)) << "grey; bits above blue ignored";
}

TEST(Colour, MakeHsv) {
  EXPECT_EQ(Colour_MakeHSV(0, 255, 255), kRed);
  EXPECT_EQ(Colour_MakeHSV(170, 255, 255), kBlue);
  EXPECT_EQ(Colour_MakeHSV(255, 255, 255), kRed) << "a full turn wraps to red";
  EXPECT_EQ(Colour_MakeHSV(256 + 85, -1, 255), kGreen) << "only the low byte of each argument counts";
  EXPECT_EQ(Colour_MakeHSV(10, 0, 200), 0xC8C8C8u);
  EXPECT_EQ(Colour_HSVToRGB(Hsv(170, 255, 255)), 0x0000FFu) << "the RGB triple holds blue in byte 0";
  // 72 degrees, sector 1: red is 0.79999995 * 255 in single precision, truncated.
  EXPECT_EQ(Colour_MakeHSV(51, 255, 255), 0x00FFCBu);
  const uint32_t sector5 = Colour_MakeHSV(230, 255, 255);
  EXPECT_EQ(sector5 & 0xFFFF, 0x00FFu);
  EXPECT_TRUE(sector5 >> 16 > 0 && sector5 >> 16 < 255);
}

TEST(Colour, MergeRoundsEachByteHalfToEvenAndWraps) {
  EXPECT_EQ(Colour_Merge(0, 0xFFFFFF, 0.5f), 0x808080u);
  EXPECT_EQ(Colour_Merge(0, 3, 0.5f), 2u);
  EXPECT_EQ(Colour_Merge(0, 1, 0.5f), 0u);
  EXPECT_EQ(Colour_Merge(0x123456, 0xABCDEF, 1.0f), 0xABCDEFu);
  EXPECT_EQ(Colour_Merge(0xFF000000u, 0xFF000000u, 0.5f), 0u);
  EXPECT_EQ(Colour_Merge(0, 0x0000FF, 2.0f), 254u);       // 510
  EXPECT_EQ(Colour_Merge(0x00FF00, 0, 2.0f), 0x000100u);  // -255, still in its own byte
  EXPECT_EQ(Colour_Merge(0xFFFFFF, 0, std::numeric_limits<float>::quiet_NaN()), 0u);
}

}  // namespace

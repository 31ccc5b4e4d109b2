// Primitives drawn through the drawing core on the OpenGL device, read back
// from the screen target: which pixels they cover, exactly.
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"

namespace {

constexpr int32_t kSize = 64;
constexpr uint32_t kBlack = 0xFF000000u;

struct Box {
  int x1, y1, x2, y2;  // inclusive
  bool Has(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

class DrawPixels : public ScreenDrawingTest {
 protected:
  static uint32_t At(const std::vector<uint32_t>& px, int x, int y) { return px[static_cast<size_t>(y * kSize + x)]; }
  // Every pixel inside the box is `inside`, every other one black.
  void ExpectOnly(const Box& box, uint32_t inside, const char* what) {
    const std::vector<uint32_t> px = Screen();
    ASSERT_EQ(px.size(), static_cast<size_t>(kSize * kSize));
    int wrong = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const uint32_t want = box.Has(x, y) ? inside : kBlack;
        if (At(px, x, y) != want && ++wrong <= 5) ADD_FAILURE() << what << " at " << x << "," << y;
      }
    }
  }
};

TEST_F(DrawPixels, FilledRectangleCoversItsCornersInclusiveInEitherOrder) {
  GR_Draw_Set_Color(0x0000FF);
  GR_Draw_Rectangle(10, 10, 20, 15, 0);
  ExpectOnly(Box{10, 10, 20, 15}, 0xFFFF0000u, "given in order");
  GR_Draw_Clear(kBlack);
  GR_Draw_Rectangle(40, 30, 30, 20, 0);
  ExpectOnly(Box{30, 20, 40, 30}, 0xFFFF0000u, "given reversed");
}

TEST_F(DrawPixels, PointLightsOnlyItsPixel) {
  GR_Draw_Set_Color(0x00FF00);
  GR_Draw_Point(5, 5);
  ExpectOnly(Box{5, 5, 5, 5}, 0xFF00FF00u, "point");
}

TEST_F(DrawPixels, OutlineRectangleSetsItsCornersAndLeavesItsInside) {
  GR_Draw_Set_Color(0xFFFFFF);
  GR_Draw_Rectangle(10, 12, 30, 40, 1);
  const std::vector<uint32_t> px = Screen();
  for (const auto& [x, y] : {std::pair{10, 12}, {30, 12}, {30, 40}, {10, 40}}) {
    EXPECT_EQ(At(px, x, y), 0xFFFFFFFFu) << x << "," << y;
  }
  for (int y = 14; y <= 38; ++y) {
    for (int x = 12; x <= 28; ++x) ASSERT_EQ(At(px, x, y), kBlack) << x << "," << y;
  }
  EXPECT_EQ(At(px, 5, 5), kBlack);
  EXPECT_EQ(At(px, 35, 45), kBlack);
}

TEST_F(DrawPixels, HealthBarFillsToItsAmount) {
  // Min red, mid green, max blue; back grey, shown, no border.
  GR_Draw_Healthbar(10, 10, 30, 20, 50, 0x404040, 0x0000FF, 0x00FF00, 0xFF0000, 0, true, false);
  std::vector<uint32_t> px = Screen();
  for (int x = 10; x <= 20; ++x) EXPECT_EQ(At(px, x, 15), 0xFF00FF00u) << x;
  for (int x = 21; x <= 30; ++x) EXPECT_EQ(At(px, x, 15), 0xFF404040u) << x;
  EXPECT_EQ(At(px, 31, 15), kBlack);
  EXPECT_EQ(At(px, 15, 21), kBlack);

  GR_Draw_Clear(kBlack);
  GR_Draw_Healthbar(10, 10, 30, 20, 120, 0x404040, 0x0000FF, 0x00FF00, 0xFF0000, 0, true, false);
  px = Screen();
  for (int x = 10; x <= 30; ++x) EXPECT_EQ(At(px, x, 15), 0xFF0000FFu) << x;
}

// A line through the vertex place v lights pixel v - 1. draw_rectangle's
// outline, whose corners get +1, so lights the border of the filled
// rectangle with the same corners; the health bar's border goes through the
// corner-colour rectangle, whose left and top get nothing and whose right
// and bottom get +1.01, so it frames its box from one pixel before it to
// its last pixels, the top-left corner pixel left to the rasteriser.
TEST_F(DrawPixels, OutlinePixelsFollowTheirVertexPlaces) {
  constexpr uint32_t kGrey = 0xFF808080u, kWhite = 0xFFFFFFFFu, kGreen = 0xFF00FF00u;
  GR_Draw_Clear(kGrey);
  GR_Draw_Set_Color(0xFFFFFF);
  GR_Draw_Rectangle(20, 20, 10, 10, 1);
  GR_Draw_Healthbar(30, 30, 50, 50, 100, 0xFF0000, 0x00FF00, 0x00FF00, 0x00FF00, 0, true, true);
  const std::vector<uint32_t> px = Screen();
  const Box outline{10, 10, 20, 20}, inside{11, 11, 19, 19}, frame{29, 29, 50, 50}, bar{30, 30, 49, 49};
  int wrong = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      uint32_t want = kGrey;
      if (outline.Has(x, y) && !inside.Has(x, y)) want = kWhite;
      if (frame.Has(x, y) && !(x == 29 && y == 29)) want = bar.Has(x, y) ? kGreen : kBlack;
      if (At(px, x, y) != want && ++wrong <= 5) ADD_FAILURE() << x << "," << y;
    }
  }
}

TEST_F(DrawPixels, LowestPrecisionCircleIsADiamond) {
  GR_Draw_Set_Circle_Precision(5);
  GR_Draw_Set_Color(0xFFFFFF);
  GR_Draw_Circle(32, 32, 12, 0);
  const std::vector<uint32_t> px = Screen();
  // Well inside |dx| + |dy| < 12, and well outside it though inside the circle.
  for (const auto& [x, y] : {std::pair{32, 32}, {26, 32}, {32, 26}, {36, 35}, {28, 29}}) {
    EXPECT_EQ(At(px, x, y), 0xFFFFFFFFu) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{25, 25}, {39, 39}, {25, 39}, {39, 25}, {20, 20}}) {
    EXPECT_EQ(At(px, x, y), kBlack) << x << "," << y;
  }
}

TEST_F(DrawPixels, ClearAndPixelReadUseScriptColours) {
  GR_Draw_Clear_Alpha(0x123456, 1.0f);
  EXPECT_EQ(GR_Draw_Get_Pixel(3, 3), 0x123456u);
  EXPECT_EQ(GR_Draw_Get_Pixel(kSize + 5, 3), 0u);
}

// Reads of one size share a read-back target; each still sees what was
// drawn since the last, and a read of another size in between changes
// nothing.
TEST_F(DrawPixels, RepeatedPixelReadsSeeEachNewDrawing) {
  GR_Draw_Clear_Alpha(0x000000, 1.0f);
  for (uint32_t colour : {0x0000FFu, 0x00FF00u, 0xFF0000u}) {
    GR_Draw_Set_Color(colour);
    GR_Draw_Point(5, 6);
    EXPECT_EQ(GR_Draw_Get_Pixel(5, 6), colour);
    EXPECT_EQ(GR_Draw_Get_Pixel(6, 6), 0u);
    EXPECT_EQ(Screen().size(), static_cast<size_t>(kSize * kSize));
  }
  // A run of reads with nothing drawn between them answers from one copy
  // of the screen, each pixel from its own place.
  GR_Draw_Set_Color(0x00FFFF);
  GR_Draw_Rectangle(10, 20, 12, 40, 0);
  for (int y = 0; y < kSize; y += 3) {
    for (int x = 0; x < kSize; x += 5) {
      const uint32_t want = x >= 10 && x <= 12 && y >= 20 && y <= 40 ? 0x00FFFFu : (x == 5 && y == 6 ? 0xFF0000u : 0u);
      EXPECT_EQ(GR_Draw_Get_Pixel(x, y), want) << x << "," << y;
    }
  }
  GR_Draw_Point(11, 21);
  EXPECT_EQ(GR_Draw_Get_Pixel(11, 21), 0x00FFFFu);
  GR_Draw_Set_Color(0x123456);
  GR_Draw_Point(11, 21);
  EXPECT_EQ(GR_Draw_Get_Pixel(11, 21), 0x123456u);
  EXPECT_EQ(GR_Draw_Get_Pixel(12, 21), 0x00FFFFu);
}

TEST_F(DrawPixels, FinishedFrameReachesTheBackBuffer) {
  GR_Draw_Set_Color(0x0000FF);
  GR_Draw_Rectangle(0, 0, 7, 3, 0);
  ASSERT_TRUE(GR_D3D_Finish_Frame(true));
  int32_t w = 0, h = 0;
  uint32_t* back = GR_Read_Back_Buffer(&w, &h);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(w, kSize);
  EXPECT_EQ(h, kSize);
  EXPECT_EQ(back[0], 0xFFFF0000u);
  EXPECT_EQ(back[3 * kSize + 7], 0xFFFF0000u);
  EXPECT_EQ(back[4 * kSize + 8], kBlack);
  MemoryManager::Free(back);
  ASSERT_TRUE(GR_D3D_Start_Frame());  // the tear-down closes a frame
}

}  // namespace

// Surfaces on the OpenGL device (and on the recording fake where a call
// must fail): the table, the drawing target, what lands in a surface and
// what a drawn surface puts on the screen, pixel reads, copies and bitmaps.
#include "graphics/surface/surfaces.h"

#include <memory>

#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/texture/texture_table.h"

namespace {

constexpr int32_t kWidth = 64, kHeight = 48;
constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu;
constexpr uint32_t kScriptRed = 0x0000FF, kScriptBlue = 0xFF0000, kScriptWhite = 0xFFFFFF;

void ScreenProjectionSize(int32_t* w, int32_t* h) {
  *w = g_screenSize.width;
  *h = g_screenSize.height;
}

class Surfaces : public GraphicsTest {
 protected:
  void Start(bool fake) {
    PlatformBackends_Put(&PlatformBackends::graphics, fake ? FakeGraphics_CreateSystem : nullptr);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    g_screenSize = ScreenSize{kWidth, kHeight};
    DeviceWindow_State() = DeviceWindowState{};
    Graphics::SetProjectionSizeSource(ScreenProjectionSize);
    GR_Draw_Set_Alpha(1.0f);
    GR_Texture_Set_Interpolation(false);
    ASSERT_TRUE(GR_D3D_Init(nullptr, kWidth, kHeight, 0));
    ASSERT_TRUE(GR_D3D_Start_Frame());
    GR_Draw_Clear(kBlack);
  }
  void TearDown() override {
    GR_Surface_Free_All();
    if (Graphics::SceneDepth() != 0) GR_D3D_Finish_Frame(false);
    Graphics::SetProjectionSizeSource(nullptr);
    GraphicsTest::TearDown();
  }
  std::vector<uint32_t> Screen() { return ReadScreen(kWidth, kHeight); }
  static uint32_t At(const std::vector<uint32_t>& px, int x, int y) { return px[static_cast<size_t>(y * kWidth + x)]; }
  std::vector<uint32_t> Pixels(int32_t s, int32_t x, int32_t y, int32_t w, int32_t h) {
    uint32_t* block = GR_Surface_Read_Pixels(s, x, y, w, h);
    std::vector<uint32_t> px;
    if (block != nullptr) px.assign(block, block + static_cast<size_t>(w) * h);
    MemoryManager::Free(block);
    return px;
  }
  // A surface of one colour per column band: red on the left half, blue on the right.
  int32_t RedBlue(int32_t w, int32_t h) {
    const int32_t s = GR_Surface_Create(w, h);
    EXPECT_TRUE(GR_Surface_Set_Target(s));
    GR_Draw_Set_Color(kScriptRed);
    GR_Draw_Rectangle(0, 0, static_cast<float>(w / 2 - 1), static_cast<float>(h - 1), 0);
    GR_Draw_Set_Color(kScriptBlue);
    GR_Draw_Rectangle(static_cast<float>(w / 2), 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 0);
    EXPECT_TRUE(GR_Surface_Reset_Target());
    return s;
  }
};

TEST_F(Surfaces, TheTableReusesFreedRecordsAndRefusesBadSizes) {
  Start(false);
  EXPECT_EQ(GR_Surface_Create(8, 4), 0);
  EXPECT_EQ(GR_Surface_Create(3, 2), 1);
  EXPECT_EQ(GR_Surface_Get_Width(1), 3);
  EXPECT_EQ(GR_Surface_Get_Height(1), 2);
  GR_Surface_Free(0);
  EXPECT_FALSE(GR_Surface_Exists(0));
  EXPECT_EQ(GR_Surface_Get_Texture(0), -1);
  EXPECT_EQ(GR_Surface_Create(5, 5), 0);
  for (int32_t bad : {0, -1, kSurfaceMaxSide + 1, INT32_MIN}) {
    EXPECT_EQ(GR_Surface_Create(bad, 4), -1) << bad;
    EXPECT_EQ(GR_Surface_Create(4, bad), -1) << bad;
  }
  EXPECT_EQ(GR_Surface_Create(1, kSurfaceMaxSide), 2);
  EXPECT_EQ(GR_Surface_Get_Width(-1), -1);
  EXPECT_EQ(GR_Surface_Get_Height(99), -1);
}

TEST_F(Surfaces, TheTargetIsOneLevelAndAlwaysReturnsToTheScreen) {
  Start(false);
  GR_Set_Viewport(1, 2, 30, 20);
  GR_Set_View_Projection(100, 100, 30, 20, 0);
  const int32_t depth = Graphics::RenderTargetDepth();
  const int32_t a = GR_Surface_Create(16, 8), b = GR_Surface_Create(4, 4);
  ASSERT_TRUE(GR_Surface_Set_Target(a));
  EXPECT_EQ(g_orthoProjection, 1);
  EXPECT_EQ(g_viewport.width, 16);
  EXPECT_TRUE(GR_Surface_Set_Target(a));
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth + 1);
  ASSERT_TRUE(GR_Surface_Set_Target(b));
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth + 1);
  EXPECT_EQ(g_drawState.currentTarget, b);
  ASSERT_TRUE(GR_Surface_Reset_Target());
  EXPECT_EQ(g_drawState.currentTarget, -1);
  EXPECT_EQ(g_orthoProjection, 0);
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth);
  EXPECT_EQ(g_viewport.x, 1);
  EXPECT_EQ(g_viewport.width, 30);
  EXPECT_EQ(g_viewProjection.x, 100.0f);
  EXPECT_FALSE(GR_Surface_Reset_Target());

  ASSERT_TRUE(GR_Surface_Set_Target(a));
  GR_Surface_Free(a);
  EXPECT_EQ(g_drawState.currentTarget, -1);
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth);
  EXPECT_EQ(g_viewport.height, 20);
  EXPECT_EQ(g_viewProjection.y, 100.0f);
  EXPECT_FALSE(GR_Surface_Set_Target(a));
}

TEST_F(Surfaces, AFailingBindTakesItsEntryOffTheStackAgain) {
  Start(true);
  const int32_t s = GR_Surface_Create(8, 8);
  const int32_t depth = Graphics::RenderTargetDepth();
  FakeGraphics_Log().Fail("SetDepthStencilSurface");
  EXPECT_FALSE(GR_Surface_Set_Target(s));
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth);
  EXPECT_EQ(g_drawState.currentTarget, -1);
  EXPECT_EQ(g_orthoProjection, 0);
}

TEST_F(Surfaces, DrawingIntoASurfaceIgnoresTheViewAndKeepsTheTopRowOnTop) {
  Start(false);
  GR_Set_View_Projection(100, 100, kWidth, kHeight, 0);
  const int32_t s = GR_Surface_Create(8, 8);
  ASSERT_TRUE(GR_Surface_Set_Target(s));
  GR_Draw_Set_Color(kScriptRed);
  GR_Draw_Rectangle(0, 0, 3, 3, 0);
  GR_Draw_Set_Color(kScriptBlue);
  GR_Draw_Rectangle(0, 7, 7, 7, 0);
  ASSERT_TRUE(GR_Surface_Reset_Target());
  const std::vector<uint32_t> px = Pixels(s, 0, 0, 8, 8);
  ASSERT_EQ(px.size(), 64u);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint32_t want = y == 7 ? kBlue : (x <= 3 && y <= 3 ? kRed : 0u);
      EXPECT_EQ(px[static_cast<size_t>(y * 8 + x)], want) << x << "," << y;
    }
  }
  EXPECT_EQ(GR_Surface_Get_Pixel(s, 1, 1), kScriptRed);
  EXPECT_EQ(GR_Surface_Get_Pixel(s, 5, 1), 0u);
  EXPECT_EQ(GR_Surface_Get_Pixel(s, 50, 50), 0u);
}

TEST_F(Surfaces, ADrawnSurfacePutsItsPixelsWhereTheCornerLies) {
  Start(false);
  const int32_t s = GR_Surface_Create(4, 4);
  ASSERT_TRUE(GR_Surface_Set_Target(s));
  GR_Draw_Set_Color(kScriptRed);
  GR_Draw_Rectangle(0, 1, 3, 1, 0);
  ASSERT_TRUE(GR_Surface_Reset_Target());
  GR_Surface_Draw(s, 10, -1);
  const std::vector<uint32_t> px = Screen();
  EXPECT_EQ(At(px, 10, 0), kRed);
  EXPECT_EQ(At(px, 13, 0), kRed);
  EXPECT_EQ(At(px, 10, 1), kBlack);
  EXPECT_EQ(At(px, 9, 0), kBlack);
}

// The pixels of the 16 x 16 top-left corner that are not black.
std::vector<std::pair<int, int>> Lit(const std::vector<uint32_t>& px, int stride) {
  std::vector<std::pair<int, int>> lit;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if ((px[static_cast<size_t>(y * stride + x)] & 0xFFFFFFu) != 0) lit.emplace_back(x, y);
    }
  }
  return lit;
}

TEST_F(Surfaces, EveryPrimitiveLandsOnTheSamePixelsInASurfaceOfAnySizeAsOnTheScreen) {
  struct Shape {
    const char* name;
    void (*draw)();
    int left, top, right, bottom;  // its first and last lit pixel on the screen
  };
  const Shape shapes[] = {
      {"point", [] { GR_Draw_Point(1, 1); }, 1, 1, 1, 1},
      {"point further in", [] { GR_Draw_Point(5, 5); }, 5, 5, 5, 5},
      {"line", [] { GR_Draw_Line(0, 10, 4, 10); }, 1, 10, 4, 10},
      {"outline", [] { GR_Draw_Rectangle(3, 3, 6, 6, 1); }, 3, 3, 6, 6},
      {"filled", [] { GR_Draw_Rectangle(9, 9, 12, 12, 0); }, 9, 9, 12, 12},
  };
  Start(false);
  // Smaller than the screen, oblong, and larger than it.
  for (const auto& [w, h] : {std::pair{16, 16}, std::pair{40, 16}, std::pair{128, 96}}) {
    const int32_t s = GR_Surface_Create(w, h);
    for (const Shape& shape : shapes) {
      GR_Draw_Clear(kBlack);
      GR_Draw_Set_Color(kScriptWhite);
      shape.draw();
      const std::vector<std::pair<int, int>> screen = Lit(Screen(), kWidth);
      ASSERT_FALSE(screen.empty()) << shape.name;
      EXPECT_EQ(screen.front(), std::pair(shape.left, shape.top)) << shape.name;
      EXPECT_EQ(screen.back(), std::pair(shape.right, shape.bottom)) << shape.name;
      ASSERT_TRUE(GR_Surface_Set_Target(s));
      GR_Draw_Clear(kBlack);
      shape.draw();
      ASSERT_TRUE(GR_Surface_Reset_Target());
      EXPECT_EQ(Lit(Pixels(s, 0, 0, w, h), w), screen) << shape.name << " in " << w << " x " << h;
    }
    GR_Surface_Free(s);
  }
}

TEST_F(Surfaces, HalfAlphaClearedIntoASurfaceBlendsHalfOverBlack) {
  Start(false);
  const int32_t s = GR_Surface_Create(4, 4);
  ASSERT_TRUE(GR_Surface_Set_Target(s));
  GR_Draw_Clear_Alpha(kScriptWhite, 0.5f);
  ASSERT_TRUE(GR_Surface_Reset_Target());
  GR_Surface_Draw(s, 0, 0);
  EXPECT_EQ(Pixels(s, 1, 1, 1, 1), std::vector<uint32_t>{0x7FFFFFFFu});
  EXPECT_LE(ChannelDistance(At(Screen(), 1, 1) & 0xFFFFFFu, 0x7F7F7Fu), 1);
}

TEST_F(Surfaces, PointSampledStretchKeepsTheTwoColoursApart) {
  Start(false);
  const int32_t s = RedBlue(2, 1);
  GR_Surface_Draw_Stretched(s, 0, 0, 16, 8, kScriptWhite, 1.0f);
  const std::vector<uint32_t> px = Screen();
  for (int x = 1; x < 15; ++x) {
    if (x == 7 || x == 8) continue;
    EXPECT_EQ(At(px, x, 4), x < 8 ? kRed : kBlue) << x;
  }
  GR_Draw_Clear(kBlack);
  GR_Surface_Draw_Stretched(s, 0, 0, 0, 8, kScriptWhite, 1.0f);
  GR_Surface_Draw_Stretched(s, 0, 0, 16, -1, kScriptWhite, 1.0f);
  EXPECT_EQ(At(Screen(), 1, 1), kBlack);
}

TEST_F(Surfaces, ATexturedPrimitiveShowsTheSurface) {
  Start(false);
  const int32_t s = RedBlue(2, 2);
  GR_Draw_Set_Color(kScriptWhite);
  GR_Primitive_Begin(6, GR_Surface_Get_Texture(s));
  GR_Primitive_Vertex_Texture(0, 0, 0, 0);
  GR_Primitive_Vertex_Texture(20, 0, 1, 0);
  GR_Primitive_Vertex_Texture(20, 20, 1, 1);
  GR_Primitive_Vertex_Texture(0, 20, 0, 1);
  GR_Primitive_End();
  const std::vector<uint32_t> px = Screen();
  EXPECT_EQ(At(px, 3, 10), kRed);
  EXPECT_EQ(At(px, 16, 10), kBlue);
}

TEST_F(Surfaces, CopiesAreExactAndACopyOntoItselfReadsTheOldPixels) {
  Start(false);
  const int32_t from = RedBlue(4, 2), to = GR_Surface_Create(6, 6);
  GR_Surface_Copy(to, 1, 2, from, 1, 0, 2, 2);
  std::vector<uint32_t> px = Pixels(to, 0, 0, 6, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      uint32_t want = 0;
      if (y >= 2 && y <= 3 && x == 1) want = kRed;
      if (y >= 2 && y <= 3 && x == 2) want = kBlue;
      EXPECT_EQ(px[static_cast<size_t>(y * 6 + x)], want) << x << "," << y;
    }
  }
  GR_Surface_Copy(from, 1, 0, from, 0, 0, 3, 2);
  px = Pixels(from, 0, 0, 4, 1);
  EXPECT_EQ(px, (std::vector<uint32_t>{kRed, kRed, kRed, kBlue}));
}

TEST_F(Surfaces, ReadsPastTheEdgesAreAsAskedAndTransparentOutside) {
  Start(false);
  const int32_t s = RedBlue(2, 2);
  const std::vector<uint32_t> px = Pixels(s, -2, -2, 4, 4);
  ASSERT_EQ(px.size(), 16u);
  EXPECT_EQ(px[0], 0u);
  EXPECT_EQ(px[2 * 4 + 2], kRed);
  EXPECT_EQ(px[3 * 4 + 3], kBlue);
  EXPECT_EQ(px[3 * 4 + 1], 0u);
  EXPECT_EQ(GR_Surface_Read_Pixels(s, 0, 0, 0, 4), nullptr);
  EXPECT_EQ(GR_Surface_Read_Pixels(s, 0, 0, 1 << 15, 1 << 14), nullptr);
  EXPECT_EQ(GR_Surface_Read_Pixels(7, 0, 0, 1, 1), nullptr);
  EXPECT_EQ(Pixels(s, 100, 100, 2, 1), (std::vector<uint32_t>{0, 0}));
}

TEST_F(Surfaces, BitmapCopiesOfASurfaceKeepAlphaAndOfTheScreenAreClipped) {
  Start(false);
  const int32_t s = RedBlue(2, 2);
  std::unique_ptr<TBitmap> bitmap(GR_Surface_Copy_To_Bitmap(s, 1, 0, 2, 2));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->GetPixelFormat(), kPixelFormat32);
  uint8_t* row = nullptr;
  int32_t stride = 0;
  bitmap->LockBits(0, &row, &stride);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row[0], 0xFF);   // blue byte of the blue pixel
  EXPECT_EQ(row[4 + 3], 0);  // outside: transparent

  GR_Draw_Set_Color(kScriptRed);
  GR_Draw_Rectangle(0, 0, 0, 0, 0);
  struct Case {
    int32_t x, y, w, h, outW, outH;
  };
  for (const Case& c : {Case{-5, -5, 10, 10, 10, 10}, Case{60, 40, 10, 10, 4, 8}, Case{70, 0, 5, 5, 0, 0}}) {
    std::unique_ptr<TBitmap> screen(GR_Screen_Copy_To_Bitmap(c.x, c.y, c.w, c.h));
    if (c.outW == 0) {
      EXPECT_EQ(screen, nullptr);
      continue;
    }
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetWidth(), c.outW);
    EXPECT_EQ(screen->GetHeight(), c.outH);
  }
  std::unique_ptr<TBitmap> corner(GR_Screen_Copy_To_Bitmap(-5, -5, 2, 2));
  ASSERT_NE(corner, nullptr);
  corner->LockBits(0, &row, &stride);
  EXPECT_EQ(row[2], 0xFF);  // red, from (0, 0)
  EXPECT_EQ(row[3], 0xFF);
}

TEST_F(Surfaces, AFrameEndingOnASurfaceStartsTheNextOnTheScreen) {
  Start(false);
  const int32_t s = GR_Surface_Create(8, 8);
  GR_Set_Viewport(0, 0, kWidth, kHeight);
  ASSERT_TRUE(GR_Surface_Set_Target(s));
  ASSERT_TRUE(GR_D3D_Finish_Frame(false));
  EXPECT_EQ(g_drawState.currentTarget, -1);
  EXPECT_EQ(g_orthoProjection, 0);
  EXPECT_EQ(g_viewport.width, kWidth);
  ASSERT_TRUE(GR_D3D_Start_Frame());
  GR_Draw_Clear(kBlack);
  GR_Draw_Set_Color(kScriptRed);
  GR_Draw_Rectangle(2, 2, 2, 2, 0);
  EXPECT_EQ(At(Screen(), 2, 2), kRed);
  EXPECT_TRUE(GR_Surface_Set_Target(s));
  EXPECT_TRUE(GR_Surface_Reset_Target());
}

// A reset with no surface as the target leaves the screen's own entry on
// the render-target stack: drawing after it still reaches the screen.
TEST_F(Surfaces, AResetWithoutASurfaceAnswersFalseAndDrawingStaysOnTheScreen) {
  Start(false);
  const int32_t depth = Graphics::RenderTargetDepth();
  EXPECT_FALSE(GR_Surface_Reset_Target());
  EXPECT_EQ(Graphics::RenderTargetDepth(), depth);
  GR_Draw_Set_Color(kScriptRed);
  GR_Draw_Rectangle(2, 2, 2, 2, 0);
  EXPECT_EQ(At(Screen(), 2, 2), kRed);
}

TEST_F(Surfaces, NothingWorksWithoutADevice) {
  EXPECT_EQ(GR_Surface_Create(4, 4), -1);
  EXPECT_FALSE(GR_Surface_Exists(0));
  EXPECT_FALSE(GR_Surface_Set_Target(0));
  EXPECT_FALSE(GR_Surface_Reset_Target());
  EXPECT_EQ(GR_Surface_Read_Pixels(0, 0, 0, 1, 1), nullptr);
  EXPECT_EQ(GR_Screen_Copy_To_Bitmap(0, 0, 1, 1), nullptr);
  GR_Surface_Draw(0, 0, 0);
  GR_Surface_Copy(0, 0, 0, 0, 0, 0, 1, 1);
}

}  // namespace

// The drawing core on the recording device: the vertices primitives leave in
// the batch, what setters send and when they flush, the graphics start,
// reset and frames.
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"

namespace {

std::vector<std::string> Matching(const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& line : FakeGraphics_Log().calls) {
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  }
  return out;
}

class DrawCore : public GraphicsTest {
 protected:
  void SetUp() override {
    DrawState_Reset();
    StartFakeDrawing();
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
    DrawState_Reset();
  }
  static const VertexBatch& Batch() { return Graphics::PendingBatch(); }
  static const TexVertex* Tex() { return reinterpret_cast<const TexVertex*>(Batch().scratch); }
  static const ColorVertex* Col() { return reinterpret_cast<const ColorVertex*>(Batch().scratch); }
};

TEST_F(DrawCore, AlphaAndPrecisionAreClampedAndRounded) {
  const std::pair<float, uint32_t> alphas[] = {{1.5f, 255}, {-1.0f, 0}, {0.5f, 127}, {NAN, 0}, {1.0f, 255}};
  GR_Draw_Set_Color(0x123456);
  for (const auto& [alpha, byte] : alphas) {
    GR_Draw_Set_Alpha(alpha);
    EXPECT_EQ(g_drawState.alpha, byte) << alpha;
    EXPECT_EQ(g_drawColor, byte << 24 | 0x563412u) << alpha;
  }
  EXPECT_EQ(GR_Draw_Get_Color(), 0x123456u);
  GR_Draw_Set_Alpha(0.5f);
  GR_Draw_Set_Color(0xFF0000);  // blue keeps the alpha already set
  EXPECT_EQ(g_drawColor, 0x7F0000FFu);

  const std::pair<int32_t, int32_t> precisions[] = {{5, 4}, {63, 60}, {100, 64}, {-3, 4}, {24, 24}};
  for (const auto& [asked, kept] : precisions) {
    GR_Draw_Set_Circle_Precision(asked);
    EXPECT_EQ(g_circlePrecision, kept) << asked;
    EXPECT_FLOAT_EQ(g_drawState.circleCos[kept], 1.0f) << asked;  // the table closes the ring
    EXPECT_NEAR(g_drawState.circleSin[kept / 4], 1.0f, 1e-6) << asked;
  }
}

TEST_F(DrawCore, ColourHelpersSwapChannelsAndMergeByChannel) {
  EXPECT_EQ(GR_Pack_Color(0x112233, 0x80), 0x80332211u);
  EXPECT_EQ(GR_Make_Color_RGB(1, 2, 3), 0x030201u);
  EXPECT_EQ(GR_Make_ARGB(1, 2, 3, 4), 0x04010203u);
  EXPECT_EQ(GR_Swap_Red_Blue(0xAA112233u), 0xAA332211u);
  EXPECT_EQ(GR_Merge_Color(0x000000, 0xFF8040, 0.5), 0x804020u);  // 127.5 and 32 -> 128 (half to even), 64
  EXPECT_EQ(GR_Merge_Color(0x102030, 0xFFFFFF, 0.0), 0x102030u);
  EXPECT_EQ(GR_Merge_Color(0x102030, 0xFFFFFF, NAN), 0u);
}

TEST_F(DrawCore, RectanglesPlaceTheirEdgesForFullPixelCover) {
  GR_Draw_Rectangle(10, 10, 0, 0, 1);
  // The strip is drawn as soon as the points follow it; the points remain.
  ASSERT_EQ(Batch().primitiveType, 1);
  ASSERT_EQ(Batch().count, 4);
  EXPECT_EQ(Tex()[0].x, 1);
  EXPECT_EQ(Tex()[0].y, 1);
  EXPECT_EQ(Tex()[2].x, 11);
  EXPECT_EQ(Tex()[2].y, 11);
  EXPECT_EQ(Matching("DrawPrimitiveUP"), std::vector<std::string>{"DrawPrimitiveUP 3 4 24"});
  Graphics::ResetVertexBuffers();

  GR_Draw_Rectangle(20, 15, 10, 10, 0);
  ASSERT_EQ(Batch().count, 6);
  EXPECT_EQ(Tex()[0].x, 10);
  EXPECT_EQ(Tex()[2].x, 21);
  EXPECT_EQ(Tex()[2].y, 16);
  Graphics::ResetVertexBuffers();

  GR_Draw_Rectangle_Color(0, 0, 10, 7.5f, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0);
  ASSERT_EQ(Batch().primitiveType, 6);
  ASSERT_EQ(Batch().count, 5);
  EXPECT_FLOAT_EQ(Tex()[1].x, 11.01f);
  EXPECT_FLOAT_EQ(Tex()[2].y, 8.5f);  // not a whole number: not moved
  EXPECT_EQ(Tex()[0].x, 0);
  EXPECT_EQ(Tex()[1].colour, 0xFF00FF00u);
  EXPECT_EQ(Tex()[2].colour, 0xFF0000FFu);
  EXPECT_EQ(Tex()[4].colour, Tex()[0].colour);
}

TEST_F(DrawCore, ShapesWithoutLengthDrawNothingAndTheRestCountTheirVertices) {
  GR_Draw_Arrow(5, 5, 5, 5, 3);
  GR_Draw_Line_Width(5, 5, 5, 5, 4);
  GR_Draw_Line_Width_Color(5, 5, 5, 5, 4, 0xFF, 0xFF00);
  GR_Draw_Line_Width(NAN, 5, 5, 5, 4);
  EXPECT_EQ(Batch().count, 0);
  EXPECT_EQ(Batch().primitiveType, kNoPrimitive);

  struct Case {
    const char* name;
    std::function<void()> draw;
    int32_t type, count;
  };
  GR_Draw_Set_Circle_Precision(8);
  const Case cases[] = {
      {"filled circle", [] { GR_Draw_Circle(10, 10, 5, 0); }, 4, 24},
      {"outline ellipse", [] { GR_Draw_Ellipse(0, 0, 10, 6, 1); }, 3, 9},
      {"filled roundrect", [] { GR_Draw_Roundrect(0, 0, 20, 10, 4, 4, 0); }, 6, 14},
      {"outline 2 counts as filled", [] { GR_Draw_Triangle(0, 0, 5, 0, 0, 5, 2); }, 4, 3},
      {"outline triangle", [] { GR_Draw_Triangle_Color(0, 0, 5, 0, 0, 5, 1, 2, 3, 1); }, 3, 4},
      {"thick line", [] { GR_Draw_Line_Width(0, 0, 10, 0, 2); }, 6, 4},
      {"arrow head", [] { GR_Draw_Arrow(0, 0, 10, 0, 4); }, 4, 3},
      {"button face", [] { GR_Draw_Button(0, 0, 10, 10, true); }, 4, 12},
  };
  for (const Case& c : cases) {
    Graphics::ResetVertexBuffers();
    c.draw();
    EXPECT_EQ(Batch().primitiveType, c.type) << c.name;
    EXPECT_EQ(Batch().count, c.count) << c.name;
  }
}

TEST_F(DrawCore, ThickLineSpansItsWidthAcrossTheShiftedEnds) {
  GR_Draw_Line_Width_Color(0, 0, 10, 0, 4, 0x0000FF, 0x00FF00);
  ASSERT_EQ(Batch().count, 4);
  const ColorVertex* v = Col();
  EXPECT_FLOAT_EQ(v[0].x, 1);
  EXPECT_FLOAT_EQ(v[0].y, 3);
  EXPECT_FLOAT_EQ(v[2].x, 11);
  EXPECT_FLOAT_EQ(v[2].y, -1);
  EXPECT_EQ(v[0].colour, 0xFFFF0000u);
  EXPECT_EQ(v[1].colour, 0xFF00FF00u);
  EXPECT_EQ(v[3].colour, 0xFFFF0000u);
}

TEST_F(DrawCore, RoundedRectangleOutlineStartsAndEndsOnItsRing) {
  GR_Draw_Set_Circle_Precision(4);
  GR_Draw_Roundrect_Core(0, 0, 20, 10, 4, 4, 0xFF000001u, 0xFF000002u, true);
  ASSERT_EQ(Batch().count, 10);
  const TexVertex* v = Tex();
  EXPECT_EQ(v[0].x, v[1].x);
  EXPECT_EQ(v[9].x, v[1].x);
  EXPECT_FLOAT_EQ(v[1].x, 20);  // bottom-right arc around (18, 8), radius 2
  EXPECT_FLOAT_EQ(v[1].y, 8);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(v[i].colour, 0xFF000002u) << i;
}

TEST_F(DrawCore, HealthBarFillsByAmountAndDirection) {
  struct Case {
    float amount;
    int32_t direction;
    float left, top, right, bottom;
    uint32_t colour;
  };
  // Min red, mid green, max blue (script colours), box 0,0 - 100,10.
  const Case cases[] = {
      {50, 0, 0, 0, 51.01f, 11.01f, 0xFF00FF00u}, {120, 0, 0, 0, 101.01f, 11.01f, 0xFF0000FFu},
      {-5, 0, 0, 0, 1.01f, 11.01f, 0xFFFF0000u},  {25, 1, 75, 0, 101.01f, 11.01f, 0xFF808000u},
      {50, 2, 0, 0, 101.01f, 6.01f, 0xFF00FF00u}, {50, 3, 0, 5, 101.01f, 11.01f, 0xFF00FF00u},
      {NAN, 0, 0, 0, 1.01f, 11.01f, 0xFFFF0000u},
  };
  for (const Case& c : cases) {
    Graphics::ResetVertexBuffers();
    GR_Draw_Healthbar(0, 0, 100, 10, c.amount, 0, 0x0000FF, 0x00FF00, 0xFF0000, c.direction, false, false);
    ASSERT_EQ(Batch().count, 5) << c.amount;
    const TexVertex* v = Tex();
    EXPECT_FLOAT_EQ(v[0].x, c.left) << c.amount << " " << c.direction;
    EXPECT_FLOAT_EQ(v[0].y, c.top) << c.amount << " " << c.direction;
    EXPECT_FLOAT_EQ(v[2].x, c.right) << c.amount << " " << c.direction;
    EXPECT_FLOAT_EQ(v[2].y, c.bottom) << c.amount << " " << c.direction;
    EXPECT_EQ(v[0].colour, c.colour) << c.amount << " " << c.direction;
  }
}

TEST_F(DrawCore, FreePrimitiveKeepsAtMostItsCapacityAndNeedsAKnownKind) {
  GR_Primitive_Begin(1, -1);
  for (int i = 0; i < kFreePrimitiveMax + 1; ++i) GR_Primitive_Vertex(static_cast<float>(i), 0);
  EXPECT_EQ(GR_Primitive_Count(), kFreePrimitiveMax);
  GR_Primitive_End();
  ASSERT_EQ(Batch().count, kFreePrimitiveMax);
  EXPECT_EQ(reinterpret_cast<const TexVertex*>(Batch().scratch)[kFreePrimitiveMax - 1].x, 1000.0f);
  EXPECT_EQ(GR_Primitive_Count(), kFreePrimitiveMax);  // End keeps the list
  for (int32_t kind : {0, 7, -1}) {
    Graphics::ResetVertexBuffers();
    GR_Primitive_Begin(kind, -1);
    GR_Primitive_Vertex(1, 1);
    GR_Primitive_End();
    EXPECT_EQ(Batch().count, 0) << kind;
  }
}

// A part-primitive left at the end of a list would join the batch and
// shift every primitive of the next draw that joins it.
TEST_F(DrawCore, FreePrimitiveHandsOnlyWholePrimitivesToTheBatch) {
  struct Case {
    int32_t kind, vertices, kept;
    const char* drawn;  // after a second primitive of the same kind
  };
  const Case lists[] = {{4, 7, 6, "DrawPrimitiveUP 4 3 24"},
                        {2, 5, 4, "DrawPrimitiveUP 2 3 24"},
                        {4, 2, 0, "DrawPrimitiveUP 4 1 24"},
                        {1, 5, 5, "DrawPrimitiveUP 1 6 24"}};
  for (const Case& c : lists) {
    Graphics::ResetVertexBuffers();
    FakeGraphics_Log().Clear();
    GR_Primitive_Begin(c.kind, -1);
    for (int i = 0; i < c.vertices; ++i) GR_Primitive_Vertex(static_cast<float>(i), 0);
    GR_Primitive_End();
    EXPECT_EQ(Batch().count, c.kept) << c.kind << " of " << c.vertices;
    const int32_t whole = c.kind == 4 ? 3 : c.kind == 2 ? 2 : 1;
    GR_Primitive_Begin(c.kind, -1);
    for (int i = 0; i < whole; ++i) GR_Primitive_Vertex(100.0f + static_cast<float>(i), 0);
    GR_Primitive_End();
    ASSERT_EQ(Batch().count, c.kept + whole) << c.kind;
    EXPECT_EQ(Tex()[c.kept].x, 100.0f) << "the next primitive starts on its own first vertex";
    Graphics::FlushBatch();
    EXPECT_EQ(Matching("DrawPrimitiveUP"), std::vector<std::string>{c.drawn}) << c.kind;
  }
  // Strips and fans never join, but too short a one is not even pending.
  for (const auto& [kind, vertices, kept] : {std::tuple{5, 2, 0}, {6, 2, 0}, {3, 1, 0}, {5, 3, 3}, {3, 2, 2}}) {
    Graphics::ResetVertexBuffers();
    GR_Primitive_Begin(kind, -1);
    for (int i = 0; i < vertices; ++i) GR_Primitive_Vertex(static_cast<float>(i), 0);
    GR_Primitive_End();
    EXPECT_EQ(Batch().count, kept) << kind << " of " << vertices;
    EXPECT_EQ(Batch().primitiveType, kept == 0 ? kNoPrimitive : kind) << kind;
  }
}

TEST_F(DrawCore, FreePrimitiveTextureIsAnIndexAPageHandleOrNothing) {
  const int32_t texture = GR_Texture_Create(16, 16, false);
  ASSERT_GE(texture, 0);
  const size_t saved = g_texturePages.size();
  TexturePage page{};
  page.x = 8;
  page.y = 4;
  page.width = 16;
  page.height = 8;
  page.page = static_cast<int16_t>(texture);
  g_texturePages.push_back(page);
  const int64_t handle = GR_TexturePage_Handle(static_cast<int32_t>(g_texturePages.size() - 1));
  const float iw = GR_Texture_Entry(texture)->inverseWidth, ih = GR_Texture_Entry(texture)->inverseHeight;

  GR_Primitive_Begin(1, handle);
  GR_Primitive_Vertex_Texture_Color(0, 0, 0.5f, 1.0f, 0x0000FF, 0.5f);
  GR_Primitive_End();
  EXPECT_EQ(Batch().texture, GR_Texture_Get_Device_Texture(texture));
  EXPECT_FLOAT_EQ(Tex()[0].u, 16 * iw);
  EXPECT_FLOAT_EQ(Tex()[0].v, 12 * ih);
  EXPECT_EQ(Tex()[0].colour, 0x7FFF0000u);

  for (int64_t value : {int64_t{12345}, int64_t{-7}, int64_t{1} << 40, handle + 1000}) {
    Graphics::ResetVertexBuffers();
    GR_Primitive_Begin(1, value);
    GR_Primitive_Vertex_Texture(0, 0, 0.5f, 0.25f);
    GR_Primitive_End();
    EXPECT_EQ(Batch().texture, nullptr) << value;
    EXPECT_FLOAT_EQ(Tex()[0].u, 0.5f) << value;
  }
  Graphics::ResetVertexBuffers();
  GR_Primitive_Begin(1, texture);
  GR_Primitive_Vertex_Texture(0, 0, 0.5f, 0.25f);
  GR_Primitive_End();
  EXPECT_EQ(Batch().texture, GR_Texture_Get_Device_Texture(texture));
  EXPECT_FLOAT_EQ(Tex()[0].u, 0.5f);
  g_texturePages.resize(saved);
}

// A pending point, then the setter: a flushing setter draws it before it
// sends its state; the others leave it pending.
TEST_F(DrawCore, SettersThatChangeDrawnStatesFlushFirst) {
  struct Case {
    const char* name;
    std::function<void()> set;
    bool flushes;
  };
  const Case cases[] = {
      {"blend ext", [] { GR_Draw_Set_Blend_Mode_Ext(2, 2); }, true},
      {"blend mode", [] { GR_Draw_Set_Blend_Mode(1); }, true},
      {"culling", [] { GR_3D_Set_Culling(true); }, true},
      {"interpolation", [] { GR_Texture_Set_Interpolation(false); }, true},
      {"texture blending", [] { GR_Texture_Set_Blending(false); }, true},
      {"repeat", [] { GR_Texture_Set_Repeat(true); }, true},
      {"hidden", [] { GR_3D_Set_Hidden(false); }, true},
      {"lighting", [] { GR_3D_Set_Lighting(true); }, true},
      {"shading", [] { GR_3D_Set_Shading(false); }, true},
      {"fog", [] { GR_3D_Set_Fog(true, 0xFF, 10, 200); }, true},
      {"colour", [] { GR_Draw_Set_Color(0xFF); }, false},
      {"alpha", [] { GR_Draw_Set_Alpha(0.2f); }, false},
      {"perspective", [] { GR_3D_Set_Perspective(false); }, false},
  };
  for (const Case& c : cases) {
    Graphics::ResetVertexBuffers();
    FakeGraphics_Log().Clear();
    GR_Draw_Point(1, 1);
    c.set();
    const auto& calls = FakeGraphics_Log().calls;
    const auto draw = std::find(calls.begin(), calls.end(), "DrawPrimitiveUP 1 1 16");
    EXPECT_EQ(draw != calls.end(), c.flushes) << c.name;
    if (c.flushes) {
      EXPECT_EQ(Batch().count, 0) << c.name;
      // Nothing that sets a state comes before the draw.
      for (auto it = calls.begin(); it != draw; ++it) {
        EXPECT_NE(it->rfind("SetRenderState", 0), 0u) << c.name << ": " << *it;
        EXPECT_NE(it->rfind("SetTextureStageState", 0), 0u) << c.name << ": " << *it;
      }
    }
  }
}

TEST_F(DrawCore, BlendModesMapToFactorPairs) {
  const std::tuple<int32_t, uint32_t, uint32_t> modes[] = {{1, 5, 2}, {2, 5, 4}, {3, 1, 4}, {0, 5, 6}, {9, 5, 6}};
  for (const auto& [mode, source, destination] : modes) {
    GR_Draw_Set_Blend_Mode(mode);
    EXPECT_EQ(g_blendSrc, static_cast<int32_t>(source)) << mode;
    EXPECT_EQ(g_drawState.blendDest, static_cast<int32_t>(destination)) << mode;
  }
  GR_Draw_Set_Blend_Mode_Ext(18, 0);
  EXPECT_EQ(g_blendSrc, 1);
  EXPECT_EQ(g_drawState.blendDest, 1);
}

TEST_F(DrawCore, FogFollowsTheDeviceSupport) {
  GR_3D_Set_Fog(true, 0x0000FF, -5, 300);
  EXPECT_EQ(g_fogSettings.colour, 0xFFFF0000u);
  EXPECT_EQ(g_fogSettings.start, -5.0f);
  EXPECT_EQ(g_fogSettings.end, 300.0f);
  EXPECT_TRUE(FakeGraphics_Log().Has("SetRenderState 34 4294901760"));
  EXPECT_TRUE(FakeGraphics_Log().Has("SetRenderState 35 3"));  // table fog, linear
  EXPECT_EQ(g_fogSettings.enable, 1);
  FakeGraphics_Log().Clear();
  GR_3D_Set_Fog(false, 0, 0, 1);
  EXPECT_EQ(Matching("SetRenderState 28"), std::vector<std::string>{"SetRenderState 28 0"});
}

TEST_F(DrawCore, RestoreSendsTheStoredStatesInItsOrder) {
  GR_3D_Set_Culling(true);
  GR_3D_Set_Shading(false);
  GR_3D_Set_Fog(true, 0x00FF00, 1, 2);
  GR_Texture_Set_Repeat(true);
  GR_Texture_Set_Interpolation(true);  // the start's option (off) wins
  FakeGraphics_Log().Clear();
  GR_Restore_Render_States();
  std::vector<std::string> order;
  const std::vector<std::string> wanted = {
      "SetRenderState 27 1",  // alpha blending
      "SetRenderState 22 3",  // culling: counter-clockwise
      "SetRenderState 19 5",
      "SetRenderState 20 6",   // blend factors
      "SetRenderState 137 0",  // lighting
      "SetRenderState 9 1",    // flat shading
      "SetRenderState 7 0",
      "SetRenderState 15 1",
      "SetRenderState 24 0",  // hidden surfaces off
      "SetRenderState 28 1",
      "SetRenderState 35 3",
      "SetRenderState 34 4278255360",  // fog
      "SetTexture 0 0",
      "SetSamplerState 0 6 1",
      "SetSamplerState 0 5 1",       // point filtering
      "SetTextureStageState 0 1 4",  // texture blending on
      "SetSamplerState 0 1 1",
      "SetSamplerState 0 2 1",  // wrap
  };
  size_t next = 0;
  for (const auto& line : FakeGraphics_Log().calls) {
    if (next < wanted.size() && line == wanted[next]) ++next;
  }
  EXPECT_EQ(next, wanted.size()) << "stopped before " << (next < wanted.size() ? wanted[next] : "");
  EXPECT_EQ(g_renderFlags[0], 0);
}

// What the start-up state draws and sends to the device: a circle's
// vertices and the full restore of the stored states.
struct StartUpPicture {
  std::vector<ColorVertex> circle;
  std::vector<std::string> restore;
};

StartUpPicture Picture() {
  Graphics::ResetVertexBuffers();
  GR_Draw_Circle(10, 10, 5, 0);
  const auto* v = reinterpret_cast<const ColorVertex*>(Graphics::PendingBatch().scratch);
  StartUpPicture p{std::vector<ColorVertex>(v, v + Graphics::PendingBatch().count), {}};
  Graphics::ResetVertexBuffers();
  FakeGraphics_Log().Clear();
  GR_Restore_Render_States();
  p.restore = FakeGraphics_Log().calls;
  return p;
}

TEST_F(DrawCore, ResetGivesBackTheStartUpDrawingAndSendsNothing) {
  const StartUpPicture start = Picture();
  ASSERT_EQ(start.circle.size(), 72u) << "24 segments at start-up";

  GR_Draw_Set_Color(0x0000FF);
  GR_Draw_Set_Alpha(0.5f);
  GR_Draw_Set_Blend_Mode(1);
  GR_Draw_Set_Circle_Precision(8);
  GR_Texture_Set_Repeat(true);
  GR_Texture_Set_Blending(false);
  GR_3D_Set_Culling(true);
  GR_3D_Set_Lighting(true);
  GR_3D_Set_Shading(false);
  GR_3D_Set_Hidden(true);
  GR_3D_Set_Fog(true, 0x00FF00, 1, 2);
  g_drawDepth = 0.5f;
  g_drawState.startInterpolation = true;
  GR_Set_Screen_Size(32, 16);
  Graphics::ResetVertexBuffers();
  FakeGraphics_Log().Clear();

  DrawState_Reset();
  EXPECT_TRUE(FakeGraphics_Log().calls.empty()) << "the reset only stores";
  EXPECT_EQ(GR_Draw_Get_Color(), 0u);
  EXPECT_EQ(GR_Draw_Get_Alpha(), 1.0f);
  EXPECT_EQ(GR_Get_Screen_Size().width, 640);
  EXPECT_EQ(GR_Get_Screen_Size().height, 480);
  const StartUpPicture after = Picture();
  ASSERT_EQ(after.circle.size(), start.circle.size()) << "the circle tables are filled again";
  for (size_t i = 0; i < start.circle.size(); ++i) {
    EXPECT_EQ(after.circle[i].x, start.circle[i].x) << i;
    EXPECT_EQ(after.circle[i].y, start.circle[i].y) << i;
    EXPECT_EQ(after.circle[i].z, start.circle[i].z) << i;
    EXPECT_EQ(after.circle[i].colour, start.circle[i].colour) << i;
  }
  EXPECT_EQ(after.restore, start.restore);
}

TEST_F(DrawCore, DisplayResetTracesItsStepsAndFailsWithTheDevice) {
  console_.lines.clear();
  EXPECT_TRUE(GR_Display_Reset());
  std::vector<std::string> ours;
  for (const auto& line : console_.lines) {
    if (line == "Free all surfaces\n" || line == "Graphics::Reset()\n" || line == "Graphics::Clear()\n" ||
        line == "D3D Settings Init\n") {
      ours.push_back(line);
    }
  }
  EXPECT_EQ(ours, (std::vector<std::string>{"Free all surfaces\n", "Graphics::Reset()\n", "Graphics::Clear()\n",
                                            "D3D Settings Init\n"}));
  console_.lines.clear();
  FakeGraphics_Log().Fail("Reset", 2);
  EXPECT_FALSE(GR_Display_Reset());
  EXPECT_FALSE(Traced("Graphics::Clear()\n"));
}

TEST_F(DrawCore, FramesPresentOnlyWhenAskedAndScreenSizeMovesTheViewport) {
  EXPECT_TRUE(GR_D3D_Start_Frame());
  EXPECT_TRUE(GR_D3D_Finish_Frame(false));
  EXPECT_FALSE(FakeGraphics_Log().Has("Present"));
  EXPECT_TRUE(GR_D3D_Start_Frame());
  EXPECT_TRUE(GR_D3D_Finish_Frame(true));
  EXPECT_TRUE(FakeGraphics_Log().Has("Present"));

  FakeGraphics_Log().Clear();
  GR_Set_Screen_Size(64, 64);
  EXPECT_FALSE(FakeGraphics_Log().Has("SetViewport"));
  const int32_t screen = Graphics::GetScreenWidth();
  GR_Set_Screen_Size(screen + 1000, 40);  // held to the screen
  EXPECT_EQ(GR_Get_Screen_Size().width, screen);
  EXPECT_EQ(GR_Get_Screen_Size().height, 40);
  EXPECT_TRUE(FakeGraphics_Log().Has("SetViewport 0 0 " + std::to_string(screen) + " 40"));
  EXPECT_EQ(g_viewProjection.width, static_cast<float>(screen));
}

// Without a device: what needs one does nothing, the rest only stores.
class DrawCoreWithoutDevice : public ::testing::Test {
 protected:
  void SetUp() override { DrawState_Reset(); }
  void TearDown() override { DrawState_Reset(); }
};

TEST_F(DrawCoreWithoutDevice, DeviceSettersDoNothingAndFramesFail) {
  ASSERT_FALSE(Graphics::HasDevice());
  GR_Draw_Set_Blend_Mode(1);
  GR_3D_Set_Culling(true);
  GR_Texture_Set_Repeat(true);
  GR_Texture_Set_Interpolation(false);
  EXPECT_EQ(g_blendSrc, 5);
  EXPECT_EQ(g_drawState.culling, 0);
  EXPECT_EQ(g_drawState.textureRepeat, 0);
  EXPECT_EQ(g_renderFlags[0], 1);
  GR_Draw_Set_Blend_Mode_Ext(2, 2);  // needs no device: stored
  EXPECT_EQ(g_blendSrc, 2);
  EXPECT_FALSE(GR_D3D_Start_Frame());
  EXPECT_FALSE(GR_D3D_Finish_Frame(true));
  GR_Set_Screen_Size(300, 200);
  EXPECT_EQ(g_screenSize.width, 300);
  EXPECT_EQ(g_viewport.width, -1);
  EXPECT_EQ(GR_Draw_Get_Pixel(0, 0), 0u);
  int32_t w = 1, h = 1;
  EXPECT_EQ(GR_Read_Back_Buffer(&w, &h), nullptr);
  EXPECT_EQ(w, 0);
}

}  // namespace

// 3D drawing on the OpenGL device, read back from the screen target: where
// projections put a floor, which of two floors hides the other, textures
// repeated over a face, and lighting and fog as the device defines them.
// Edges are left out: each check looks one pixel in from them.
#include <functional>

#include "graphics/3d/graphics_recorder.h"
#include "graphics/3d/mode_3d.h"
#include "graphics/3d/primitive_3d.h"
#include "graphics/3d/transform_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"

namespace {

constexpr int32_t kSize = 64;
constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u;
constexpr uint32_t kScriptRed = 0x0000FF, kScriptGreen = 0x00FF00;

class Gl3D : public ScreenDrawingTest {
 protected:
  void SetUp() override {
    ScreenDrawingTest::SetUp();
    GR_3D_Set_Mode(true);
    GR_Clear_Depth();
    GR_3D_Transform_Set_Identity();
  }
  void TearDown() override {
    GR_3D_Set_Lighting(false);
    GR_3D_Set_Fog(false, 0, 0, 1);
    GR_3D_Set_Mode(false);
    ScreenDrawingTest::TearDown();
  }
  // Every pixel one in from the area's edges is `inside`; every pixel one
  // out from them is black. Bounds are inclusive.
  void ExpectArea(int x1, int y1, int x2, int y2, uint32_t inside, const char* what) {
    const std::vector<uint32_t> px = Screen();
    ASSERT_EQ(px.size(), static_cast<size_t>(kSize * kSize));
    int wrong = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const bool in = x > x1 && x < x2 && y > y1 && y < y2;
        const bool out = x < x1 - 1 || x > x2 + 1 || y < y1 - 1 || y > y2 + 1;
        if (!in && !out) continue;
        const uint32_t got = px[static_cast<size_t>(y * kSize + x)];
        if (got != (in ? inside : kBlack) && ++wrong <= 5) {
          ADD_FAILURE() << what << " at " << x << "," << y << ": " << std::hex << got;
        }
      }
    }
  }
  // The centre pixel, within one step per channel of `want`.
  void ExpectCentre(uint32_t want, const char* what) {
    const std::vector<uint32_t> px = Screen();
    ASSERT_FALSE(px.empty());
    const uint32_t got = px[static_cast<size_t>(kSize / 2 * kSize + kSize / 2)];
    EXPECT_LE(ChannelDistance(got, want), 1) << what << ": " << std::hex << got;
  }
  void Floor(float from, float to, float z, uint32_t scriptColour, int64_t texture = -1, float repeat = 1) {
    GR_Draw_Set_Color(scriptColour);
    GR_3D_Draw_Floor(from, from, z, to, to, z, texture, repeat, repeat);
  }
};

TEST_F(Gl3D, TheOrthographicSetterShowsTheRoomStraightOn) {
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  Floor(8, 40, 10, kScriptRed);
  ExpectArea(8, 8, 39, 39, kRed, "floor 8..40");
}

TEST_F(Gl3D, ThePerspectiveSetterShowsTheRoomAtDepthZeroWhole) {
  GR_3D_Set_Projection_Perspective(0, 0, 64, 64, 0);
  Floor(0, 64, 0, kScriptRed);
  ExpectArea(0, 0, 63, 63, kRed, "floor at z 0");
  GR_Draw_Clear(kBlack);
  GR_Clear_Depth();
  // Twice as far from the eye: half the size.
  Floor(0, 64, 64, kScriptRed);
  ExpectArea(16, 16, 47, 47, kRed, "floor at z 64");
}

TEST_F(Gl3D, TheNearerFloorHidesTheFartherWhateverTheOrder) {
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  Floor(8, 40, 10, kScriptRed);
  Floor(24, 56, 50, kScriptGreen);
  const std::vector<uint32_t> px = Screen();
  ASSERT_FALSE(px.empty());
  for (int i = 9; i <= 38; ++i) EXPECT_EQ(px[static_cast<size_t>(i * kSize + i)], kRed) << i;
  for (int i = 41; i <= 54; ++i) EXPECT_EQ(px[static_cast<size_t>(i * kSize + i)], kGreen) << i;
}

TEST_F(Gl3D, ATextureRepeatsOverTheFloor) {
  // Textures are at least 64 x 64: a checker of 2 x 2 squares fills one.
  std::vector<uint32_t> checker(64 * 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) checker[static_cast<size_t>(y * 64 + x)] = (x / 32 + y / 32) % 2 == 0 ? kRed : kGreen;
  }
  const int32_t texture = GR_Texture_Create_From_Pixels(64, 64, checker.data(), 64 * 64 * 4);
  ASSERT_GE(texture, 0);
  GR_Texture_Set_Interpolation(false);
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  Floor(0, 64, 10, 0xFFFFFF, texture, 2);
  const std::vector<uint32_t> px = Screen();
  ASSERT_FALSE(px.empty());
  int wrong = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (x % 16 == 0 || x % 16 == 15 || y % 16 == 0 || y % 16 == 15) continue;
      const uint32_t want = ((x / 16) + (y / 16)) % 2 == 0 ? kRed : kGreen;
      if (px[static_cast<size_t>(y * kSize + x)] != want && ++wrong <= 5)
        ADD_FAILURE() << x << "," << y << " " << std::hex << px[static_cast<size_t>(y * kSize + x)];
    }
  }
  GR_Texture_Free(texture);
}

TEST_F(Gl3D, LightingIsTheDevicesOwn) {
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  GR_3D_Set_Lighting(true);
  // Never an ambient light: black.
  Floor(0, 64, 10, kScriptRed);
  ExpectCentre(kBlack, "no ambient light");

  // The ambient light alone, whatever the floor's colour.
  Graphics::SetAmbient(0x404040);
  Floor(0, 64, 10, kScriptGreen);
  ExpectCentre(0xFF404040u, "ambient");

  Graphics::SetAmbient(0);
  Graphics::SetDirectionalLight(0, 0, 0, -1, 0xFFFFFF);
  Graphics::EnableLight(0, true);
  Floor(0, 64, 10, kScriptRed);
  ExpectCentre(kRed, "light against the normal");
  Graphics::SetDirectionalLight(0, 0, 0, 1, 0xFFFFFF);
  Floor(0, 64, 10, kScriptRed);
  ExpectCentre(kBlack, "light from behind");
  Graphics::EnableLight(0, false);

  // A point light reaches no corner: nothing; one that reaches them all lights.
  Graphics::SetPointLight(1, 32, 32, 20, 5, 0xFFFFFF);
  Graphics::EnableLight(1, true);
  Floor(0, 64, 10, kScriptRed);
  ExpectCentre(kBlack, "point light out of range");
  Graphics::SetPointLight(1, 32, 32, 20, 1000, 0xFFFFFF);
  Floor(0, 64, 10, kScriptRed);
  const std::vector<uint32_t> px = Screen();
  ASSERT_FALSE(px.empty());
  EXPECT_GT((px[static_cast<size_t>(32 * kSize + 32)] >> 16) & 255, 0u) << "point light in range";
  Graphics::EnableLight(1, false);
}

TEST_F(Gl3D, FogMeasuresEyeDepthOnlyUnderAPerspective) {
  GR_3D_Set_Fog(true, kScriptGreen, 100, 200);
  GR_3D_Set_Projection_Perspective(0, 0, 64, 64, 0);
  Floor(0, 64, 0, kScriptRed);
  ExpectCentre(kRed, "near floor");
  GR_Clear_Depth();
  Floor(-400, 464, 200, kScriptRed);
  ExpectCentre(kGreen, "far floor");

  GR_Draw_Clear(kBlack);
  GR_Clear_Depth();
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  Floor(0, 64, 200, kScriptRed);
  ExpectCentre(kRed, "orthographic");
}

// A recording's static buffers drawn on the device: moved by the draw's
// position, and on the texture its index names at the time of drawing.
TEST_F(Gl3D, ARecordingLandsWhereItIsDrawnAndLosesAFreedTexture) {
  GR_3D_Set_Projection_Ortho(0, 0, 64, 64, 0);
  // A 16 x 8 quad at the origin, white, texture coordinates over the whole.
  const auto corner = [](float x, float y) { return NormalTexVertex{x, y, 10, 0, 0, -1, 0xFFFFFFFEu, x / 16, y / 8}; };
  const NormalTexVertex quad[6] = {corner(0, 0),  corner(16, 0), corner(0, 8),
                                   corner(16, 0), corner(16, 8), corner(0, 8)};
  {
    GraphicsRecorder plain(0xFFFFFFFEu, -1);
    plain.AddPrimitive(4, 6, quad);
    plain.SetColor(0xFFFF0000u);
    plain.Draw(10, 5, 0);
    ExpectArea(10, 5, 25, 12, kRed, "quad drawn at 10,5");
    GR_Draw_Clear(kBlack);
    plain.Draw(0, 0, 0);
    ExpectArea(0, 0, 15, 7, kRed, "quad drawn at the origin");
  }

  GR_Draw_Clear(kBlack);
  const std::vector<uint32_t> green(64 * 64, kGreen);
  const int32_t texture = GR_Texture_Create_From_Pixels(64, 64, green.data(), 64 * 64 * 4);
  ASSERT_GE(texture, 0);
  GraphicsRecorder textured(0xFFFFFFFEu, texture);
  textured.AddPrimitive(4, 6, quad);
  textured.Draw(20, 20, 0);
  ExpectArea(20, 20, 35, 27, kGreen, "on its texture");
  GR_Texture_Free(texture);
  GR_Draw_Clear(kBlack);
  textured.Draw(20, 20, 0);
  ExpectArea(20, 20, 35, 27, 0xFFFFFFFEu, "its texture freed: untextured");
}

}  // namespace

// The 3D mode switch on the recording device: what a switch flushes and
// sets, the depth 2D drawing is given in and outside 3D mode, and the
// depth clear.
#include <string>
#include <utility>
#include <vector>

#include "graphics/3d/mode_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"

namespace {

class Mode3d : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(true);
    g_renderFlags[2] = g_renderFlags[3] = 0;
    Graphics::ResetVertexBuffers();
    FakeGraphics_Log().Clear();
  }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    GraphicsTest::TearDown();
  }
  static int32_t Pending() { return Graphics::PendingBatch().count; }
};

TEST_F(Mode3d, OnlyAChangeFlushesAndSetsPerspectiveAndHiddenSurfaces) {
  GR_Draw_Point(1, 1);
  EXPECT_TRUE(GR_3D_Set_Mode(true));
  EXPECT_EQ(Pending(), 0);
  EXPECT_EQ(g_3dMode, 1);
  EXPECT_EQ(g_renderFlags[2], 1);
  EXPECT_EQ(g_renderFlags[3], 1);

  // Starting again: the point stays pending and the flags are not touched.
  GR_Draw_Point(1, 1);
  g_renderFlags[2] = 0;
  EXPECT_TRUE(GR_3D_Set_Mode(true));
  EXPECT_GT(Pending(), 0);
  EXPECT_EQ(g_renderFlags[2], 0);

  EXPECT_TRUE(GR_3D_Set_Mode(false));
  EXPECT_EQ(Pending(), 0);
  EXPECT_EQ(g_3dMode, 0);
  EXPECT_EQ(g_renderFlags[3], 0);
}

TEST_F(Mode3d, DepthIsClampedIn3dModeAndZeroOutsideIt) {
  GR_3D_Set_Mode(true);
  const std::pair<float, float> cases[] = {{20000.0f, 16000.0f}, {-20000.0f, -16000.0f}, {-12.5f, -12.5f}};
  for (const auto& [asked, kept] : cases) {
    GR_3D_Set_Depth(asked);
    EXPECT_FLOAT_EQ(g_drawDepth, kept) << asked;
  }
  GR_3D_Set_Mode(false);
  GR_3D_Set_Depth(500.0f);
  EXPECT_FLOAT_EQ(g_drawDepth, 0.0f);
}

TEST_F(Mode3d, DepthClearLeavesTheColourAlone) {
  GR_Clear_Depth();
  std::vector<std::string> clears;
  for (const std::string& call : FakeGraphics_Log().calls) {
    if (call.rfind("Clear", 0) == 0) clears.push_back(call);
  }
  EXPECT_EQ(clears, std::vector<std::string>{"Clear 6 00000000 1 0"});
}

}  // namespace

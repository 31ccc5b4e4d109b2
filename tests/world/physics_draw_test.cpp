// The physics world's debug drawing through the drawing core on the
// recording device: the vertices it leaves in the batch, in device colours.
#include <algorithm>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "physics/physics_fixture.h"
#include "physics/physics_world.h"
#include "world/room/physics_step.h"

namespace {

class PhysicsDraw : public GraphicsTest {
 protected:
  void SetUp() override { StartFakeDrawing(); }
  void TearDown() override {
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    GraphicsTest::TearDown();
  }
  static const VertexBatch& Batch() { return Graphics::PendingBatch(); }
  static const ColorVertex* Col() { return reinterpret_cast<const ColorVertex*>(Batch().scratch); }
};

// A static 20 x 10 pixel box at scale 0.1: four lines through its corners
// in the library's static colour; the centre of mass as a red and a blue
// axis.
TEST_F(PhysicsDraw, StaticBoxAndCentreOnTheDevice) {
  CPhysicsWorld world(0.1f, 60);
  CPhysicsFixture box;
  box.SetBox(1.0f, 0.5f);
  PhysicsBindRequest request;
  request.x = 20.0f;
  request.y = 10.0f;
  ASSERT_NE(world.BindFixture(box, request), nullptr);
  PhysicsWorld_DebugDraw(&world, kPhysicsDrawShapes);
  ASSERT_EQ(Batch().primitiveType, 2);
  ASSERT_EQ(Batch().count, 8);
  float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
  for (int32_t i = 0; i < 8; ++i) {
    EXPECT_EQ(Col()[i].colour, 0xFF80E680u);
    left = std::min(left, Col()[i].x), right = std::max(right, Col()[i].x);
    top = std::min(top, Col()[i].y), bottom = std::max(bottom, Col()[i].y);
  }
  // The drawing core puts lines on pixel centres, one further on.
  EXPECT_NEAR(right - left, 20.0f, 1e-4);
  EXPECT_NEAR(bottom - top, 10.0f, 1e-4);
  EXPECT_NEAR(left, 11.0f, 1e-4);
  EXPECT_NEAR(top, 6.0f, 1e-4);

  Graphics::ResetVertexBuffers();
  PhysicsWorld_DebugDraw(&world, kPhysicsDrawCentres);
  ASSERT_EQ(Batch().count, 4);
  EXPECT_EQ(Col()[0].colour, 0xFFFF0000u);
  EXPECT_EQ(Col()[2].colour, 0xFF0000FFu);
}

}  // namespace

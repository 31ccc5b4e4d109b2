#include <box2d/box2d.h>

#include "physics/box2d/box2d_world.h"
#include "physics_test_support.h"

namespace physics_test {
namespace {

using Fixtures = PhysicsTest;
using Bodies = PhysicsTest;
using Refusals = PhysicsTest;

TEST_F(Fixtures, IdsCountFromOneAndAreNotReused) {
  CPhysicsFixture* first = Physics_CreateFixture();
  CPhysicsFixture* second = Physics_CreateFixture();
  EXPECT_EQ(first->id, 1);
  EXPECT_EQ(second->id, 2);
  Physics_DeleteFixture(1);
  Physics_DeleteFixture(1);
  EXPECT_EQ(Physics_FindFixture(1), nullptr);
  EXPECT_EQ(Physics_FindFixture(2), second);
  EXPECT_EQ(Physics_CreateFixture()->id, 3);
}

// Points go clockwise on screen; a point that breaks convexity is reported
// and not kept, a ninth is silently refused.
TEST_F(Fixtures, PolygonPointsMustStayConvex) {
  CPhysicsFixture* good = Physics_CreateFixture();
  good->SetPolygon();
  EXPECT_TRUE(good->AddPoint(0, 0));
  EXPECT_TRUE(good->AddPoint(10, 0));
  EXPECT_TRUE(good->AddPoint(10, 10));
  EXPECT_EQ(good->pointCount, 3);

  CPhysicsFixture* bad = Physics_CreateFixture();
  bad->SetPolygon();
  testsupport::ConsoleCapture capture;
  EXPECT_TRUE(bad->AddPoint(0, 0));
  EXPECT_TRUE(bad->AddPoint(10, 10));
  EXPECT_FALSE(bad->AddPoint(10, 0));
  EXPECT_EQ(bad->pointCount, 2);
  EXPECT_TRUE(Reported(capture, "ERROR: The polygon shape for fixture 2 is concave or ordered anti-clockwise"));

  CPhysicsFixture octagon;
  octagon.SetPolygon();
  for (int i = 0; i < 8; ++i) {
    float a = static_cast<float>(i) * 3.1415927f / 4.0f;
    ASSERT_TRUE(octagon.AddPoint(std::cos(a), std::sin(a)));
  }
  EXPECT_FALSE(octagon.AddPoint(0.5f, 0.5f));
  EXPECT_EQ(octagon.pointCount, 8);
  CPhysicsFixture circle;
  circle.SetCircle(1.0f);
  EXPECT_FALSE(circle.AddPoint(0, 0));
}

// Density makes a dynamic body; without it, the kinematic flag a
// kinematic one, else static.
TEST_F(Bodies, KindFollowsDensityAndKinematic) {
  CPhysicsFixture kinematic = Box(1, 1, 0);
  kinematic.kinematic = 1;
  EXPECT_EQ(Bind(Box(1, 1, 1), 0, 0).body->Kind(), PhysicsBodyKind::kDynamic);
  EXPECT_EQ(Bind(kinematic, 5, 0).body->Kind(), PhysicsBodyKind::kKinematic);
  Owner& still = Bind(Box(1, 1, 0), 10, 0);
  EXPECT_EQ(still.body->Kind(), PhysicsBodyKind::kStatic);

  // A second fixture joins the same body.
  CPhysicsObject* body = still.body;
  EXPECT_EQ(BindTo(still, Circle(1, 0), 10, 0), body);
  EXPECT_EQ(body->FixtureCount(), 2);

  still.body->ApplyForce(10, 0, 100, 100);
  still.body->ApplyImpulse(10, 0, 100, 100);
  still.body->ApplyTorque(100);
  world->Advance(60);
  EXPECT_EQ(still.body->LinearVelocityX(), 0.0f);
  EXPECT_EQ(still.body->AngularVelocity(), 0.0f);
  EXPECT_EQ(still.body->X(), 10.0f);

  still.body->SetLinearVelocity(1, 0);
  EXPECT_EQ(still.body->Kind(), PhysicsBodyKind::kKinematic);
  EXPECT_EQ(still.body->LinearVelocityX(), 1.0f);
}

// Impulses change velocity at once; local ones turn with the body.
TEST_F(Bodies, ImpulsesAndPlacement) {
  world->SetGravity(0, 0);
  Owner& body = Bind(Box(0.5f, 0.5f, 1.0f), 0, 0);
  body.body->SetRotationDegrees(90.0f);
  body.body->ApplyLocalImpulse(0, 0, 2, 0);
  EXPECT_NEAR(body.body->LinearVelocityX(), 0.0f, 1e-5);
  EXPECT_NEAR(body.body->LinearVelocityY(), 2.0f, 1e-5);
  body.body->SetPosition(4, 5);
  EXPECT_EQ(body.body->X(), 4.0f);
  EXPECT_NEAR(body.body->Angle(), 3.1415927f / 2, 1e-6);
  body.body->SetAngularVelocityDegrees(180.0f);
  EXPECT_NEAR(body.body->AngularVelocity(), 3.1415927f, 1e-5);
}

// Mass data the library would refuse is reported and changes nothing.
TEST_F(Bodies, BadMassDataIsRefused) {
  Owner& body = Bind(Box(0.5f, 0.5f, 1.0f), 0, 0);
  PhysicsMassData before = body.body->MassData();
  testsupport::ConsoleCapture capture;
  EXPECT_FALSE(body.body->SetMassData({2.0f, 1.0f, 0.0f, 1.0f}));
  EXPECT_FALSE(body.body->SetMassData({0.0f, 1.0f, 1.0f, 2.0f}));  // mass 0 counts as 1
  EXPECT_FALSE(body.body->SetMassData({NAN, 0.0f, 0.0f, 1.0f}));
  EXPECT_EQ(capture.Lines().size(), 3u);
  EXPECT_TRUE(Reported(capture, "m_I > 0.0f "));
  EXPECT_EQ(body.body->MassData().mass, before.mass);
  EXPECT_TRUE(body.body->SetMassData({2.0f, 1.0f, 0.0f, 3.0f}));
  EXPECT_EQ(body.body->MassData().mass, 2.0f);
  EXPECT_NEAR(body.body->MassData().inertia, 3.0f, 1e-5);
}

TEST_F(Bodies, OverlapOfCircles) {
  Owner& a = Bind(Circle(1, 0), 0, 0);
  Owner& b = Bind(Circle(1, 0), 10, 0);
  EXPECT_TRUE(Physics_TestOverlap(a.body, 8.1f, 0, 0, b.body));
  EXPECT_FALSE(Physics_TestOverlap(a.body, 7.9f, 0, 0, b.body));
  EXPECT_FALSE(Physics_TestOverlap(a.body, INFINITY, 0, 0, b.body));
  EXPECT_FALSE(Physics_TestOverlap(nullptr, 0, 0, 0, b.body));
}

// Values the library would stop the process on never reach it.
TEST_F(Refusals, BindingChecksItsInputs) {
  testsupport::ConsoleCapture capture;
  CPhysicsFixture none;
  EXPECT_EQ(BindTo(owners_.emplace_back(), none, 0, 0), nullptr);
  EXPECT_TRUE(Reported(capture, "The physics fixture has no shape"));
  CPhysicsFixture negative = Box(1, 1, -1);
  CPhysicsFixture flat = Box(1, 0, 1);
  CPhysicsFixture rough = Box(1, 1, 1);
  rough.friction = -1;
  CPhysicsFixture damped = Box(1, 1, 1);
  damped.linearDamping = -1;
  CPhysicsFixture line;
  line.SetPolygon();
  line.points[0][0] = 0, line.points[1][0] = 1, line.points[2][0] = 2;
  line.pointCount = 3;
  for (const CPhysicsFixture* f : {&negative, &flat, &rough, &damped, &line}) {
    Owner& owner = owners_.emplace_back();
    EXPECT_EQ(BindTo(owner, *f, 0, 0), nullptr);
    EXPECT_EQ(owner.body, nullptr);
  }
  // Not a number, too far for the library's squares, too light to invert.
  for (float x : {NAN, 1e30f}) {
    Owner& far = owners_.emplace_back();
    EXPECT_EQ(BindTo(far, Box(1, 1, 1), x, 0), nullptr);
  }
  EXPECT_EQ(BindTo(owners_.emplace_back(), Circle(1e-20f, 1), 0, 0), nullptr);
  EXPECT_EQ(capture.Lines().size(), 9u);
  // A box without density may be flat: it never needs a mass.
  EXPECT_NE(Bind(Box(1, 0, 0), 0, 0).body, nullptr);
}

TEST_F(Refusals, TooFewPolygonPointsIsFatal) {
  CPhysicsFixture two;
  two.SetPolygon();
  two.AddPoint(0, 0);
  two.AddPoint(1, 0);
  testsupport::ConsoleCapture capture;
  Owner& owner = owners_.emplace_back();
  EXPECT_EQ(BindTo(owner, two, 0, 0, 4), nullptr);
  EXPECT_TRUE(Reported(capture, "Too few vertices in polygon shape fixture for obj4"));
  EXPECT_TRUE(Error_Stopping());
}

// A recording sink sees the debug drawing in pixels.
class RecordingSink : public PhysicsDebugSink {
 public:
  void Line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    lines.push_back({x1, y1, x2, y2, colour});
  }
  void Circle(float, float, float, uint32_t) override { ++circles; }
  struct Drawn {
    float x1, y1, x2, y2;
    uint32_t colour;
  };
  std::vector<Drawn> lines;
  int circles = 0;
};

TEST_F(Bodies, DebugDrawingInPixels) {
  Bind(Box(1.0f, 0.5f, 0.0f), 2.0f, 1.0f);  // 20 x 10 px around (20, 10)
  RecordingSink sink;
  world->DebugDraw(kPhysicsDrawShapes, sink);
  ASSERT_EQ(sink.lines.size(), 4u);
  float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
  for (const auto& line : sink.lines) {
    EXPECT_EQ(line.colour, 0xFF80E680u);
    left = std::min(left, line.x1), right = std::max(right, line.x1);
    top = std::min(top, line.y1), bottom = std::max(bottom, line.y1);
  }
  EXPECT_NEAR(left, 10.0f, 1e-4);
  EXPECT_NEAR(right, 30.0f, 1e-4);
  EXPECT_NEAR(top, 5.0f, 1e-4);
  EXPECT_NEAR(bottom, 15.0f, 1e-4);

  // Centres of mass: two axis lines, red then blue.
  RecordingSink centres;
  world->DebugDraw(kPhysicsDrawCentres, centres);
  ASSERT_EQ(centres.lines.size(), 2u);
  EXPECT_EQ(centres.lines[0].colour, 0xFFFF0000u);
  EXPECT_NEAR(centres.lines[0].x2 - centres.lines[0].x1, 4.0f, 1e-4);
  EXPECT_EQ(centres.lines[1].colour, 0xFF0000FFu);

  EXPECT_EQ(Physics_ColourBytes(b2Color(1.0f, 0.0f, 0.5f)), 0xFFFF0080u);
}

TEST_F(Bodies, TouchingPairsDrawnBetweenBoxCentres) {
  Bind(Box(5.0f, 0.5f, 0.0f), 0.0f, 2.0f, 0, {1});
  Bind(Circle(0.5f, 1.0f), 0.0f, 1.0f, 1, {0});
  world->Advance(60);
  RecordingSink sink;
  world->DebugDraw(kPhysicsDrawPairs, sink);
  ASSERT_EQ(sink.lines.size(), 1u);
  EXPECT_EQ(sink.lines[0].colour, Physics_ColourBytes(b2Color(0.3f, 0.9f, 0.9f)));
}

}  // namespace
}  // namespace physics_test

#include <cmath>

#include "physics_test_support.h"

namespace physics_test {
namespace {

using Step = PhysicsTest;

std::vector<PhysicsPlace> Places(const CPhysicsWorld& world) {
  std::vector<PhysicsPlace> places;
  world.ForEachPlace(
      [](void*, const PhysicsPlace& p, void* out) { static_cast<std::vector<PhysicsPlace>*>(out)->push_back(p); },
      &places);
  return places;
}

// Sub-steps: the world steps update speed / room speed times, the last
// step the fraction left, and the clock gains one game step either way.
TEST_F(Step, SubStepsFollowTheRatioOfTheSpeeds) {
  Owner& falling = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 0.0f);
  double clock = Physics_Clock();
  world->Advance(30);
  EXPECT_NEAR(Physics_Clock() - clock, 1.0 / 30, 1e-6);
  EXPECT_NEAR(falling.body->LinearVelocityY(), 1.0 / 3, 1e-4);
  EXPECT_NEAR(falling.body->Y(), 10.0 / 3600 + (1.0 / 3) / 60, 1e-6);

  // 50 a second at 30: 1/50 then 1/75 (not 0.6/50).
  auto other = std::make_unique<CPhysicsWorld>(0.1f, 50);
  world.swap(other);
  Owner& second = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 0.0f);
  clock = Physics_Clock();
  world->Advance(30);
  EXPECT_NEAR(Physics_Clock() - clock, 1.0 / 30, 1e-6);
  EXPECT_NEAR(second.body->Y(), 10.0 / 2500 + (10.0 / 30) / 75, 1e-6);

  clock = Physics_Clock();
  world->Advance(0);
  world->paused = true;
  world->Advance(30);
  EXPECT_EQ(Physics_Clock(), clock);
  EXPECT_NEAR(second.body->LinearVelocityY(), 1.0 / 3, 1e-4);
}

// A force acts over both sub-steps and is gone after them.
TEST_F(Step, ForcesLastOneGameStep) {
  world->SetGravity(0.0f, 0.0f);
  Owner& pushed = Bind(Box(0.5f, 0.5f, 1.0f), 0.0f, 0.0f);
  ASSERT_NEAR(pushed.body->MassData().mass, 1.0f, 1e-6);
  pushed.body->ApplyForce(0.0f, 0.0f, 6.0f, 0.0f);
  world->Advance(30);
  EXPECT_NEAR(pushed.body->LinearVelocityX(), 0.2f, 1e-5);
  world->Advance(30);
  EXPECT_NEAR(pushed.body->LinearVelocityX(), 0.2f, 1e-5);
}

// Bodies show in pixels and screen degrees; a non-zero gravity wakes
// sleeping bodies.
TEST_F(Step, PlacesInPixelsAndDegrees) {
  world->SetGravity(0.0f, 0.0f);
  Owner& body = Bind(Circle(0.5f, 1.0f), 2.0f, 3.0f);
  body.body->SetRotationDegrees(0.5f * 180.0f / 3.1415927f);
  std::vector<PhysicsPlace> places = Places(*world);
  ASSERT_EQ(places.size(), 1u);
  EXPECT_NEAR(places[0].x, 20.0f, 1e-4);
  EXPECT_NEAR(places[0].y, 30.0f, 1e-4);
  EXPECT_NEAR(places[0].imageAngle, -28.648f, 1e-3);

  for (int i = 0; i < 200; ++i) world->Advance(60);
  ASSERT_FALSE(body.body->Awake());
  world->SetGravity(0.0f, 10.0f);
  EXPECT_TRUE(body.body->Awake());
}

// A world made from another's settings starts empty with the same speed,
// scale, iterations and gravity.
TEST_F(Step, SettingsCopiedIntoAFreshWorld) {
  world->iterations = 4;
  world->SetGravity(1.0f, -2.0f);
  Bind(Circle(1.0f, 1.0f), 0.0f, 0.0f);
  auto copy = CPhysicsWorld::WithSettingsOf(*world);
  EXPECT_EQ(copy->updateSpeed, 60);
  EXPECT_EQ(copy->iterations, 4);
  EXPECT_FLOAT_EQ(copy->scale, 0.1f);
  EXPECT_FLOAT_EQ(copy->GravityX(), 1.0f);
  EXPECT_FLOAT_EQ(copy->GravityY(), -2.0f);
  EXPECT_TRUE(Places(*copy).empty());
}

}  // namespace
}  // namespace physics_test

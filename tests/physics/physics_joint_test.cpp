#include "physics_test_support.h"

namespace physics_test {
namespace {

using Joints = PhysicsTest;

PhysicsLimitMotor Free() { return PhysicsLimitMotor{}; }

TEST_F(Joints, FiveKindsTakeIdsInTurn) {
  Owner& a = Bind(Box(0.5f, 0.5f, 1), 0, 0);
  Owner& b = Bind(Box(0.5f, 0.5f, 1), 3, 0);
  Owner& c = Bind(Box(0.5f, 0.5f, 1), 6, 0);
  EXPECT_EQ(Physics_CreateDistanceJoint(a.body, b.body, {0, 0}, {3, 0}, false), 1);
  EXPECT_EQ(Physics_CreateRevoluteJoint(a.body, b.body, {1, 0}, Free(), false), 2);
  EXPECT_EQ(Physics_CreatePrismaticJoint(a.body, c.body, {0, 0}, {1, 0}, Free(), false), 3);
  EXPECT_EQ(Physics_CreatePulleyJoint(a.body, b.body, {0, -5}, {3, -5}, {0, 0}, {3, 0}, 1.0f, 0, 0, false), 4);
  EXPECT_EQ(Physics_CreateGearJoint(b.body, c.body, 2, 3, 1.0f), 5);
  EXPECT_EQ(Physics_JointCount(), 5);

  // The distance joint: no angle, and its spring settings are not read.
  EXPECT_EQ(Physics_JointGetValue(1, kJointAngle), 0.0);
  EXPECT_NEAR(Physics_JointGetValue(1, kJointLength1), 3.0, 1e-5);
  Physics_JointSetValue(1, kJointFrequency, 4.0);
  Physics_JointSetValue(1, kJointDampingRatio, 0.5);
  EXPECT_EQ(Physics_JointGetValue(1, kJointFrequency), 0.0);
  EXPECT_EQ(Physics_JointGetValue(1, kJointDampingRatio), 0.0);
  EXPECT_NEAR(Physics_JointGetValue(4, kJointLength1), 5.0, 1e-5);
  EXPECT_NEAR(Physics_JointGetValue(4, kJointLength2), 5.0, 1e-5);
  EXPECT_NEAR(Physics_JointGetValue(2, kJointAnchor1X), 1.0, 1e-5);

  // Motors switch and take their values on the kinds that have them.
  Physics_JointEnableMotor(2, true);
  Physics_JointSetValue(2, kJointMotorSpeed, 1.5);
  Physics_JointSetValue(2, kJointMaxMotorTorque, 7.0);
  Physics_JointSetValue(3, kJointMaxMotorForce, 9.0);
  EXPECT_EQ(Physics_JointGetValue(2, kJointMotorSpeed), 1.5);
  EXPECT_EQ(Physics_JointGetValue(2, kJointMaxMotorTorque), 7.0);
  EXPECT_EQ(Physics_JointGetValue(3, kJointMaxMotorForce), 9.0);
  EXPECT_EQ(Physics_JointGetValue(3, kJointMaxMotorTorque), 0.0);
  EXPECT_EQ(Physics_JointGetValue(99, kJointAnchor1X), 0.0);
  world->Advance(60);
}

// A 1 kg body hanging still under gravity 10 pulls its pivot with 10 N.
TEST_F(Joints, ReactionOfAHangingBody) {
  Owner& pivot = Bind(Box(0.1f, 0.1f, 0), 0, 0);
  Owner& weight = Bind(Box(0.5f, 0.5f, 1), 0, 1);
  int32_t id = Physics_CreateRevoluteJoint(pivot.body, weight.body, {0, 0}, Free(), false);
  for (int i = 0; i < 30; ++i) world->Advance(30);
  double fx = Physics_JointGetValue(id, kJointReactionForceX);
  double fy = Physics_JointGetValue(id, kJointReactionForceY);
  EXPECT_NEAR(std::hypot(fx, fy), 10.0, 0.2);
  EXPECT_NEAR(Physics_JointGetValue(id, kJointAngle), 0.0, 1e-3);
}

// A joint made after others were solved and deleted takes their memory; until
// its world steps its reaction reads +0, never what the old one left.
TEST_F(Joints, ReactionReadsZeroUntilTheWorldSteps) {
  Owner& left = Bind(Box(0.5f, 0.5f, 1), 0, 0);
  Owner& right = Bind(Box(0.5f, 0.5f, 1), -3, 0);
  int32_t old = Physics_CreateDistanceJoint(left.body, right.body, {0, 0}, {-3, 0}, false);
  int32_t oldTurn = Physics_CreateRevoluteJoint(left.body, right.body, {-1, 0}, Free(), false);
  world->Advance(60);
  Physics_DeleteJoint(oldTurn);
  Physics_DeleteJoint(old);
  const int32_t made[] = {
      Physics_CreateDistanceJoint(left.body, right.body, {0, 0}, {-3, 0}, false),
      Physics_CreateRevoluteJoint(left.body, right.body, {-1, 0}, Free(), false),
  };
  for (int32_t id : made) {
    for (int32_t field : {kJointReactionForceX, kJointReactionForceY, kJointReactionTorque}) {
      const double value = Physics_JointGetValue(id, field);
      EXPECT_TRUE(value == 0.0 && !std::signbit(value)) << "joint " << id << " field " << field << ": " << value;
    }
  }
  world->Advance(60);
  EXPECT_TRUE(std::isfinite(Physics_JointGetValue(made[0], kJointReactionForceX)));
}

// A spring lets the length stretch; frequency 0 holds it rigid again.
TEST_F(Joints, DistanceSpringAndRigid) {
  world->SetGravity(0, 10);
  Owner& anchor = Bind(Box(0.1f, 0.1f, 0), 0, 0);
  Owner& weight = Bind(Circle(0.25f, 5), 0, 1);
  int32_t id = Physics_CreateDistanceJoint(anchor.body, weight.body, {0, 0}, {0, 1}, false);
  for (int i = 0; i < 30; ++i) world->Advance(60);
  EXPECT_NEAR(weight.body->Y(), 1.0f, 0.01f);
  Physics_JointSetValue(id, kJointFrequency, 1.0);
  Physics_JointSetValue(id, kJointDampingRatio, 1.0);
  weight.body->ApplyImpulse(0, 1, 0, 0);  // changing a joint wakes nothing
  for (int i = 0; i < 120; ++i) world->Advance(60);
  EXPECT_GT(weight.body->Y(), 1.1f);
  Physics_JointSetValue(id, kJointFrequency, 0.0);
  Physics_JointSetValue(id, kJointLength1, 2.0);
  weight.body->ApplyImpulse(0, 1, 0, 0);
  for (int i = 0; i < 120; ++i) world->Advance(60);
  EXPECT_NEAR(weight.body->Y(), 2.0f, 0.02f);
}

// Gears stand on revolute or prismatic joints only, and go first when one
// of their joints goes, by id or with a body.
TEST_F(Joints, GearsGoWithTheirJoints) {
  Owner& ground = Bind(Box(0.1f, 0.1f, 0), 0, 0);
  Owner& wheel = Bind(Circle(0.5f, 1), 2, 0);
  Owner& slider = Bind(Box(0.5f, 0.5f, 1), 5, 0);
  int32_t distance = Physics_CreateDistanceJoint(ground.body, wheel.body, {0, 0}, {2, 0}, false);
  int32_t revolute = Physics_CreateRevoluteJoint(ground.body, wheel.body, {2, 0}, Free(), false);
  int32_t prismatic = Physics_CreatePrismaticJoint(ground.body, slider.body, {5, 0}, {1, 0}, Free(), false);
  EXPECT_EQ(Physics_CreateGearJoint(wheel.body, slider.body, distance, prismatic, 1.0f), -1);
  int32_t gear = Physics_CreateGearJoint(wheel.body, slider.body, revolute, prismatic, 1.0f);
  ASSERT_GT(gear, 0);
  Physics_DeleteJoint(revolute);
  EXPECT_FALSE(Physics_JointExists(gear));
  EXPECT_FALSE(Physics_JointExists(revolute));
  world->Advance(60);

  revolute = Physics_CreateRevoluteJoint(ground.body, wheel.body, {2, 0}, Free(), false);
  gear = Physics_CreateGearJoint(wheel.body, slider.body, revolute, prismatic, 1.0f);
  EXPECT_GT(gear, revolute);
  Physics_DestroyObject(ground.body);
  EXPECT_EQ(Physics_JointCount(), 0);
  world->Advance(60);

  int32_t last = Physics_CreateDistanceJoint(wheel.body, slider.body, {2, 0}, {5, 0}, false);
  world.reset();
  EXPECT_FALSE(Physics_JointExists(last));
  EXPECT_EQ(wheel.body, nullptr);
}

// Joints the library would stop on are refused with -1.
TEST_F(Joints, RefusedDefinitions) {
  Owner& a = Bind(Box(0.5f, 0.5f, 1), 0, 0);
  Owner& b = Bind(Box(0.5f, 0.5f, 1), 3, 0);
  CPhysicsWorld elsewhere(0.1f, 60);
  Owner stranger;
  PhysicsBindRequest request;
  request.owner = &stranger;
  request.slot = &stranger.body;
  elsewhere.BindFixture(Box(1, 1, 1), request);
  PhysicsLimitMotor backwards;
  backwards.lower = 1.0f;
  testsupport::ConsoleCapture capture;
  EXPECT_EQ(Physics_CreateDistanceJoint(a.body, a.body, {0, 0}, {1, 0}, false), -1);
  EXPECT_EQ(Physics_CreateDistanceJoint(a.body, stranger.body, {0, 0}, {1, 0}, false), -1);
  EXPECT_EQ(Physics_CreateDistanceJoint(a.body, b.body, {NAN, 0}, {1, 0}, false), -1);
  EXPECT_EQ(Physics_CreatePrismaticJoint(a.body, b.body, {0, 0}, {0, 0}, Free(), false), -1);
  EXPECT_EQ(Physics_CreatePrismaticJoint(a.body, b.body, {0, 0}, {1, 0}, backwards, false), -1);
  EXPECT_EQ(Physics_CreateRevoluteJoint(a.body, b.body, {0, 0}, backwards, false), -1);
  EXPECT_EQ(Physics_CreatePulleyJoint(a.body, b.body, {0, -1}, {3, -1}, {0, 0}, {3, 0}, 0.0f, 0, 0, false), -1);
  EXPECT_EQ(Physics_CreateDistanceJoint(nullptr, b.body, {0, 0}, {1, 0}, false), -1);
  EXPECT_EQ(capture.Lines().size(), 7u);
  EXPECT_EQ(Physics_JointCount(), 0);
}

}  // namespace
}  // namespace physics_test

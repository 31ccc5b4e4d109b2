// The room's physics world in the step: bodies written back to instances,
// contacts turned into collision events, paths moving bodies, categories
// by object, and bodies that die with either their world or their instance.
#include <cmath>

#include "physics/physics_fixture.h"
#include "physics/physics_joint.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "runtime/run_flags.h"
#include "script/events/error_report.h"
#include "world/room/physics_binding.h"
#include "world/room/physics_step.h"
#include "world/step_world.h"

namespace {

class PhysicsRoom : public StepWorld {
 protected:
  void SetUp() override {
    StepWorld::SetUp();
    Physics_ResetRecords();
    Physics_InstallInstanceHooks();
    g_runFlags.showErrorDialog = false;
    room_->physicsWorld = new CPhysicsWorld(0.1f, 60);
  }
  void TearDown() override {
    delete room_->physicsWorld;
    room_->physicsWorld = nullptr;
    StepWorld::TearDown();
    Error_ResetState();
  }

  static CPhysicsFixture Box(float halfWidth, float halfHeight, float density) {
    CPhysicsFixture f;
    f.SetBox(halfWidth, halfHeight);
    f.density = density;
    return f;
  }
  CInstance* AddBody(int32_t object, float x, float y, const CPhysicsFixture& f) {
    CInstance* instance = Add(object, x, y);
    EXPECT_TRUE(Physics_BindInstance(room_->physicsWorld, f, instance));
    return instance;
  }
  int32_t Bodies() const {
    int32_t count = 0;
    room_->physicsWorld->ForEachPlace([](void*, const PhysicsPlace&, void* n) { ++*static_cast<int32_t*>(n); }, &count);
    return count;
  }
};

// A box falls onto the floor: positions and angles come back to the
// instances, and the touching pair runs A's event then B's, each with the
// other, with the contact's points answering inside the events only.
TEST_F(PhysicsRoom, ContactsRunBothCollisionEvents) {
  MakeObject(0);
  MakeObject(1);
  On(0, kEventCollision, 1, "floor hit");
  On(1, kEventCollision, 0, "box hit");
  Ready();
  CInstance* floor = AddBody(0, 100.0f, 100.0f, Box(5.0f, 0.5f, 0.0f));
  CInstance* box = AddBody(1, 100.0f, 80.0f, Box(0.5f, 0.5f, 1.0f));
  std::vector<int32_t> counts;
  auto count = [&](CInstance* self, CInstance*) {
    counts.push_back(PhysicsWorld_CollisionPointCount(room_->physicsWorld, self->id));
  };
  Bind("floor hit", count);
  Bind("box hit", count);
  for (int i = 0; i < 30 && runs_.empty(); ++i) PhysicsWorldStep(room_, 60);
  ASSERT_EQ(Labels(), (std::vector<std::string>{"floor hit", "box hit"}));
  EXPECT_EQ(runs_[0].self, floor);
  EXPECT_EQ(runs_[0].other, box);
  EXPECT_EQ(runs_[1].self, box);
  EXPECT_EQ(runs_[1].other, floor);
  EXPECT_EQ(counts, (std::vector<int32_t>{2, 2}));
  EXPECT_EQ(PhysicsWorld_CollisionPointCount(room_->physicsWorld, box->id), 0);
  EXPECT_NEAR(box->y, 90.0f, 0.5f);
  EXPECT_EQ(box->bboxDirty, 1);
  EXPECT_FLOAT_EQ(floor->y, 100.0f);

  box->physicsObject->SetRotationDegrees(0.5f * 180.0f / 3.1415927f);
  float before = box->image_angle;
  PhysicsWorldStep(room_, 0);
  EXPECT_EQ(box->image_angle, before) << "room speed 0 does nothing";
  PhysicsWorldStep(room_, 60);
  EXPECT_NEAR(box->image_angle, -box->physicsObject->Angle() * 180.0f / 3.1415927f, 1e-3);
  EXPECT_LT(box->image_angle, -10.0f);
}

// A child with as many partners as its parent shares the parent's
// category; an object without events gets none.
TEST_F(PhysicsRoom, ChildrenShareTheirParentsCategory) {
  MakeObject(0);
  MakeObject(1);
  MakeObject(2)->SetParent(0);
  MakeObject(3);
  On(0, kEventCollision, 1, "a hits b");
  Ready();
  EXPECT_EQ(Physics_Partners(0), std::vector<int32_t>{1});
  EXPECT_EQ(Physics_Partners(2), std::vector<int32_t>{1});
  EXPECT_EQ(Physics_Representative(2), 0);
  EXPECT_EQ(Physics_Representative(1), 1);
  CInstance* parent = AddBody(0, 0, 0, Box(1, 1, 1));
  CInstance* child = AddBody(2, 50, 0, Box(1, 1, 1));
  CInstance* b = AddBody(1, 100, 0, Box(1, 1, 1));
  CInstance* loner = AddBody(3, 150, 0, Box(1, 1, 1));
  EXPECT_EQ(parent->physicsObject->category, 0);
  EXPECT_EQ(child->physicsObject->category, 0);
  EXPECT_EQ(b->physicsObject->category, 1);
  EXPECT_EQ(loner->physicsObject->category, -1);
}

// Paused, the world still carries path instances' kinematic and static
// bodies along, but not dynamic ones, and runs no events.
TEST_F(PhysicsRoom, PausedWorldMovesOnlyPathBodiesThatAreNotDynamic) {
  MakeObject(0);
  On(0, kEventCollision, 0, "hit");
  Ready();
  int32_t path = MakePath({{0.0f, 0.0f}, {100.0f, 0.0f}});
  CPhysicsFixture kinematic = Box(0.5f, 0.5f, 0.0f);
  kinematic.kinematic = 1;
  CInstance* carried = AddBody(0, 0, 0, kinematic);
  CInstance* falling = AddBody(0, 0, 40, Box(0.5f, 0.5f, 1.0f));
  carried->StartPath(path, 10.0f, 1.0f, 0.0f, false, kPathEndStop);
  falling->StartPath(path, 10.0f, 1.0f, 0.0f, false, kPathEndStop);
  room_->physicsWorld->paused = true;
  PhysicsWorldStep(room_, 30);
  EXPECT_NEAR(carried->x, 10.0f, 1e-3);
  EXPECT_NEAR(carried->physicsObject->X(), 1.0f, 1e-4);
  EXPECT_NEAR(falling->physicsObject->X(), 0.0f, 1e-4);
  EXPECT_NEAR(falling->physicsObject->Y(), 4.0f, 1e-4);
  EXPECT_TRUE(runs_.empty());
}

// A room that is not current frees its world before its instances: the
// instances are detached, nothing dangles. Deleting an instance first
// removes its body.
TEST_F(PhysicsRoom, WorldAndInstancesDieInEitherOrder) {
  MakeObject(0);
  Ready();
  auto* other = new CRoom;
  other->physicsWorld = new CPhysicsWorld(0.1f, 60);
  CInstance* a = other->AddInstance(0, 0, 0);
  CInstance* b = other->AddInstance(30, 0, 0);
  ASSERT_TRUE(Physics_BindInstance(other->physicsWorld, Box(1, 1, 1), a));
  ASSERT_TRUE(Physics_BindInstance(other->physicsWorld, Box(1, 1, 1), b));
  int32_t joint = Physics_CreateDistanceJoint(a->physicsObject, b->physicsObject, {0, 0}, {3, 0}, false);
  ASSERT_GT(joint, 0);
  delete other->physicsWorld;
  other->physicsWorld = nullptr;
  EXPECT_EQ(a->physicsObject, nullptr);
  EXPECT_FALSE(Physics_JointExists(joint));
  delete other;

  CInstance* c = AddBody(0, 0, 0, Box(1, 1, 1));
  AddBody(0, 50, 0, Box(1, 1, 1));
  EXPECT_EQ(Bodies(), 2);
  room_->RemoveInstance(c);
  EXPECT_EQ(Bodies(), 1);
}

// An object's own fixture from its physics settings, scaled into metres,
// made as the room adds the instance.
TEST_F(PhysicsRoom, ObjectsBuildTheirOwnFixtures) {
  int32_t sprite = MakeSprite(SpriteBox{0, 0, 9, 9});
  for (int32_t i = 0; i < 4; ++i) MakeObject(i, sprite)->physics.usesPhysics = true;
  Ready();
  auto points = [](CObject* object, std::vector<ObjectPoint> list) {
    object->physics.points.SetLength(static_cast<int32_t>(list.size()));
    for (size_t i = 0; i < list.size(); ++i) object->physics.points[static_cast<int32_t>(i)] = list[i];
  };
  Object_Get(0)->physics.shapeKind = 0;
  points(Object_Get(0), {{0, 0}, {10, 0}});
  Object_Get(1)->physics.shapeKind = 1;
  points(Object_Get(1), {{0, 0}, {10, 0}, {10, 10}});
  Object_Get(2)->physics.shapeKind = 7;
  Object_Get(3)->physics.shapeKind = 2;
  std::vector<ObjectPoint> nine;
  for (int i = 0; i < 9; ++i) {
    float a = static_cast<float>(i) * 2.0f * 3.1415927f / 9.0f;
    nine.push_back({20.0f * std::cos(a), 20.0f * std::sin(a)});
  }
  points(Object_Get(3), nine);
  testsupport::ConsoleCapture capture;
  CInstance* circle = Add(0);
  CInstance* triangle = Add(1);
  CInstance* corrupt = Add(2);
  CInstance* ninePoints = Add(3);
  ASSERT_NE(circle->physicsObject, nullptr);
  ASSERT_NE(triangle->physicsObject, nullptr);
  EXPECT_EQ(corrupt->physicsObject, nullptr);
  ASSERT_NE(ninePoints->physicsObject, nullptr);
  // The unknown kind and the ninth point each say so once.
  std::string text = capture.Text();
  size_t said = 0;
  for (size_t at = text.find("Corrupt shape data for"); at != std::string::npos;
       at = text.find("Corrupt shape", at + 1)) {
    ++said;
  }
  EXPECT_EQ(said, 2u) << text;
}

}  // namespace

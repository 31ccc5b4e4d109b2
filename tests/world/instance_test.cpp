#include "world/instance/instance.h"

#include <cmath>
#include <limits>

#include "script/events/event_world_seam.h"
#include "script/variables/world_seam.h"
#include "world/instance_test_support.h"
#include "world/run/run_state.h"

namespace {

using Instances = InstanceWorld;

TEST_F(Instances, ConstructionTakesTheObjectAndTheDefaults) {
  const int32_t sprite = MakeSprite({0, 0, 7, 7}, 0, 0, 3);
  CObject* object = MakeObject(4, sprite, 7, kObjectSolid | kObjectPersistent, 2);
  g_eventSerial = 77;
  CInstance a(10.0f, 20.0f, 100001, 4, true);
  EXPECT_EQ(a.creationStamp, 77u);
  EXPECT_EQ(a.object, object);
  EXPECT_EQ(object->instances.count, 1);
  EXPECT_EQ(a.sprite_index, sprite);
  EXPECT_EQ(a.mask_index, 2);
  EXPECT_EQ(a.depth, 7.0f);
  EXPECT_EQ(a.solid, 1);
  EXPECT_EQ(a.visible, 0);
  EXPECT_EQ(a.persistent, 1);
  EXPECT_EQ(a.image_blend, 0xFFFFFF);
  EXPECT_EQ(a.gravity_direction, 270.0f);
  EXPECT_EQ(a.path_scale, 1.0f);
  EXPECT_EQ(a.timeline_speed, 1.0f);
  EXPECT_EQ(a.GetAlarm(0), -1);
  EXPECT_EQ(a.GetAlarm(12), -1);
  a.SetAlarm(12, 5);
  a.SetAlarm(-1, 5);
  a.SetAlarm(11, 5);
  EXPECT_EQ(a.GetAlarm(11), 5);
  {
    CInstance b(0.0f, 0.0f, 100002, 4, false);
    EXPECT_EQ(object->instances.count, 1) << "an unlinked instance is in no list";
  }
  EXPECT_EQ(object->instances.count, 1);
}

TEST_F(Instances, ObjectChangesMoveBetweenListsAndMinusOneLinksNothing) {
  CObject* parent = MakeObject(0, -1, 3);
  CObject* child = MakeObject(1, -1, 9);
  child->SetParent(0);
  Object_LinkParents();
  CInstance a(0.0f, 0.0f, 100001, 1, true);
  EXPECT_EQ(child->instances.count, 1);
  EXPECT_EQ(parent->descendants.count, 1) << "a child's instance is among its parent's descendants";
  a.SetObjectIndex(0, true);
  EXPECT_EQ(child->instances.count, 0);
  EXPECT_EQ(child->descendants.count, 0);
  EXPECT_EQ(parent->instances.count, 1);
  EXPECT_EQ(a.depth, 3.0f);
  a.SetObjectIndex(-1, true);
  EXPECT_EQ(a.object_index, 0);
  EXPECT_EQ(a.object, nullptr);
  EXPECT_EQ(parent->instances.count, 0) << "object 0 exists but -1 must not link it";
  EXPECT_EQ(a.depth, 3.0f) << "no object: the rest is unchanged";
  a.SetObjectIndex(55, true);
  EXPECT_EQ(a.object_index, 55);
  EXPECT_EQ(a.object, nullptr);
}

TEST_F(Instances, ADeletedObjectIsForgottenBeforeItGoes) {
  MakeObject(2);
  auto* a = new CInstance(0.0f, 0.0f, 100001, 2, true);
  Object_Delete(2);
  EXPECT_EQ(a->object, nullptr);
  EXPECT_EQ(a->object_index, 2);
  delete a;  // must not touch the freed object's lists
}

TEST_F(Instances, ImageIndexRestartsOnlyPastTheNewSpritesFrames) {
  const int32_t three = MakeSprite({0, 0, 3, 3}, 0, 0, 3);
  const int32_t five = MakeSprite({0, 0, 3, 3}, 0, 0, 5);
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.SetSpriteIndex(five);
  a.image_index = 3.9f;
  a.SetSpriteIndex(three);
  EXPECT_EQ(a.image_index, 0.0f);
  a.image_index = 2.9f;
  a.SetSpriteIndex(three);
  EXPECT_EQ(a.image_index, 2.9f);
  a.SetSpriteIndex(-1);
  EXPECT_EQ(a.image_index, 0.0f) << "no sprite has no frames";
  EXPECT_EQ(a.GetImageNumber(), 0);
}

TEST_F(Instances, IdMapDeleteAllAndRemovalOfOneOfTwoEqualIds) {
  auto* first = new CInstance(0.0f, 0.0f, 100005, -1, false);
  auto* second = new CInstance(0.0f, 0.0f, 100005, -1, false);
  auto* other = new CInstance(0.0f, 0.0f, 100005 + 512, -1, false);
  InstanceMap_Insert(first);
  InstanceMap_Insert(other);
  InstanceMap_Insert(second);
  EXPECT_EQ(InstanceMap_Get(100005), first);
  EXPECT_TRUE(InstanceMap_Remove(second));
  EXPECT_EQ(InstanceMap_Get(100005), first) << "removing the later entry keeps the first";
  InstanceMap_Insert(second);
  EXPECT_TRUE(InstanceMap_Remove(first));
  EXPECT_EQ(InstanceMap_Get(100005), second);
  EXPECT_FALSE(InstanceMap_Remove(first));
  delete first;
  EXPECT_EQ(WorldSeam_Get().findInstance(100005 + 512), other);
  Instance_DeleteAll();
  EXPECT_EQ(g_instanceMap.Count(), 0);
  EXPECT_EQ(InstanceMap_Get(100005), nullptr);
}

TEST_F(Instances, SeamsReachVariablesMarksAndObjectLists) {
  MakeObject(0);
  MakeObject(1)->SetParent(0);
  Object_LinkParents();
  CInstance a(0.0f, 0.0f, 100001, 0, true);
  CInstance b(0.0f, 0.0f, 100002, 1, true);
  b.markedForDeletion = 1;
  EXPECT_EQ(WorldSeam_Get().instanceVariables(&a), a.locals);
  EXPECT_TRUE(WorldSeam_Get().isMarkedForDeletion(&b));
  EXPECT_TRUE(EventWorld_Get().isMarkedForDeletion(&b));
  EXPECT_EQ(EventWorld_Get().objectIndexOf(&b), 1);
  struct Collect : InstanceVisitor {
    bool Visit(CInstance* instance) override {
      seen.push_back(instance);
      return true;
    }
    std::vector<CInstance*> seen;
  } visit;
  EXPECT_TRUE(WorldSeam_Get().visitObjectInstances(0, visit));
  EXPECT_EQ(visit.seen, (std::vector<CInstance*>{&a, &b}));
  EXPECT_FALSE(WorldSeam_Get().visitObjectInstances(9, visit));
}

// --- motion -------------------------------------------------------------

TEST_F(Instances, ComponentsGiveDirectionAndSpeed) {
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.SetHSpeed(3.0f);
  a.SetVSpeed(-4.0f);
  EXPECT_NEAR(a.direction, 53.1301, 1e-4);
  EXPECT_EQ(a.speed, 5.0f);
  a.SetHSpeed(0.0f);
  a.SetVSpeed(5.0f);
  EXPECT_EQ(a.direction, 270.0f);
  a.SetVSpeed(0.0f);
  EXPECT_EQ(a.direction, 0.0f);
  EXPECT_EQ(a.speed, 0.0f);
  a.SetHSpeed(-2.0f);
  EXPECT_EQ(a.direction, 180.0f);
  // Components whose angle works out a hair below 90 degrees.
  const float r = 89.99995f * 3.1415927f / 180.0f;
  a.hspeed = std::cos(r);
  a.vspeed = -std::sin(r);
  a.ComputeDirectionSpeed();
  EXPECT_EQ(a.direction, 90.0f);
  EXPECT_EQ(a.speed, 1.0f);
}

TEST_F(Instances, DirectionAndSpeedGiveExactComponents) {
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.SetSpeed(2.0f);
  a.SetDirection(90.0f);
  EXPECT_EQ(a.hspeed, 0.0f);
  EXPECT_FALSE(std::signbit(a.hspeed)) << "a snapped component is never -0";
  EXPECT_EQ(a.vspeed, -2.0f);
  a.SetDirection(-30.0f);
  EXPECT_EQ(a.direction, 330.0f);
  a.SetDirection(720.0f);
  EXPECT_EQ(a.direction, 0.0f);
  a.SetDirection(-720.5f);
  EXPECT_EQ(a.direction, 359.5f);
  for (float huge : {1e30f, -1e30f, 3.0e38f}) {
    a.SetDirection(huge);
    EXPECT_GE(a.direction, 0.0f);
    EXPECT_LT(a.direction, 360.0f);
  }
  for (float bad : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                    std::numeric_limits<float>::quiet_NaN()}) {
    a.SetDirection(bad);
    EXPECT_EQ(a.direction, 0.0f);
    EXPECT_EQ(a.hspeed, 2.0f);
  }
  a.SetPosition(0.1f, 0.0f);
  EXPECT_EQ(static_cast<double>(a.x), 0.100000001490116119384765625);
}

TEST_F(Instances, FrictionStopsAndGravityAddsWithoutSnapping) {
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.SetSpeed(0.3f);
  a.friction = 0.5f;
  a.ApplyFrictionGravity();
  EXPECT_EQ(a.speed, 0.0f);
  EXPECT_EQ(a.hspeed, 0.0f);
  a.SetSpeed(-0.3f);
  a.ApplyFrictionGravity();
  EXPECT_EQ(a.speed, 0.0f) << "friction never reverses";
  a.SetSpeed(2.0f);
  a.ApplyFrictionGravity();
  EXPECT_EQ(a.speed, 1.5f);
  EXPECT_EQ(a.hspeed, 1.5f);
  a.friction = -1.0f;
  a.ApplyFrictionGravity();
  EXPECT_EQ(a.speed, 2.5f) << "negative friction speeds up";

  CInstance b(0.0f, 0.0f, 100002, -1, false);
  b.gravity = 0.5f;
  b.ApplyFrictionGravity();
  EXPECT_EQ(b.vspeed, 0.5f);
  EXPECT_EQ(b.direction, 270.0f);
  EXPECT_EQ(b.speed, 0.5f);
  EXPECT_NE(b.hspeed, 0.0f) << "gravity leaves the cosine's residue in place";
  EXPECT_LT(std::fabs(b.hspeed), 1e-6f);
}

TEST_F(Instances, SettersMarkTheBoxOnlyOnChange) {
  CInstance a(5.0f, 5.0f, 100001, -1, false);
  a.bboxDirty = 0;
  a.SetPosition(5.0f, 5.0f);
  a.SetImageXScale(1.0f);
  a.SetImageAngle(0.0f);
  a.SetMaskIndex(a.mask_index);
  EXPECT_EQ(a.bboxDirty, 0);
  a.SetImageYScale(2.0f);
  a.SetPathPosition(1.5f);
  EXPECT_EQ(a.path_position, 1.0f);
  a.SetPathPositionPrevious(-0.5f);
  EXPECT_EQ(a.path_positionprevious, 0.0f);
  a.SetPathPosition(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(a.path_position, 0.0f);
}

// --- paths --------------------------------------------------------------

TEST_F(Instances, PathStepsAndStopsAtTheEnd) {
  const int32_t path = MakePath({{0.0f, 0.0f}, {128.0f, 0.0f}});
  CInstance a(50.0f, 50.0f, 100001, -1, false);
  a.StartPath(path, 16.0f, 1.0f, 0.0f, false, kPathEndStop);
  EXPECT_EQ(a.x, 0.0f) << "an absolute path places the instance at its start";
  EXPECT_FALSE(a.UpdatePath());
  EXPECT_EQ(a.path_position, 0.125f);
  EXPECT_EQ(a.x, 16.0f);
  EXPECT_EQ(a.speed, 0.0f);
  EXPECT_EQ(a.hspeed, 0.0f);
  EXPECT_EQ(a.direction, 0.0f);
  for (int32_t i = 0; i < 6; ++i) EXPECT_FALSE(a.UpdatePath());
  EXPECT_TRUE(a.UpdatePath());
  EXPECT_EQ(a.path_position, 1.0f);
  EXPECT_EQ(a.x, 128.0f);
  EXPECT_EQ(a.speed, 0.0f);
  EXPECT_EQ(a.hspeed, 0.0f);
  EXPECT_EQ(a.vspeed, 0.0f);
  EXPECT_FALSE(a.UpdatePath());

  CInstance still(0.0f, 0.0f, 100002, -1, false);
  still.StartPath(path, 0.0f, 1.0f, 0.0f, true, kPathEndStop);
  EXPECT_TRUE(still.UpdatePath()) << "a path at speed 0 ends at once";
}

TEST_F(Instances, PathEndActionsRestartReverseAndContinue) {
  const int32_t path = MakePath({{0.0f, 0.0f}, {128.0f, 0.0f}});
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.StartPath(path, 16.0f, 1.0f, 0.0f, true, kPathEndReverse);
  a.path_position = 1.125f;
  EXPECT_TRUE(a.UpdatePath());
  EXPECT_EQ(a.path_position, 0.75f);
  EXPECT_EQ(a.path_speed, -16.0f);
  EXPECT_EQ(a.x, 96.0f);

  a.StartPath(path, 16.0f, 1.0f, 0.0f, true, kPathEndRestart);
  a.path_position = 0.9375f;
  EXPECT_TRUE(a.UpdatePath());
  EXPECT_EQ(a.path_position, 0.0625f);

  CInstance b(10.0f, 20.0f, 100002, -1, false);
  b.StartPath(path, 16.0f, 1.0f, 0.0f, true, kPathEndContinue);
  b.path_position = 0.9375f;
  EXPECT_TRUE(b.UpdatePath());
  EXPECT_EQ(b.pathOriginX, 138.0f) << "the origin moves by end minus start";
  EXPECT_EQ(b.pathOriginY, 20.0f);
  EXPECT_EQ(b.x, 146.0f);
  b.path_speed = -16.0f;
  b.path_position = 0.0625f;
  EXPECT_TRUE(b.UpdatePath());
  EXPECT_EQ(b.pathOriginX, 10.0f);

  CInstance turned(0.0f, 0.0f, 100003, -1, false);
  turned.StartPath(path, 16.0f, 2.0f, 90.0f, true, kPathEndStop);
  turned.UpdatePath();
  EXPECT_NEAR(turned.x, 0.0f, 1e-5);
  EXPECT_EQ(turned.y, -16.0f) << "rotated a quarter turn and doubled, the path runs upwards";
}

TEST_F(Instances, PathsThatCannotBeFollowed) {
  const int32_t path = MakePath({{0.0f, 0.0f}, {128.0f, 0.0f}});
  const int32_t flat = MakePath({{5.0f, 5.0f}, {5.0f, 5.0f}});
  CInstance a(0.0f, 0.0f, 100001, -1, false);
  a.StartPath(path, 16.0f, -1.0f, 0.0f, true, 0);
  a.StartPath(flat, 16.0f, 1.0f, 0.0f, true, 0);
  a.StartPath(99, 16.0f, 1.0f, 0.0f, true, 0);
  a.StartPath(-3, 16.0f, 1.0f, 0.0f, true, 0);
  EXPECT_EQ(a.path_index, -3);
  EXPECT_FALSE(a.UpdatePath());

  // A scale of 0 and a NaN speed set by a script: no step, nothing non-finite.
  a.StartPath(path, 16.0f, 1.0f, 0.0f, true, kPathEndReverse);
  a.path_scale = 0.0f;
  for (int32_t i = 0; i < 3; ++i) a.UpdatePath();
  a.path_scale = 1.0f;
  a.path_speed = std::numeric_limits<float>::quiet_NaN();
  a.UpdatePath();
  a.path_position = std::numeric_limits<float>::infinity();
  a.UpdatePath();
  EXPECT_TRUE(std::isfinite(a.path_position));
  EXPECT_TRUE(std::isfinite(a.x));
  EXPECT_TRUE(std::isfinite(a.y));
  EXPECT_TRUE(std::isfinite(a.direction));
}

TEST_F(Instances, AssignCopiesAllButStampAndLinks) {
  CObject* object = MakeObject(3);
  CInstance a(7.0f, 8.0f, 100001, 3, true);
  const int32_t path = MakePath({{0.0f, 0.0f}, {128.0f, 0.0f}});
  a.StartPath(path, 16.0f, 1.0f, 0.0f, true, kPathEndStop);
  a.SetAlarm(4, 9);
  a.spare = 42;
  ScriptValue v{};
  ScriptValue_SetReal(&v, 12.5);
  a.locals->SetValue(100000, 0, v);
  g_eventSerial = 500;
  CInstance b(0.0f, 0.0f, 100002, -1, false);
  b.carriedOver = 1;
  b.Assign(a, true);
  EXPECT_EQ(b.id, 100001);
  EXPECT_EQ(b.creationStamp, 500u);
  EXPECT_EQ(b.carriedOver, 0);
  EXPECT_EQ(b.GetAlarm(4), 9);
  EXPECT_EQ(b.spare, 42);
  EXPECT_EQ(b.pathOriginX, 7.0f);
  EXPECT_EQ(object->instances.count, 2);
  b.UpdatePath();
  EXPECT_EQ(b.x, 23.0f) << "the copy follows the path from the same origin";
  ScriptValue_SetReal(&v, 1.0);
  b.locals->SetValue(100000, 0, v);
  ScriptValue got{};
  ASSERT_TRUE(a.locals->GetValue(100000, 0, &got));
  EXPECT_EQ(got.real, 12.5) << "variables are copied, not shared";
  b.Assign(b, true);
  EXPECT_EQ(object->instances.count, 2);
}

}  // namespace

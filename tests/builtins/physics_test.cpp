// The physics family called by name in a running world, and the phy_*
// variables over the bodies it makes: what each missing piece reports, how
// targets are walked, and the conversions between pixels and metres.
#include <cmath>

#include "game_test_support.h"
#include "physics/physics_fixture.h"
#include "physics/physics_joint.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "script/variables/variable_registry.h"
#include "support/script_host_fake.h"
#include "world/room/physics_step.h"
#include "world/variables/builtin_variables.h"

namespace {

using Texts = std::vector<std::string>;

class PhysicsBuiltins : public GameWorld {
 protected:
  void SetUp() override {
    GameWorld::SetUp();
    Builtins_RegisterFamily(BuiltinFamilyId::kPhysics);
    Physics_ResetRecords();
    FakeScriptHost([](ScriptHost& host) { BuiltinVariables_AddTo(&host); });
    Variable_BuiltIn_Init();
  }
  void TearDown() override {
    GameWorld::TearDown();
    Physics_ResetRecords();
    // The world's variables stay registered otherwise, and hide the ones a
    // later test in this process registers under the same names.
    FakeScriptHost([](ScriptHost& host) { host.builtinVariables = nullptr; });
    Variable_BuiltIn_Clear();
  }

  void StartPhysicsRoom(double scale = 0.1) {
    StartRooms(1);
    Call("physics_world_create", {R(scale)});
    ASSERT_NE(g_currentRoom->physicsWorld, nullptr);
  }
  // A box fixture of w x h pixels with the density, bound to the instance.
  int32_t BoxFixture(double w, double h, double density) {
    int32_t f = static_cast<int32_t>(Call("physics_fixture_create", {}));
    Call("physics_fixture_set_box_shape", {R(f), R(w / 2), R(h / 2)});
    Call("physics_fixture_set_density", {R(f), R(density)});
    return f;
  }
  CInstance* Body(int32_t object, float x, float y, double density = 1.0) {
    if (Object_Get(object) == nullptr) MakeObject(object);
    CInstance* instance = Add(object, x, y);
    Call("physics_fixture_bind", {R(BoxFixture(10, 10, density)), R(instance->id)});
    EXPECT_NE(instance->physicsObject, nullptr);
    return instance;
  }

  static double Get(CInstance* instance, const char* name, bool* ok = nullptr) {
    const BuiltinVariableRecord* record = Variable_BuiltIn_Get(Variable_BuiltIn_Find(name));
    ScriptValue value;
    bool read = record->getter(instance, 0, &value);
    if (ok != nullptr) *ok = read;
    return read ? value.real : NAN;
  }
  static bool Set(CInstance* instance, const char* name, double v) {
    const BuiltinVariableRecord* record = Variable_BuiltIn_Get(Variable_BuiltIn_Find(name));
    ScriptValue value;
    ScriptValue_SetReal(&value, v);
    return record->setter(instance, 0, value);
  }
};

TEST_F(PhysicsBuiltins, CreatingTheWorldTwiceKeepsItAndABadScaleChangesNothing) {
  ErrorCapture errors;
  StartRooms(1);
  g_currentRoom->speed = 45;
  Call("physics_world_create", {R(0.1)});
  CPhysicsWorld* world = g_currentRoom->physicsWorld;
  ASSERT_NE(world, nullptr);
  world->updateSpeed = 90;
  Call("physics_world_create", {R(0.05)});
  EXPECT_EQ(g_currentRoom->physicsWorld, world);
  EXPECT_FLOAT_EQ(world->scale, 0.05f);
  EXPECT_EQ(world->updateSpeed, 45);
  for (double bad : {0.0, -1.0, static_cast<double>(NAN), 1e-60}) Call("physics_world_create", {R(bad)});
  EXPECT_FLOAT_EQ(world->scale, 0.05f);
  EXPECT_EQ(errors.Messages(), Texts(4, "physics_world_create: the scale must be above 0"));
}

TEST_F(PhysicsBuiltins, EachMissingPieceSaysItsOwnLine) {
  ErrorCapture errors;
  Call("physics_world_create", {R(0.1)});
  Call("physics_joint_delete", {R(1)});
  StartRooms(1);
  MakeObject(0);
  CInstance* plain = Add(0, 0, 0);
  int32_t f = static_cast<int32_t>(Call("physics_fixture_create", {}));
  Call("physics_fixture_set_circle_shape", {R(f), R(5)});
  Call("physics_fixture_set_density", {R(f + 7), R(1)});
  Call("physics_fixture_bind", {R(f), R(-3)});
  Call("physics_joint_get_value", {R(3), R(0)});
  Call("physics_apply_force", {R(0), R(0), R(1), R(1)}, plain);
  Call("physics_pause_enable", {R(1)});
  Call("physics_fixture_delete", {R(f + 7)});
  EXPECT_EQ(
      errors.Messages(),
      (Texts{"No room is available to create a physics world for",
             "The current room does not have a physics world representation", "The physics fixture does not exist",
             "Cannot bind a fixture if no physics world exists for the current room", "A joint does not exist",
             "The instance does not have an associated physics representation",
             "physics_pause_enable() The current room does not have a physics world "
             "representation"}));
}

TEST_F(PhysicsBuiltins, BindingWalksLiveInstancesAndAnUnknownIdIsNotValid) {
  ErrorCapture errors;
  StartPhysicsRoom();
  MakeObject(0, MakeSprite(10, 10));
  MakeObject(1, MakeSprite(10, 10));
  CInstance* a = Add(0, 0, 0);
  CInstance* marked = Add(0, 50, 0);
  CInstance* b = Add(1, 100, 0);
  marked->markedForDeletion = 1;
  int32_t f = BoxFixture(10, 10, 1);
  Call("physics_fixture_bind", {R(f), R(-3)});
  EXPECT_NE(a->physicsObject, nullptr);
  EXPECT_NE(b->physicsObject, nullptr);
  EXPECT_EQ(marked->physicsObject, nullptr);
  Call("physics_fixture_bind", {R(f), R(999999)});
  EXPECT_EQ(errors.Messages(), Texts{"  is not valid."});
}

TEST_F(PhysicsBuiltins, OverlapTestsTheCallersBodyPlacedAgainstEachTarget) {
  ErrorCapture errors;
  StartPhysicsRoom();
  CInstance* self = Body(0, 0, 0);
  CInstance* near = Body(1, 100, 100);
  Body(2, 300, 300);
  EXPECT_EQ(Call("physics_test_overlap", {R(100), R(100), R(0), R(-3)}, self), 1);
  EXPECT_EQ(Call("physics_test_overlap", {R(100), R(100), R(45), R(1)}, self), 1);
  EXPECT_EQ(Call("physics_test_overlap", {R(100), R(100), R(0), R(2)}, self), 0);
  EXPECT_EQ(Call("physics_test_overlap", {R(300), R(300), R(0), R(near->id + 1)}, self), 1);
  EXPECT_EQ(Call("physics_test_overlap", {R(500), R(500), R(0), R(-3)}, self), 0);
  EXPECT_EQ(Call("physics_test_overlap", {R(0), R(0), R(0), R(555555)}, self), 0);
  EXPECT_EQ(Call("physics_test_overlap", {R(0), R(0), R(0), R(-3)}, near), 1);
  EXPECT_EQ(errors.Messages(), Texts{"physics_test_overlap:   is not valid."});
}

TEST_F(PhysicsBuiltins, JointsNameTheirInstancesAndAnswerMinusOneWhenRefused) {
  ErrorCapture errors;
  StartPhysicsRoom();
  CInstance* a = Body(0, 0, 0, 0.0);
  CInstance* b = Body(1, 0, 50);
  MakeObject(3);
  MakeObject(4);
  CInstance* bodiless = Add(4, 0, 0);
  EXPECT_EQ(Call("physics_joint_distance_create", {R(-1), R(3), R(0), R(0), R(0), R(0), R(0)}, a), -1);
  EXPECT_EQ(Call("physics_joint_distance_create", {R(NAN), R(1), R(0), R(0), R(0), R(0), R(0)}, a), -1);
  EXPECT_EQ(Call("physics_joint_revolute_create",
                 {R(-1), R(bodiless->id), R(0), R(0), R(0), R(0), R(0), R(0), R(0), R(0), R(0)}, a),
            -1);
  double j = Call("physics_joint_revolute_create",
                  {R(-1), R(-2), R(0), R(25), R(-30), R(30), R(1), R(10), R(2), R(0.5), R(0)}, a, b);
  ASSERT_GE(j, 1);
  EXPECT_NEAR(Call("physics_joint_get_value", {R(j), R(kJointAnchor1Y)}), 2.5, 1e-6);
  EXPECT_NEAR(Call("physics_joint_get_value", {R(j), R(kJointMotorSpeed)}), 2.0, 1e-6);
  EXPECT_EQ(Call("physics_joint_get_value", {R(j), R(kJointMotorTorque)}), 0.0);
  Call("physics_joint_enable_motor", {R(j), R(0.6)});
  Call("physics_joint_set_value", {R(j), R(kJointMotorSpeed), R(3)});
  g_currentRoom->physicsWorld->Advance(30);
  EXPECT_NEAR(Call("physics_joint_get_value", {R(j), R(kJointMotorSpeed)}), 3.0, 1e-6);
  EXPECT_NE(Call("physics_joint_get_value", {R(j), R(kJointMotorTorque)}), 0.0);
  Call("physics_joint_delete", {R(j)});
  EXPECT_FALSE(Physics_JointExists(static_cast<int32_t>(j)));
  // Joints still alive when the room goes end with its world.
  EXPECT_GE(Call("physics_joint_distance_create", {R(-1), R(-2), R(0), R(0), R(0), R(50), R(1)}, a, b), 1);
  EXPECT_EQ(errors.Messages(),
            (Texts{"Unable to find instance: 3", "Unable to find instance: -2147483648",
                   "physics_joint_revolute_create: An instance does not have an associated physics representation"}));
}

TEST_F(PhysicsBuiltins, FixtureFlagsAreStrictAndARefusedPointSaysSo) {
  ErrorCapture errors;
  StartPhysicsRoom();
  MakeObject(0);
  CInstance* sleeper = Add(0, 0, 0);
  int32_t f = BoxFixture(10, 10, 1);
  Call("physics_fixture_set_awake", {R(f), R(0.5)});
  Call("physics_fixture_bind", {R(f), R(-1)}, sleeper);
  ASSERT_NE(sleeper->physicsObject, nullptr);
  EXPECT_FALSE(sleeper->physicsObject->Awake());
  int32_t p = static_cast<int32_t>(Call("physics_fixture_create", {}));
  Call("physics_fixture_set_polygon_shape", {R(p)});
  for (int32_t i = 0; i < 9; ++i) {
    double a = i * 2 * M_PI / 9;
    Call("physics_fixture_add_point", {R(p), R(20 * std::cos(a)), R(20 * std::sin(a))});
  }
  EXPECT_EQ(Physics_FindFixture(p)->pointCount, 8);
  EXPECT_EQ(errors.Messages(),
            Texts{"The fixture must be a polygon shape, convex, ordered clockwise and have no more than 8 points"});
}

TEST_F(PhysicsBuiltins, VariablesConvertBetweenPixelsAndMetres) {
  StartPhysicsRoom();
  g_currentRoom->speed = 30;
  CInstance* box = Body(0, 40, 60);
  EXPECT_NEAR(Get(box, "phy_mass"), 1.0, 1e-4);
  EXPECT_NEAR(Get(box, "phy_inertia"), 0.1667, 1e-4);
  EXPECT_TRUE(Set(box, "phy_position_x", 123.5));
  EXPECT_NEAR(Get(box, "phy_position_x"), 123.5, 1e-3);
  EXPECT_NEAR(Get(box, "phy_com_y"), 60, 1e-3);
  EXPECT_TRUE(Set(box, "phy_linear_velocity_y", 90));
  EXPECT_NEAR(Get(box, "phy_speed_y"), 3.0, 1e-4);
  EXPECT_TRUE(Set(box, "phy_speed_x", 2));
  EXPECT_NEAR(Get(box, "phy_linear_velocity_x"), 60, 1e-3);
  EXPECT_FALSE(Set(box, "phy_position_y", NAN));
  EXPECT_EQ(Get(box, "phy_collision_points"), 0);

  CInstance* wall = Body(1, 200, 200, 0.0);
  EXPECT_EQ(Get(wall, "phy_kinematic"), 0);
  EXPECT_TRUE(Set(wall, "phy_linear_velocity_x", 30));
  EXPECT_EQ(Get(wall, "phy_kinematic"), 1);
  CInstance* post = Body(2, 300, 300, 0.0);
  EXPECT_TRUE(Set(post, "phy_rotation", 30));
  PhysicsWorldStep(g_currentRoom, 30);
  EXPECT_NEAR(post->image_angle, -30.0, 1e-3);
  EXPECT_NEAR(Get(post, "phy_rotation"), 30.0, 1e-3);

  MakeObject(3);
  bool ok = true;
  Get(Add(3, 0, 0), "phy_mass", &ok);
  EXPECT_FALSE(ok);
}

}  // namespace

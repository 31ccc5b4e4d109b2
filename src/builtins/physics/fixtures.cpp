// The physics_fixture_* built-ins: the fixture list's records and binding
// them to instances.
#include "builtins/physics/handlers.h"
#include "builtins/physics/physics_args.h"
#include "physics/physics_fixture.h"
#include "physics/physics_world.h"
#include "script/variables/instance_selector.h"
#include "world/actions/world_actions_select.h"
#include "world/room/physics_binding.h"

namespace {

CPhysicsFixture* FixtureArg(const BuiltinArgs& a) {
  CPhysicsFixture* fixture = Physics_FindFixture(a.Int(0));
  if (fixture == nullptr) PhysicsArgs_Report(kPhysicsNoFixture);
  return fixture;
}

// Sets one field of the fixture named by the first argument.
template <typename Set>
void WithFixture(int32_t argc, ScriptValue* args, Set set) {
  BuiltinArgs a(argc, args);
  CPhysicsFixture* fixture = FixtureArg(a);
  if (fixture != nullptr) set(*fixture, a);
}

// As WithFixture, for the settings given in pixels.
template <typename Set>
void WithFixtureInWorld(int32_t argc, ScriptValue* args, Set set) {
  BuiltinArgs a(argc, args);
  CPhysicsFixture* fixture = FixtureArg(a);
  if (fixture == nullptr) return;
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world != nullptr) set(*fixture, a, *world);
}

}  // namespace

void F_PhysicsFixtureCreate(KV_BUILTIN_PARAMS) { Result_SetReal(result, Physics_CreateFixture()->id); }

void F_PhysicsFixtureSetKinematic(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs&) { f.kinematic = 1; });
}

void F_PhysicsFixtureSetAwake(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.awake = PhysicsArgs_Flag(a, 1); });
}

void F_PhysicsFixtureSetDensity(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.density = PhysicsArgs_F(a, 1); });
}

void F_PhysicsFixtureSetRestitution(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.restitution = PhysicsArgs_F(a, 1); });
}

void F_PhysicsFixtureSetFriction(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.friction = PhysicsArgs_F(a, 1); });
}

void F_PhysicsFixtureSetCollisionGroup(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.group = static_cast<int16_t>(a.Int(1)); });
}

void F_PhysicsFixtureSetSensor(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.sensor = PhysicsArgs_Flag(a, 1); });
}

void F_PhysicsFixtureSetLinearDamping(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.linearDamping = PhysicsArgs_F(a, 1); });
}

void F_PhysicsFixtureSetAngularDamping(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.angularDamping = PhysicsArgs_F(a, 1); });
}

void F_PhysicsFixtureSetCircleShape(KV_BUILTIN_PARAMS) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    f.SetCircle(PhysicsArgs_Scaled(a, 1, w));
  });
}

void F_PhysicsFixtureSetBoxShape(KV_BUILTIN_PARAMS) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    f.SetBox(PhysicsArgs_Scaled(a, 1, w), PhysicsArgs_Scaled(a, 2, w));
  });
}

void F_PhysicsFixtureSetPolygonShape(KV_BUILTIN_PARAMS) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs&) { f.SetPolygon(); });
}

void F_PhysicsFixtureAddPoint(KV_BUILTIN_PARAMS) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    if (!f.AddPoint(PhysicsArgs_Scaled(a, 1, w), PhysicsArgs_Scaled(a, 2, w))) {
      PhysicsArgs_Report(
          "The fixture must be a polygon shape, convex, ordered clockwise and have no more than 8 points");
    }
  });
}

// -1 the caller, an id that one instance, -3 every live instance and an
// object index its instances (marked ones skipped).
void F_PhysicsFixtureBind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CPhysicsFixture* fixture = FixtureArg(a);
  if (fixture == nullptr) return;
  CPhysicsWorld* world = g_currentRoom != nullptr ? g_currentRoom->physicsWorld : nullptr;
  if (world == nullptr) {
    return PhysicsArgs_Report("Cannot bind a fixture if no physics world exists for the current room");
  }
  int32_t target = a.Int(1);
  if (target == kInstanceSelf) {
    Physics_BindInstance(world, *fixture, self);
    return;
  }
  if (target >= kFirstInstanceId) {
    CInstance* instance = Instance_Find(target);
    if (instance == nullptr) return PhysicsArgs_Report("  is not valid.");
    Physics_BindInstance(world, *fixture, instance);
    return;
  }
  Select_Find(target, [&](CInstance* instance) {
    Physics_BindInstance(world, *fixture, instance);
    return false;
  });
}

void F_PhysicsFixtureDelete(KV_BUILTIN_PARAMS) { Physics_DeleteFixture(BuiltinArgs(argc, args).Int(0)); }

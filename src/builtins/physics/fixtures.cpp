// The physics_fixture_* built-ins: the fixture list's records and binding
// them to instances.
#include "builtins/physics/handlers.h"
#include "builtins/physics/physics_args.h"
#include "physics/physics_fixture.h"
#include "physics/physics_world.h"
#include "script/variables/instance_selector.h"
#include "world/actions/world_actions_select.h"
#include "world/physics/physics_binding.h"

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

KV_BUILTIN(F_PhysicsFixtureCreate) { Result_SetReal(result, Physics_CreateFixture()->id); }

KV_BUILTIN(F_PhysicsFixtureSetKinematic) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs&) { f.kinematic = 1; });
}

KV_BUILTIN(F_PhysicsFixtureSetAwake) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.awake = PhysicsArgs_Flag(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetDensity) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.density = PhysicsArgs_F(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetRestitution) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.restitution = PhysicsArgs_F(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetFriction) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.friction = PhysicsArgs_F(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetCollisionGroup) {
  WithFixture(argc, args,
              [](CPhysicsFixture& f, const BuiltinArgs& a) { f.group = static_cast<int16_t>(a.Int(1)); });
}

KV_BUILTIN(F_PhysicsFixtureSetSensor) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.sensor = PhysicsArgs_Flag(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetLinearDamping) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.linearDamping = PhysicsArgs_F(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetAngularDamping) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a) { f.angularDamping = PhysicsArgs_F(a, 1); });
}

KV_BUILTIN(F_PhysicsFixtureSetCircleShape) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    f.SetCircle(PhysicsArgs_Scaled(a, 1, w));
  });
}

KV_BUILTIN(F_PhysicsFixtureSetBoxShape) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    f.SetBox(PhysicsArgs_Scaled(a, 1, w), PhysicsArgs_Scaled(a, 2, w));
  });
}

KV_BUILTIN(F_PhysicsFixtureSetPolygonShape) {
  WithFixture(argc, args, [](CPhysicsFixture& f, const BuiltinArgs&) { f.SetPolygon(); });
}

KV_BUILTIN(F_PhysicsFixtureAddPoint) {
  WithFixtureInWorld(argc, args, [](CPhysicsFixture& f, const BuiltinArgs& a, const CPhysicsWorld& w) {
    if (!f.AddPoint(PhysicsArgs_Scaled(a, 1, w), PhysicsArgs_Scaled(a, 2, w))) {
      PhysicsArgs_Report(
          "The fixture must be a polygon shape, convex, ordered clockwise and have no more than 8 points");
    }
  });
}

// -1 the caller, an id that one instance, -3 every live instance and an
// object index its instances (marked ones skipped).
KV_BUILTIN(F_PhysicsFixtureBind) {
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

KV_BUILTIN(F_PhysicsFixtureDelete) { Physics_DeleteFixture(BuiltinArgs(argc, args).Int(0)); }

// The built-ins that act on the calling instance's body: mass, forces,
// impulses, torque, debug drawing and the overlap test.
#include "builtins/physics/handlers.h"
#include "builtins/physics/physics_args.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "script/variables/instance_selector.h"
#include "world/actions/world_actions_select.h"
#include "world/room/physics_step.h"

namespace {

using Push = void (CPhysicsObject::*)(float x, float y, float fx, float fy);

// (x, y, fx, fy): the point in pixels, the force or impulse as given.
void PushBody(CInstance* self, int32_t argc, ScriptValue* args, Push push) {
  CPhysicsObject* body = PhysicsArgs_Body(self);
  if (body == nullptr) return;
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world == nullptr) return;
  BuiltinArgs a(argc, args);
  (body->*push)(PhysicsArgs_Scaled(a, 0, *world), PhysicsArgs_Scaled(a, 1, *world), PhysicsArgs_F(a, 2),
                PhysicsArgs_F(a, 3));
}

bool Overlaps(CPhysicsObject* body, float x, float y, float angle, const CInstance* other) {
  return other->physicsObject != nullptr && Physics_TestOverlap(body, x, y, angle, other->physicsObject);
}

}  // namespace

void F_PhysicsMassProperties(KV_BUILTIN_PARAMS) {
  CPhysicsObject* body = PhysicsArgs_Body(self);
  if (body == nullptr) return;
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world == nullptr) return;
  BuiltinArgs a(argc, args);
  body->SetMassData(
      {PhysicsArgs_F(a, 0), PhysicsArgs_Scaled(a, 1, *world), PhysicsArgs_Scaled(a, 2, *world), PhysicsArgs_F(a, 3)});
}

void F_PhysicsApplyForce(KV_BUILTIN_PARAMS) { PushBody(self, argc, args, &CPhysicsObject::ApplyForce); }
void F_PhysicsApplyImpulse(KV_BUILTIN_PARAMS) { PushBody(self, argc, args, &CPhysicsObject::ApplyImpulse); }
void F_PhysicsApplyLocalForce(KV_BUILTIN_PARAMS) { PushBody(self, argc, args, &CPhysicsObject::ApplyLocalForce); }
void F_PhysicsApplyLocalImpulse(KV_BUILTIN_PARAMS) { PushBody(self, argc, args, &CPhysicsObject::ApplyLocalImpulse); }

void F_PhysicsApplyTorque(KV_BUILTIN_PARAMS) {
  CPhysicsObject* body = PhysicsArgs_Body(self);
  if (body != nullptr) body->ApplyTorque(PhysicsArgs_F(BuiltinArgs(argc, args), 0));
}

void F_PhysicsDrawDebug(KV_BUILTIN_PARAMS) {
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world != nullptr && self != nullptr && self->physicsObject != nullptr) {
    PhysicsWorld_DebugDrawBody(self->physicsObject);
  }
}

// 1 at the first instance the caller's body, placed at (x, y, angle),
// overlaps; -1 the caller, -3 every live instance, an id one instance and
// an object index its instances.
void F_PhysicsTestOverlap(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  CPhysicsObject* body = PhysicsArgs_Body(self);
  if (body == nullptr) return;
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world == nullptr) return;
  BuiltinArgs a(argc, args);
  float x = PhysicsArgs_Scaled(a, 0, *world);
  float y = PhysicsArgs_Scaled(a, 1, *world);
  float angle = PhysicsArgs_Radians(a, 2);
  int32_t target = a.Int(3);
  if (target == kInstanceSelf) target = self->id;
  if (target >= kFirstInstanceId) {
    CInstance* other = Instance_Find(target);
    if (other == nullptr) return PhysicsArgs_Report("physics_test_overlap:   is not valid.");
    Result_SetReal(result, Overlaps(body, x, y, angle, other) ? 1.0 : 0.0);
    return;
  }
  CInstance* hit = Select_Find(target, [&](CInstance* other) { return Overlaps(body, x, y, angle, other); });
  Result_SetReal(result, hit != nullptr ? 1.0 : 0.0);
}

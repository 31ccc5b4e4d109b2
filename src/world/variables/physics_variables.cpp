#include "world/variables/physics_variables.h"

#include <cstdint>

#include "physics/physics_checks.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "world/instance/instance.h"
#include "world/room/physics_step.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/variables/builtin_variables.h"
#include "world/variables/builtin_variables_support.h"

namespace {

using namespace builtin_variables;

constexpr float kPi = 3.1415927f;

// The positions in the registry's physics records.
enum PhysicsVariable : int32_t {
  kRotation,
  kPositionX,
  kPositionY,
  kAngularVelocity,
  kLinearVelocityX,
  kLinearVelocityY,
  kSpeedX,
  kSpeedY,
  kBullet,
  kFixedRotation,
  kActive,
  kMass,
  kInertia,
  kComX,
  kComY,
  kDynamic,
  kKinematic,
  kSleeping,
  kCollisionPoints,
  kCollisionX,
  kCollisionY,
  kNormalX,
  kNormalY,
};

const CPhysicsWorld* RoomWorld() { return g_currentRoom != nullptr ? g_currentRoom->physicsWorld : nullptr; }

float RoomSpeed() { return static_cast<float>(g_currentRoom->speed); }

bool Flag(ScriptValue* out, bool on) { return Real(out, on ? 1.0 : 0.0); }

// Contact point or normal k of the contact being dispatched; 0 outside one.
bool ContactValue(const CPhysicsWorld* world, int32_t id, int32_t variable, int32_t k, ScriptValue* out) {
  float x = 0.0f, y = 0.0f;
  bool point = variable == kCollisionX || variable == kCollisionY;
  bool found =
      point ? PhysicsWorld_CollisionPoint(world, id, k, &x, &y) : PhysicsWorld_CollisionNormal(world, id, k, &x, &y);
  if (!found) return Real(out, 0.0);
  return Real(out, variable == kCollisionX || variable == kNormalX ? x : y);
}

// The variables that need no world.
bool GetBodyValue(const CPhysicsObject& body, int32_t variable, ScriptValue* out) {
  switch (variable) {
    case kRotation: return Real(out, body.Angle() * 180.0f / kPi);
    case kAngularVelocity: return Real(out, body.AngularVelocity() * 180.0f / kPi);
    case kBullet: return Flag(out, body.Bullet());
    case kFixedRotation: return Flag(out, body.FixedRotation());
    case kActive: return Flag(out, body.Active());
    case kMass: return Real(out, body.MassData().mass);
    // The library's inertia is already about the body's origin.
    case kInertia: return Real(out, body.MassData().inertia);
    case kDynamic: return Flag(out, body.Kind() == PhysicsBodyKind::kDynamic);
    case kKinematic: return Flag(out, body.Kind() == PhysicsBodyKind::kKinematic);
    case kSleeping: return Flag(out, !body.Awake());
    default: return false;
  }
}

}  // namespace

bool PhysicsVariables_Get(CInstance* instance, int32_t variable, int32_t k, ScriptValue* out) {
  const CPhysicsObject& body = *instance->physicsObject;
  if (GetBodyValue(body, variable, out)) return true;
  const CPhysicsWorld* world = RoomWorld();
  if (world == nullptr) return false;
  float scale = world->scale;
  switch (variable) {
    case kPositionX: return Real(out, body.X() / scale);
    case kPositionY: return Real(out, body.Y() / scale);
    case kLinearVelocityX: return Real(out, body.LinearVelocityX() / scale);
    case kLinearVelocityY: return Real(out, body.LinearVelocityY() / scale);
    case kSpeedX: return Real(out, body.LinearVelocityX() / scale / RoomSpeed());
    case kSpeedY: return Real(out, body.LinearVelocityY() / scale / RoomSpeed());
    case kComX: return Real(out, body.CentreX() / scale);
    case kComY: return Real(out, body.CentreY() / scale);
    case kCollisionPoints: return Real(out, PhysicsWorld_CollisionPointCount(world, instance->id));
    default: return ContactValue(world, instance->id, variable, k, out);
  }
}

namespace {

// Writes the library would refuse fail like writes without a body; the
// module still reports them.
bool Usable(float v) { return Physics_AllUsable({v}); }

bool SetFlag(CPhysicsObject& body, int32_t variable, bool on) {
  if (variable == kBullet) body.SetBullet(on);
  if (variable == kFixedRotation) body.SetFixedRotation(on);
  if (variable == kActive) body.SetActive(on);
  return true;
}

bool SetInWorld(CPhysicsObject& body, int32_t variable, float v, float scale) {
  switch (variable) {
    case kPositionX: body.SetPosition(v * scale, body.Y()); return Usable(v * scale);
    case kPositionY: body.SetPosition(body.X(), v * scale); return Usable(v * scale);
    case kLinearVelocityX: body.SetLinearVelocity(v * scale, body.LinearVelocityY()); return Usable(v * scale);
    case kLinearVelocityY: body.SetLinearVelocity(body.LinearVelocityX(), v * scale); return Usable(v * scale);
    case kSpeedX: {
      float speed = v * scale * RoomSpeed();
      body.SetLinearVelocity(speed, body.LinearVelocityY());
      return Usable(speed);
    }
    case kSpeedY: {
      float speed = v * scale * RoomSpeed();
      body.SetLinearVelocity(body.LinearVelocityX(), speed);
      return Usable(speed);
    }
    default: return false;
  }
}

}  // namespace

bool PhysicsVariables_Set(CInstance* instance, int32_t variable, int32_t, const ScriptValue& value) {
  CPhysicsObject& body = *instance->physicsObject;
  float v = FloatOf(value);
  switch (variable) {
    case kRotation: body.SetRotationDegrees(v); return Usable(v);
    case kAngularVelocity:
      if (body.Kind() != PhysicsBodyKind::kStatic) body.SetAngularVelocityDegrees(v);
      return Usable(v);
    case kBullet:
    case kFixedRotation:
    case kActive: return SetFlag(body, variable, value.real > 0.5);
    default: break;
  }
  const CPhysicsWorld* world = RoomWorld();
  return world != nullptr && SetInWorld(body, variable, v, world->scale);
}

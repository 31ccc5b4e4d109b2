// The physics_joint_* built-ins. A create names its two instances as -1 the
// caller, -2 the other instance, an id, or an object index for that
// object's first live instance; it answers the joint's id or -1.
#include <string>

#include "builtins/physics/handlers.h"
#include "builtins/physics/physics_args.h"
#include "physics/physics_joint.h"
#include "physics/physics_world.h"
#include "script/variables/instance_selector.h"
#include "world/actions/world_actions_select.h"

namespace {

CInstance* FindJointInstance(int32_t value, CInstance* self, CInstance* other) {
  if (value == kInstanceSelf) return self;
  if (value == kInstanceOther) return other;
  if (value >= kFirstInstanceId) return Instance_Find(value);
  if (value < 0) return nullptr;
  return Select_Find(value, [](CInstance*) { return true; });
}

// The two bodies and the world whose scale converts the arguments; false
// (reported) when one is missing.
struct JointEnds {
  CPhysicsObject* a = nullptr;
  CPhysicsObject* b = nullptr;
  CPhysicsWorld* world = nullptr;
};

bool FindEnds(const char* name, const BuiltinArgs& args, CInstance* self, CInstance* other, JointEnds* ends) {
  CInstance* first = nullptr;
  CInstance* second = nullptr;
  for (int32_t i = 0; i < 2; ++i) {
    CInstance* found = FindJointInstance(args.Int(i), self, other);
    if (found == nullptr) {
      PhysicsArgs_Report(("Unable to find instance: " + std::to_string(args.Int(i))).c_str());
      return false;
    }
    (i == 0 ? first : second) = found;
  }
  ends->world = g_currentRoom != nullptr ? g_currentRoom->physicsWorld : nullptr;
  ends->a = first->physicsObject;
  ends->b = second->physicsObject;
  if (ends->world == nullptr) {
    PhysicsArgs_Report(kPhysicsNoWorld);
    return false;
  }
  if (ends->a == nullptr || ends->b == nullptr) {
    std::string line = std::string(name) + ": An instance does not have an associated physics representation";
    PhysicsArgs_Report(line.c_str());
    return false;
  }
  return true;
}

PhysicsPoint ScaledPoint(const BuiltinArgs& a, int32_t i, const CPhysicsWorld& world) {
  return {PhysicsArgs_Scaled(a, i, world), PhysicsArgs_Scaled(a, i + 1, world)};
}

// Reads (lower, upper, limit flag, maximum motor, motor speed, motor flag)
// from argument i; the limits are given in the world's units by `limit`.
template <typename Limit>
PhysicsLimitMotor LimitsAndMotor(const BuiltinArgs& a, int32_t i, Limit limit) {
  PhysicsLimitMotor out;
  out.lower = limit(i);
  out.upper = limit(i + 1);
  out.enableLimit = PhysicsArgs_JointFlag(a, i + 2);
  out.maxMotor = PhysicsArgs_F(a, i + 3);
  out.motorSpeed = PhysicsArgs_F(a, i + 4);
  out.enableMotor = PhysicsArgs_JointFlag(a, i + 5);
  return out;
}

bool JointExists(int32_t id) {
  if (Physics_JointExists(id)) return true;
  PhysicsArgs_Report(kPhysicsNoJoint);
  return false;
}

}  // namespace

void F_PhysicsJointDistanceCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  BuiltinArgs a(argc, args);
  JointEnds e;
  if (!FindEnds("physics_joint_distance_create", a, self, other, &e)) return;
  Result_SetReal(result, Physics_CreateDistanceJoint(e.a, e.b, ScaledPoint(a, 2, *e.world), ScaledPoint(a, 4, *e.world),
                                                     PhysicsArgs_JointFlag(a, 6)));
}

void F_PhysicsJointRevoluteCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  BuiltinArgs a(argc, args);
  JointEnds e;
  if (!FindEnds("physics_joint_revolute_create", a, self, other, &e)) return;
  PhysicsLimitMotor limits = LimitsAndMotor(a, 4, [&](int32_t i) { return PhysicsArgs_Radians(a, i); });
  Result_SetReal(
      result, Physics_CreateRevoluteJoint(e.a, e.b, ScaledPoint(a, 2, *e.world), limits, PhysicsArgs_JointFlag(a, 10)));
}

void F_PhysicsJointPrismaticCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  BuiltinArgs a(argc, args);
  JointEnds e;
  if (!FindEnds("physics_joint_prismatic_create", a, self, other, &e)) return;
  PhysicsLimitMotor limits = LimitsAndMotor(a, 6, [&](int32_t i) { return PhysicsArgs_Scaled(a, i, *e.world); });
  PhysicsPoint axis{PhysicsArgs_F(a, 4), PhysicsArgs_F(a, 5)};
  Result_SetReal(result, Physics_CreatePrismaticJoint(e.a, e.b, ScaledPoint(a, 2, *e.world), axis, limits,
                                                      PhysicsArgs_JointFlag(a, 12)));
}

void F_PhysicsJointPulleyCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  BuiltinArgs a(argc, args);
  JointEnds e;
  if (!FindEnds("physics_joint_pulley_create", a, self, other, &e)) return;
  const CPhysicsWorld& w = *e.world;
  Result_SetReal(result,
                 Physics_CreatePulleyJoint(e.a, e.b, ScaledPoint(a, 2, w), ScaledPoint(a, 4, w), ScaledPoint(a, 6, w),
                                           ScaledPoint(a, 8, w), PhysicsArgs_F(a, 10), PhysicsArgs_Scaled(a, 11, w),
                                           PhysicsArgs_Scaled(a, 12, w), PhysicsArgs_JointFlag(a, 13)));
}

void F_PhysicsJointGearCreate(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, -1.0);
  BuiltinArgs a(argc, args);
  JointEnds e;
  if (!FindEnds("physics_joint_gear_create", a, self, other, &e)) return;
  Result_SetReal(result, Physics_CreateGearJoint(e.a, e.b, a.Int(2), a.Int(3), PhysicsArgs_F(a, 4)));
}

void F_PhysicsJointEnableMotor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (JointExists(a.Int(0))) Physics_JointEnableMotor(a.Int(0), PhysicsArgs_JointFlag(a, 1));
}

// The value as the joint holds it, in metres and radians.
void F_PhysicsJointGetValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (JointExists(a.Int(0))) Result_SetReal(result, Physics_JointGetValue(a.Int(0), a.Int(1)));
}

void F_PhysicsJointSetValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (JointExists(a.Int(0))) Physics_JointSetValue(a.Int(0), a.Int(1), a.Real(2));
}

// Without a current room there is no world to ask: nothing happens.
void F_PhysicsJointDelete(KV_BUILTIN_PARAMS) {
  if (g_currentRoom == nullptr) return;
  if (PhysicsArgs_World() != nullptr) Physics_DeleteJoint(BuiltinArgs(argc, args).Int(0));
}

#include "builtins/physics/physics_args.h"

#include "physics/physics_world.h"
#include "script/events/error_report.h"
#include "world/instance/instance.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

void PhysicsArgs_Report(const char* message) { Error_Show(message, false); }

CPhysicsWorld* PhysicsArgs_World() {
  CPhysicsWorld* world = g_currentRoom != nullptr ? g_currentRoom->physicsWorld : nullptr;
  if (world == nullptr) PhysicsArgs_Report(kPhysicsNoWorld);
  return world;
}

CPhysicsObject* PhysicsArgs_Body(CInstance* self) {
  CPhysicsObject* body = self != nullptr ? self->physicsObject : nullptr;
  if (body == nullptr) PhysicsArgs_Report(kPhysicsNoBody);
  return body;
}

float PhysicsArgs_F(const BuiltinArgs& a, int32_t i) { return static_cast<float>(a.Real(i)); }

float PhysicsArgs_Scaled(const BuiltinArgs& a, int32_t i, const CPhysicsWorld& world) {
  return PhysicsArgs_F(a, i) * world.scale;
}

float PhysicsArgs_Radians(const BuiltinArgs& a, int32_t i) {
  return static_cast<float>(a.Real(i) * (3.1415927410125732 / 180.0));
}

bool PhysicsArgs_Flag(const BuiltinArgs& a, int32_t i) { return a.Real(i) > 0.5; }

bool PhysicsArgs_JointFlag(const BuiltinArgs& a, int32_t i) { return a.Int(i) > 0; }

// The physics_world_* built-ins and physics_pause_enable.
#include <cmath>

#include "builtins/physics/handlers.h"
#include "builtins/physics/physics_args.h"
#include "physics/physics_world.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

// A room that already has a world keeps it and only takes the new scale and
// the room's speed; a plain room becomes a physics room from the next step.
void F_PhysicsWorldCreate(KV_BUILTIN_PARAMS) {
  if (g_currentRoom == nullptr) return PhysicsArgs_Report(kPhysicsNoRoom);
  float scale = PhysicsArgs_F(BuiltinArgs(argc, args), 0);
  // Every position written back to an instance is divided by the scale.
  if (!(std::isfinite(scale) && scale > 0.0f)) {
    return PhysicsArgs_Report("physics_world_create: the scale must be above 0");
  }
  CRoom* room = g_currentRoom;
  if (room->physicsWorld == nullptr) {
    room->physicsWorld = new CPhysicsWorld(scale, room->speed);
    return;
  }
  room->physicsWorld->scale = scale;
  room->physicsWorld->updateSpeed = room->speed;
}

void F_PhysicsWorldGravity(KV_BUILTIN_PARAMS) {
  if (g_currentRoom == nullptr) return PhysicsArgs_Report(kPhysicsNoRoom);
  CPhysicsWorld* world = PhysicsArgs_World();
  BuiltinArgs a(argc, args);
  if (world != nullptr) world->SetGravity(PhysicsArgs_F(a, 0), PhysicsArgs_F(a, 1));
}

void F_PhysicsWorldUpdateSpeed(KV_BUILTIN_PARAMS) {
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world != nullptr) world->updateSpeed = BuiltinArgs(argc, args).Int(0);
}

void F_PhysicsWorldUpdateIterations(KV_BUILTIN_PARAMS) {
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world != nullptr) world->iterations = BuiltinArgs(argc, args).Int(0);
}

void F_PhysicsWorldDrawDebug(KV_BUILTIN_PARAMS) {
  CPhysicsWorld* world = PhysicsArgs_World();
  if (world != nullptr) world->debugFlags = BuiltinArgs(argc, args).TruncInt(0);
}

void F_PhysicsPauseEnable(KV_BUILTIN_PARAMS) {
  CPhysicsWorld* world = g_currentRoom != nullptr ? g_currentRoom->physicsWorld : nullptr;
  if (world == nullptr) {
    return PhysicsArgs_Report("physics_pause_enable() The current room does not have a physics world representation");
  }
  world->paused = PhysicsArgs_Flag(BuiltinArgs(argc, args), 0);
}

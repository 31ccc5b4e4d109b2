// The joint records shared by the creators and the value access.
#pragma once

#include <box2d/box2d.h>

#include "physics/physics_world.h"

struct PhysicsJointRecord {
  int32_t id = 0;
  b2Joint* joint = nullptr;
  CPhysicsWorld* world = nullptr;
  // A distance joint's spring: frequency 0 keeps it rigid.
  float frequency = 0.0f;
  float dampingRatio = 0.0f;
  // Set by the first step of the world after the joint was made: the
  // engine works out a joint's reaction only when it solves it.
  bool stepped = false;
};

PhysicsJointRecord* Physics_FindJointRecord(int32_t id);
// The inverse of the world's last sub-step, for motor and reaction values.
float Physics_InverseStep(const CPhysicsWorld* world);
// A distance joint's limits after a change of length or spring.
void Physics_ApplySpring(PhysicsJointRecord& record);

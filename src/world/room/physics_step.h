// The room's physics world in the step: paths move the bodies that follow
// them, the world steps, bodies are written back to their instances and
// the step's contacts run collision events. Also the contact queries of
// those events by instance id, and debug drawing through the drawing core.
#pragma once

#include <cstdint>

class CPhysicsObject;
class CPhysicsWorld;
class CRoom;

void PhysicsWorldStep(CRoom* room, int32_t roomSpeed);

// Valid only while a contact runs its events and the id is one of its two
// instances; points in pixels, normals of unit length.
bool PhysicsWorld_CollisionPoint(const CPhysicsWorld* world, int32_t instanceId, int32_t n, float* x, float* y);
bool PhysicsWorld_CollisionNormal(const CPhysicsWorld* world, int32_t instanceId, int32_t n, float* x, float* y);
int32_t PhysicsWorld_CollisionPointCount(const CPhysicsWorld* world, int32_t instanceId);

void PhysicsWorld_DebugDraw(CPhysicsWorld* world, int32_t flags);
// The shapes of one body, through its own world.
void PhysicsWorld_DebugDrawBody(const CPhysicsObject* body);

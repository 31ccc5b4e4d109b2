// The physics family's handlers: they find the current room's world, the
// fixture, joint or instances named, convert pixels and degrees into the
// world's metres and radians, report what is missing and call the physics
// module, which checks every number itself.
#pragma once

#include "builtins/builtin_args.h"

// World.
void F_PhysicsWorldCreate(KV_BUILTIN_PARAMS);
void F_PhysicsWorldGravity(KV_BUILTIN_PARAMS);
void F_PhysicsWorldUpdateSpeed(KV_BUILTIN_PARAMS);
void F_PhysicsWorldUpdateIterations(KV_BUILTIN_PARAMS);
void F_PhysicsWorldDrawDebug(KV_BUILTIN_PARAMS);
void F_PhysicsPauseEnable(KV_BUILTIN_PARAMS);

// Fixtures.
void F_PhysicsFixtureCreate(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetKinematic(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetAwake(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetDensity(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetRestitution(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetFriction(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetCollisionGroup(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetSensor(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetLinearDamping(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetAngularDamping(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetCircleShape(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetBoxShape(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureSetPolygonShape(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureAddPoint(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureBind(KV_BUILTIN_PARAMS);
void F_PhysicsFixtureDelete(KV_BUILTIN_PARAMS);

// The calling instance's body.
void F_PhysicsMassProperties(KV_BUILTIN_PARAMS);
void F_PhysicsApplyForce(KV_BUILTIN_PARAMS);
void F_PhysicsApplyImpulse(KV_BUILTIN_PARAMS);
void F_PhysicsApplyLocalForce(KV_BUILTIN_PARAMS);
void F_PhysicsApplyLocalImpulse(KV_BUILTIN_PARAMS);
void F_PhysicsApplyTorque(KV_BUILTIN_PARAMS);
void F_PhysicsDrawDebug(KV_BUILTIN_PARAMS);
void F_PhysicsTestOverlap(KV_BUILTIN_PARAMS);

// Joints.
void F_PhysicsJointDistanceCreate(KV_BUILTIN_PARAMS);
void F_PhysicsJointRevoluteCreate(KV_BUILTIN_PARAMS);
void F_PhysicsJointPrismaticCreate(KV_BUILTIN_PARAMS);
void F_PhysicsJointPulleyCreate(KV_BUILTIN_PARAMS);
void F_PhysicsJointGearCreate(KV_BUILTIN_PARAMS);
void F_PhysicsJointEnableMotor(KV_BUILTIN_PARAMS);
void F_PhysicsJointGetValue(KV_BUILTIN_PARAMS);
void F_PhysicsJointSetValue(KV_BUILTIN_PARAMS);
void F_PhysicsJointDelete(KV_BUILTIN_PARAMS);

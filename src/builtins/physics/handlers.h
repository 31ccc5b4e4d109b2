// The physics family's handlers: they find the current room's world, the
// fixture, joint or instances named, convert pixels and degrees into the
// world's metres and radians, report what is missing and call the physics
// module, which checks every number itself.
#pragma once

#include "builtins/builtin_args.h"

// World.
KV_BUILTIN(F_PhysicsWorldCreate);
KV_BUILTIN(F_PhysicsWorldGravity);
KV_BUILTIN(F_PhysicsWorldUpdateSpeed);
KV_BUILTIN(F_PhysicsWorldUpdateIterations);
KV_BUILTIN(F_PhysicsWorldDrawDebug);
KV_BUILTIN(F_PhysicsPauseEnable);

// Fixtures.
KV_BUILTIN(F_PhysicsFixtureCreate);
KV_BUILTIN(F_PhysicsFixtureSetKinematic);
KV_BUILTIN(F_PhysicsFixtureSetAwake);
KV_BUILTIN(F_PhysicsFixtureSetDensity);
KV_BUILTIN(F_PhysicsFixtureSetRestitution);
KV_BUILTIN(F_PhysicsFixtureSetFriction);
KV_BUILTIN(F_PhysicsFixtureSetCollisionGroup);
KV_BUILTIN(F_PhysicsFixtureSetSensor);
KV_BUILTIN(F_PhysicsFixtureSetLinearDamping);
KV_BUILTIN(F_PhysicsFixtureSetAngularDamping);
KV_BUILTIN(F_PhysicsFixtureSetCircleShape);
KV_BUILTIN(F_PhysicsFixtureSetBoxShape);
KV_BUILTIN(F_PhysicsFixtureSetPolygonShape);
KV_BUILTIN(F_PhysicsFixtureAddPoint);
KV_BUILTIN(F_PhysicsFixtureBind);
KV_BUILTIN(F_PhysicsFixtureDelete);

// The calling instance's body.
KV_BUILTIN(F_PhysicsMassProperties);
KV_BUILTIN(F_PhysicsApplyForce);
KV_BUILTIN(F_PhysicsApplyImpulse);
KV_BUILTIN(F_PhysicsApplyLocalForce);
KV_BUILTIN(F_PhysicsApplyLocalImpulse);
KV_BUILTIN(F_PhysicsApplyTorque);
KV_BUILTIN(F_PhysicsDrawDebug);
KV_BUILTIN(F_PhysicsTestOverlap);

// Joints.
KV_BUILTIN(F_PhysicsJointDistanceCreate);
KV_BUILTIN(F_PhysicsJointRevoluteCreate);
KV_BUILTIN(F_PhysicsJointPrismaticCreate);
KV_BUILTIN(F_PhysicsJointPulleyCreate);
KV_BUILTIN(F_PhysicsJointGearCreate);
KV_BUILTIN(F_PhysicsJointEnableMotor);
KV_BUILTIN(F_PhysicsJointGetValue);
KV_BUILTIN(F_PhysicsJointSetValue);
KV_BUILTIN(F_PhysicsJointDelete);

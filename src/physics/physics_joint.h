// Joints between two bodies, reached by id (from 1, never reused). Values
// are metres and radians as given. Creators answer -1 when refused. A
// joint's record goes when the joint goes, whichever way: deleted by id,
// with one of its bodies, or with its world.
#pragma once

#include <cstdint>

class CPhysicsObject;

enum PhysicsJointValue : int32_t {
  kJointAnchor1X,
  kJointAnchor1Y,
  kJointAnchor2X,
  kJointAnchor2Y,
  kJointReactionForceX,
  kJointReactionForceY,
  kJointReactionTorque,
  kJointMotorSpeed,
  kJointAngle,
  kJointMotorTorque,
  kJointMaxMotorTorque,
  kJointTranslation,
  kJointSpeed,
  kJointMotorForce,
  kJointMaxMotorForce,
  kJointLength1,
  kJointLength2,
  kJointDampingRatio,
  kJointFrequency,
};

struct PhysicsPoint {
  float x = 0.0f, y = 0.0f;
};

struct PhysicsLimitMotor {
  float lower = 0.0f, upper = 0.0f;
  bool enableLimit = false;
  float maxMotor = 0.0f;  // torque (revolute) or force (prismatic)
  float motorSpeed = 0.0f;
  bool enableMotor = false;
};

int32_t Physics_CreateDistanceJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchorA, PhysicsPoint anchorB,
                                    bool collide);
int32_t Physics_CreateRevoluteJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchor,
                                    const PhysicsLimitMotor& limits, bool collide);
int32_t Physics_CreatePrismaticJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchor, PhysicsPoint axis,
                                     const PhysicsLimitMotor& limits, bool collide);
// The maximum lengths are accepted and not used.
int32_t Physics_CreatePulleyJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint groundA, PhysicsPoint groundB,
                                  PhysicsPoint anchorA, PhysicsPoint anchorB, float ratio, float maxLengthA,
                                  float maxLengthB, bool collide);
// Both joints revolute or prismatic, and of the bodies' world.
int32_t Physics_CreateGearJoint(CPhysicsObject* a, CPhysicsObject* b, int32_t joint1, int32_t joint2, float ratio);

bool Physics_JointExists(int32_t id);
// Deletes the gears built on the joint first; silent when unknown.
void Physics_DeleteJoint(int32_t id);
void Physics_JointEnableMotor(int32_t id, bool on);
// 0 for an unknown id or a value the joint's kind does not have.
double Physics_JointGetValue(int32_t id, int32_t value);
void Physics_JointSetValue(int32_t id, int32_t value, double v);
int32_t Physics_JointCount();

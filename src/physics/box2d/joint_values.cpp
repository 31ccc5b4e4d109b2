// Reading and changing joints by id: motors, limits and springs.
#include <cfloat>

#include "physics/box2d/box2d_world.h"
#include "physics/box2d/joint_records.h"
#include "physics/physics_checks.h"
#include "physics/physics_joint.h"

namespace {

double RevoluteValue(const b2RevoluteJoint* j, int32_t value, float inverseStep) {
  switch (value) {
    case kJointMotorSpeed: return j->GetMotorSpeed();
    case kJointAngle: return j->GetJointAngle();
    case kJointMotorTorque: return j->GetMotorTorque(inverseStep);
    case kJointMaxMotorTorque: return j->GetMaxMotorTorque();
    default: return 0.0;
  }
}

double PrismaticValue(const b2PrismaticJoint* j, int32_t value, float inverseStep) {
  switch (value) {
    case kJointMotorSpeed: return j->GetMotorSpeed();
    case kJointTranslation: return j->GetJointTranslation();
    case kJointSpeed: return j->GetJointSpeed();
    case kJointMotorForce: return j->GetMotorForce(inverseStep);
    case kJointMaxMotorForce: return j->GetMaxMotorForce();
    default: return 0.0;
  }
}

double KindValue(b2Joint* joint, int32_t value, float inverseStep) {
  switch (joint->GetType()) {
    case e_revoluteJoint: return RevoluteValue(static_cast<b2RevoluteJoint*>(joint), value, inverseStep);
    case e_prismaticJoint: return PrismaticValue(static_cast<b2PrismaticJoint*>(joint), value, inverseStep);
    case e_distanceJoint: return value == kJointLength1 ? static_cast<b2DistanceJoint*>(joint)->GetLength() : 0.0;
    case e_pulleyJoint: {
      auto* pulley = static_cast<b2PulleyJoint*>(joint);
      if (value == kJointLength1) return pulley->GetCurrentLengthA();
      return value == kJointLength2 ? pulley->GetCurrentLengthB() : 0.0;
    }
    default: return 0.0;
  }
}

void SetDistanceValue(PhysicsJointRecord& record, int32_t value, float v) {
  auto* distance = static_cast<b2DistanceJoint*>(record.joint);
  if (value == kJointLength1) {
    distance->SetLength(v);
  } else if (value == kJointDampingRatio) {
    if (v < 0.0f) return void(Physics_Refuse("dampingRatio >= 0.0f"));
    record.dampingRatio = v;
  } else if (value == kJointFrequency) {
    record.frequency = v;
  } else {
    return;
  }
  Physics_ApplySpring(record);
}

}  // namespace

float Physics_InverseStep(const CPhysicsWorld* world) { return world->Inner().lastInverseStep; }

void Physics_ApplySpring(PhysicsJointRecord& record) {
  auto* distance = static_cast<b2DistanceJoint*>(record.joint);
  float length = distance->GetLength();
  distance->SetMaxLength(FLT_MAX);
  if (record.frequency > 0.0f) {
    distance->SetMinLength(0.0f);
    return;  // the spring's stiffness is set before every step
  }
  distance->SetStiffness(0.0f);
  distance->SetDamping(0.0f);
  distance->SetMinLength(length);
  distance->SetMaxLength(length);
}

void Physics_JointEnableMotor(int32_t id, bool on) {
  PhysicsJointRecord* record = Physics_FindJointRecord(id);
  if (record == nullptr) return;
  b2Joint* joint = record->joint;
  joint->GetBodyA()->SetAwake(true);
  joint->GetBodyB()->SetAwake(true);
  if (joint->GetType() == e_revoluteJoint) static_cast<b2RevoluteJoint*>(joint)->EnableMotor(on);
  if (joint->GetType() == e_prismaticJoint) static_cast<b2PrismaticJoint*>(joint)->EnableMotor(on);
}

double Physics_JointGetValue(int32_t id, int32_t value) {
  PhysicsJointRecord* record = Physics_FindJointRecord(id);
  if (record == nullptr) return 0.0;
  b2Joint* joint = record->joint;
  float inverseStep = Physics_InverseStep(record->world);
  switch (value) {
    case kJointAnchor1X: return joint->GetAnchorA().x;
    case kJointAnchor1Y: return joint->GetAnchorA().y;
    case kJointAnchor2X: return joint->GetAnchorB().x;
    case kJointAnchor2Y: return joint->GetAnchorB().y;
    // Before its first step a joint has no reaction: the engine's solver
    // state for it is not set yet.
    case kJointReactionForceX: return record->stepped ? joint->GetReactionForce(inverseStep).x : 0.0;
    case kJointReactionForceY: return record->stepped ? joint->GetReactionForce(inverseStep).y : 0.0;
    case kJointReactionTorque: return record->stepped ? joint->GetReactionTorque(inverseStep) : 0.0;
    default: return KindValue(joint, value, inverseStep);
  }
}

void Physics_JointSetValue(int32_t id, int32_t value, double v) {
  PhysicsJointRecord* record = Physics_FindJointRecord(id);
  if (record == nullptr) return;
  if (!Physics_AllUsable({v})) return void(Physics_Refuse("b2IsValid(value)"));
  float f = static_cast<float>(v);
  b2Joint* joint = record->joint;
  switch (joint->GetType()) {
    case e_revoluteJoint: {
      auto* revolute = static_cast<b2RevoluteJoint*>(joint);
      if (value == kJointMotorSpeed) revolute->SetMotorSpeed(f);
      if (value == kJointMaxMotorTorque) revolute->SetMaxMotorTorque(f);
      break;
    }
    case e_prismaticJoint: {
      auto* prismatic = static_cast<b2PrismaticJoint*>(joint);
      if (value == kJointMotorSpeed) prismatic->SetMotorSpeed(f);
      if (value == kJointMaxMotorForce) prismatic->SetMaxMotorForce(f);
      break;
    }
    case e_distanceJoint: SetDistanceValue(*record, value, f); break;
    default: break;
  }
}

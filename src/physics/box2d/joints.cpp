// Joint creation and deletion. Records follow their joints out: deleted by
// id, with a body (through the destruction listener) or with the world;
// gears go before the joints they are built on.
#include <algorithm>
#include <vector>

#include "physics/box2d/box2d_world.h"
#include "physics/box2d/joint_records.h"
#include "physics/physics_checks.h"
#include "physics/physics_fixture.h"
#include "physics/physics_joint.h"

namespace {

std::vector<PhysicsJointRecord> g_joints;

bool BodiesAcceptable(const CPhysicsObject* a, const CPhysicsObject* b) {
  if (a == nullptr || b == nullptr) return false;
  if (a == b) return Physics_Refuse("def->bodyA != def->bodyB");
  if (a->World() != b->World()) return Physics_Refuse("bodyA->GetWorld() == bodyB->GetWorld()");
  return true;
}

int32_t Create(CPhysicsObject* a, CPhysicsObject* b, b2JointDef& def, bool collide) {
  BodyOf(a)->SetAwake(true);
  BodyOf(b)->SetAwake(true);
  def.collideConnected = collide;
  PhysicsJointRecord record;
  record.id = Physics_NewJointId();
  record.world = a->World();
  record.joint = a->World()->Inner().world.CreateJoint(&def);
  g_joints.push_back(record);
  return record.id;
}

// Revolute and prismatic joints: limits and motor under their own names.
template <typename Def>
int32_t CreateLimited(CPhysicsObject* a, CPhysicsObject* b, Def& def, float Def::*lower, float Def::*upper,
                      float Def::*maxMotor, const PhysicsLimitMotor& limits, bool collide) {
  def.*lower = limits.lower;
  def.*upper = limits.upper;
  def.enableLimit = limits.enableLimit;
  def.*maxMotor = limits.maxMotor;
  def.motorSpeed = limits.motorSpeed;
  def.enableMotor = limits.enableMotor;
  return Create(a, b, def, collide);
}

b2Vec2 Vec(PhysicsPoint p) { return b2Vec2(p.x, p.y); }

bool Finite(std::initializer_list<double> values) {
  return Physics_AllUsable(values) || Physics_Refuse("b2IsValid(value)");
}

bool LimitsAcceptable(const PhysicsLimitMotor& l) {
  if (!Finite({l.lower, l.upper, l.maxMotor, l.motorSpeed})) return false;
  return l.lower <= l.upper || Physics_Refuse("lower <= upper");
}

void Erase(b2Joint* joint) {
  g_joints.erase(std::remove_if(g_joints.begin(), g_joints.end(),
                                [joint](const PhysicsJointRecord& r) { return r.joint == joint; }),
                 g_joints.end());
}

bool BuiltOn(b2Joint* gear, const b2Joint* joint) {
  if (gear->GetType() != e_gearJoint) return false;
  auto* g = static_cast<b2GearJoint*>(gear);
  return g->GetJoint1() == joint || g->GetJoint2() == joint;
}

void DestroyWithGears(b2Joint* joint, CPhysicsWorld* world) {
  std::vector<b2Joint*> gears;
  for (const PhysicsJointRecord& r : g_joints) {
    if (r.world == world && BuiltOn(r.joint, joint)) gears.push_back(r.joint);
  }
  for (b2Joint* gear : gears) {
    Erase(gear);
    world->Inner().world.DestroyJoint(gear);
  }
  Erase(joint);
  world->Inner().world.DestroyJoint(joint);
}

}  // namespace

PhysicsJointRecord* Physics_FindJointRecord(int32_t id) {
  for (PhysicsJointRecord& r : g_joints) {
    if (r.id == id) return &r;
  }
  return nullptr;
}

void JointGoodbye::SayGoodbye(b2Joint* joint) { Erase(joint); }

void Physics_DropWorldJoints(b2World* world) {
  g_joints.erase(std::remove_if(g_joints.begin(), g_joints.end(),
                                [world](const PhysicsJointRecord& r) { return &r.world->Inner().world == world; }),
                 g_joints.end());
}

void Physics_DeleteBodyJoints(b2Body* body) {
  CPhysicsWorld* world = ObjectOf(body)->World();
  while (body->GetJointList() != nullptr) DestroyWithGears(body->GetJointList()->joint, world);
}

void Physics_PrepareJoints(b2World* world) {
  for (PhysicsJointRecord& r : g_joints) {
    if (&r.world->Inner().world != world) continue;
    r.stepped = true;
    if (r.frequency <= 0.0f) continue;
    auto* distance = static_cast<b2DistanceJoint*>(r.joint);
    float stiffness = 0.0f, damping = 0.0f;
    b2LinearStiffness(stiffness, damping, r.frequency, r.dampingRatio, distance->GetBodyA(), distance->GetBodyB());
    distance->SetStiffness(stiffness);
    distance->SetDamping(damping);
  }
}

int32_t Physics_CreateDistanceJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchorA, PhysicsPoint anchorB,
                                    bool collide) {
  if (!BodiesAcceptable(a, b) || !Finite({anchorA.x, anchorA.y, anchorB.x, anchorB.y})) return -1;
  b2DistanceJointDef def;
  def.Initialize(BodyOf(a), BodyOf(b), Vec(anchorA), Vec(anchorB));
  return Create(a, b, def, collide);
}

int32_t Physics_CreateRevoluteJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchor,
                                    const PhysicsLimitMotor& limits, bool collide) {
  if (!BodiesAcceptable(a, b) || !Finite({anchor.x, anchor.y}) || !LimitsAcceptable(limits)) return -1;
  b2RevoluteJointDef def;
  def.Initialize(BodyOf(a), BodyOf(b), Vec(anchor));
  using Def = b2RevoluteJointDef;
  return CreateLimited(a, b, def, &Def::lowerAngle, &Def::upperAngle, &Def::maxMotorTorque, limits, collide);
}

int32_t Physics_CreatePrismaticJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint anchor, PhysicsPoint axis,
                                     const PhysicsLimitMotor& limits, bool collide) {
  if (!BodiesAcceptable(a, b) || !Finite({anchor.x, anchor.y, axis.x, axis.y}) || !LimitsAcceptable(limits)) {
    return -1;
  }
  if (!(Vec(axis).Length() > b2_epsilon)) return Physics_Refuse("axis.Length() > b2_epsilon"), -1;
  b2PrismaticJointDef def;
  def.Initialize(BodyOf(a), BodyOf(b), Vec(anchor), Vec(axis));
  using Def = b2PrismaticJointDef;
  return CreateLimited(a, b, def, &Def::lowerTranslation, &Def::upperTranslation, &Def::maxMotorForce, limits, collide);
}

int32_t Physics_CreatePulleyJoint(CPhysicsObject* a, CPhysicsObject* b, PhysicsPoint groundA, PhysicsPoint groundB,
                                  PhysicsPoint anchorA, PhysicsPoint anchorB, float ratio, float, float, bool collide) {
  if (!BodiesAcceptable(a, b)) return -1;
  if (!Finite({groundA.x, groundA.y, groundB.x, groundB.y, anchorA.x, anchorA.y, anchorB.x, anchorB.y, ratio})) {
    return -1;
  }
  if (!(ratio > b2_epsilon)) return Physics_Refuse("ratio > b2_epsilon"), -1;
  b2PulleyJointDef def;
  def.Initialize(BodyOf(a), BodyOf(b), Vec(groundA), Vec(groundB), Vec(anchorA), Vec(anchorB), ratio);
  return Create(a, b, def, collide);
}

int32_t Physics_CreateGearJoint(CPhysicsObject* a, CPhysicsObject* b, int32_t joint1, int32_t joint2, float ratio) {
  PhysicsJointRecord* first = Physics_FindJointRecord(joint1);
  PhysicsJointRecord* second = Physics_FindJointRecord(joint2);
  if (first == nullptr || second == nullptr || !BodiesAcceptable(a, b) || !Finite({ratio})) return -1;
  for (const PhysicsJointRecord* r : {first, second}) {
    b2JointType type = r->joint->GetType();
    if (type != e_revoluteJoint && type != e_prismaticJoint) return -1;
    if (r->world != a->World()) return Physics_Refuse("joint->GetWorld() == world"), -1;
  }
  // The gear joins the second bodies of its two joints, which must move.
  b2Body* moved1 = first->joint->GetBodyB();
  b2Body* moved2 = second->joint->GetBodyB();
  if (moved1 == moved2) return Physics_Refuse("def->bodyA != def->bodyB"), -1;
  if (moved1->GetType() != b2_dynamicBody || moved2->GetType() != b2_dynamicBody) {
    return Physics_Refuse("m_bodyA->m_type == b2_dynamicBody"), -1;
  }
  b2GearJointDef def;
  def.bodyA = BodyOf(a);
  def.bodyB = BodyOf(b);
  def.joint1 = first->joint;
  def.joint2 = second->joint;
  def.ratio = ratio;
  return Create(a, b, def, false);
}

bool Physics_JointExists(int32_t id) { return Physics_FindJointRecord(id) != nullptr; }

void Physics_DeleteJoint(int32_t id) {
  PhysicsJointRecord* record = Physics_FindJointRecord(id);
  if (record != nullptr) DestroyWithGears(record->joint, record->world);
}

int32_t Physics_JointCount() { return static_cast<int32_t>(g_joints.size()); }

// The adapter's inside: the library's world and the listeners around it.
// Only the files of this folder include the library.
#pragma once

#include <box2d/box2d.h>

#include <vector>

#include "physics/physics_object.h"
#include "physics/physics_world.h"

struct PhysicsManifold {
  b2Vec2 normal;
  b2Vec2 points[b2_maxManifoldPoints];
  int32_t pointCount = 0;
};

// One fixture pair's contacts of one step.
struct PhysicsContactRecord {
  b2Fixture* a = nullptr;
  b2Fixture* b = nullptr;
  int32_t count = 0;
  PhysicsManifold manifolds[kPhysicsManifolds];
};

// Callbacks only record: the world is locked while they run.
class ContactRecorder : public b2ContactListener {
 public:
  explicit ContactRecorder(CPhysicsWorld::Impl* inner) : inner_(inner) {}
  void BeginContact(b2Contact* contact) override;
  void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;

 private:
  void Record(b2Contact* contact);
  CPhysicsWorld::Impl* inner_;
};

class JointGoodbye : public b2DestructionListener {
 public:
  void SayGoodbye(b2Joint* joint) override;
  void SayGoodbye(b2Fixture*) override {}
};

class DebugDrawer : public b2Draw {
 public:
  DebugDrawer(PhysicsDebugSink& sink, float scale) : sink_(sink), scale_(scale) {}
  void DrawPolygon(const b2Vec2* vertices, int32 count, const b2Color& colour) override;
  void DrawSolidPolygon(const b2Vec2* vertices, int32 count, const b2Color& colour) override;
  void DrawCircle(const b2Vec2& centre, float radius, const b2Color& colour) override;
  void DrawSolidCircle(const b2Vec2& centre, float radius, const b2Vec2& axis, const b2Color& colour) override;
  void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& colour) override;
  void DrawTransform(const b2Transform& xf) override;
  void DrawPoint(const b2Vec2& p, float size, const b2Color& colour) override;

 private:
  PhysicsDebugSink& sink_;
  float scale_;
};

struct CPhysicsWorld::Impl {
  explicit Impl(CPhysicsWorld* owner) : outer(owner), world(b2Vec2(0.0f, 10.0f)), recorder(this) {}
  CPhysicsWorld* outer;
  b2World world;
  ContactRecorder recorder;
  JointGoodbye goodbye;
  std::vector<PhysicsContactRecord> records;
  const PhysicsContactRecord* dispatching = nullptr;
  std::vector<CPhysicsObject*> objects;
  float lastInverseStep = 0.0f;
};

inline b2Body* BodyOf(const CPhysicsObject* object) { return static_cast<b2Body*>(object->Body()); }
inline CPhysicsObject* ObjectOf(b2Body* body) { return reinterpret_cast<CPhysicsObject*>(body->GetUserData().pointer); }

// The library's colour as a byte each: times 256, held at 255.
uint32_t Physics_ColourBytes(const b2Color& colour);
// Joints of the world: spring settings before each step, drop on the
// world's end.
void Physics_PrepareJoints(b2World* world);
void Physics_DropWorldJoints(b2World* world);
// Deletes the joints attached to a body with their gears, so that no gear
// is left holding a joint the library is about to remove.
void Physics_DeleteBodyJoints(b2Body* body);

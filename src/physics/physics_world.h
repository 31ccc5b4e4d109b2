// A room's physics world: the library's world with what the game needs
// around it. Instances become bodies by binding fixtures; each step's
// contacts are recorded per fixture pair and handed out for the collision
// events after the step; the world can draw itself for debugging.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "physics/physics_categories.h"

class CPhysicsFixture;
class CPhysicsObject;

// Where debug drawing goes, in pixels; colours are 0xAARRGGBB.
class PhysicsDebugSink {
 public:
  virtual ~PhysicsDebugSink() = default;
  virtual void Line(float x1, float y1, float x2, float y2, uint32_t colour) = 0;
  virtual void Circle(float x, float y, float radius, uint32_t colour) = 0;
};

constexpr int32_t kPhysicsDrawShapes = 1 << 0;
constexpr int32_t kPhysicsDrawJoints = 1 << 1;
constexpr int32_t kPhysicsDrawCentres = 1 << 2;
constexpr int32_t kPhysicsDrawBoxes = 1 << 3;
constexpr int32_t kPhysicsDrawPairs = 1 << 6;

// What binding needs to know of the instance and its object.
struct PhysicsBindRequest {
  void* owner = nullptr;
  CPhysicsObject** slot = nullptr;  // the owner's field that holds its body
  float x = 0.0f, y = 0.0f;         // pixels
  float imageAngle = 0.0f;          // degrees, counter-clockwise
  int32_t representative = -1;      // the object whose category is used
  std::vector<int32_t> partners;    // objects with collision events with it
  std::string objectName;
};

// Written back to an owner after a step.
struct PhysicsPlace {
  float x = 0.0f, y = 0.0f;  // pixels
  float imageAngle = 0.0f;   // degrees
};

constexpr int32_t kPhysicsManifolds = 8;

class CPhysicsWorld {
 public:
  CPhysicsWorld(float scale, int32_t updateSpeed);
  // A fresh world with another's speed, iterations, scale and gravity.
  static std::unique_ptr<CPhysicsWorld> WithSettingsOf(const CPhysicsWorld& other);
  ~CPhysicsWorld();
  CPhysicsWorld(const CPhysicsWorld&) = delete;
  CPhysicsWorld& operator=(const CPhysicsWorld&) = delete;

  // Gives the owner a body on its first bind and adds the fixture: null
  // (and nothing made) when the fixture cannot be built.
  CPhysicsObject* BindFixture(const CPhysicsFixture& fixture, const PhysicsBindRequest& request);
  // Non-zero gravity wakes every dynamic body.
  void SetGravity(float x, float y);
  float GravityX() const;
  float GravityY() const;

  // The world steps of one game step at the room speed (none below 1):
  // update speed / room speed steps of 1/update speed, the last one the
  // fraction left; then forces are cleared.
  void Advance(int32_t roomSpeed);
  // Every body with an owner, as the owner should show it.
  void ForEachPlace(void (*visit)(void* owner, const PhysicsPlace& place, void* context), void* context) const;

  // The step's contact records, dispatched last to first.
  int32_t ContactCount() const;
  // Makes record i the one being dispatched and gives its two owners
  // (null for a body without one).
  void BeginDispatch(int32_t i, void** ownerA, void** ownerB);
  // Ends the dispatch and drops the records.
  void EndDispatch();
  // While a record is dispatched and the owner holds one of its bodies:
  // point n across its manifolds in pixels, or its manifold's unit normal.
  bool CollisionPoint(const void* owner, int32_t n, float* x, float* y) const;
  bool CollisionNormal(const void* owner, int32_t n, float* x, float* y) const;
  int32_t CollisionPointCount(const void* owner) const;

  // Draws the world once with the flags.
  void DebugDraw(int32_t flags, PhysicsDebugSink& sink);
  // Draws the shapes of one body of this world.
  void DebugDrawBody(const CPhysicsObject& object, PhysicsDebugSink& sink);

  int32_t updateSpeed = 60;
  int32_t iterations = 10;
  float scale = 0.1f;
  bool paused = false;
  // What the room draws of the world each frame (kPhysicsDraw* bits).
  int32_t debugFlags = 0;
  PhysicsCategories categories;

  // Destroys the body with its joints (gears first); the owner's slot is
  // cleared and any record of this step forgets the body.
  void DestroyObject(CPhysicsObject* object);

  // Inner state, shared with the adapter's files.
  struct Impl;
  Impl& Inner() { return *impl_; }
  const Impl& Inner() const { return *impl_; }

 private:
  // Only the categories whose masks changed are written again.
  void RefreshFilters(const uint32_t (&masksBefore)[kPhysicsCategories]);
  std::unique_ptr<Impl> impl_;
};

// Seconds the worlds have stepped since the start.
double Physics_Clock();

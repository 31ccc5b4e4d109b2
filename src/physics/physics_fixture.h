// A fixture described once (shape, density, friction and so on) and bound
// to any number of instances. Lengths are metres. Scripts' fixtures live in
// one list by ascending id; ids count from 1 and are never reused. Fixtures
// made from an object's physics settings are built on the spot, without an
// id or a place in the list.
#pragma once

#include <cstdint>

constexpr int32_t kPhysicsPolygonPoints = 8;

enum class PhysicsShape : uint8_t { kNone, kCircle, kBox, kPolygon };

class CPhysicsFixture {
 public:
  void SetCircle(float radius);
  void SetBox(float halfWidth, float halfHeight);
  // An empty polygon that takes points one at a time.
  void SetPolygon();
  // Only for a polygon with room for a ninth point (silently false then);
  // a point that leaves the polygon concave or clockwise-wrong is reported
  // and not kept.
  bool AddPoint(float x, float y);

  float linearDamping = 0.0f;
  float angularDamping = 0.0f;
  uint8_t awake = 1;
  uint8_t kinematic = 0;
  int32_t id = 0;
  PhysicsShape shape = PhysicsShape::kNone;
  float radius = 0.0f;
  float halfWidth = 0.0f, halfHeight = 0.0f;
  int32_t pointCount = 0;
  float points[kPhysicsPolygonPoints][2] = {};
  float friction = 0.2f;
  float restitution = 0.0f;
  float density = 0.0f;
  uint8_t sensor = 0;
  int16_t group = 0;
};

// The script-visible list.
CPhysicsFixture* Physics_CreateFixture();
CPhysicsFixture* Physics_FindFixture(int32_t id);
// Silent when the id is unknown.
void Physics_DeleteFixture(int32_t id);
// A new game: the list is emptied and both id counters start again.
void Physics_ResetRecords();
// The next joint's id: one more than the last, counted from the records'
// reset.
int32_t Physics_NewJointId();

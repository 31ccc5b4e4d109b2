// An instance's body in a physics world. Positions are metres, angles
// radians unless a name says degrees. The object knows its world and its
// owner's slot: when the world dies first, it clears the slot.
#pragma once

#include <cstdint>

class CPhysicsWorld;

enum class PhysicsBodyKind : uint8_t { kStatic, kKinematic, kDynamic };

struct PhysicsMassData {
  float mass = 0.0f;
  float centreX = 0.0f, centreY = 0.0f;
  float inertia = 0.0f;
};

class CPhysicsObject {
 public:
  CPhysicsObject(const CPhysicsObject&) = delete;
  CPhysicsObject& operator=(const CPhysicsObject&) = delete;

  CPhysicsWorld* World() const { return world_; }
  void* Owner() const { return owner_; }
  PhysicsBodyKind Kind() const;

  // Forces, impulses and torque act on dynamic bodies only and wake them.
  void ApplyForce(float x, float y, float fx, float fy);
  void ApplyImpulse(float x, float y, float ix, float iy);
  void ApplyLocalForce(float x, float y, float fx, float fy);
  void ApplyLocalImpulse(float x, float y, float ix, float iy);
  void ApplyTorque(float torque);
  // False (and the body unchanged) when the library would refuse the data.
  bool SetMassData(const PhysicsMassData& data);
  PhysicsMassData MassData() const;

  // Keeps the angle and wakes the body.
  void SetPosition(float x, float y);
  void SetRotationDegrees(float degrees);
  // A static body given a non-zero velocity becomes kinematic.
  void SetLinearVelocity(float vx, float vy);
  void SetAngularVelocityDegrees(float degreesPerSecond);
  // A path moves a body that is not dynamic to its instance's place.
  void FollowPath(float pixelX, float pixelY);

  float X() const;
  float Y() const;
  float Angle() const;
  float LinearVelocityX() const;
  float LinearVelocityY() const;
  float AngularVelocity() const;
  bool Awake() const;
  int32_t FixtureCount() const;
  // The centre of mass in world coordinates.
  float CentreX() const;
  float CentreY() const;

  bool Bullet() const;
  void SetBullet(bool on);
  // The mass data are recomputed from the fixtures.
  bool FixedRotation() const;
  void SetFixedRotation(bool on);
  bool Active() const;
  void SetActive(bool on);

  int32_t category = -1;

 private:
  friend class CPhysicsWorld;
  friend void Physics_DestroyObject(CPhysicsObject* object);
  CPhysicsObject(CPhysicsWorld* world, void* owner, CPhysicsObject** slot, void* body)
      : world_(world), owner_(owner), slot_(slot), body_(body) {}
  ~CPhysicsObject() = default;

 public:
  // The library's body; only the adapter looks inside.
  void* Body() const { return body_; }
  CPhysicsObject** Slot() const { return slot_; }

 private:
  CPhysicsWorld* world_;
  void* owner_;
  CPhysicsObject** slot_;
  void* body_;
};

// Destroys the body through its own world; the owner's slot is cleared.
void Physics_DestroyObject(CPhysicsObject* object);

// True when any fixture of a's body, placed at (x, y) with the angle,
// overlaps any fixture of b's body.
bool Physics_TestOverlap(const CPhysicsObject* a, float x, float y, float angle, const CPhysicsObject* b);

// An instance's body: forces, impulses, mass, placement and the overlap
// test.
#include <cmath>

#include "physics/box2d/box2d_world.h"
#include "physics/physics_checks.h"

namespace {

constexpr float kPi = 3.1415927f;

bool Dynamic(const b2Body* body) { return body->GetType() == b2_dynamicBody; }

bool Valid(std::initializer_list<double> values) {
  return Physics_AllUsable(values) || Physics_Refuse("b2IsValid(value)");
}

}  // namespace

PhysicsBodyKind CPhysicsObject::Kind() const {
  switch (BodyOf(this)->GetType()) {
    case b2_dynamicBody: return PhysicsBodyKind::kDynamic;
    case b2_kinematicBody: return PhysicsBodyKind::kKinematic;
    case b2_staticBody: break;
  }
  return PhysicsBodyKind::kStatic;
}

void CPhysicsObject::ApplyForce(float x, float y, float fx, float fy) {
  b2Body* body = BodyOf(this);
  if (!Dynamic(body) || !Valid({x, y, fx, fy})) return;
  body->ApplyForce(b2Vec2(fx, fy), b2Vec2(x, y), true);
}

void CPhysicsObject::ApplyImpulse(float x, float y, float ix, float iy) {
  b2Body* body = BodyOf(this);
  if (!Dynamic(body) || !Valid({x, y, ix, iy})) return;
  body->ApplyLinearImpulse(b2Vec2(ix, iy), b2Vec2(x, y), true);
}

void CPhysicsObject::ApplyLocalForce(float x, float y, float fx, float fy) {
  b2Body* body = BodyOf(this);
  if (!Dynamic(body) || !Valid({x, y, fx, fy})) return;
  body->ApplyForce(body->GetWorldVector(b2Vec2(fx, fy)), body->GetWorldPoint(b2Vec2(x, y)), true);
}

void CPhysicsObject::ApplyLocalImpulse(float x, float y, float ix, float iy) {
  b2Body* body = BodyOf(this);
  if (!Dynamic(body) || !Valid({x, y, ix, iy})) return;
  body->ApplyLinearImpulse(body->GetWorldVector(b2Vec2(ix, iy)), body->GetWorldPoint(b2Vec2(x, y)), true);
}

void CPhysicsObject::ApplyTorque(float torque) {
  b2Body* body = BodyOf(this);
  if (!Dynamic(body) || !Valid({torque})) return;
  body->ApplyTorque(torque, true);
}

bool CPhysicsObject::SetMassData(const PhysicsMassData& data) {
  if (!Physics_AllUsable({data.mass, data.centreX, data.centreY, data.inertia})) {
    return Physics_Refuse("massData->center.IsValid()");
  }
  b2Body* body = BodyOf(this);
  if (!Dynamic(body)) return true;
  // The library takes a mass not above 0 as 1 and needs the inertia about
  // the centre of mass to stay positive.
  float mass = data.mass > 0.0f ? data.mass : 1.0f;
  b2Vec2 centre(data.centreX, data.centreY);
  if (!Physics_Invertible(mass)) return Physics_Refuse("m_invMass is finite");
  if (data.inertia > 0.0f && !body->IsFixedRotation() &&
      !Physics_Invertible(data.inertia - mass * b2Dot(centre, centre))) {
    return Physics_Refuse("m_I > 0.0f");
  }
  b2MassData massData;
  massData.mass = data.mass;
  massData.center = centre;
  massData.I = data.inertia;
  body->SetMassData(&massData);
  return true;
}

PhysicsMassData CPhysicsObject::MassData() const {
  b2MassData massData;
  BodyOf(this)->GetMassData(&massData);
  return {massData.mass, massData.center.x, massData.center.y, massData.I};
}

void CPhysicsObject::SetPosition(float x, float y) {
  b2Body* body = BodyOf(this);
  if (!Valid({x, y})) return;
  body->SetTransform(b2Vec2(x, y), body->GetAngle());
  body->SetAwake(true);
}

void CPhysicsObject::SetRotationDegrees(float degrees) {
  b2Body* body = BodyOf(this);
  if (!Valid({degrees})) return;
  body->SetTransform(body->GetPosition(), degrees * kPi / 180.0f);
  body->SetAwake(true);
}

void CPhysicsObject::SetLinearVelocity(float vx, float vy) {
  b2Body* body = BodyOf(this);
  if (!Valid({vx, vy})) return;
  if (body->GetType() == b2_staticBody && (vx != 0.0f || vy != 0.0f)) body->SetType(b2_kinematicBody);
  body->SetLinearVelocity(b2Vec2(vx, vy));
  body->SetAwake(true);
}

void CPhysicsObject::SetAngularVelocityDegrees(float degreesPerSecond) {
  b2Body* body = BodyOf(this);
  if (!Valid({degreesPerSecond})) return;
  body->SetAngularVelocity(degreesPerSecond * kPi / 180.0f);
  if (degreesPerSecond != 0.0f) body->SetAwake(true);
}

void CPhysicsObject::FollowPath(float pixelX, float pixelY) {
  b2Body* body = BodyOf(this);
  b2Vec2 place(pixelX * world_->scale, pixelY * world_->scale);
  if (Dynamic(body) || !Physics_AllUsable({place.x, place.y})) return;
  body->SetTransform(place, body->GetAngle());
}

float CPhysicsObject::X() const { return BodyOf(this)->GetPosition().x; }
float CPhysicsObject::Y() const { return BodyOf(this)->GetPosition().y; }
float CPhysicsObject::Angle() const { return BodyOf(this)->GetAngle(); }
float CPhysicsObject::LinearVelocityX() const { return BodyOf(this)->GetLinearVelocity().x; }
float CPhysicsObject::LinearVelocityY() const { return BodyOf(this)->GetLinearVelocity().y; }
float CPhysicsObject::AngularVelocity() const { return BodyOf(this)->GetAngularVelocity(); }
bool CPhysicsObject::Awake() const { return BodyOf(this)->IsAwake(); }

float CPhysicsObject::CentreX() const { return BodyOf(this)->GetWorldCenter().x; }
float CPhysicsObject::CentreY() const { return BodyOf(this)->GetWorldCenter().y; }
bool CPhysicsObject::Bullet() const { return BodyOf(this)->IsBullet(); }
void CPhysicsObject::SetBullet(bool on) { BodyOf(this)->SetBullet(on); }
bool CPhysicsObject::FixedRotation() const { return BodyOf(this)->IsFixedRotation(); }
void CPhysicsObject::SetFixedRotation(bool on) { BodyOf(this)->SetFixedRotation(on); }
bool CPhysicsObject::Active() const { return BodyOf(this)->IsEnabled(); }
void CPhysicsObject::SetActive(bool on) { BodyOf(this)->SetEnabled(on); }

int32_t CPhysicsObject::FixtureCount() const {
  int32_t count = 0;
  for (const b2Fixture* f = BodyOf(this)->GetFixtureList(); f != nullptr; f = f->GetNext()) ++count;
  return count;
}

bool Physics_TestOverlap(const CPhysicsObject* a, float x, float y, float angle, const CPhysicsObject* b) {
  if (a == nullptr || b == nullptr || !Valid({x, y, angle})) return false;
  b2Transform placed(b2Vec2(x, y), b2Rot(angle));
  const b2Body* other = BodyOf(b);
  for (const b2Fixture* fa = BodyOf(a)->GetFixtureList(); fa != nullptr; fa = fa->GetNext()) {
    for (const b2Fixture* fb = other->GetFixtureList(); fb != nullptr; fb = fb->GetNext()) {
      if (b2TestOverlap(fa->GetShape(), 0, fb->GetShape(), 0, placed, other->GetTransform())) return true;
    }
  }
  return false;
}

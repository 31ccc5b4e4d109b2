// Binding: a fixture record becomes the library's shape and fixture, on a
// body made at the first bind.
#include <algorithm>
#include <cmath>
#include <memory>

#include "physics/box2d/box2d_world.h"
#include "physics/physics_checks.h"
#include "physics/physics_fixture.h"
#include "runtime/runtime_error.h"

namespace {

constexpr float kPi = 3.1415927f;

// The library welds points closer than half its slop, then wraps a hull
// that must keep 3 points and enclose more than its epsilon.
bool PolygonAcceptable(const b2Vec2* points, int32_t count) {
  std::vector<b2Vec2> kept;
  for (int32_t i = 0; i < count; ++i) {
    bool unique = std::none_of(kept.begin(), kept.end(), [&](const b2Vec2& k) {
      return b2DistanceSquared(points[i], k) < (0.5f * b2_linearSlop) * (0.5f * b2_linearSlop);
    });
    if (unique) kept.push_back(points[i]);
  }
  if (kept.size() < 3) return false;
  b2Vec2 origin = kept[0];
  float area = 0.0f;
  for (size_t i = 1; i + 1 < kept.size(); ++i) {
    area += 0.5f * b2Cross(kept[i] - origin, kept[i + 1] - origin);
  }
  return std::fabs(area) > b2_epsilon;
}

std::unique_ptr<b2Shape> PolygonShape(const CPhysicsFixture& f, const std::string& objectName) {
  if (f.pointCount < 3) {
    std::string text = "Too few vertices in polygon shape fixture for " + objectName;
    RuntimeError_Show(text.c_str(), true);
    return nullptr;
  }
  b2Vec2 points[kPhysicsPolygonPoints];
  for (int32_t i = 0; i < f.pointCount; ++i) {
    if (!Physics_AllUsable({f.points[i][0], f.points[i][1]})) return Physics_Refuse("v.IsValid()"), nullptr;
    points[i].Set(f.points[i][0], f.points[i][1]);
  }
  if (!PolygonAcceptable(points, f.pointCount)) return Physics_Refuse("area > b2_epsilon"), nullptr;
  auto shape = std::make_unique<b2PolygonShape>();
  shape->Set(points, f.pointCount);
  return shape;
}

std::unique_ptr<b2Shape> BoxShape(const CPhysicsFixture& f) {
  bool sized = Physics_AllUsable({f.halfWidth, f.halfHeight}) && f.halfWidth >= 0.0f && f.halfHeight >= 0.0f;
  if (sized && f.density > 0.0f) sized = 4.0f * f.halfWidth * f.halfHeight > b2_epsilon;
  if (!sized) return Physics_Refuse("area > b2_epsilon"), nullptr;
  auto shape = std::make_unique<b2PolygonShape>();
  shape->SetAsBox(f.halfWidth, f.halfHeight);
  return shape;
}

std::unique_ptr<b2Shape> MakeShape(const CPhysicsFixture& f, const std::string& objectName) {
  switch (f.shape) {
    case PhysicsShape::kCircle: {
      if (!(Physics_AllUsable({f.radius}) && f.radius >= 0.0f)) return Physics_Refuse("radius >= 0.0f"), nullptr;
      auto shape = std::make_unique<b2CircleShape>();
      shape->m_radius = f.radius;
      return shape;
    }
    case PhysicsShape::kBox: return BoxShape(f);
    case PhysicsShape::kPolygon: return PolygonShape(f, objectName);
    case PhysicsShape::kNone: break;
  }
  RuntimeError_Show("The physics fixture has no shape", false);
  return nullptr;
}

bool FixtureAcceptable(const CPhysicsFixture& f) {
  if (!Physics_AllUsable({f.density, f.friction, f.restitution})) return Physics_Refuse("b2IsValid(density)");
  if (f.density < 0.0f) return Physics_Refuse("density >= 0.0f");
  if (f.friction < 0.0f) return Physics_Refuse("friction >= 0.0f");
  return true;
}

bool BodyAcceptable(const CPhysicsFixture& f, const b2BodyDef& def) {
  if (!Physics_AllUsable({def.position.x, def.position.y, def.angle})) return Physics_Refuse("bd->position.IsValid()");
  if (!(Physics_AllUsable({f.linearDamping}) && f.linearDamping >= 0.0f))
    return Physics_Refuse("bd->linearDamping >= 0.0f");
  if (!(Physics_AllUsable({f.angularDamping}) && f.angularDamping >= 0.0f)) {
    return Physics_Refuse("bd->angularDamping >= 0.0f");
  }
  return true;
}

// The body's mass once the fixture joins it, summed the way the library
// does (the new fixture first): the inertia about the centre of mass must
// stay positive, which rounding can spoil for tiny or far-off shapes.
bool MassAcceptable(const b2Body* body, bool dynamic, const b2Shape& shape, float density) {
  if (!dynamic) return true;
  float mass = 0.0f, inertia = 0.0f;
  b2Vec2 centre = b2Vec2_zero;
  auto add = [&](const b2Shape& s, float d) {
    if (d == 0.0f) return;
    b2MassData data;
    s.ComputeMass(&data, d);
    mass += data.mass;
    centre += data.mass * data.center;
    inertia += data.I;
  };
  add(shape, density);
  for (const b2Fixture* f = body != nullptr ? body->GetFixtureList() : nullptr; f != nullptr; f = f->GetNext()) {
    add(*f->GetShape(), f->GetDensity());
  }
  if (mass > 0.0f) {
    if (!Physics_Invertible(mass)) return Physics_Refuse("m_invMass is finite");
    centre *= 1.0f / mass;
  }
  if (inertia > 0.0f && (body == nullptr || !body->IsFixedRotation())) {
    return Physics_Invertible(inertia - mass * b2Dot(centre, centre)) || Physics_Refuse("m_I > 0.0f");
  }
  return true;
}

b2BodyDef BodyDefinition(const CPhysicsFixture& f, const PhysicsBindRequest& request, float scale) {
  b2BodyDef def;
  def.type = f.density > 0.0f ? b2_dynamicBody : (f.kinematic != 0 ? b2_kinematicBody : b2_staticBody);
  def.position.Set(request.x * scale, request.y * scale);
  def.angle = -request.imageAngle * kPi / 180.0f;
  def.linearDamping = f.linearDamping;
  def.angularDamping = f.angularDamping;
  def.awake = f.awake != 0;
  def.allowSleep = true;
  return def;
}

}  // namespace

CPhysicsObject* CPhysicsWorld::BindFixture(const CPhysicsFixture& fixture, const PhysicsBindRequest& request) {
  std::unique_ptr<b2Shape> shape = MakeShape(fixture, request.objectName);
  if (shape == nullptr || !FixtureAcceptable(fixture)) return nullptr;
  CPhysicsObject* object = request.slot != nullptr ? *request.slot : nullptr;
  if (object != nullptr && object->World() != this) return Physics_Refuse("body->GetWorld() == this"), nullptr;
  b2BodyDef def = BodyDefinition(fixture, request, scale);
  if (object == nullptr && !BodyAcceptable(fixture, def)) return nullptr;
  const b2Body* existing = object != nullptr ? BodyOf(object) : nullptr;
  bool dynamic = existing != nullptr ? existing->GetType() == b2_dynamicBody : def.type == b2_dynamicBody;
  if (!MassAcceptable(existing, dynamic, *shape, fixture.density)) return nullptr;

  uint32_t masksBefore[kPhysicsCategories];
  for (int32_t i = 0; i < kPhysicsCategories; ++i) masksBefore[i] = categories[i].mask;
  int32_t category = categories.Assign(request.representative, request.partners, request.objectName);

  if (object == nullptr) {
    b2Body* body = impl_->world.CreateBody(&def);
    object = new CPhysicsObject(this, request.owner, request.slot, body);
    body->GetUserData().pointer = reinterpret_cast<uintptr_t>(object);
    impl_->objects.push_back(object);
    if (request.slot != nullptr) *request.slot = object;
  }
  object->category = category;
  b2FixtureDef fixtureDef;
  fixtureDef.shape = shape.get();
  fixtureDef.friction = fixture.friction;
  fixtureDef.restitution = fixture.restitution;
  fixtureDef.density = fixture.density;
  fixtureDef.isSensor = fixture.sensor != 0;
  fixtureDef.filter.categoryBits = category >= 0 ? static_cast<uint16_t>(categories[category].bits) : 0;
  fixtureDef.filter.maskBits = category >= 0 ? static_cast<uint16_t>(categories[category].mask) : 0;
  fixtureDef.filter.groupIndex = fixture.group;
  BodyOf(object)->CreateFixture(&fixtureDef);
  RefreshFilters(masksBefore);
  return object;
}

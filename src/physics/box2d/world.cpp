#include <algorithm>

#include "physics/box2d/box2d_world.h"
#include "physics/physics_checks.h"

namespace {

double g_physicsClock = 0.0;
constexpr float kPi = 3.1415927f;

}  // namespace

CPhysicsWorld::CPhysicsWorld(float worldScale, int32_t speed)
    : updateSpeed(speed), scale(worldScale), impl_(std::make_unique<Impl>(this)) {
  impl_->world.SetAllowSleeping(true);
  // Forces act over every sub-step of a game step and are cleared after it.
  impl_->world.SetAutoClearForces(false);
  impl_->world.SetContactListener(&impl_->recorder);
  impl_->world.SetDestructionListener(&impl_->goodbye);
  impl_->records.reserve(10);
}

std::unique_ptr<CPhysicsWorld> CPhysicsWorld::WithSettingsOf(const CPhysicsWorld& other) {
  auto world = std::make_unique<CPhysicsWorld>(other.scale, other.updateSpeed);
  world->iterations = other.iterations;
  world->SetGravity(other.GravityX(), other.GravityY());
  return world;
}

CPhysicsWorld::~CPhysicsWorld() {
  impl_->world.SetContactListener(nullptr);
  impl_->world.SetDestructionListener(nullptr);
  Physics_DropWorldJoints(&impl_->world);
  for (CPhysicsObject* object : impl_->objects) {
    if (object->slot_ != nullptr && *object->slot_ == object) *object->slot_ = nullptr;
    delete object;
  }
}

void CPhysicsWorld::DestroyObject(CPhysicsObject* object) {
  auto& objects = impl_->objects;
  auto it = std::find(objects.begin(), objects.end(), object);
  if (it == objects.end()) return;
  objects.erase(it);
  b2Body* body = BodyOf(object);
  for (PhysicsContactRecord& record : impl_->records) {
    if (record.a != nullptr && record.a->GetBody() == body) record.a = nullptr;
    if (record.b != nullptr && record.b->GetBody() == body) record.b = nullptr;
  }
  Physics_DeleteBodyJoints(body);
  impl_->world.DestroyBody(body);
  if (object->slot_ != nullptr && *object->slot_ == object) *object->slot_ = nullptr;
  delete object;
}

void Physics_DestroyObject(CPhysicsObject* object) {
  if (object != nullptr) object->world_->DestroyObject(object);
}

void CPhysicsWorld::SetGravity(float x, float y) {
  if (!Physics_AllUsable({x, y})) {
    Physics_Refuse("gravity.IsValid()");
    return;
  }
  impl_->world.SetGravity(b2Vec2(x, y));
  if (x == 0.0f && y == 0.0f) return;
  for (b2Body* body = impl_->world.GetBodyList(); body != nullptr; body = body->GetNext()) {
    if (body->GetType() == b2_dynamicBody) body->SetAwake(true);
  }
}

float CPhysicsWorld::GravityX() const { return impl_->world.GetGravity().x; }
float CPhysicsWorld::GravityY() const { return impl_->world.GetGravity().y; }

void CPhysicsWorld::Advance(int32_t roomSpeed) {
  if (roomSpeed < 1 || updateSpeed < 1 || paused) return;
  const float dt = 1.0f / static_cast<float>(updateSpeed);
  for (double s = static_cast<double>(updateSpeed) / roomSpeed; s > 0.0; s -= 1.0) {
    float step = s > 1.0 ? dt : static_cast<float>(s * dt);
    Physics_PrepareJoints(&impl_->world);
    impl_->world.Step(step, iterations, iterations);
    impl_->lastInverseStep = 1.0f / step;
    g_physicsClock += step;
  }
  impl_->world.ClearForces();
}

void CPhysicsWorld::ForEachPlace(void (*visit)(void* owner, const PhysicsPlace& place, void* context),
                                 void* context) const {
  for (b2Body* body = impl_->world.GetBodyList(); body != nullptr; body = body->GetNext()) {
    CPhysicsObject* object = ObjectOf(body);
    if (object == nullptr || object->Owner() == nullptr) continue;
    PhysicsPlace place;
    place.x = body->GetPosition().x / scale;
    place.y = body->GetPosition().y / scale;
    place.imageAngle = -body->GetAngle() * 180.0f / kPi;
    visit(object->Owner(), place, context);
  }
}

void CPhysicsWorld::RefreshFilters(const uint32_t (&masksBefore)[kPhysicsCategories]) {
  for (CPhysicsObject* object : impl_->objects) {
    if (object->category < 0 || masksBefore[object->category] == categories[object->category].mask) continue;
    const PhysicsCategory& record = categories[object->category];
    for (b2Fixture* f = BodyOf(object)->GetFixtureList(); f != nullptr; f = f->GetNext()) {
      b2Filter filter = f->GetFilterData();
      filter.categoryBits = static_cast<uint16_t>(record.bits);
      filter.maskBits = static_cast<uint16_t>(record.mask);
      f->SetFilterData(filter);
    }
  }
}

double Physics_Clock() { return g_physicsClock; }

// Contact records: each step's contacts per fixture pair, handed out after
// the step for the collision events and asked about while dispatched.
#include "physics/box2d/box2d_world.h"
#include "runtime/console.h"

void ContactRecorder::BeginContact(b2Contact* contact) {
  if (contact->GetFixtureA()->IsSensor() || contact->GetFixtureB()->IsSensor()) Record(contact);
}

void ContactRecorder::PostSolve(b2Contact* contact, const b2ContactImpulse*) { Record(contact); }

void ContactRecorder::Record(b2Contact* contact) {
  b2Fixture* a = contact->GetFixtureA();
  b2Fixture* b = contact->GetFixtureB();
  b2WorldManifold world;
  contact->GetWorldManifold(&world);
  PhysicsManifold manifold;
  manifold.normal = world.normal;
  manifold.pointCount = contact->GetManifold()->pointCount;
  for (int32_t i = 0; i < manifold.pointCount; ++i) manifold.points[i] = world.points[i];

  auto& records = inner_->records;
  for (PhysicsContactRecord& record : records) {
    if ((record.a == a && record.b == b) || (record.a == b && record.b == a)) {
      if (record.count >= kPhysicsManifolds) {
        g_debugConsole->Output("WARNING: Too many manifolds in collision\n");
        return;
      }
      record.manifolds[record.count++] = manifold;
      return;
    }
  }
  if (records.size() == records.capacity()) records.reserve(records.capacity() + 10);
  PhysicsContactRecord& record = records.emplace_back();
  record.a = a;
  record.b = b;
  record.count = 1;
  record.manifolds[0] = manifold;
}

int32_t CPhysicsWorld::ContactCount() const { return static_cast<int32_t>(impl_->records.size()); }

namespace {

void* OwnerOf(b2Fixture* fixture) {
  if (fixture == nullptr) return nullptr;
  CPhysicsObject* object = ObjectOf(fixture->GetBody());
  return object != nullptr ? object->Owner() : nullptr;
}

// The record being dispatched when the owner holds one of its bodies.
const PhysicsContactRecord* RecordFor(const CPhysicsWorld::Impl& inner, const void* owner) {
  const PhysicsContactRecord* record = inner.dispatching;
  if (record == nullptr || owner == nullptr) return nullptr;
  if (OwnerOf(record->a) != owner && OwnerOf(record->b) != owner) return nullptr;
  return record;
}

// Point n counted across the record's manifolds, with its manifold.
bool FindPoint(const PhysicsContactRecord& record, int32_t n, const PhysicsManifold** manifold, b2Vec2* point) {
  if (n < 0) return false;
  for (int32_t m = 0; m < record.count; ++m) {
    const PhysicsManifold& candidate = record.manifolds[m];
    if (n < candidate.pointCount) {
      *manifold = &candidate;
      *point = candidate.points[n];
      return true;
    }
    n -= candidate.pointCount;
  }
  return false;
}

// Point n of the record being dispatched, with its manifold; null when the
// owner holds neither body or there is no such point.
const PhysicsManifold* PointOf(const CPhysicsWorld::Impl& inner, const void* owner, int32_t n, b2Vec2* point) {
  const PhysicsContactRecord* record = RecordFor(inner, owner);
  const PhysicsManifold* manifold = nullptr;
  if (record == nullptr || !FindPoint(*record, n, &manifold, point)) return nullptr;
  return manifold;
}

}  // namespace

void CPhysicsWorld::BeginDispatch(int32_t i, void** ownerA, void** ownerB) {
  const PhysicsContactRecord& record = impl_->records[static_cast<size_t>(i)];
  impl_->dispatching = &record;
  *ownerA = OwnerOf(record.a);
  *ownerB = OwnerOf(record.b);
}

void CPhysicsWorld::EndDispatch() {
  impl_->dispatching = nullptr;
  impl_->records.clear();
}

bool CPhysicsWorld::CollisionPoint(const void* owner, int32_t n, float* x, float* y) const {
  b2Vec2 point;
  if (PointOf(*impl_, owner, n, &point) == nullptr) return false;
  *x = point.x / scale;
  *y = point.y / scale;
  return true;
}

bool CPhysicsWorld::CollisionNormal(const void* owner, int32_t n, float* x, float* y) const {
  b2Vec2 point;
  const PhysicsManifold* manifold = PointOf(*impl_, owner, n, &point);
  if (manifold == nullptr) return false;
  *x = manifold->normal.x;
  *y = manifold->normal.y;
  return true;
}

int32_t CPhysicsWorld::CollisionPointCount(const void* owner) const {
  const PhysicsContactRecord* record = RecordFor(*impl_, owner);
  if (record == nullptr) return 0;
  int32_t total = 0;
  for (int32_t m = 0; m < record->count; ++m) total += record->manifolds[m].pointCount;
  return total;
}

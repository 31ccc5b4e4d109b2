#include "world/room/physics_binding.h"

#include <string>

#include "physics/physics_fixture.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "resources/sprite.h"
#include "script/events/error_report.h"
#include "world/instance/instance.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"
#include "world/room/room.h"

namespace {

void CorruptShape(const CObject& object) {
  std::string text = std::string("Corrupt shape data for ") + Object_GetName(object.index) + "\n";
  Error_Show(text.c_str(), false);
}

// The object's shape in metres: kind 0 a circle whose radius is the second
// point's x, kinds 1 and 2 polygons of at most 8 points.
bool ShapeFromObject(const CObject& object, float scale, CPhysicsFixture* fixture) {
  const ObjectPhysics& physics = object.physics;
  int32_t count = physics.points.length;
  if (physics.shapeKind == 0) {
    if (count < 2) {
      CorruptShape(object);
      fixture->SetCircle(0.0f);
      return true;
    }
    fixture->SetCircle(physics.points[1].x * scale);
    return true;
  }
  if (physics.shapeKind != 1 && physics.shapeKind != 2) {
    CorruptShape(object);
    return false;
  }
  if (count > kPhysicsPolygonPoints) CorruptShape(object);
  fixture->SetPolygon();
  for (int32_t i = 0; i < count && i < kPhysicsPolygonPoints; ++i) {
    fixture->points[i][0] = physics.points[i].x * scale;
    fixture->points[i][1] = physics.points[i].y * scale;
    fixture->pointCount = i + 1;
  }
  return true;
}

void SettingsFromObject(const ObjectPhysics& physics, CPhysicsFixture* fixture) {
  fixture->density = physics.density;
  fixture->friction = physics.friction;
  fixture->restitution = physics.restitution;
  fixture->group = static_cast<int16_t>(physics.collisionGroup);
  fixture->linearDamping = physics.linearDamping;
  fixture->angularDamping = physics.angularDamping;
  fixture->sensor = physics.sensor ? 1 : 0;
  fixture->awake = physics.awake ? 1 : 0;
  fixture->kinematic = physics.kinematic ? 1 : 0;
}

}  // namespace

std::vector<int32_t> Physics_Partners(int32_t objectIndex) {
  std::vector<int32_t> partners;
  for (int32_t i = 0; i < g_collisionPairs.count; ++i) {
    const CollisionPair& pair = g_collisionPairs.pairs[i];
    if (pair.owner < 0 || pair.other < 0) continue;
    if (pair.owner == objectIndex) partners.push_back(pair.other);
    if (pair.other == objectIndex && pair.owner != objectIndex) partners.push_back(pair.owner);
  }
  return partners;
}

int32_t Physics_Representative(int32_t objectIndex) {
  size_t partners = Physics_Partners(objectIndex).size();
  int32_t representative = objectIndex;
  for (CObject* object = Object_Get(objectIndex); object != nullptr;) {
    CObject* parent = Object_Get(object->parent);
    if (parent == nullptr || Physics_Partners(parent->index).size() != partners) break;
    representative = parent->index;
    object = parent;
  }
  return representative;
}

bool Physics_BindInstance(CPhysicsWorld* world, const CPhysicsFixture& fixture, CInstance* instance) {
  if (world == nullptr || instance == nullptr) return false;
  PhysicsBindRequest request;
  request.owner = instance;
  request.slot = &instance->physicsObject;
  request.x = instance->x;
  request.y = instance->y;
  request.imageAngle = instance->image_angle;
  request.partners = Physics_Partners(instance->object_index);
  request.representative = Physics_Representative(instance->object_index);
  request.objectName = Object_GetName(instance->object_index);
  return world->BindFixture(fixture, request) != nullptr;
}

void Instance_CreatePhysicsFixture(CInstance* instance, CRoom* room) {
  CObject* object = instance->object;
  if (object == nullptr || !object->physics.usesPhysics || room == nullptr || room->physicsWorld == nullptr) return;
  if (!Sprite_Exists(instance->sprite_index)) return;
  CPhysicsFixture fixture;
  if (!ShapeFromObject(*object, room->physicsWorld->scale, &fixture)) return;
  SettingsFromObject(object->physics, &fixture);
  Physics_BindInstance(room->physicsWorld, fixture, instance);
}

void Physics_InstallInstanceHooks() { Instance_SetPhysicsDestroyer(&Physics_DestroyObject); }

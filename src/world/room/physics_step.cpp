#include "world/room/physics_step.h"

#include "graphics/draw/draw_primitives.h"
#include "physics/physics_object.h"
#include "physics/physics_world.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/instance/instance.h"
#include "world/room/room.h"

namespace {

void FollowPaths(CRoom* room) {
  for (CInstance* instance = room->active.head; instance != nullptr;) {
    CInstance* next = instance->next;
    if (instance->path_index >= 0) {
      if (instance->UpdatePath()) Perform_Event_Instance(instance, instance, kEventOther, kOtherPathEnd);
      if (instance->physicsObject != nullptr) instance->physicsObject->FollowPath(instance->x, instance->y);
    }
    instance = next;
  }
}

void WriteBack(void* owner, const PhysicsPlace& place, void*) {
  auto* instance = static_cast<CInstance*>(owner);
  instance->x = place.x;
  instance->y = place.y;
  instance->SetImageAngle(place.imageAngle);
  instance->bboxDirty = 1;
}

// Last record first; A's event with B as other, then B's with A.
void DispatchContacts(CPhysicsWorld* world) {
  for (int32_t i = world->ContactCount() - 1; i >= 0; --i) {
    void* a = nullptr;
    void* b = nullptr;
    world->BeginDispatch(i, &a, &b);
    if (a == nullptr || b == nullptr) continue;
    auto* first = static_cast<CInstance*>(a);
    auto* second = static_cast<CInstance*>(b);
    Perform_Event_Instance(first, second, kEventCollision, second->object_index);
    Perform_Event_Instance(second, first, kEventCollision, first->object_index);
  }
  world->EndDispatch();
}

// Device colours, so the library's colours show as they are.
class DrawingCoreSink : public PhysicsDebugSink {
 public:
  void Line(float x1, float y1, float x2, float y2, uint32_t colour) override {
    GR_Draw_Line_Core(x1, y1, x2, y2, colour, colour);
  }
  void Circle(float x, float y, float radius, uint32_t colour) override {
    GR_Draw_Ellipse_Core(x - radius, y - radius, x + radius, y + radius, colour, colour, true);
  }
};

}  // namespace

void PhysicsWorldStep(CRoom* room, int32_t roomSpeed) {
  CPhysicsWorld* world = room != nullptr ? room->physicsWorld : nullptr;
  if (world == nullptr || roomSpeed < 1) return;
  FollowPaths(room);
  if (world->paused) return;
  world->Advance(roomSpeed);
  world->ForEachPlace(&WriteBack, nullptr);
  DispatchContacts(world);
}

bool PhysicsWorld_CollisionPoint(const CPhysicsWorld* world, int32_t instanceId, int32_t n, float* x, float* y) {
  return world != nullptr && world->CollisionPoint(InstanceMap_Get(instanceId), n, x, y);
}

bool PhysicsWorld_CollisionNormal(const CPhysicsWorld* world, int32_t instanceId, int32_t n, float* x, float* y) {
  return world != nullptr && world->CollisionNormal(InstanceMap_Get(instanceId), n, x, y);
}

int32_t PhysicsWorld_CollisionPointCount(const CPhysicsWorld* world, int32_t instanceId) {
  return world != nullptr ? world->CollisionPointCount(InstanceMap_Get(instanceId)) : 0;
}

void PhysicsWorld_DebugDraw(CPhysicsWorld* world, int32_t flags) {
  if (world == nullptr) return;
  DrawingCoreSink sink;
  world->DebugDraw(flags, sink);
}

void PhysicsWorld_DebugDrawBody(const CPhysicsObject* body) {
  if (body == nullptr || body->World() == nullptr) return;
  DrawingCoreSink sink;
  body->World()->DebugDrawBody(*body, sink);
}

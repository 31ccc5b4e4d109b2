#include "world/instance/instance.h"

#include <cmath>
#include <utility>
#include <vector>

#include "runtime/globals.h"
#include "world/object/object.h"
#include "world/run/run_state.h"

namespace {

void (*g_physicsDestroyer)(CPhysicsObject*) = nullptr;

void DeleteInstance(void* value) { delete static_cast<CInstance*>(value); }

std::vector<CInstance*> g_activationQueue;

// The last entry takes the leaving one's slot.
void LeaveActivationQueue(CInstance* instance) {
  const int32_t slot = instance->activationSlot;
  if (slot < 0) return;
  CInstance* last = g_activationQueue.back();
  g_activationQueue[static_cast<size_t>(slot)] = last;
  last->activationSlot = slot;
  g_activationQueue.pop_back();
  instance->activationSlot = -1;
}

}  // namespace

void Instance_QueueActivation(CInstance* instance) {
  if (instance == nullptr || instance->activationSlot >= 0) return;
  instance->activationSlot = static_cast<int32_t>(g_activationQueue.size());
  g_activationQueue.push_back(instance);
}

void Instance_QueueIfDisagreeing(CInstance* instance, bool inActiveList) {
  if ((instance->deactivated == 0) != inActiveList) Instance_QueueActivation(instance);
}

void Instance_SetDeactivated(CInstance* instance, bool deactivated) {
  const uint8_t value = deactivated ? 1 : 0;
  if (instance == nullptr || instance->deactivated == value) return;
  instance->deactivated = value;
  Instance_QueueActivation(instance);
}

void Instance_TakeActivationQueue(std::vector<CInstance*>* out) {
  out->swap(g_activationQueue);
  g_activationQueue.clear();
  for (CInstance* instance : *out) instance->activationSlot = -1;
}

CInstance::CInstance(float newX, float newY, int32_t newId, int32_t objectIndex, bool link)
    : creationStamp(g_eventSerial) {
  SetObjectIndex(objectIndex, link);
  x = xstart = xprevious = newX;
  y = ystart = yprevious = newY;
  id = newId;
  image_index = 0.0f;
  image_speed = image_xscale = image_yscale = image_alpha = 1.0f;
  image_angle = 0.0f;
  image_blend = 0xFFFFFF;
  direction = speed = hspeed = vspeed = friction = gravity = 0.0f;
  gravity_direction = 270.0f;
  for (int32_t& a : alarm) a = -1;
  locals = new CVariableList();
  bbox_left = bbox_top = bbox_right = bbox_bottom = 0;
  bboxDirty = 1;
  path_index = -1;
  path_scale = 1.0f;
  path_endaction = kPathEndStop;
  timeline_index = -1;
  timeline_speed = 1.0f;
}

CInstance::~CInstance() {
  Unlink();
  LeaveActivationQueue(this);
  if (physicsObject != nullptr && g_physicsDestroyer != nullptr) g_physicsDestroyer(physicsObject);
  physicsObject = nullptr;
  delete locals;
}

void CInstance::Unlink() {
  if (object != nullptr) object->RemoveInstance(this, &objectLinks);
}

void CInstance::SetObjectIndex(int32_t index, bool link) {
  Unlink();
  object_index = index == -1 ? 0 : index;
  object = Object_Get(index);
  if (object == nullptr) return;
  if (link) object->AddInstance(this, &objectLinks);
  mask_index = object->mask;
  depth = static_cast<float>(object->depth);
  solid = (object->flags & kObjectSolid) != 0 ? 1 : 0;
  visible = (object->flags & kObjectVisible) != 0 ? 1 : 0;
  persistent = (object->flags & kObjectPersistent) != 0 ? 1 : 0;
  sprite_index = object->sprite;
  FollowSprite();
}

// A frame past the sprite's last starts the animation again.
void CInstance::FollowSprite() {
  if (std::trunc(image_index) >= static_cast<float>(GetImageNumber())) image_index = 0.0f;
  bboxDirty = 1;
}

void CInstance::Assign(const CInstance& other, bool link) {
  if (&other == this) return;
  Unlink();
  carriedOver = 0;
  id = other.id;
  sprite_index = other.sprite_index;
  image_index = other.image_index;
  image_speed = other.image_speed;
  image_xscale = other.image_xscale;
  image_yscale = other.image_yscale;
  image_angle = other.image_angle;
  image_alpha = other.image_alpha;
  image_blend = other.image_blend;
  mask_index = other.mask_index;
  depth = other.depth;
  precise = other.precise;
  x = other.x, y = other.y;
  xstart = other.xstart, ystart = other.ystart;
  xprevious = other.xprevious, yprevious = other.yprevious;
  direction = other.direction;
  speed = other.speed;
  friction = other.friction;
  gravity_direction = other.gravity_direction;
  gravity = other.gravity;
  hspeed = other.hspeed, vspeed = other.vspeed;
  bbox_left = other.bbox_left, bbox_top = other.bbox_top;
  bbox_right = other.bbox_right, bbox_bottom = other.bbox_bottom;
  bboxDirty = other.bboxDirty;
  visible = other.visible, solid = other.solid, persistent = other.persistent;
  object_index = other.object_index;
  object = other.object;
  if (link && object != nullptr) object->AddInstance(this, &objectLinks);
  for (int32_t i = 0; i < kInstanceAlarms; ++i) alarm[i] = other.alarm[i];
  locals->Copy(*other.locals);
  markedForDeletion = other.markedForDeletion;
  deactivated = other.deactivated;
  path_index = other.path_index;
  path_position = other.path_position;
  path_positionprevious = other.path_positionprevious;
  path_speed = other.path_speed;
  path_scale = other.path_scale;
  path_orientation = other.path_orientation;
  path_endaction = other.path_endaction;
  // A copy that goes on along the path must not jump to another origin.
  pathOriginX = other.pathOriginX, pathOriginY = other.pathOriginY;
  timeline_index = other.timeline_index;
  timeline_position = other.timeline_position;
  timeline_speed = other.timeline_speed;
  timeline_running = other.timeline_running;
  timeline_loop = other.timeline_loop;
  spare = other.spare;
}

void CInstance::SetSpriteIndex(int32_t index) {
  sprite_index = index;
  FollowSprite();
}

namespace {

// A field the bounding box depends on: a real change marks the box dirty.
template <typename T>
void ChangeBoxField(T* field, T value, uint8_t* bboxDirty) {
  if (*field == value) return;
  *field = value;
  *bboxDirty = 1;
}

}  // namespace

void CInstance::SetMaskIndex(int32_t index) { ChangeBoxField(&mask_index, index, &bboxDirty); }
void CInstance::SetImageXScale(float value) { ChangeBoxField(&image_xscale, value, &bboxDirty); }
void CInstance::SetImageYScale(float value) { ChangeBoxField(&image_yscale, value, &bboxDirty); }
void CInstance::SetImageAngle(float value) { ChangeBoxField(&image_angle, value, &bboxDirty); }

void CInstance::SetPosition(float newX, float newY) {
  if (newX == x && newY == y) return;
  x = newX;
  y = newY;
  bboxDirty = 1;
}

int32_t CInstance::GetAlarm(int32_t index) const { return index >= 0 && index < kInstanceAlarms ? alarm[index] : -1; }

void CInstance::SetAlarm(int32_t index, int32_t value) {
  if (index >= 0 && index < kInstanceAlarms) alarm[index] = value;
}

namespace {

// NaN has no place on a path: it reads as the start.
float ClampUnit(float value) {
  if (!(value > 0.0f)) return 0.0f;
  return value < 1.0f ? value : 1.0f;
}

}  // namespace

void CInstance::SetPathPosition(float value) { path_position = ClampUnit(value); }

void CInstance::SetPathPositionPrevious(float value) { path_positionprevious = ClampUnit(value); }

void Instance_SetPhysicsDestroyer(void (*destroy)(CPhysicsObject* body)) { g_physicsDestroyer = destroy; }

void InstanceMap_Prepare() { g_instanceMap.SetValueDeleter(DeleteInstance); }

namespace {

// The map grows with the instances so that a bucket keeps a few entries: a
// lookup of a new id would otherwise walk a share of every instance. Entries
// of one key stay in one bucket in their order.
void GrowInstanceMap() {
  const int32_t buckets = g_instanceMap.BucketCount();
  if (buckets == 0 || g_instanceMap.Count() < buckets * 2) return;
  std::vector<std::pair<uint32_t, void*>> entries;
  entries.reserve(static_cast<size_t>(g_instanceMap.Count()));
  for (int32_t b = 0; b < buckets; ++b) {
    for (const HashNode* node = g_instanceMap.Bucket(b)->first; node != nullptr; node = node->next) {
      entries.emplace_back(node->key, node->value);
    }
  }
  g_instanceMap.Release(kHashKeepValue);
  g_instanceMap.Init(buckets * 4);
  for (const auto& [key, value] : entries) g_instanceMap.Insert(key, value);
}

}  // namespace

void InstanceMap_Insert(CInstance* instance) {
  if (instance == nullptr) return;
  GrowInstanceMap();
  g_instanceMap.Insert(static_cast<uint32_t>(instance->id), instance);
}

bool InstanceMap_Remove(CInstance* instance) {
  if (instance == nullptr) return false;
  const uint32_t key = static_cast<uint32_t>(instance->id);
  HashNode* first = g_instanceMap.FindNode(key);
  for (HashNode* node = first; node != nullptr; node = node->next) {
    if (node->key != key || node->value != instance) continue;
    // Entries of one key keep their order: the first entry's value moves
    // into this node and the first entry goes.
    node->value = first->value;
    return g_instanceMap.Delete(key, kHashKeepValue);
  }
  return false;
}

CInstance* InstanceMap_Get(int32_t id) {
  return static_cast<CInstance*>(g_instanceMap.Find(static_cast<uint32_t>(id)));
}

void InstanceMap_All(int32_t id, std::vector<CInstance*>* out) {
  out->clear();
  const uint32_t key = static_cast<uint32_t>(id);
  for (const HashNode* node = g_instanceMap.FindNode(key); node != nullptr; node = node->next) {
    if (node->key == key) out->push_back(static_cast<CInstance*>(node->value));
  }
}

void Instance_DeleteAll() {
  InstanceMap_Prepare();
  for (int32_t b = 0; b < g_instanceMap.BucketCount(); ++b) {
    while (g_instanceMap.Bucket(b)->first != nullptr) {
      g_instanceMap.Delete(g_instanceMap.Bucket(b)->first->key, kHashDeleteValue);
    }
  }
  g_instanceMap.Clear(kHashKeepValue);
}

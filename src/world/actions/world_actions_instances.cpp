#include <string>
#include <vector>

#include "resources/sprite.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"

namespace {

void ShowNumbered(const char* prefix, int32_t number, bool fatal) {
  Error_Show((prefix + std::to_string(number)).c_str(), fatal);
}

void RunCreate(CInstance* instance) {
  Perform_Event_Instance(instance, instance, kEventCreate, 0);
  instance->created = 1;
}

void RunDestroyOnce(CInstance* instance) {
  if (instance->destroyEventDone != 0) return;
  instance->destroyEventDone = 1;
  Perform_Event_Instance(instance, instance, kEventDestroy, 0);
  instance->markedForDeletion = 1;
}

// The live instances of the current room whose shape covers the point,
// gathered first: the events run on them may add instances to the list.
std::vector<CInstance*> CoveringPoint(float x, float y) {
  std::vector<CInstance*> found;
  if (g_currentRoom == nullptr) return found;
  for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) {
    if (i->markedForDeletion == 0 && i->CollisionPoint(x, y, 1)) found.push_back(i);
  }
  return found;
}

}  // namespace

CInstance* Run_CreateInstance(int32_t object, float x, float y, const CreateMotion* motion) {
  if (!Object_Exists(object)) {
    ShowNumbered("Creating instance for non-existing object: ", object, false);
    return nullptr;
  }
  if (g_currentRoom == nullptr) return nullptr;
  CInstance* instance = g_currentRoom->AddInstance(x, y, object);
  if (motion != nullptr) {
    instance->SetSpeed(motion->speed);
    instance->SetDirection(motion->direction);
  }
  RunCreate(instance);
  return instance;
}

CInstance* Run_CopyInstance(CInstance* instance, bool performCreate) {
  if (instance == nullptr || g_currentRoom == nullptr) return nullptr;
  CInstance* copy = g_currentRoom->AddInstance(instance->x, instance->y, instance->object_index);
  const int32_t id = copy->id;
  copy->Assign(*instance, true);
  copy->id = id;
  InstanceList_Unlink(&g_currentRoom->active, copy);
  InstanceList_InsertByDepth(&g_currentRoom->active, copy);
  Instance_QueueIfDisagreeing(copy, true);
  if (performCreate) RunCreate(copy);
  return copy;
}

void Run_DestroyInstance(CInstance* instance) {
  if (instance != nullptr) RunDestroyOnce(instance);
}

void Run_ChangeInstance(CInstance* instance, int32_t object, bool performEvents) {
  if (!Object_Exists(object)) {
    ShowNumbered("Asking to change into non-existing object: ", object, false);
    return;
  }
  if (instance == nullptr) return;
  if (performEvents && instance->destroyEventDone == 0) {
    Perform_Event_Instance(instance, instance, kEventDestroy, 0);
  }
  instance->SetObjectIndex(object, true);
  // It keeps its place in the list under its new depth.
  DepthOrder_Refresh(instance);
  instance->creationStamp = g_eventSerial;
  if (performEvents) RunCreate(instance);
}

void Run_SetSprite(CInstance* instance, int32_t sprite) {
  if (!Sprite_Exists(sprite)) {
    ShowNumbered("Setting instance to non-existing sprite: ", sprite, false);
    return;
  }
  if (instance != nullptr) instance->SetSpriteIndex(sprite);
}

void Run_PositionDestroy(float x, float y) {
  for (CInstance* instance : CoveringPoint(x, y)) RunDestroyOnce(instance);
}

void Run_PositionChange(float x, float y, int32_t object, bool performEvents) {
  if (!Object_Exists(object)) {
    ShowNumbered("Asking to change into non-existing object: ", object, false);
    return;
  }
  for (CInstance* instance : CoveringPoint(x, y)) Run_ChangeInstance(instance, object, performEvents);
}

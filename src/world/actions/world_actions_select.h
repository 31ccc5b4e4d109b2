// Walking the instances a selector names, and trying an instance at
// another place. Shared by the world actions and the motion planners.
#pragma once

#include <cstdint>

#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

// Calls visit(instance) for every live instance the selector names, in list
// order, until it returns true; that instance is returned (else null). The
// next link is taken before the visit.
template <typename Visit>
CInstance* Select_Find(int32_t selector, Visit visit) {
  if (selector >= kFirstInstanceId) {
    CInstance* instance = Instance_Find(selector);
    return instance != nullptr && instance->markedForDeletion == 0 && visit(instance) ? instance : nullptr;
  }
  if (selector == kInstanceAll) {
    if (g_currentRoom == nullptr) return nullptr;
    for (CInstance* instance = g_currentRoom->active.head; instance != nullptr;) {
      CInstance* next = instance->next;
      if (instance->markedForDeletion == 0 && visit(instance)) return instance;
      instance = next;
    }
    return nullptr;
  }
  CObject* object = Object_Get(selector);
  if (object == nullptr) return nullptr;
  for (ObjectInstanceNode* node = object->descendants.head; node != nullptr;) {
    ObjectInstanceNode* next = node->next;
    CInstance* instance = node->instance;
    if (instance != nullptr && instance->markedForDeletion == 0 && visit(instance)) return instance;
    node = next;
  }
  return nullptr;
}

// Puts an instance at another place for a test and back afterwards, box
// included, so that a probe leaves no trace.
class PlaceProbe {
 public:
  PlaceProbe(CInstance* instance, float x, float y)
      : instance_(instance),
        x_(instance->x),
        y_(instance->y),
        dirty_(instance->bboxDirty),
        box_{instance->bbox_left, instance->bbox_top, instance->bbox_right, instance->bbox_bottom} {
    instance->SetPosition(x, y);
  }
  ~PlaceProbe() {
    instance_->x = x_;
    instance_->y = y_;
    instance_->bboxDirty = dirty_;
    instance_->bbox_left = box_[0];
    instance_->bbox_top = box_[1];
    instance_->bbox_right = box_[2];
    instance_->bbox_bottom = box_[3];
  }
  PlaceProbe(const PlaceProbe&) = delete;
  PlaceProbe& operator=(const PlaceProbe&) = delete;

 private:
  CInstance* instance_;
  float x_, y_;
  uint8_t dirty_;
  int32_t box_[4];
};

// Run_PlaceEmpty when `all`, else Run_PlaceFree.
inline bool Place_IsFree(CInstance* instance, float x, float y, bool all) {
  return all ? Run_PlaceEmpty(instance, x, y) : Run_PlaceFree(instance, x, y);
}

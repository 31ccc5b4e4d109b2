// The room's instance lists and the id map entries rooms make.
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"

namespace {

// Links the instance in just before `after` (at the tail when null).
void LinkBefore(InstanceList* list, CInstance* instance, CInstance* after) {
  instance->next = after;
  if (after == nullptr) {
    instance->prev = list->tail;
    if (list->tail != nullptr) list->tail->next = instance;
    list->tail = instance;
  } else {
    instance->prev = after->prev;
    after->prev = instance;
  }
  if (instance->prev == nullptr) {
    list->head = instance;
  } else if (after != nullptr) {
    instance->prev->next = instance;
  }
  ++list->count;
  DepthOrder_Insert(&list->order, instance, after, instance->prev);
}

}  // namespace

// The place is the one a walk from the head finds: before the first
// instance whose depth is not at most the new one's.
void InstanceList_InsertByDepth(InstanceList* list, CInstance* instance) {
  LinkBefore(list, instance, DepthOrder_FirstAbove(list->order, instance->depth));
}

void InstanceList_Append(InstanceList* list, CInstance* instance) { LinkBefore(list, instance, nullptr); }

void InstanceList_Unlink(InstanceList* list, CInstance* instance) {
  // Another list's instance is left alone, so neither list nor tree suffers.
  if (!DepthOrder_Holds(list->order, instance)) return;
  if (instance->prev != nullptr) {
    instance->prev->next = instance->next;
  } else if (list->head == instance) {
    list->head = instance->next;
  } else {
    return;  // not in this list
  }
  if (instance->next != nullptr) {
    instance->next->prev = instance->prev;
  } else {
    list->tail = instance->prev;
  }
  instance->next = nullptr;
  instance->prev = nullptr;
  --list->count;
  DepthOrder_Remove(&list->order, instance);
}

bool InstanceList_Check(const InstanceList& list) { return DepthOrder_Check(list.order, list.head, list.count); }

CInstance* Instance_Find(int32_t id) { return InstanceMap_Get(id); }

void Instance_EnterIdMap(CInstance* instance) {
  InstanceMap_Remove(instance);
  InstanceMap_Insert(instance);
}

void Instance_LeaveIdMap(CInstance* instance) { InstanceMap_Remove(instance); }

void Instance_LinkObject(CInstance* instance) {
  if (instance->object != nullptr) instance->object->AddInstance(instance, &instance->objectLinks);
}

void Instance_UnlinkObject(CInstance* instance) {
  if (instance->object != nullptr) instance->object->RemoveInstance(instance, &instance->objectLinks);
}

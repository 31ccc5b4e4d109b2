// The room's instance lists and the id map entries rooms make.
#include "gamefile/object.h"
#include "world/instance/instance.h"
#include "world/room/room.h"

void InstanceList_InsertByDepth(InstanceList* list, CInstance* instance) {
  CInstance* after = list->head;
  while (after != nullptr && after->depth <= instance->depth) after = after->next;
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
}

void InstanceList_Append(InstanceList* list, CInstance* instance) {
  instance->next = nullptr;
  instance->prev = list->tail;
  if (list->tail != nullptr) {
    list->tail->next = instance;
  } else {
    list->head = instance;
  }
  list->tail = instance;
  ++list->count;
}

void InstanceList_Unlink(InstanceList* list, CInstance* instance) {
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
}

CInstance* Instance_Find(int32_t id) { return InstanceMap_Get(id); }

void Instance_EnterIdMap(CInstance* instance) {
  InstanceMap_Remove(instance);
  InstanceMap_Insert(instance);
}

void Instance_LeaveIdMap(CInstance* instance) { InstanceMap_Remove(instance); }

void Instance_LinkObject(CInstance* instance) {
  if (instance->object != nullptr) instance->object->AddInstance(instance);
}

void Instance_UnlinkObject(CInstance* instance) {
  if (instance->object != nullptr) instance->object->RemoveInstance(instance);
}

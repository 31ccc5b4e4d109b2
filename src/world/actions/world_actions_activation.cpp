// Deactivating and activating instances. Only the deactivated byte changes
// here (and the instance is queued); ApplyActivation then moves each
// instance whose byte changed.
#include "resources/sprite.h"
#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

bool Outside(CInstance* instance, const ActivationRegion& r) {
  if (!Sprite_Exists(instance->sprite_index) && !Sprite_Exists(instance->mask_index)) {
    return instance->x < r.left || instance->x > r.right || instance->y < r.top || instance->y > r.bottom;
  }
  instance->RefreshBoundingBox();
  return instance->bbox_right < r.left || instance->bbox_left > r.right || instance->bbox_bottom < r.top ||
         instance->bbox_top > r.bottom;
}

template <typename Visit>
void EachIn(const InstanceList& list, Visit visit) {
  for (CInstance* instance = list.head; instance != nullptr; instance = instance->next) visit(instance);
}

void SetByte(CInstance* instance, uint8_t value) { Instance_SetDeactivated(instance, value != 0); }

void MarkSelected(int32_t selector, uint8_t value) {
  if (selector == kInstanceAll) return EachIn(g_currentRoom->active, [&](CInstance* i) { SetByte(i, value); });
  if (selector >= kFirstInstanceId) {
    CInstance* found = Instance_Find(selector);
    if (found != nullptr && found->markedForDeletion == 0) SetByte(found, value);
    return;
  }
  CObject* object = selector >= 0 ? Object_Get(selector) : nullptr;
  if (object == nullptr) return;
  for (ObjectInstanceNode* node = object->descendants.head; node != nullptr; node = node->next) {
    SetByte(node->instance, value);
  }
}

bool OfObject(const CInstance* instance, int32_t objectIndex) {
  if (instance->object_index == objectIndex) return true;
  const CObject* object = Object_Get(instance->object_index);
  return object != nullptr && object->HasAncestor(objectIndex);
}

void Apply() { g_currentRoom->ApplyActivation(); }

}  // namespace

void Run_DeactivateAll(CInstance* keep) {
  if (g_currentRoom == nullptr) return;
  EachIn(g_currentRoom->active, [](CInstance* i) { SetByte(i, 1); });
  SetByte(keep, 0);
  Apply();
}

void Run_ActivateAll() {
  if (g_currentRoom == nullptr) return;
  EachIn(g_currentRoom->deactivated, [](CInstance* i) { SetByte(i, 0); });
  Apply();
}

void Run_SetDeactivated(CInstance* instance, bool deactivated) {
  if (g_currentRoom == nullptr) return;
  SetByte(instance, deactivated ? 1 : 0);
  Apply();
}

void Run_DeactivateSelected(int32_t selector) {
  if (g_currentRoom == nullptr) return;
  MarkSelected(selector, 1);
  Apply();
}

void Run_ActivateSelected(int32_t selector) {
  if (g_currentRoom == nullptr) return;
  if (selector == kInstanceAll || (selector >= 0 && selector < kFirstInstanceId)) {
    EachIn(g_currentRoom->deactivated, [&](CInstance* i) {
      if (selector == kInstanceAll || OfObject(i, selector)) SetByte(i, 0);
    });
  } else {
    MarkSelected(selector, 0);
  }
  Apply();
}

void Run_DeactivateRegion(const ActivationRegion& region, bool inside, CInstance* keep) {
  if (g_currentRoom == nullptr) return;
  EachIn(g_currentRoom->active, [&](CInstance* i) {
    if (Outside(i, region) != inside) SetByte(i, 1);
  });
  SetByte(keep, 0);
  Apply();
}

void Run_ActivateRegion(const ActivationRegion& region, bool inside) {
  if (g_currentRoom == nullptr) return;
  EachIn(g_currentRoom->deactivated, [&](CInstance* i) {
    if (Outside(i, region) != inside) SetByte(i, 0);
  });
  Apply();
}

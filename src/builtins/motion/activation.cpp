// Deactivating and activating instances. The handlers only set or clear
// each instance's deactivated byte; the room then moves every instance
// whose byte changed between its active and deactivated lists, once.
#include "builtins/motion/handlers.h"
#include "gamefile/object.h"
#include "gamefile/sprite.h"
#include "world/room.h"
#include "world/room_change.h"
#include "world/world_actions.h"

namespace {

struct Region {
  double x1, y1, x2, y2;
};

Region RegionOf(const BuiltinArgs& a) {
  const double left = a.Real(0), top = a.Real(1);
  return Region{left, top, left + a.Real(2), top + a.Real(3)};
}

// Outside by the box when the instance has a shape, else by its position;
// a box that touches the region's edge is inside.
bool Outside(CInstance* instance, const Region& r) {
  if (!Sprite_Exists(instance->sprite_index) && !Sprite_Exists(instance->mask_index)) {
    return instance->x < r.x1 || instance->x > r.x2 || instance->y < r.y1 || instance->y > r.y2;
  }
  instance->RefreshBoundingBox();
  return instance->bbox_right < r.x1 || instance->bbox_left > r.x2 || instance->bbox_bottom < r.y1 ||
         instance->bbox_top > r.y2;
}

template <typename Visit>
void EachIn(const InstanceList& list, Visit visit) {
  for (CInstance* instance = list.head; instance != nullptr; instance = instance->next) visit(instance);
}

void SetByte(CInstance* instance, uint8_t value) {
  if (instance != nullptr) instance->deactivated = value;
}

// The instances a selector names for deactivation: self, other, the active
// list, a live id, or the object's own and descendant instances.
void MarkSelected(int32_t selector, CInstance* self, CInstance* other, uint8_t value) {
  if (selector == game::kSelf) return SetByte(self, value);
  if (selector == game::kOther) return SetByte(other, value);
  if (selector == kSelectAll) return EachIn(g_currentRoom->active, [&](CInstance* i) { i->deactivated = value; });
  if (selector >= kFirstInstanceId) {
    CInstance* found = Instance_Find(selector);
    if (game::Live(found)) found->deactivated = value;
    return;
  }
  CObject* object = selector >= 0 ? Object_Get(selector) : nullptr;
  if (object == nullptr) return;
  for (ObjectInstanceNode* node = object->descendants.head; node != nullptr; node = node->next) {
    SetByte(node->instance, value);
  }
}

// Deactivated instances leave their objects' lists, so activation by
// object looks through the deactivated list for the object and its heirs.
bool OfObject(const CInstance* instance, int32_t objectIndex) {
  if (instance->object_index == objectIndex) return true;
  const CObject* object = Object_Get(instance->object_index);
  return object != nullptr && object->HasAncestor(objectIndex);
}

void Apply() { g_currentRoom->ApplyActivation(); }

}  // namespace

KV_BUILTIN(F_InstanceDeactivateAll) {
  if (g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  EachIn(g_currentRoom->active, [](CInstance* i) { i->deactivated = 1; });
  if (a.Bool(0)) SetByte(self, 0);
  Apply();
}

KV_BUILTIN(F_InstanceDeactivateObject) {
  if (g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  MarkSelected(a.Int(0), self, other, 1);
  Apply();
}

KV_BUILTIN(F_InstanceDeactivateRegion) {
  if (g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  const Region region = RegionOf(a);
  const bool inside = a.Bool(4);
  EachIn(g_currentRoom->active, [&](CInstance* i) {
    if (Outside(i, region) != inside) i->deactivated = 1;
  });
  if (a.Bool(5)) SetByte(self, 0);
  Apply();
}

KV_BUILTIN(F_InstanceActivateAll) {
  if (g_currentRoom == nullptr) return;
  EachIn(g_currentRoom->deactivated, [](CInstance* i) { i->deactivated = 0; });
  Apply();
}

KV_BUILTIN(F_InstanceActivateObject) {
  if (g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  const int32_t selector = a.Int(0);
  if (selector == kSelectAll || (selector >= 0 && selector < kFirstInstanceId)) {
    EachIn(g_currentRoom->deactivated, [&](CInstance* i) {
      if (selector == kSelectAll || OfObject(i, selector)) i->deactivated = 0;
    });
  } else {
    MarkSelected(selector, self, other, 0);
  }
  Apply();
}

KV_BUILTIN(F_InstanceActivateRegion) {
  if (g_currentRoom == nullptr) return;
  BuiltinArgs a(argc, args);
  const Region region = RegionOf(a);
  const bool inside = a.Bool(4);
  EachIn(g_currentRoom->deactivated, [&](CInstance* i) {
    if (Outside(i, region) != inside) i->deactivated = 0;
  });
  Apply();
}

#include "world/object/object.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "resources/timeline.h"
#include "runtime/console.h"
#include "runtime/hash.h"
#include "runtime/load_error.h"
#include "runtime/memory.h"
#include "runtime/name_index.h"
#include "runtime/text.h"
#include "script/events/event_perform.h"
#include "script/events/event_world_seam.h"
#include "script/host/script_host.h"
#include "world/object/event_lists.h"

namespace {

constexpr int32_t kObjectBuckets = 512;
// Parent indices from this value up never link.
constexpr int32_t kParentIndexLimit = 100000;

Hash g_objects;
int32_t g_objectCount = 0;
// Kept in step with every change of an object's name or existence.
NameIndex g_byName;
// What the hash answers for each index, so that finding an object by index
// costs no walk along a bucket; indices from kDirectLimit up ask the hash.
std::vector<CObject*> g_byIndex;
constexpr int32_t kDirectLimit = 1 << 20;

// What deletions and removals took out of reach while code may still run
// it or a pass may still walk it; freed by Object_ReleaseRetired.
std::vector<CObject*> g_retiredObjects;
std::vector<CEvent*> g_retiredEvents;
std::vector<ObjectInstanceNode*> g_retiredNodes;

void RecordIndex(int32_t index) {
  if (index < 0 || index >= kDirectLimit) return;
  if (static_cast<size_t>(index) >= g_byIndex.size()) g_byIndex.resize(static_cast<size_t>(index) + 1, nullptr);
  g_byIndex[static_cast<size_t>(index)] = static_cast<CObject*>(g_objects.Find(static_cast<uint32_t>(index)));
}

// After an insert: the hash appends, so the new object is what it answers
// for its index only when nothing held that index before. Asking the hash
// instead would walk the whole bucket, for every object a game loads.
void RecordInserted(int32_t index, CObject* object) {
  if (index < 0 || index >= kDirectLimit) return;
  if (static_cast<size_t>(index) >= g_byIndex.size()) g_byIndex.resize(static_cast<size_t>(index) + 1, nullptr);
  if (g_byIndex[static_cast<size_t>(index)] == nullptr) g_byIndex[static_cast<size_t>(index)] = object;
}

// Chains are free of cycles once loaded; a walk still stops after visiting
// more objects than the store holds.
int32_t WalkLimit() { return g_objects.Count() + 1; }

CObject* ParentByIndex(const CObject* object) { return Object_Get(object->parent); }

CEvent* FindOnChain(int32_t object, int32_t type, int32_t subtype, int32_t* definer) {
  int32_t limit = WalkLimit();
  for (CObject* x = Object_Get(object); x != nullptr && limit-- > 0; x = ParentByIndex(x)) {
    CEvent* event = x->GetOwnEvent(type, subtype);
    if (event != nullptr) {
      if (definer != nullptr) *definer = x->index;
      return event;
    }
  }
  return nullptr;
}

std::string NameOf(int32_t index) { return Object_GetName(index); }

CEvent* FindForPerform(int32_t object, int32_t type, int32_t subtype, int32_t* definer) {
  return GetEvent(object, type, subtype, definer);
}

template <typename Visit>
void ForEachObject(Visit visit) {
  HashIterator it;
  for (void* value = it.Start(&g_objects); value != nullptr; value = it.Next()) visit(static_cast<CObject*>(value));
}

using InstanceSet = std::unordered_set<const CInstance*>;

InstanceSet InstancesOf(const ObjectInstanceList& list) {
  InstanceSet set;
  for (const ObjectInstanceNode* node = list.head; node != nullptr; node = node->next) set.insert(node->instance);
  return set;
}

// The instances of `object` and of everything below it leave the
// descendants lists of every object above it. The nodes are retired rather
// than freed: a with() walking one of those lists may hold one as its next.
void DetachFromAncestors(const CObject* object) {
  const InstanceSet leaving = InstancesOf(object->descendants);
  if (leaving.empty()) return;
  int32_t limit = WalkLimit();
  for (CObject* x = object->parentObject; x != nullptr && limit-- > 0; x = x->parentObject) {
    for (ObjectInstanceNode* node = x->descendants.head; node != nullptr;) {
      ObjectInstanceNode* next = node->next;
      if (leaving.count(node->instance) != 0) {
        x->descendants.Unlink(node);
        g_retiredNodes.push_back(node);
      }
      node = next;
    }
  }
}

void AttachToAncestors(const CObject* object) {
  int32_t limit = WalkLimit();
  for (CObject* x = object->parentObject; x != nullptr && limit-- > 0; x = x->parentObject) {
    for (const ObjectInstanceNode* node = object->descendants.head; node != nullptr; node = node->next) {
      x->descendants.Append(node->instance, node->owner);
    }
  }
}

}  // namespace

ObjectLinks::~ObjectLinks() {
  for (ObjectInstanceNode* node = first; node != nullptr; node = node->sameInstance) node->owner = nullptr;
}

void ObjectInstanceList::Append(CInstance* instance, ObjectLinks* links) {
  auto* node = new ObjectInstanceNode{nullptr, tail, instance, this, links, nullptr};
  if (tail != nullptr)
    tail->next = node;
  else
    head = node;
  tail = node;
  ++count;
  if (links == nullptr) return;
  ObjectInstanceNode** end = &links->first;
  while (*end != nullptr) end = &(*end)->sameInstance;
  *end = node;
}

bool ObjectInstanceList::Remove(CInstance* instance, ObjectLinks* links) {
  ObjectInstanceNode* node = links != nullptr ? links->first : head;
  while (node != nullptr && (node->instance != instance || node->list != this)) {
    node = links != nullptr ? node->sameInstance : node->next;
  }
  if (node == nullptr) return false;
  Unlink(node);
  delete node;
  return true;
}

void ObjectInstanceList::Unlink(ObjectInstanceNode* node) {
  if (node->owner != nullptr) {
    ObjectInstanceNode** at = &node->owner->first;
    while (*at != nullptr && *at != node) at = &(*at)->sameInstance;
    if (*at != nullptr) *at = node->sameInstance;
    node->owner = nullptr;
  }
  if (node->previous != nullptr)
    node->previous->next = node->next;
  else
    head = node->next;
  if (node->next != nullptr)
    node->next->previous = node->previous;
  else
    tail = node->previous;
  --count;
}

void ObjectInstanceList::Clear() {
  while (head != nullptr) Remove(head->instance, head->owner);
}

CObject::~CObject() {
  for (cARRAY_CLASS<CEvent>& slot : events) slot.SetLength(0);
  MemoryManager::Free(name);
}

void CObject::SetName(const char* text) {
  MemoryManager::Free(name);
  name = text != nullptr ? String_Duplicate(text) : nullptr;
  g_byName.Invalidate();
}

CEvent* CObject::GetOwnEvent(int32_t type, int32_t subtype) const {
  if (type < 0 || type >= kEventTypeSlots) return nullptr;
  const cARRAY_CLASS<CEvent>& slot = events[type];
  if (subtype < 0 || subtype >= slot.length) return nullptr;
  CEvent* event = slot[subtype];
  return event != nullptr && event->HasCode() ? event : nullptr;
}

CEvent* CObject::MakeOwnEvent(int32_t type, int32_t subtype) {
  cARRAY_CLASS<CEvent>& slot = events[type];
  if (subtype >= slot.length) slot.SetLength(subtype + 1);
  if (slot[subtype] == nullptr) slot[subtype] = new CEvent();
  return slot[subtype];
}

bool CObject::HasEvent(int32_t type, int32_t subtype) const {
  int32_t limit = WalkLimit();
  for (const CObject* x = this; x != nullptr && limit-- > 0; x = ParentByIndex(x)) {
    if (x->GetOwnEvent(type, subtype) != nullptr) return true;
  }
  return false;
}

bool CObject::HasAncestor(int32_t ancestor) const {
  int32_t limit = WalkLimit();
  for (const CObject* x = this; limit-- > 0;) {
    int32_t up = x->parent;
    if (up < 0) return false;
    if (up == ancestor) return true;
    x = Object_Get(up);
    if (x == nullptr) return false;
  }
  return false;
}

bool CObject::SetParent(int32_t parentIndex) {
  if (parentIndex == index) return false;
  CObject* above = Object_Get(parentIndex);
  if (above != nullptr && above->HasAncestor(index)) return false;
  parent = parentIndex;
  return true;
}

void CObject::AddInstance(CInstance* instance, ObjectLinks* links) {
  instances.Append(instance, links);
  int32_t limit = WalkLimit();
  for (CObject* x = this; x != nullptr && limit-- > 0; x = x->parentObject) x->descendants.Append(instance, links);
}

bool CObject::RemoveInstance(CInstance* instance, ObjectLinks* links) {
  bool found = instances.Remove(instance, links);
  int32_t limit = WalkLimit();
  for (CObject* x = this; x != nullptr && limit-- > 0; x = x->parentObject) {
    found = x->descendants.Remove(instance, links);
  }
  return found;
}

void Object_Init() {
  Object_Shutdown();
  g_objects.Init(kObjectBuckets);
  g_objects.SetValueDeleter(Hash_DeleteObject<CObject>);
}

void Object_AddEventStores(ScriptHost* host) {
  host->eventStores.findEvent = FindForPerform;
  host->eventStores.objectName = NameOf;
  host->eventStores.momentEvent = TimeLine_MomentEvent;
}

int32_t Object_Count() { return g_objectCount; }

CObject* Object_Get(int32_t index) {
  if (index < 0 || g_objects.BucketCount() == 0) return nullptr;
  if (index < kDirectLimit) {
    return static_cast<size_t>(index) < g_byIndex.size() ? g_byIndex[static_cast<size_t>(index)] : nullptr;
  }
  return static_cast<CObject*>(g_objects.Find(static_cast<uint32_t>(index)));
}

bool Object_Exists(int32_t index) { return Object_Get(index) != nullptr; }

const char* Object_GetName(int32_t index) {
  CObject* object = Object_Get(index);
  if (object == nullptr) return "<undefined>";
  return object->name != nullptr ? object->name : "";
}

int32_t Object_Find(const char* name) {
  return g_byName.Find(name,
                       [](auto add) { ForEachObject([&](CObject* object) { add(object->name, object->index); }); });
}

CObject* Object_Place(int32_t index) {
  if (g_objects.BucketCount() == 0) Object_Init();
  auto* object = new CObject(index);
  g_objects.Insert(static_cast<uint32_t>(index), object);
  RecordInserted(index, object);
  g_byName.Invalidate();
  return object;
}

void Object_SetCount(int32_t count) { g_objectCount = count; }

int32_t Object_Add() {
  int32_t index = g_objectCount;
  char name[32];
  std::snprintf(name, sizeof name, "__newobject%d", index);
  Object_Place(index)->SetName(name);
  ++g_objectCount;
  return index;
}

bool Object_Delete(int32_t index) {
  CObject* object = Object_Get(index);
  if (object == nullptr) return true;
  // Nothing in the store may keep pointing at the object; its own lists go
  // with it when it is released.
  DetachFromAncestors(object);
  for (ObjectInstanceNode* node = object->instances.head; node != nullptr; node = node->next) {
    EventWorld_Get().forgetObject(node->instance);
  }
  ForEachObject([&](CObject* child) {
    if (child->parentObject == object) child->parentObject = nullptr;
  });
  g_objects.Delete(static_cast<uint32_t>(index), kHashKeepValue);
  g_retiredObjects.push_back(object);
  RecordIndex(index);
  g_byName.Invalidate();
  return true;
}

ParentChange Object_SetParent(int32_t object, int32_t parent) {
  CObject* child = Object_Get(object);
  if (child == nullptr) return ParentChange::kNoObject;
  CObject* above = nullptr;
  if (parent >= 0) {
    above = Object_Get(parent);
    if (above == nullptr) return ParentChange::kNoParent;
    if (parent == object || above->HasAncestor(object)) return ParentChange::kCycle;
  }
  DetachFromAncestors(child);
  child->parent = parent < 0 ? -1 : parent;
  child->parentObject = above;
  AttachToAncestors(child);
  Object_BuildEventLists();
  return ParentChange::kDone;
}

bool Object_ClearEvent(int32_t object, int32_t type, int32_t subtype) {
  CObject* owner = Object_Get(object);
  if (owner == nullptr || owner->GetOwnEvent(type, subtype) == nullptr) return false;
  CEvent*& slot = owner->events[type][subtype];
  g_retiredEvents.push_back(slot);
  slot = nullptr;
  Event_OnChange();
  Object_BuildEventLists();
  return true;
}

void Object_ReleaseRetired() {
  for (CEvent* event : g_retiredEvents) delete event;
  g_retiredEvents.clear();
  for (CObject* object : g_retiredObjects) delete object;
  g_retiredObjects.clear();
  for (ObjectInstanceNode* node : g_retiredNodes) delete node;
  g_retiredNodes.clear();
}

bool Object_Prepare() {
  g_debugConsole->Output("Preparing %d objects:\n", g_objectCount);
  bool ok = true;
  ForEachObject([&](CObject* object) {
    if (!ok) return;
    g_debugConsole->Output("\tObjects %d: %s\n", object->index, object->name != nullptr ? object->name : "");
    g_eventObject = object->index;
    for (int32_t type = 0; type < kEventTypeSlots && ok; ++type) {
      g_eventType = type;
      for (int32_t subtype = 0; subtype < object->events[type].length && ok; ++subtype) {
        g_eventNumber = subtype;
        CEvent* event = object->events[type][subtype];
        if (event != nullptr && !event->Compile()) ok = false;
      }
    }
  });
  if (!ok) return false;
  Object_LinkParents();
  return true;
}

void Object_LinkParents() {
  ForEachObject([](CObject* object) {
    if (object->parent < 0 || object->parent >= kParentIndexLimit) return;
    CObject* above = Object_Get(object->parent);
    if (above != nullptr) object->parentObject = above;
  });
}

bool Object_CheckParents() {
  bool ok = true;
  ForEachObject([&](CObject* object) {
    if (ok && (object->parent == object->index || object->HasAncestor(object->index))) {
      ok = LoadError_Report("OBJT", "object %d (%s) is its own ancestor", object->index, Object_GetName(object->index));
    }
  });
  return ok;
}

int32_t Object_ChainEventSlots(int32_t object, int32_t type) {
  if (type < 0 || type >= kEventTypeSlots) return 0;
  int32_t slots = 0, limit = WalkLimit();
  for (CObject* x = Object_Get(object); x != nullptr && limit-- > 0; x = ParentByIndex(x)) {
    if (x->events[type].length > slots) slots = x->events[type].length;
  }
  return slots;
}

CEvent* GetEvent(int32_t object, int32_t type, int32_t subtype, int32_t* definer) {
  CEvent* event = FindOnChain(object, type, subtype, definer);
  if (event != nullptr || type != kEventCollision) return event;
  CObject* other = Object_Get(subtype);
  if (other == nullptr) return nullptr;
  // A collision defined for an ancestor of the other object answers too.
  int32_t limit = WalkLimit();
  for (CObject* a = ParentByIndex(other); a != nullptr && limit-- > 0; a = ParentByIndex(a)) {
    event = FindOnChain(object, kEventCollision, a->index, definer);
    if (event != nullptr) return event;
  }
  return nullptr;
}

void Object_Shutdown() {
  Object_ReleaseRetired();
  if (g_objects.BucketCount() != 0) g_objects.Release(kHashDeleteValue);
  g_objectCount = 0;
  g_byIndex.clear();
  g_byName.Invalidate();
}

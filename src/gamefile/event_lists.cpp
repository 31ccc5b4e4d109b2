#include "gamefile/event_lists.h"

#include <utility>
#include <vector>

#include "gamefile/object.h"
#include "runtime/memory.h"
#include "script/events/event.h"

EventObjectList g_eventObjectLists[kEventListTypes * kEventListSubtypes];
int32_t g_eventObjectCounts[kEventListTypes * kEventListSubtypes];
CollisionPairList g_collisionPairs;

namespace {

// Lists grow by this many entries at a time.
constexpr int32_t kGrowth = 5;

void Append(EventObjectList& list, int32_t& count, int32_t object) {
  if (count >= list.capacity) {
    list.objects =
        static_cast<int32_t*>(KV_REALLOC(list.objects, sizeof(int32_t) * static_cast<size_t>(count + kGrowth)));
    list.capacity += kGrowth;
  }
  list.objects[count++] = object;
}

void AppendPair(int32_t owner, int32_t other) {
  CollisionPairList& list = g_collisionPairs;
  if (list.count >= list.capacity) {
    size_t bytes = sizeof(CollisionPair) * static_cast<size_t>(list.count + kGrowth);
    list.pairs = static_cast<CollisionPair*>(KV_REALLOC(list.pairs, bytes));
    list.capacity += kGrowth;
  }
  list.pairs[list.count++] = CollisionPair{owner, other};
}

bool PairListed(int32_t lo, int32_t hi) {
  for (int32_t i = 0; i < g_collisionPairs.count; ++i) {
    if (g_collisionPairs.pairs[i].owner == lo && g_collisionPairs.pairs[i].other == hi) return true;
  }
  return false;
}

bool InTable(int32_t type, int32_t subtype) {
  return type >= 0 && type < kEventListTypes && subtype >= 0 && subtype < kEventListSubtypes;
}

}  // namespace

int32_t EventList_LastSubtype(int32_t type) {
  switch (type) {
    case kEventCreate:
    case kEventDestroy:
    case kEventDraw: return 0;
    case kEventAlarm: return 12;
    case kEventStep: return 16;
    case kEventKeyboard:
    case kEventMouse:
    case kEventOther:
    case kEventKeyPress:
    case kEventKeyRelease: return 128;
    default: return -1;
  }
}

int32_t EventList_Count(int32_t type, int32_t subtype) {
  return InTable(type, subtype) ? g_eventObjectCounts[type * kEventListSubtypes + subtype] : 0;
}

const int32_t* EventList_Objects(int32_t type, int32_t subtype) {
  return InTable(type, subtype) ? g_eventObjectLists[type * kEventListSubtypes + subtype].objects : nullptr;
}

void Object_BuildEventLists() {
  int32_t objects = Object_Count();
  // Objects with slots of the type, and how many their chains hold.
  std::vector<std::pair<int32_t, int32_t>> holders;
  for (int32_t type = 0; type <= kEventKeyRelease; ++type) {
    int32_t* counts = &g_eventObjectCounts[type * kEventListSubtypes];
    for (int32_t s = 0; s < kEventListSubtypes; ++s) counts[s] = 0;
    holders.clear();
    for (int32_t i = 0; i < objects; ++i) {
      int32_t slots = Object_ChainEventSlots(i, type);
      if (slots > 0) holders.emplace_back(i, type == kEventCollision ? kEventListSubtypes : slots);
    }
    for (int32_t s = 0; s <= EventList_LastSubtype(type); ++s) {
      EventObjectList& list = g_eventObjectLists[type * kEventListSubtypes + s];
      for (auto [i, slots] : holders) {
        if (s < slots && GetEvent(i, type, s) != nullptr) Append(list, counts[s], i);
      }
    }
  }
  BuildCollisionPairs();
}

void BuildCollisionPairs() {
  MemoryManager::Free(g_collisionPairs.pairs);
  g_collisionPairs = CollisionPairList{0, nullptr, 0};
  int32_t objects = Object_Count();
  for (int32_t o = 0; o < objects; ++o) {
    // Most objects have no collision events: skip them rather than ask
    // about every other object.
    if (Object_ChainEventSlots(o, kEventCollision) == 0) continue;
    for (int32_t j = 0; j < objects; ++j) {
      if (GetEvent(o, kEventCollision, j) == nullptr) continue;
      int32_t lo = o < j ? o : j;
      int32_t hi = o < j ? j : o;
      if (!PairListed(lo, hi)) AppendPair(o, j);
    }
  }
}

void Object_FreeEventLists() {
  for (EventObjectList& list : g_eventObjectLists) {
    if (list.capacity < 1) continue;
    MemoryManager::Free(list.objects);
    list.objects = nullptr;
    list.capacity = 0;
  }
  for (int32_t& count : g_eventObjectCounts) count = 0;
  MemoryManager::Free(g_collisionPairs.pairs);
  g_collisionPairs = CollisionPairList{0, nullptr, 0};
}

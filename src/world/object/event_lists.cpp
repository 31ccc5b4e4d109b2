#include "world/object/event_lists.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "runtime/memory.h"
#include "script/events/event.h"
#include "world/object/object.h"

EventObjectList g_eventObjectLists[kEventListTypes * kEventListSubtypes];
int32_t g_eventObjectCounts[kEventListTypes * kEventListSubtypes];
CollisionPairList g_collisionPairs;

namespace {

// Lists grow by this many entries at a time.
constexpr int32_t kGrowth = 5;

// The capacity a list of `capacity` reaches when grown kGrowth entries at a
// time until `count` fit: worked out at once, so that a list of n entries
// costs one copy rather than n / kGrowth of them.
int32_t GrownCapacity(int32_t capacity, int32_t count) {
  if (count <= capacity) return capacity;
  return capacity + (count - capacity + kGrowth - 1) / kGrowth * kGrowth;
}

template <typename T>
T* Grown(T* array, int32_t& capacity, int32_t count) {
  int32_t grown = GrownCapacity(capacity, count);
  if (grown == capacity) return array;
  capacity = grown;
  return static_cast<T*>(KV_REALLOC(array, sizeof(T) * static_cast<size_t>(grown)));
}

void Fill(EventObjectList& list, int32_t& count, const std::vector<int32_t>& objects) {
  count = static_cast<int32_t>(objects.size());
  list.objects = Grown(list.objects, list.capacity, count);
  std::copy(objects.begin(), objects.end(), list.objects);
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
  std::vector<int32_t> listed;
  for (int32_t type = 0; type <= kEventKeyRelease; ++type) {
    int32_t* counts = &g_eventObjectCounts[type * kEventListSubtypes];
    for (int32_t s = 0; s < kEventListSubtypes; ++s) counts[s] = 0;
    holders.clear();
    for (int32_t i = 0; i < objects; ++i) {
      int32_t slots = Object_ChainEventSlots(i, type);
      if (slots > 0) holders.emplace_back(i, type == kEventCollision ? kEventListSubtypes : slots);
    }
    for (int32_t s = 0; s <= EventList_LastSubtype(type); ++s) {
      listed.clear();
      for (auto [i, slots] : holders) {
        if (s < slots && GetEvent(i, type, s) != nullptr) listed.push_back(i);
      }
      Fill(g_eventObjectLists[type * kEventListSubtypes + s], counts[s], listed);
    }
  }
  BuildCollisionPairs();
}

void BuildCollisionPairs() {
  MemoryManager::Free(g_collisionPairs.pairs);
  g_collisionPairs = CollisionPairList{0, nullptr, 0};
  int32_t objects = Object_Count();
  std::vector<CollisionPair> pairs;
  // Each unordered pair already listed, as lo * objects + hi.
  std::unordered_set<int64_t> listed;
  for (int32_t o = 0; o < objects; ++o) {
    // Most objects have no collision events: skip them rather than ask
    // about every other object.
    if (Object_ChainEventSlots(o, kEventCollision) == 0) continue;
    for (int32_t j = 0; j < objects; ++j) {
      if (GetEvent(o, kEventCollision, j) == nullptr) continue;
      int64_t lo = o < j ? o : j;
      int64_t hi = o < j ? j : o;
      if (listed.insert(lo * objects + hi).second) pairs.push_back(CollisionPair{o, j});
    }
  }
  g_collisionPairs.count = static_cast<int32_t>(pairs.size());
  g_collisionPairs.pairs = Grown<CollisionPair>(nullptr, g_collisionPairs.capacity, g_collisionPairs.count);
  std::copy(pairs.begin(), pairs.end(), g_collisionPairs.pairs);
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

// For every event type and subtype, the objects that own or inherit that
// event, and one list of the object pairs with a collision event between
// them. Built at game start; readers index the tables directly.
#pragma once

#include <cstdint>

constexpr int32_t kEventListTypes = 12;
constexpr int32_t kEventListSubtypes = 256;

struct EventObjectList {
  int32_t capacity;
  int32_t* objects;
};

// Indexed by type * 256 + subtype; the counts run parallel.
extern EventObjectList g_eventObjectLists[kEventListTypes * kEventListSubtypes];
extern int32_t g_eventObjectCounts[kEventListTypes * kEventListSubtypes];

struct CollisionPair {
  int32_t owner;  // the object whose event runs
  int32_t other;
};

struct CollisionPairList {
  int32_t capacity;
  CollisionPair* pairs;
  int32_t count;
};

extern CollisionPairList g_collisionPairs;

// Highest listed subtype of an event type; -1 when the type has no lists.
int32_t EventList_LastSubtype(int32_t type);
// Count and objects of (type, subtype); 0 and null outside the tables.
int32_t EventList_Count(int32_t type, int32_t subtype);
const int32_t* EventList_Objects(int32_t type, int32_t subtype);

void Object_BuildEventLists();
void BuildCollisionPairs();
void Object_FreeEventLists();

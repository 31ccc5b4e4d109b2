// What event performs and the object store need from the running world:
// whether a room change is pending, the current room's active instances in
// order, an instance's object and deletion mark, and a way to tell an
// instance that its object is gone. The world installs its table; a null
// member answers as a world with no room and no change pending.
#pragma once

#include <cstdint>

class CInstance;

struct EventWorldHooks {
  // The room-change code is not -1.
  bool (*roomChangePending)() = nullptr;
  // The first instance of the current room's active list; null when there
  // is no room or no instance.
  CInstance* (*firstRoomInstance)() = nullptr;
  CInstance* (*nextRoomInstance)(CInstance* instance) = nullptr;
  bool (*isMarkedForDeletion)(CInstance* instance) = nullptr;
  int32_t (*objectIndexOf)(CInstance* instance) = nullptr;
  // The instance's object was deleted: it must stop pointing at it.
  void (*forgetObject)(CInstance* instance) = nullptr;
};

// Replaces the whole table; a default-constructed one puts the empty world
// back.
void EventWorld_Install(const EventWorldHooks& hooks);
const EventWorldHooks& EventWorld_Get();

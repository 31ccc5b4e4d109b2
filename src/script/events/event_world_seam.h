// What event performs and the object store need from the running world:
// whether a room change is pending, the current room's active instances in
// order, an instance's object and deletion mark, and a way to tell an
// instance that its object is gone. The world installs its implementation;
// until then the stub answers as a world with no room and no change pending.
#pragma once

#include <cstdint>

class CInstance;

class IEventWorld {
 public:
  virtual ~IEventWorld() = default;
  // The room-change code is not -1.
  virtual bool RoomChangePending() = 0;
  // The first instance of the current room's active list; null when there
  // is no room or no instance.
  virtual CInstance* FirstRoomInstance() = 0;
  virtual CInstance* NextRoomInstance(CInstance* instance) = 0;
  virtual bool IsMarkedForDeletion(CInstance* instance) = 0;
  virtual int32_t ObjectIndexOf(CInstance* instance) = 0;
  // The instance's object was deleted: it must stop pointing at it.
  virtual void ForgetObject(CInstance* instance) = 0;
};

// Null puts the stub back.
void EventWorld_Install(IEventWorld* world);
IEventWorld& EventWorld_Get();

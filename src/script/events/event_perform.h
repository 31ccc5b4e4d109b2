// Performing events: finding an object's event through its parent chain
// and running it with the current event set, restored afterwards. The
// object and time-line stores register how they are searched when they are
// initialised; before that there are no objects and no time lines.
#pragma once

#include <cstdint>
#include <string>

class CEvent;
class CInstance;

struct EventStoreHooks {
  // The event (type, number) of object `object` or its nearest ancestor that
  // has it, with that ancestor's index in *definer; null when none.
  CEvent* (*findEvent)(int32_t object, int32_t type, int32_t number, int32_t* definer) = nullptr;
  // Object_GetName: "<undefined>" for no object.
  std::string (*objectName)(int32_t index) = nullptr;
  // Moment `moment` of time line `timeLine` with its step; null when absent.
  CEvent* (*momentEvent)(int32_t timeLine, int32_t moment, int32_t* step) = nullptr;
};
// Replaces the whole table; a null member finds nothing.
void Event_SetStoreHooks(const EventStoreHooks& hooks);

// The object's name through the store hook.
std::string Event_ObjectName(int32_t index);

void Perform_Event(CInstance* self, CInstance* other, int32_t object, int32_t type, int32_t number);
void Perform_Event_Instance(CInstance* instance, CInstance* other, int32_t type, int32_t number);
// Every active instance of the current room, each as self and other.
void Perform_Event_All(int32_t type, int32_t number);
void Perform_Event_TimeLine(CInstance* self, CInstance* other, int32_t timeLine, int32_t moment);
// Called after an event was removed from an object; nothing to do yet.
void Event_OnChange();

#include "script/events/event_perform.h"

#include "script/events/event.h"
#include "script/events/event_world_seam.h"

namespace {

EventStoreHooks g_hooks;

// Sets the current event for one run and puts the outer one back after.
class CurrentEventScope {
 public:
  CurrentEventScope(int32_t object, int32_t type, int32_t number)
      : object_(g_eventObject), type_(g_eventType), number_(g_eventNumber) {
    g_eventObject = object;
    g_eventType = type;
    g_eventNumber = number;
  }
  ~CurrentEventScope() {
    g_eventObject = object_;
    g_eventType = type_;
    g_eventNumber = number_;
  }
  CurrentEventScope(const CurrentEventScope&) = delete;
  CurrentEventScope& operator=(const CurrentEventScope&) = delete;

 private:
  int32_t object_;
  int32_t type_;
  int32_t number_;
};

}  // namespace

void Event_SetStoreHooks(const EventStoreHooks& hooks) { g_hooks = hooks; }

std::string Event_ObjectName(int32_t index) {
  return g_hooks.objectName != nullptr ? g_hooks.objectName(index) : "<undefined>";
}

void Perform_Event(CInstance* self, CInstance* other, int32_t object, int32_t type, int32_t number) {
  if (EventWorld_Get().roomChangePending() || g_hooks.findEvent == nullptr) return;
  int32_t definer = -1;
  CEvent* event = g_hooks.findEvent(object, type, number, &definer);
  if (event == nullptr) return;
  CurrentEventScope scope(definer, type, number);
  event->Execute(self, other);
}

void Perform_Event_Instance(CInstance* instance, CInstance* other, int32_t type, int32_t number) {
  if (instance == nullptr) return;
  Perform_Event(instance, other, EventWorld_Get().objectIndexOf(instance), type, number);
}

void Perform_Event_All(int32_t type, int32_t number) {
  const EventWorldHooks& world = EventWorld_Get();
  if (world.roomChangePending()) return;
  CInstance* next = world.firstRoomInstance();
  while (next != nullptr) {
    CInstance* instance = next;
    // The event may destroy this instance: step past it first.
    next = world.nextRoomInstance(instance);
    if (world.isMarkedForDeletion(instance)) continue;
    Perform_Event(instance, instance, world.objectIndexOf(instance), type, number);
  }
}

void Perform_Event_TimeLine(CInstance* self, CInstance* other, int32_t timeLine, int32_t moment) {
  if (EventWorld_Get().roomChangePending() || g_hooks.momentEvent == nullptr) return;
  int32_t step = 0;
  CEvent* event = g_hooks.momentEvent(timeLine, moment, &step);
  if (event == nullptr) return;
  CurrentEventScope scope(timeLine, kEventTimeLine, step);
  event->Execute(self, other);
}

void Event_OnChange() {}

#include "builtins/misc/events.h"

#include "script/events/event.h"
#include "script/events/event_perform.h"
#include "world/object/object.h"

void F_EventInherited(KV_BUILTIN_PARAMS) {
  // A time-line moment is no object's event: it has nothing to inherit.
  if (g_eventType == kEventTimeLine) return;
  const CObject* object = Object_Get(g_eventObject);
  if (object == nullptr || !Object_Exists(object->parent)) return;
  Perform_Event(self, other, object->parent, g_eventType, g_eventNumber);
}

void F_EventPerform(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Perform_Event_Instance(self, other, in.Int(0), in.Int(1));
}

void F_EventUser(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  const int64_t number = static_cast<int64_t>(in.Int(0)) + kOtherUser0;
  if (number > INT32_MAX) return;
  Perform_Event_Instance(self, other, kEventOther, static_cast<int32_t>(number));
}

void F_EventPerformObject(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  Perform_Event(self, other, in.Int(0), in.Int(1), in.Int(2));
}

#include "script/events/event_world_seam.h"

namespace {

bool NoChange() { return false; }
CInstance* NoInstance() { return nullptr; }
CInstance* NoNext(CInstance*) { return nullptr; }
bool NotMarked(CInstance*) { return false; }
int32_t NoObject(CInstance*) { return -1; }
void ForgetNothing(CInstance*) {}

EventWorldHooks g_world = {NoChange, NoInstance, NoNext, NotMarked, NoObject, ForgetNothing};

template <typename Hook>
void Take(Hook* slot, Hook given, Hook fallback) {
  *slot = given != nullptr ? given : fallback;
}

}  // namespace

void EventWorld_Install(const EventWorldHooks& hooks) {
  Take(&g_world.roomChangePending, hooks.roomChangePending, NoChange);
  Take(&g_world.firstRoomInstance, hooks.firstRoomInstance, NoInstance);
  Take(&g_world.nextRoomInstance, hooks.nextRoomInstance, NoNext);
  Take(&g_world.isMarkedForDeletion, hooks.isMarkedForDeletion, NotMarked);
  Take(&g_world.objectIndexOf, hooks.objectIndexOf, NoObject);
  Take(&g_world.forgetObject, hooks.forgetObject, ForgetNothing);
}

const EventWorldHooks& EventWorld_Get() { return g_world; }

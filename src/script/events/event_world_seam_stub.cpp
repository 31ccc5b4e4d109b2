#include "script/events/event_world_seam.h"

#include "runtime/service_seam.h"

namespace {

bool NoChange() { return false; }
CInstance* NoInstance() { return nullptr; }
CInstance* NoNext(CInstance*) { return nullptr; }
bool NotMarked(CInstance*) { return false; }
int32_t NoObject(CInstance*) { return -1; }
void ForgetNothing(CInstance*) {}

EventWorldHooks g_world = {NoChange, NoInstance, NoNext, NotMarked, NoObject, ForgetNothing};

}  // namespace

void EventWorld_Install(const EventWorldHooks& hooks) {
  Seam_Take(&g_world.roomChangePending, hooks.roomChangePending, NoChange);
  Seam_Take(&g_world.firstRoomInstance, hooks.firstRoomInstance, NoInstance);
  Seam_Take(&g_world.nextRoomInstance, hooks.nextRoomInstance, NoNext);
  Seam_Take(&g_world.isMarkedForDeletion, hooks.isMarkedForDeletion, NotMarked);
  Seam_Take(&g_world.objectIndexOf, hooks.objectIndexOf, NoObject);
  Seam_Take(&g_world.forgetObject, hooks.forgetObject, ForgetNothing);
}

const EventWorldHooks& EventWorld_Get() { return g_world; }

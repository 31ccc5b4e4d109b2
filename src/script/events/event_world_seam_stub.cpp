#include "script/events/event_world_seam.h"

namespace {

class EmptyEventWorld final : public IEventWorld {
 public:
  bool RoomChangePending() override { return false; }
  CInstance* FirstRoomInstance() override { return nullptr; }
  CInstance* NextRoomInstance(CInstance*) override { return nullptr; }
  bool IsMarkedForDeletion(CInstance*) override { return false; }
  int32_t ObjectIndexOf(CInstance*) override { return -1; }
  void ForgetObject(CInstance*) override {}
};

EmptyEventWorld g_emptyWorld;
IEventWorld* g_eventWorld = &g_emptyWorld;

}  // namespace

void EventWorld_Install(IEventWorld* world) { g_eventWorld = world != nullptr ? world : &g_emptyWorld; }

IEventWorld& EventWorld_Get() { return *g_eventWorld; }

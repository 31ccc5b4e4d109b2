// Ends whatever run a world test started and empties the room, its
// instances and the seams the world installed, so the next test starts clean.
#pragma once

#include "script/event_world_seam.h"
#include "script/world_seam.h"
#include "world/instance.h"
#include "world/room_change.h"
#include "world/room_store.h"

inline void World_TearDownForTest() {
  Run_EndGame();
  RoomChange_Shutdown();
  Room_Shutdown();
  Instance_DeleteAll();
  EventWorld_Install(nullptr);
  WorldSeam_Install(nullptr);
}

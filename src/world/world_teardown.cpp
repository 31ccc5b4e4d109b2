#include "world/world_teardown.h"

#include "runtime/run_flags.h"
#include "script/error_report.h"
#include "script/event_world_seam.h"
#include "script/world_seam.h"
#include "world/game_loop.h"
#include "world/instance.h"
#include "world/room_change.h"
#include "world/room_store.h"
#include "world/run_state.h"

void World_TearDownForTest() {
  Run_EndGame();
  RoomChange_Shutdown();
  Room_Shutdown();
  Instance_DeleteAll();
  EventWorld_Install(nullptr);
  WorldSeam_Install(nullptr);
  Error_SetHooks(ErrorHooks());
  Error_ResetState();
  Run_ResetClock();
  RunState_Reset();
  RunFlags_Reset();
}

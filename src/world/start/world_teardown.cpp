#include "world/start/world_teardown.h"

#include "requests/http_request.h"
#include "resources/text_draw.h"
#include "runtime/run_flags.h"
#include "script/host/script_host.h"
#include "world/instance/instance.h"
#include "world/loop/game_loop.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/services/platform_services.h"

void World_TearDownForTest() {
  Run_EndGame();
  RoomChange_Shutdown();
  Room_Shutdown();
  Instance_DeleteAll();
  HTTP_ResetForTest();
  Services_ResetForTest();
  ScriptHost host = ScriptHost_Get();
  host.eventWorld = {};
  host.variableWorld = {};
  host.errors = {};
  ScriptHost_Install(host);
  Error_ResetState();
  Run_ResetClock();
  RunState_Reset();
  RunFlags_Reset();
  GR_Text_Reset();
}

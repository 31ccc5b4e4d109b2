#include "world/start/world_hooks.h"

#include "audio/openal/sound_hardware.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/function_stores.h"
#include "graphics/device/graphics.h"
#include "resources/timeline.h"
#include "runtime/process.h"
#include "runtime/runtime_error.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_names.h"
#include "shell/window.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/physics_binding.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/start/name_lookups.h"
#include "world/variables/builtin_variables.h"

namespace {

void CurrentPlace(ErrorPlace* place) {
  place->eventType = g_eventType;
  place->eventNumber = g_eventNumber;
  place->eventObject = g_eventObject;
  place->eventAction = g_eventAction;
}

std::string ObjectName(int32_t index) { return Object_GetName(index); }
std::string TimeLineName(int32_t index) { return TimeLine_GetName(index); }

// The quit message ends the run at the next pump: after the current
// frame, or before the first one when the game is still starting.
void RequestQuit(int32_t roomCode) {
  g_newRoom = roomCode;
  Win_PostQuit();
}

// Precompiled code names its texts by string-table index.
const char* GameStringText(const VMBuffer*, int32_t index) {
  return index < 0 ? nullptr : StringTable_Get(static_cast<uint32_t>(index));
}

// Fades count frames at the room's speed; 0 says there is no room.
int32_t RoomSpeedForSound() { return g_currentRoom != nullptr ? g_currentRoom->speed : 0; }

}  // namespace

ScriptHost WorldHooks_ScriptHost() {
  ScriptHost host;
  NameLookups_AddTo(&host);
  GameFile_AddFunctionStores(&host);
  Object_AddEventStores(&host);
  InstanceSeams_AddTo(&host);
  BuiltinVariables_AddTo(&host);
  host.strings = GameStringText;
  // An error report over a full-screen game would be hidden behind it.
  host.beforeCompileError = Graphics::LeaveFullscreen;
  host.errors.currentPlace = CurrentPlace;
  host.errors.eventName = Event_Names;
  host.errors.objectName = ObjectName;
  host.errors.timeLineName = TimeLineName;
  host.errors.processMessages = Runner_ProcessMessages;
  host.errors.refreshDebugger = Debugger_Refresh;
  host.errors.requestQuit = RequestQuit;
  return host;
}

void WorldHooks_Install() {
  SoundHardware_SetRoomSpeedSource(RoomSpeedForSound);
  Physics_InstallInstanceHooks();
  RuntimeError_SetReporter(Error_Show);
}

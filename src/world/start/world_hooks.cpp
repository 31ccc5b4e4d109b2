#include "world/start/world_hooks.h"

#include "audio/openal/sound_hardware.h"
#include "gamefile/object.h"
#include "resources/timeline.h"
#include "runtime/process.h"
#include "script/events/error_report.h"
#include "script/events/event.h"
#include "script/events/event_names.h"
#include "shell/window.h"
#include "world/instance/instance_seams.h"
#include "world/room/physics_binding.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/debugger_seam.h"
#include "world/run/run_state.h"
#include "world/start/name_lookups.h"

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

}  // namespace

namespace {

// Fades count frames at the room's speed; 0 says there is no room.
int32_t RoomSpeedForSound() { return g_currentRoom != nullptr ? g_currentRoom->speed : 0; }

}  // namespace

void WorldHooks_Install() {
  SoundHardware_SetRoomSpeedSource(RoomSpeedForSound);
  NameLookups_Install();
  ErrorHooks hooks;
  hooks.currentPlace = CurrentPlace;
  hooks.eventName = Event_Names;
  hooks.objectName = ObjectName;
  hooks.timeLineName = TimeLineName;
  hooks.processMessages = Runner_ProcessMessages;
  hooks.refreshDebugger = Debugger_Refresh;
  hooks.requestQuit = RequestQuit;
  Error_SetHooks(hooks);
  InstanceSeams_Install();
  Physics_InstallInstanceHooks();
}

#include "world/room_change.h"

#include "gamefile/event_lists.h"
#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/timer.h"
#include "world/run_state.h"

// Rooms are not played yet: the game starts and ends without one, so the
// steps that walk rooms and instances have nothing to do.

void StartGame() {
  g_debugConsole->Output("StartGame()\n");
  Timer_Init();
  Object_BuildEventLists();
  g_newRoom = kRoomChangeNone;
  MemoryManager::DumpTotal();
  g_debugConsole->Output("StartGame() - DONE\n");
}

void Run_EndGame() {}

bool RoomChange_ActOn() {
  switch (g_newRoom) {
    case kRoomChangeNone:
      return true;
    case kRoomChangeEndGame:
    case kRoomChangeQuit:
      g_running = 0;
      return false;
    case kRoomChangeRestart:
      Run_EndGame();
      StartGame();
      return true;
    default:
      g_newRoom = kRoomChangeNone;
      return true;
  }
}

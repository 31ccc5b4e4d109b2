// Entering and leaving rooms, starting and ending the game. The game plays
// on runtime rooms, copies of the templates made on entry; a persistent
// runtime room outlives leaving it, and persistent instances travel from
// room to room through the carry list.
#pragma once

#include <cstdint>
#include <vector>

class CRoom;
class CInstance;

// The runtime room being played, and its index; null and -1 without one.
extern CRoom* g_currentRoom;
extern int32_t g_currentRoomIndex;

// False (with a console line) when the room has no template.
bool Run_StartRoom(int32_t index, bool gameStart);
void Run_EndRoom(bool gameEnd);
bool Run_ChangeRoom(int32_t index);
// "StartGame()", the first room of the order, "StartGame() - DONE". False
// when the room order is empty or names a missing room.
bool StartGame();
void Run_EndGame();

// The runtime copy of a room index, null when it has none.
CRoom* RoomChange_RuntimeRoom(int32_t index);
// Length of the runtime room table.
int32_t RoomChange_RuntimeRoomCount();
// A loaded game's rooms replace every runtime room (the old ones torn down
// as on leaving them for good); `current` becomes the room played, and its
// live instances join the id map. No event runs.
void RoomChange_InstallRooms(const std::vector<CRoom*>& rooms, int32_t current);
// Persistent instance copies waiting for the next room.
int32_t RoomChange_CarryCount();
int32_t RoomChange_CarryCapacity();
// Drawing the room once at the end of a room start; none by default.
void RoomChange_SetRoomStartDraw(void (*draw)());
// Computes the window and port size from the entered room's views.
void RoomChange_SetWindowSizer(void (*sizer)());
// Frees the carry list (program end).
void RoomChange_Shutdown();

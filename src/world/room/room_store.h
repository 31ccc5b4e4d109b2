// The room store: the room templates by index with their names, the room
// order, and the id counters every room shares.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"
#include "world/room/room_record.h"

class CRoom;

// The last instance id and tile id given; each new one takes the next.
extern int32_t g_lastInstanceId;
extern int32_t g_lastTileId;

// Installs the ROOM chunk's reader and the store's clearing in the walk.
void Room_Init();
bool Room_Load(GameImage& image, uint64_t data, uint32_t size);
void Room_Clear();
// Frees every template (program end).
void Room_Shutdown();

int32_t Room_Count();
int32_t Room_Find(const char* name);
CRoom* Room_Get(int32_t index);
bool Room_Exists(int32_t index);
// The name, "<undefined>" for no room.
const char* Room_Name(int32_t index);

// The room order; -1 where there is no such entry.
int32_t Room_First();
int32_t Room_Last();
int32_t Room_Previous(int32_t room);
int32_t Room_Next(int32_t room);

// Compiles the room and instance creation codes of source-text games. Every
// room is gone through; false when any compilation failed.
bool Room_Prepare();

// Rooms made at run time, and changes to a template's stored definition
// (its instance and tile entries). Templates are what rooms are made from
// when entered: a change shows at the next fresh entry, never in a runtime
// copy already made.
int32_t Room_Add();
int32_t Room_Duplicate(int32_t index);
// The target template takes the source's settings and a copy of its
// definition; false when either room does not exist.
bool Room_Assign(int32_t target, int32_t source);
// Appends an instance entry with a new id (x and y truncated); its id, or
// -1 when the room does not exist.
int32_t Room_AddInstanceEntry(int32_t room, float x, float y, int32_t object);
struct RoomStoredTile {
  int32_t index = -1;  // in the room's stored tile list
  int32_t id = -1;
};
// Appends a tile entry, which takes a new id; {-1, -1} without the room.
RoomStoredTile Room_AddTileEntry(int32_t room, const RoomTileEntry& tile);
void Room_ClearInstanceEntries(int32_t room);
void Room_ClearTileEntries(int32_t room);
// Compiles the text at once as the room's creation code under "Room." and
// the room's name; an empty text removes the code. A text that does not
// compile is reported (not fatally) and leaves the room without creation
// code: false.
bool Room_SetCode(int32_t room, const char* text);

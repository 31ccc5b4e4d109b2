// The room store: the room templates by index with their names, the room
// order, and the id counters every room shares.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

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

int32_t Room_Add();
int32_t Room_Duplicate(int32_t index);
bool Room_Assign(int32_t target, int32_t source);
// -1 when the room does not exist.
int32_t Room_AddInstanceEntry(int32_t room, float x, float y, int32_t object);
int32_t Room_AddTileEntry(int32_t room, int32_t background, int32_t left, int32_t top, int32_t width,
                          int32_t height, float x, float y, int32_t depth, float xscale, float yscale,
                          uint32_t colour);

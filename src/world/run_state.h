// The run state every part of the world reads: whether the game runs, is
// paused, which room change is pending, the step count and frame rate.
#pragma once

#include <cstdint>

// Room-change codes held in g_newRoom; 0 and above name a room.
constexpr int32_t kRoomChangeNone = -1;
constexpr int32_t kRoomChangeEndGame = -100;
constexpr int32_t kRoomChangeRestart = -200;
constexpr int32_t kRoomChangeLoadGame = -300;
constexpr int32_t kRoomChangeQuit = -400;

extern uint8_t g_running;
extern uint8_t g_paused;
extern int32_t g_newRoom;
extern uint8_t g_automaticDraw;
extern int32_t g_stepCount;
extern int32_t g_fps;
extern uint64_t g_eventSerial;
// Set by the graphics layer when the device must be reset.
extern uint8_t g_graphicsResetPending;
// Microseconds between the last two steps (delta_time).
extern int64_t g_stepDelta;
// Wall-clock seconds since 1970, refreshed every frame.
extern int64_t g_wallClockSeconds;

// The saved game to load when the code -300 is acted on; "" when none.
// A null name clears it.
void Run_SetLoadFileName(const char* path);
const char* Run_LoadFileName();

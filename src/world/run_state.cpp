#include "world/run_state.h"

#include <string>

uint8_t g_running = 0;
uint8_t g_paused = 0;
int32_t g_newRoom = kRoomChangeNone;
uint8_t g_automaticDraw = 1;
int32_t g_stepCount = 0;
int32_t g_fps = 0;
uint64_t g_eventSerial = 0;
uint8_t g_graphicsResetPending = 0;
int64_t g_stepDelta = 0;
int64_t g_wallClockSeconds = 0;

namespace {
std::string g_loadFileName;
}  // namespace

void Run_SetLoadFileName(const char* path) { g_loadFileName = path == nullptr ? "" : path; }
const char* Run_LoadFileName() { return g_loadFileName.c_str(); }

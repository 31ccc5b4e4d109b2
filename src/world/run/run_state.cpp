#include "world/run/run_state.h"

#include "runtime/memory.h"
#include "runtime/text.h"

uint8_t g_running = 0;
uint8_t g_paused = 0;
int32_t g_newRoom = kRoomChangeNone;
uint8_t g_automaticDraw = 1;
int32_t g_stepCount = 0;
int32_t g_fps = 0;
uint64_t g_eventSerial = 0;
uint8_t g_graphicsResetPending = 0;
RunValues g_runValues;

void RunValues_SetCaption(char** caption, const char* text) {
  if (*caption != nullptr) MemoryManager::Free(*caption);
  *caption = text == nullptr ? nullptr : String_Duplicate(text);
}

void RunState_Reset() {
  g_running = 0;
  g_paused = 0;
  g_newRoom = kRoomChangeNone;
  g_automaticDraw = 1;
  g_stepCount = 0;
  g_fps = 0;
  g_eventSerial = 0;
  g_graphicsResetPending = 0;
  RunValues_SetCaption(&g_runValues.captionScore, nullptr);
  RunValues_SetCaption(&g_runValues.captionLives, nullptr);
  RunValues_SetCaption(&g_runValues.captionHealth, nullptr);
  g_runValues = RunValues();
}

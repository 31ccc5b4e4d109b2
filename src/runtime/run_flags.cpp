#include "runtime/run_flags.h"

#include "runtime/memory.h"

bool g_debugMode = false;
bool g_showCursor = true;
RunFlags g_runFlags;
uint8_t g_newAudio = 0;

void RunFlags_Reset() {
  MemoryManager::Free(g_runFlags.recordFileName);
  g_runFlags = RunFlags();
  g_newAudio = 0;
  g_debugMode = false;
  g_showCursor = true;
}

#include "runtime/run_flags.h"

bool g_debugMode = false;
bool g_bytecodeTrace = false;
int32_t g_overlayFlags = 0;
bool g_physicsDebugMessages = false;

#include "runtime/run_flags.h"

bool g_debugMode = false;
bool g_bytecodeTrace = false;
int32_t g_overlayFlags = 0;
bool g_physicsDebugMessages = false;
bool g_extensionDebug = false;
bool g_useBytecode = true;
bool g_noAudio = false;
bool g_inAWindow = false;
bool g_steamMode = false;
bool g_recordInput = false;
bool g_playbackInput = false;
char* g_recordFileName = nullptr;
int32_t g_debuggerFlags = 0;
bool g_showCursor = true;

// Program-wide switches set by the command line and the options file.
#pragma once

#include <cstdint>

// "-debug", or the options file's Debug key.
extern bool g_debugMode;
// "-trace", or the options file's Trace key: the bytecode machine traces.
extern bool g_bytecodeTrace;
// The information overlay's flags (2: frame rate); off unless debugging.
extern int32_t g_overlayFlags;
// The physics world prints its debug messages.
extern bool g_physicsDebugMessages;

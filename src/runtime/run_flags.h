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
// "-ext": extension debugging.
extern bool g_extensionDebug;
// On unless "-oldexec": game code runs on the bytecode machine.
extern bool g_useBytecode;
// "-noaudio".
extern bool g_noAudio;
// "-inawindow": the game never goes full screen.
extern bool g_inAWindow;
// "-steam": the platform services run in their store mode.
extern bool g_steamMode;
// "-record" / "-playback" and their file name.
extern bool g_recordInput;
extern bool g_playbackInput;
extern char* g_recordFileName;
// The debugger's flag word: 2 after "-debug".
extern int32_t g_debuggerFlags;
// The options' show-cursor word, which the cursor built-ins set too: the
// game start gives the window the default cursor by it, or none.
extern bool g_showCursor;

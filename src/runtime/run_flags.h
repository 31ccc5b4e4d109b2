// Program-wide switches set by the command line, the options file and the
// debugger.
#pragma once

#include <cstdint>

// "-debug", or the options file's Debug key.
extern bool g_debugMode;
// The options' show-cursor word, which the cursor built-ins set too: the
// game start gives the window the default cursor by it, or none.
extern bool g_showCursor;

struct RunFlags {
  // "-trace", or the options file's Trace key: the bytecode machine traces.
  bool bytecodeTrace = false;
  // The information overlay's flags (2: frame rate); off unless debugging.
  int32_t overlayFlags = 0;
  // The physics world prints its debug messages.
  bool physicsDebugMessages = false;
  // "-ext": extension debugging.
  bool extensionDebug = false;
  // On unless "-oldexec": game code runs on the bytecode machine.
  bool useBytecode = true;
  // "-noaudio".
  bool noAudio = false;
  // "-inawindow": the game never goes full screen.
  bool inAWindow = false;
  // "-steam": the platform services run in their store mode.
  bool steamMode = false;
  // "-record" / "-playback" and their file name (an owned MemoryManager text).
  bool recordInput = false;
  bool playbackInput = false;
  char* recordFileName = nullptr;
  // The debugger's flag word: 2 after "-debug".
  int32_t debuggerFlags = 0;
  // Set while the debugger evaluates a watch expression: machine errors then
  // only raise the runtime error flag.
  bool debuggerEvaluating = false;
  // Game options: show the dialog for runtime errors, treat every runtime
  // error as fatal, and make reading a never-set variable an error.
  bool showErrorDialog = true;
  bool errorsFatal = false;
  bool unsetVariableIsError = false;
};

extern RunFlags g_runFlags;

// The game's options select the audio system (option word 2, non-zero: 1);
// cleared when audio is off for the run.
extern uint8_t g_newAudio;

// Every switch back to its value at program start, g_debugMode included.
void RunFlags_Reset();

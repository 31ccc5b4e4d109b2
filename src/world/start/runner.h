// The program's life: options, one-time set-up, start-up, the main loop,
// the game end and the shutdown. Returns the process exit status.
#pragma once

#include <span>

#include "world/start/wiring.h"

// `above` installs what lies above the world, at its place in the wiring
// list (world/start/wiring.cpp).
int Runner_Main(int argc, const char* const* argv, const AboveWorld& above);

// The start-up sequence; false when the game could not be loaded or
// prepared (the caller exits with status 1).
bool Runner_Start();
bool Runner_PrepareAndRun();
void Runner_Shutdown();

// The file built-ins live above the world; at shutdown their release closes
// what scripts left open. Null removes it.
using ShutdownStep = void (*)();
void Runner_SetFileRelease(ShutdownStep release);
// From now on an end through exit that passes the shutdown by (a machine
// error, a start that cannot go on) still writes what the shutdown would:
// the highscore table and, through the release above, the open files. Only
// a death by signal leaves them unwritten. Called once the table is loaded.
void Runner_WriteAtAnyExit();

// The message pump: the window's messages, and a quit signal (SIGINT,
// SIGTERM, SIGHUP) acts like a quit message; a process still running when
// the signal's grace is over is ended (platform/quit_signals.h). The main
// loop calls it directly; the wiring list installs it for the pumps of the
// layers below.
void Runner_PumpMessages();
// A quit signal also ends a dialog that is waiting for an answer.
bool Runner_QuitSignalled();

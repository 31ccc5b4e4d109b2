// The program's life: options, one-time set-up, start-up, the main loop,
// the game end and the shutdown. Returns the process exit status.
#pragma once

int Runner_Main(int argc, const char* const* argv);

// The start-up sequence; false when the game could not be loaded or
// prepared (the caller exits with status 1).
bool Runner_Start();
bool Runner_PrepareAndRun();
void Runner_Shutdown();

// The file built-ins live above the world; at shutdown their release closes
// what scripts left open. Null removes it.
using ShutdownStep = void (*)();
void Runner_SetFileRelease(ShutdownStep release);

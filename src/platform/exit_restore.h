// What the player changed outside itself (the desktop's mode) and must put
// back however the process ends: the steps run once, at exit (a normal end,
// or std::exit after a fatal error) or before a quit signal ends the process.
#pragma once

// Adds a step (at most a few; the same step once). Steps run last added first.
void ExitRestore_Add(void (*step)());
// Runs the steps not yet run; from any thread, never from a signal handler.
void ExitRestore_Run();

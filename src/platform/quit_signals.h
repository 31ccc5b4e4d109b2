// Quit signals (SIGINT, SIGTERM). The first asks the game to quit; the main
// loop answers it at its next message pump and the game ends as it would on
// a quit message. A signal the game has not answered within the grace time
// (the loop never reaches its pump), or a second signal, ends the process at
// once from a watchdog thread: it runs the exit restore steps, then raises
// the same signal again with its default action, so that the parent sees a
// death by that signal (a shell reports 128 + the signal's number).
#pragma once

#include <chrono>

constexpr std::chrono::milliseconds kQuitGrace{3000};

// Installs the handlers and starts the watchdog, once.
void QuitSignals_Install();
// A quit signal has come (it stays set).
bool QuitSignals_Received();
// The game has taken the signal and is ending its own way.
void QuitSignals_Answer();

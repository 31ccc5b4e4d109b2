// Quit signals (SIGINT, SIGTERM, and SIGHUP when the terminal closes). The
// first asks the game to quit; the main loop takes it at its next message
// pump and the game ends as it would on a quit message, its end-of-run
// writes included. A process still running when the grace time is over
// (the loop never reaches its pump, or the game's end never returns), or a
// second request, is ended at once from a watchdog thread (deliveries of one
// signal from one sender within a moment, as `timeout` sends them to the
// process and then to its group, are one request): it runs the exit
// restore steps, then raises the same signal again with its default action,
// so that the parent sees a death by that signal (a shell reports 128 + the
// signal's number).
#pragma once

#include <chrono>

constexpr std::chrono::milliseconds kQuitGrace{3000};

// Installs the handlers and starts the watchdog, once.
void QuitSignals_Install();
// A quit signal has come (it stays set).
bool QuitSignals_Received();

// Preparing the loaded game: extensions, constants, scripts, time lines,
// objects, rooms, sounds and graphics, each with its console line and its
// place on the load bar; the first failure shows its message and stops.
#pragma once

bool PrepareGame();

// Draws one load-bar frame (the bar's caption is not drawn).
void ShowLoadProgress(int percentage, const char* caption);

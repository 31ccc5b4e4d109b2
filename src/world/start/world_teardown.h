// Puts the world back as the process started: no run, no rooms or
// instances, none of the seams and hooks the world installs, and the run
// state, run values and switches at their start values. Tests end with it
// so that each one starts clean.
#pragma once

void World_TearDownForTest();

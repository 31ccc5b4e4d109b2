// Program-wide objects and their exit-time releases. Globals_Init runs the
// start-up steps in a fixed order; Globals_Shutdown runs every release in the
// reverse order of registration, once: a second shutdown does nothing, so
// ending the process from anywhere is safe. Globals_Init also arranges for
// Globals_Shutdown to run when the process exits.
#pragma once

#include "runtime/hash.h"

// Instances by id (512 buckets). Its owner gives it a value deleter: at exit
// each value is deleted. (The physics table lives with physics.)
extern Hash g_instanceMap;

// The next play id of the audio system; the last start-up step sets it to
// its base, 200000, below which values name sounds.
extern int32_t g_audioPlayIdCounter;

void Globals_Init();
void Globals_Shutdown();

// Adds an owner's exit-time release; it runs before every release registered
// earlier. A release should leave its object empty.
void Globals_RegisterRelease(void (*release)());

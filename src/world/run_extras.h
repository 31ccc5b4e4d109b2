// Run values that scripts read through built-in variables and whose owners
// fill them in: the caption flag the caption action also sets, the
// asynchronous event's map and the display's antialiasing level.
#pragma once

#include <cstdint>

// Set by show_score and by the caption action: the window caption is ours.
extern uint8_t g_captionSet;
// The map of the asynchronous event being run; -1 outside one.
extern int32_t g_asyncLoad;
extern int32_t g_displayAA;

// The room-transition settings scripts can reach: the number of steps a
// transition lasts, the table of user-defined kinds (a script per kind) and
// the test for a built-in kind. Room changes never run a transition here;
// these settings exist for the scripts that read and write them.
#pragma once

#include <cstdint>

// The built-in kinds are 1 to kTransitionBuiltInKinds.
constexpr int32_t kTransitionBuiltInKinds = 21;
// User kinds are 1 to kTransitionMaxUserKind; others are ignored.
constexpr int32_t kTransitionMaxUserKind = 999999;
// The user table grows to the kind plus this many entries.
constexpr int32_t kTransitionTableGrowth = 1000;

// How a script name becomes a function id; the script engine installs its
// own lookup. Without one no name is found.
using TransitionFunctionFinder = bool (*)(const char* name, int32_t* id);
void GR_Transition_SetFinder(TransitionFunctionFinder finder);

// Steps below 1 become 1.
void GR_Transition_Set_Steps(int32_t steps);
int32_t GR_Transition_Get_Steps();

// True for the built-in kinds; other kinds, user kinds included, write a
// line to the debug console and answer false.
bool TransFunctionExists(int32_t kind);
// True when a function of that name exists; the kind is then registered
// with it as a user kind.
bool GR_Transition_Define(int32_t kind, const char* name);
// Stores the function and an owned copy of the name (null clears it) for a
// kind in 1..kTransitionMaxUserKind.
void GR_Transition_Add_User(int32_t kind, const char* name, int32_t function);

// What the user table holds: its capacity, and for a kind the function
// (-1 when none) and the name (null when none).
int32_t GR_Transition_User_Capacity();
int32_t GR_Transition_User_Function(int32_t kind);
const char* GR_Transition_User_Name(int32_t kind);
// Frees the table (program end) and puts the steps back to 1.
void GR_Transition_Shutdown();

// Event dispatch by kind: each stage of a step that runs events finds the
// objects listed for the event, walks each object's own instances (taking
// the next one first), skips instances marked for deletion or newer than
// the pass, and performs the event on the rest.
#pragma once

#include <cstdint>

// Step events: kind 1 begin, 0 normal, 2 end.
void Run_DispatchStep(int32_t kind);
void Run_DispatchAlarms();
void Run_DispatchKeyboard();
void Run_DispatchJoystick();
void Run_DispatchMouse();
void Run_DispatchTimelines();
void Run_DispatchBoundary();
void Run_DispatchAsync();
void Run_DispatchCollisions();

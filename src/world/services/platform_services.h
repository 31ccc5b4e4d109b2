// The platform services as the game loop sees them: their start with the
// built-ins, their update once per step right after the input, the
// purchase events at the head of the step's asynchronous stage, the
// operating system's pause event, and their shutdown. Until the program's
// start-up starts them they send nothing and write no cache, so a world a
// test builds runs with them idle.
#pragma once

#include <cstdint>

// The queue emptied, the cache loaded, the achievement service started.
void Services_Start();
// Once per step: the platform's own step (nothing here), the achievement
// queue, the pause event.
void Services_Tick();
// The operating system suspends the program (the window lost the focus to
// another program): the next step is the paused one.
void Services_OSPauseEvent();
// True during the step after a pause event.
bool Services_IsPaused();
// At program end: waiting posts are written to their cache file (only
// after a start).
void Services_Shutdown();
// Forgets the pause and purchase-event state (tests).
void Services_ResetForTest();

// A platform store's purchase events: marks them pending for the next
// asynchronous stage. The events themselves wait in a script-visible queue
// that the store fills.
void IapEvents_MarkPending();
bool IapEvents_Pending();
// True once per marking: the asynchronous stage runs the purchase event.
bool IapEvents_TakePending();

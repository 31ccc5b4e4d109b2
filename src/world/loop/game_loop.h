// The main loop's frame, paced to the room speed, and the step it runs.
#pragma once

#include <cstdint>

// Starts the game when it is not running yet, then enters the main loop;
// false when the game could not start.
bool Run_Start();
// Starts the clock, drains the messages (a quit waiting since the start
// ends the run before its first frame) and prints the main-loop banner;
// returns the clock.
int64_t Run_EnterMainLoop();
// Acts on g_newRoom at the end of a frame; false when the game ended
// (an end, a quit, or a room that cannot be entered), true otherwise.
bool RoomChange_ActOn();
// One frame; returns the room speed (60 without a room or after an end).
int64_t Run_Frame();
// One step of the world (world/step.cpp).
void Run_Step();
// Marks the step's start: the delta since the last step (delta_time).
void Run_MeasureStep();
// Motion of every instance; true when the room has a physics world.
bool Run_UpdateMovement();
// Draws the room at the end of a step when automatic drawing is on;
// installed by room drawing.
using RoomDrawer = void (*)();
void Run_SetRoomDrawer(RoomDrawer drawer);
void Run_Pause();
// One step on the debugger's request while paused, drawn and presented like
// a frame's, then the room change it asked for.
void Run_SingleStep();
// Run_SingleStep only while the game runs and is paused.
void Run_StepIfPaused();
// Ends the main loop after the current frame.
void Run_Stop();

// The frame's wait for a given speed and elapsed time, in microseconds:
// 1000000 / speed - elapsed, never below 0 nor above one second.
int64_t Run_FrameWait(int32_t speed, int64_t elapsed);

// Frames run so far by the main loop (KORVALITH_MAX_FRAMES counts them).
// Resets the frame clock (tests).
void Run_ResetClock();

// What the start-up asks of the window and the graphics: the main window
// made, the device started and the loading frames.
#pragma once

#include <cstdint>

void StartupServices_CreateWindow();
bool StartupServices_StartGraphics();
void StartupServices_LoadingFrames();

// What the main window is wired to: the input state, the run control, the
// options, the graphics and the platform services.
struct WindowServices;
WindowServices StartupServices_WindowServices();

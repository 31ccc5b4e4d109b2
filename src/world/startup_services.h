// What the start-up asks of the window, graphics, input, audio and the
// game preparation. Each subsystem takes over its entry as it lands.
#pragma once

void StartupServices_InitSystems();
void StartupServices_CreateWindow();
bool StartupServices_StartGraphics();
void StartupServices_LoadingFrames();
bool StartupServices_PrepareGame();
void StartupServices_PumpWindow();
void StartupServices_Shutdown();

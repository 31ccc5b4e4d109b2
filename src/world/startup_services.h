// What the start-up asks of the window, graphics, input, audio and the
// game preparation. Each subsystem takes over its entry as it lands.
#pragma once

void StartupServices_InitSystems();
void StartupServices_CreateWindow();
bool StartupServices_StartGraphics();
void StartupServices_LoadingFrames();
// Preparation steps whose subsystems are not built yet.
bool StartupServices_PrepareExtensions();
bool StartupServices_PrepareSounds();
void StartupServices_PrepareAudioBuffers();
void StartupServices_LoadProgress(int percentage, const char* caption);
// The load form's textures released, input cleared, the window shown.
void StartupServices_FinishLoading();
void StartupServices_PumpWindow();
void StartupServices_Shutdown();

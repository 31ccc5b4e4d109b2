// The start-up services that are not built yet. Each does nothing and
// answers success, so the start-up reaches the main loop; none pretends to
// draw, play or prepare anything.
#include "world/startup_services.h"

void StartupServices_InitSystems() {}
bool StartupServices_PrepareExtensions() { return true; }
bool StartupServices_PrepareSounds() { return true; }
void StartupServices_PrepareAudioBuffers() {}
void StartupServices_LoadProgress(int, const char*) {}
void StartupServices_FinishLoading() {}
void StartupServices_Shutdown() {}

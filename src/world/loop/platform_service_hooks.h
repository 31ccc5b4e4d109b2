// How the game loop reaches the platform services, which lie above it:
// hooks the program's entry installs, so that worlds built by tests run
// without them.
#pragma once

// A null member does nothing.
struct PlatformServiceHooks {
  void (*tick)() = nullptr;
  void (*dispatchAsync)() = nullptr;
  void (*shutdown)() = nullptr;
  void (*osPause)() = nullptr;
};
void PlatformServices_SetHooks(const PlatformServiceHooks& hooks);
const PlatformServiceHooks& PlatformServices_Hooks();

// The one place where tests choose a fake over the system's backend of the
// platform's interfaces: native libraries, joysticks, the graphics system,
// the screen modes' server and the achievement service. Each interface
// reads its member here on every use and takes its system backend while the
// member is null, as it always is in the program: only tests and the fakes
// of platform/fake/ put members in.
#pragma once

#include <cstdint>
#include <type_traits>

#include "platform/dynamic_library.h"
#include "platform/graphics_device.h"
#include "platform/joystick.h"
#include "platform/screen_modes.h"

struct AchievementService;

struct PlatformBackends {
  const DynamicLibraryServices* libraries = nullptr;  // DynamicLibrary_Get
  const JoystickServices* joysticks = nullptr;        // the Joystick_* calls
  GraphicsSystemFactory graphics = nullptr;           // GraphicsSystem_Create
  ScreenModesFactory screenModes = nullptr;           // the screen modes' keeper's connections
  const AchievementService* achievements = nullptr;   // AchievementQueue_Service
};

const PlatformBackends& PlatformBackends_Get();
// How often the table changed: what holds a connection made through it
// starts over when this moves.
uint32_t PlatformBackends_Changes();
void PlatformBackends_Install(const PlatformBackends& backends);
// One member changed (null: the system's backend again), the others kept.
template <typename T>
void PlatformBackends_Put(T PlatformBackends::*member, std::type_identity_t<T> backend) {
  PlatformBackends changed = PlatformBackends_Get();
  changed.*member = backend;
  PlatformBackends_Install(changed);
}

// Two joysticks held in memory for tests: each present or not, with the
// capabilities and position a read gives. Reads of any other device find
// nothing, as the desktop's do.
#pragma once

#include "platform/joystick.h"

struct FakeJoystick {
  bool present = false;
  JoystickCaps caps;
  // Centred, no button held.
  JoystickPosition position{{kJoystickAxisCentre, kJoystickAxisCentre, kJoystickAxisCentre, kJoystickAxisCentre,
                             kJoystickAxisCentre, kJoystickAxisCentre},
                            0,
                            kJoystickPovCentred};
};

struct FakeJoysticks {
  FakeJoystick devices[2];  // devices 1 and 2
  int shutdowns = 0;
};

// Chooses the fake as the joysticks' source, both absent (the desktop's is
// put back with PlatformBackends_Put(&PlatformBackends::joysticks, nullptr)).
FakeJoysticks& FakeJoysticks_Install();

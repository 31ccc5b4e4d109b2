// The first two joysticks of the desktop. Device 1 is the first joystick the
// desktop lists, 2 the second; any other number, a device never plugged in
// and one pulled out read as absent. Axes are counted up to six (x, y, z, r,
// u, v) and buttons up to 32; positions are read afresh on every call.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kJoystickAxes = 6;
constexpr int32_t kJoystickButtons = 32;
// Axis positions run 0..65535, the centre at 32768.
constexpr uint32_t kJoystickAxisCentre = 32768;
// The point of view in hundredths of a degree clockwise from up; this when
// it is centred or the device has none.
constexpr uint32_t kJoystickPovCentred = 65535;

struct JoystickCaps {
  std::string name;
  int32_t axes = 0;
  int32_t buttons = 0;
  bool hasPov = false;  // a hat switch
};

struct JoystickPosition {
  uint32_t axes[kJoystickAxes] = {};  // an axis the device lacks is centred
  uint32_t buttons = 0;               // bit n - 1 for button n
  uint32_t pov = kJoystickPovCentred;
};

// False, leaving the record as it was, when the device is absent.
bool Joystick_GetCaps(int32_t device, JoystickCaps* caps);
bool Joystick_GetPosition(int32_t device, JoystickPosition* position);
// Closes the devices and the desktop's joystick service.
void Joystick_Shutdown();

// Where the joysticks are read: the desktop's, or two held in memory that
// tests choose (platform/backends.h, platform/fake/fake_joystick.h).
struct JoystickServices {
  bool (*getCaps)(int32_t device, JoystickCaps* caps);
  bool (*getPosition)(int32_t device, JoystickPosition* position);
  void (*shutdown)();
};
const JoystickServices& Joystick_Desktop();

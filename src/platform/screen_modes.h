// The screen's modes as the display server lists them, and changing the mode
// the whole desktop runs in. The player changes it only when a game asks, and
// puts back the mode it found once it ends (at exit, after a fatal error, or
// before a quit signal ends it).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct ScreenMode {
  int32_t width = 0, height = 0, frequency = 0, bitsPerPixel = 0;
  bool operator==(const ScreenMode&) const = default;
};

// One connection to the display server's modes.
class IScreenModes {
 public:
  virtual ~IScreenModes() = default;
  virtual bool Current(ScreenMode* mode) = 0;
  virtual std::vector<ScreenMode> Listed() = 0;
  // Switches to a listed mode; true when the server took it.
  virtual bool Apply(const ScreenMode& mode) = 0;
};

// A new connection, or null when there is none to make. Each call opens its
// own, so that the mode can be put back from another thread. The X server's,
// unless a test chose a fake (platform/backends.h); choosing starts the
// keeper over, nothing recorded.
using ScreenModesFactory = std::unique_ptr<IScreenModes> (*)();
// The X server's (XRandR); null when headless, without a display or without
// the extension.
std::unique_ptr<IScreenModes> ScreenModes_OpenX();

// True when modes can be changed here: a server that lists at least one
// mode.
bool ScreenModes_Changeable();
bool ScreenModes_Current(ScreenMode* mode);
// A request: each field above 0 asks for that value, 0 or below keeps the
// current mode's. Test answers whether the server lists the mode asked
// for; Set switches to it and answers whether the switch took.
bool ScreenModes_Test(const ScreenMode& request);
bool ScreenModes_Set(const ScreenMode& request);
// Puts back the mode found before the first change, once; safe from any
// thread but not from a signal handler. Later changes are refused.
void ScreenModes_PutBack();

// A display server held in memory for tests: its listed modes and current
// mode, shared by every connection the keeper opens to it.
#pragma once

#include <vector>

#include "platform/screen_modes.h"

struct FakeScreenServer {
  std::vector<ScreenMode> listed;
  ScreenMode current;
  bool refuse = false;  // every switch fails
  int applied = 0;      // switches asked for
  int connections = 0;
};

// Chooses the fake as the keeper's server, starting over: 1024x768 at 60
// Hz and 32 bits, with 800x600 (60 and 75 Hz) and 640x480 also listed. The
// X server's is put back with
// PlatformBackends_Put(&PlatformBackends::screenModes, nullptr).
FakeScreenServer& FakeScreenServer_Install();

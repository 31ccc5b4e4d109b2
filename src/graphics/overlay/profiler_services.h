// What the device layer and the overlay need from the frame profiler: its
// start, the frame's opening and closing (which draws the overlay), the
// frame-rate summary at shutdown, and the overlay font bound for drawing.
#pragma once

#include "runtime/service_seam.h"

struct ProfilerServices {
  void (*init)();
  void (*startFrame)();
  void (*drawFrame)();
  void (*logFps)();
  void (*bindFont)();
};

inline ServiceSeam<ProfilerServices> g_profilerServices{"frame profiler"};
inline void ProfilerServices_Install(const ProfilerServices* services) { g_profilerServices.Install(services); }
inline const ProfilerServices& ProfilerServices_Get() { return g_profilerServices.Get(); }

// Until the profiler is built: nothing is measured, drawn or logged.
const ProfilerServices& ProfilerServices_StandIn();

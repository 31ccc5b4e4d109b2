// What the device layer and the overlay need from the frame profiler: its
// start, the frame's opening and closing (which draws the overlay), the
// frame-rate summary at shutdown, the overlay font bound for drawing, and
// the named, coloured markers that time parts of a frame.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"

struct ProfilerServices {
  void (*init)();
  void (*startFrame)();
  void (*drawFrame)();
  void (*logFps)();
  void (*bindFont)();
  // Opens a marker (colour 0xBBGGRR) inside the innermost open one.
  void (*begin)(uint32_t colour, const char* name);
  // Closes the innermost open marker.
  void (*end)();
  // The overlay font's texture index (-1 while there is none).
  int32_t (*fontTexture)();
};

inline ServiceSeam<ProfilerServices> g_profilerServices{"frame profiler"};
inline void ProfilerServices_Install(const ProfilerServices* services) { g_profilerServices.Install(services); }
inline const ProfilerServices& ProfilerServices_Get() { return g_profilerServices.Get(); }

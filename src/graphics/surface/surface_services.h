// What the device reset and room drawing need from the surfaces: whether a
// surface exists, the texture it draws into, and freeing every surface
// before the device is reset.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"

struct SurfaceServices {
  bool (*exists)(int32_t surface);
  // The surface's entry in the texture table.
  int32_t (*texture)(int32_t surface);
  void (*freeAll)();
};

inline ServiceSeam<SurfaceServices> g_surfaceServices{"surfaces"};
inline void SurfaceServices_Install(const SurfaceServices* services) { g_surfaceServices.Install(services); }
inline const SurfaceServices& SurfaceServices_Get() { return g_surfaceServices.Get(); }

// Until surfaces are built: none exists.
const SurfaceServices& SurfaceServices_StandIn();

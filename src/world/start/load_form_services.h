// The load form of the game preparation: one load-bar frame per step, and
// at the end its textures released, input cleared and the window shown.
#pragma once

#include "runtime/service_seam.h"

struct LoadFormServices {
  void (*showProgress)(int percentage, const char* caption);
  void (*finish)();
};

inline ServiceSeam<LoadFormServices> g_loadFormServices{"load form"};
inline void LoadFormServices_Install(const LoadFormServices* services) { g_loadFormServices.Install(services); }
inline const LoadFormServices& LoadFormServices_Get() { return g_loadFormServices.Get(); }

// Until the load form is built: no load-bar frame is drawn.
const LoadFormServices& LoadFormServices_StandIn();

// What the game preparation asks of the extension packages: their
// preparation, whose failure fails the start.
#pragma once

#include "runtime/service_seam.h"

struct ExtensionServices {
  bool (*prepare)();
};

inline ServiceSeam<ExtensionServices> g_extensionServices{"extension packages"};
inline void ExtensionServices_Install(const ExtensionServices* services) { g_extensionServices.Install(services); }
inline const ExtensionServices& ExtensionServices_Get() { return g_extensionServices.Get(); }

// The game's extension packages, prepared from the game file.
const ExtensionServices& ExtensionServices_Real();

// The particle systems as room drawing interleaves them with tiles and
// instances: the greatest depth, the next depth strictly below one, and
// drawing the systems at a depth. A depth not above -1e8 means none is left.
#pragma once

#include "runtime/service_seam.h"

struct ParticleServices {
  float (*firstDepth)();
  float (*nextDepth)(float depth);
  void (*drawAtDepth)(float depth);
};

inline ServiceSeam<ParticleServices> g_particleServices{"particle systems"};
inline void ParticleServices_Install(const ParticleServices* services) { g_particleServices.Install(services); }
inline const ParticleServices& ParticleServices_Get() { return g_particleServices.Get(); }

// Until particle systems are built: there are none.
const ParticleServices& ParticleServices_StandIn();

// The world's use of the particle systems: the step's automatic update, the
// room start's emptying of the effect systems, the module's start and end
// with its shape textures, and the depths room drawing interleaves with
// tiles and instances (the greatest depth, the next depth strictly below
// one, and drawing the systems at a depth). A depth not above -1e8 means
// none is left.
#pragma once

#include "graphics/particles/particles.h"
#include "runtime/service_seam.h"

struct ParticleServices {
  float (*firstDepth)();
  float (*nextDepth)(float depth);
  void (*drawAtDepth)(float depth);
  void (*updateAll)();
  void (*clearEffects)();
  void (*start)();
  // When graphics start: the shape textures from the built-in images.
  void (*makeShapes)();
  void (*shutdown)();
};

inline ServiceSeam<ParticleServices> g_particleServices{"particle systems"};
inline void ParticleServices_Install(const ParticleServices* services) { g_particleServices.Install(services); }
inline const ParticleServices& ParticleServices_Get() { return g_particleServices.Get(); }

// The particle module, with the sprites and room it draws and reads.
const ParticleServices& ParticleServices_Real();
// What the particle module reads of the world.
const ParticleHost& ParticleHost_World();

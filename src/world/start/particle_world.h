// The particle module wired into the world: what it reads of the world
// above it, and its shape textures made from the built-in images when the
// graphics start.
#pragma once

#include "graphics/particles/particles.h"

// What the particle module reads of the world: the game's sprites, the
// current room and the frame count.
const ParticleHost& ParticleHost_World();
void ParticleWorld_MakeShapes();

// The particle module's start and end.
#include <algorithm>

#include "graphics/particles/particle_records.h"
#include "graphics/texture/texture_table.h"

namespace {

int32_t g_ownedShapes[kParticleShapeCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

}  // namespace

void Particle_Init() {
  ParticleSystems_Reset();
  ParticleTypes_Reset();
  ParticleEffects_Reset();
}

void Particle_SetShapeTextures(const int32_t textures[kParticleShapeCount]) {
  std::copy(textures, textures + kParticleShapeCount, g_ownedShapes);
  ParticleDraw_SetShapes(g_ownedShapes);
}

void Particle_Shutdown() {
  Particle_Init();
  for (int32_t& texture : g_ownedShapes) {
    if (texture >= 0 && GR_Texture_Exists(texture)) GR_Texture_Free(texture);
    texture = -1;
  }
  ParticleDraw_SetShapes(g_ownedShapes);
}

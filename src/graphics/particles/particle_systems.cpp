// The particle-system table, the systems' settings and their particles.
#include <cstddef>
#include <vector>

#include "graphics/particles/particle_records.h"

namespace {

std::vector<CParticleSystem> g_systems;

template <typename Change>
void WithSystem(int32_t system, Change change) {
  if (CParticleSystem* record = ParticleSystem_Get(system)) change(*record);
}

// Frees the particles' memory too, as a clear gives it back.
void ResetSystem(CParticleSystem& s, bool inUse) {
  s = CParticleSystem{};
  s.inUse = inUse;
}

}  // namespace

CParticleSystem* ParticleSystem_Get(int32_t system) {
  if (system < 0 || static_cast<size_t>(system) >= g_systems.size()) return nullptr;
  CParticleSystem& record = g_systems[static_cast<size_t>(system)];
  return record.inUse ? &record : nullptr;
}

std::vector<CParticleSystem>& ParticleSystem_Table() { return g_systems; }

void ParticleSystems_Reset() {
  g_systems.clear();
  g_systems.shrink_to_fit();
}

int32_t Particle_System_Create() {
  size_t slot = 0;
  while (slot < g_systems.size() && g_systems[slot].inUse) ++slot;
  if (slot == g_systems.size()) g_systems.emplace_back();
  ResetSystem(g_systems[slot], true);
  return static_cast<int32_t>(slot);
}

void Particle_System_Destroy(int32_t system) {
  WithSystem(system, [](CParticleSystem& s) { ResetSystem(s, false); });
}

bool Particle_System_Exists(int32_t system) { return ParticleSystem_Get(system) != nullptr; }

void Particle_System_Clear(int32_t system) {
  WithSystem(system, [](CParticleSystem& s) { ResetSystem(s, true); });
}

void Particle_System_DrawOrder(int32_t system, bool oldToNew) {
  WithSystem(system, [=](CParticleSystem& s) { s.oldToNew = oldToNew; });
}

void Particle_System_Depth(int32_t system, float depth) {
  WithSystem(system, [=](CParticleSystem& s) { s.depth = depth; });
}

void Particle_System_Position(int32_t system, float x, float y) {
  WithSystem(system, [=](CParticleSystem& s) {
    s.x = x;
    s.y = y;
  });
}

void Particle_System_AutomaticUpdate(int32_t system, bool on) {
  WithSystem(system, [=](CParticleSystem& s) { s.automaticUpdate = on; });
}

void Particle_System_AutomaticDraw(int32_t system, bool on) {
  WithSystem(system, [=](CParticleSystem& s) { s.automaticDraw = on; });
}

void Particle_System_DrawIt(int32_t system) {
  WithSystem(system, [](CParticleSystem& s) { Particle_DrawSystem(s); });
}

void Particle_System_UpdateAll() {
  // Indices, not references: an update never adds systems, but stays safe
  // if one ever did.
  for (size_t i = 0; i < g_systems.size(); ++i) {
    if (g_systems[i].inUse && g_systems[i].automaticUpdate) Particle_System_Update(static_cast<int32_t>(i));
  }
}

void Particle_Particles_Create(int32_t system, float x, float y, int32_t type, int32_t number) {
  WithSystem(system, [=](CParticleSystem& s) { Particle_Append(s, type, x, y, number); });
}

void Particle_Particles_CreateColor(int32_t system, float x, float y, int32_t type, int32_t colour, int32_t number) {
  WithSystem(system, [=](CParticleSystem& s) {
    const size_t first = s.particles.size();
    Particle_Append(s, type, x, y, number);
    for (size_t i = first; i < s.particles.size(); ++i) s.particles[i].colour = static_cast<uint32_t>(colour);
  });
}

void Particle_Particles_Clear(int32_t system) {
  WithSystem(system, [](CParticleSystem& s) {
    s.particles.clear();
    s.particles.shrink_to_fit();
  });
}

int32_t Particle_Particles_Count(int32_t system) {
  const CParticleSystem* s = ParticleSystem_Get(system);
  return s == nullptr ? 0 : static_cast<int32_t>(s->particles.size());
}

// The records behind the particle handles, shared by the particle module's
// files only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/particles/particles.h"

struct CParticleType {
  bool inUse = false;
  int32_t sprite = -1;
  bool animate = true, stretch = false, randomFrame = false;
  int32_t shape = 0;
  float sizeMin = 1, sizeMax = 1, sizeIncrement = 0, sizeWiggle = 0;
  float xscale = 1, yscale = 1;
  int32_t lifeMin = 100, lifeMax = 100;
  int32_t deathType = 0, deathNumber = 0;
  int32_t stepType = 0, stepNumber = 0;
  float speedMin = 0, speedMax = 0, speedIncrement = 0, speedWiggle = 0;
  float directionMin = 0, directionMax = 0, directionIncrement = 0, directionWiggle = 0;
  float gravityAmount = 0, gravityDirection = 270;
  float orientationMin = 0, orientationMax = 0, orientationIncrement = 0, orientationWiggle = 0;
  bool orientationRelative = false;
  int32_t colourMode = 0;
  int32_t colours[6] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0, 0};
  float alphaStart = 1, alphaMiddle = 1, alphaEnd = 1;
  bool additive = false;
};

struct CParticle {
  int32_t type;
  int32_t age;
  int32_t lifetime;
  float x, y, xprevious, yprevious;
  float speed, direction, orientation;
  uint32_t colour;
  float alpha;
  float size;
  int32_t startFrame;
  int32_t number;  // 0..99999, shifts the wiggle phases
  bool alive;
};

struct CParticleEmitter {
  bool inUse = false;
  int32_t number = 0;
  float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int32_t distribution = 0, shape = 0, type = 0;
};

struct CParticleAttractor {
  bool inUse = false;
  float x = 0, y = 0, force = 0, distance = 0;
  int32_t kind = 0;
  bool additive = true;
};

struct CParticleDestroyer {
  bool inUse = false;
  float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int32_t shape = 0;
};

struct CParticleDeflector {
  bool inUse = false;
  float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int32_t kind = 0;
  float friction = 0;
};

struct CParticleChanger {
  bool inUse = false;
  float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int32_t shape = 0, from = -1, to = -1, kind = 0;
};

struct CParticleSystem {
  bool inUse = false;
  // Live particles, oldest first.
  std::vector<CParticle> particles;
  std::vector<CParticleEmitter> emitters;
  std::vector<CParticleAttractor> attractors;
  std::vector<CParticleDestroyer> destroyers;
  std::vector<CParticleDeflector> deflectors;
  std::vector<CParticleChanger> changers;
  bool oldToNew = true;
  float depth = 0, x = 0, y = 0;
  bool automaticUpdate = true, automaticDraw = true;
  bool fullReported = false;
  uint64_t drawnInPass = 0;
};

// The records of live handles; null for a bad one.
CParticleType* ParticleType_Get(int32_t type);
CParticleSystem* ParticleSystem_Get(int32_t system);
// The slot's record, whether in use or not; null past the table.
const CParticleType* ParticleType_Slot(int32_t type);
std::vector<CParticleSystem>& ParticleSystem_Table();
// Empty tables, for start and end.
void ParticleTypes_Reset();
void ParticleSystems_Reset();
void ParticleEffects_Reset();

// A new particle of a live type at a point, drawing its randoms.
CParticle Particle_Make(const CParticleType& type, int32_t typeIndex, float x, float y);
// Appends n particles of a type (a missing type makes none); false once
// the system is full.
void Particle_Append(CParticleSystem& system, int32_t type, float x, float y, int32_t number);
// A count that may be negative: n < 0 is one with chance 1 in -n.
int32_t Particle_ChanceCount(int32_t number);
// The colour of a particle for its age under its type's colour mode.
void Particle_UpdateColour(const CParticleType& type, CParticle& particle);
// A uniform, gaussian or inverse-gaussian real in min..max; no draw when
// max - min <= 0.
double Particle_Random(double min, double max, int32_t distribution);
void Particle_Burst(CParticleSystem& system, const CParticleEmitter& emitter, int32_t type, int32_t number);
// A triangle wave in [-1, 1] from a phase position in [0, 4).
float Particle_Fold(float v);
void Particle_DrawSystem(const CParticleSystem& system);
// The shape textures drawing uses.
void ParticleDraw_SetShapes(const int32_t textures[kParticleShapeCount]);

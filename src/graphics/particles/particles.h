// Particle types, particle systems with their particles, emitters,
// attractors, destroyers, deflectors and changers, and the ready-made
// effects. Every table is indexed by the script's handle: a new entry takes
// the first free slot, else the table grows by one; handles are never
// renumbered. Every operation checks its handles and does nothing (or
// answers false, 0 or -1) for one that is out of range, free or NaN
// (INT32_MIN after conversion). Angles are degrees, colours 0xBBGGRR.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"

// What particles need from the world above the graphics layer: sprites to
// draw, the room's size and speed, and the frames counted last second.
struct ParticleHost {
  bool (*spriteExists)(int32_t sprite);
  int32_t (*spriteFrames)(int32_t sprite);
  // Draws a frame at its origin; the angle in degrees.
  void (*drawSprite)(int32_t sprite, int32_t frame, float x, float y, float xscale, float yscale, float angle,
                     uint32_t colour, float alpha);
  int32_t (*roomWidth)();
  int32_t (*roomHeight)();
  int32_t (*roomSpeed)();
  int32_t (*framesPerSecond)();
};

inline ServiceSeam<ParticleHost> g_particleHost{"particle host"};
inline void ParticleHost_Install(const ParticleHost* host) { g_particleHost.Install(host); }

// Region shapes of emitters, destroyers and changers.
enum ParticleRegionShape : int32_t { kRegionRectangle, kRegionEllipse, kRegionDiamond, kRegionLine };
// The most particles one system holds; creations beyond are dropped.
constexpr int32_t kParticleSystemCapacity = 1000000;
constexpr int32_t kParticleShapeCount = 14;

// Start and end.
void Particle_Init();
// Textures of the 14 shapes, in shape order, which the module then owns;
// -1 draws nothing.
void Particle_SetShapeTextures(const int32_t textures[kParticleShapeCount]);
// Frees every system, type and the effects' records.
void Particle_Shutdown();

// Types.
int32_t Particle_Type_Create();
void Particle_Type_Destroy(int32_t type);
bool Particle_Type_Exists(int32_t type);
void Particle_Type_Clear(int32_t type);
void Particle_Type_Shape(int32_t type, int32_t shape);
void Particle_Type_Sprite(int32_t type, int32_t sprite, bool animate, bool stretch, bool random);
void Particle_Type_Size(int32_t type, float min, float max, float increment, float wiggle);
void Particle_Type_Scale(int32_t type, float xscale, float yscale);
void Particle_Type_Life(int32_t type, int32_t min, int32_t max);
void Particle_Type_Step(int32_t type, int32_t number, int32_t stepType);
void Particle_Type_Death(int32_t type, int32_t number, int32_t deathType);
void Particle_Type_Speed(int32_t type, float min, float max, float increment, float wiggle);
void Particle_Type_Direction(int32_t type, float min, float max, float increment, float wiggle);
void Particle_Type_Orientation(int32_t type, float min, float max, float increment, float wiggle, bool relative);
void Particle_Type_Gravity(int32_t type, float amount, float direction);
void Particle_Type_Color1(int32_t type, int32_t colour);
void Particle_Type_Color2(int32_t type, int32_t colour1, int32_t colour2);
void Particle_Type_Color3(int32_t type, int32_t colour1, int32_t colour2, int32_t colour3);
void Particle_Type_ColorRGB(int32_t type, int32_t rmin, int32_t rmax, int32_t gmin, int32_t gmax, int32_t bmin,
                            int32_t bmax);
void Particle_Type_ColorHSV(int32_t type, int32_t hmin, int32_t hmax, int32_t smin, int32_t smax, int32_t vmin,
                            int32_t vmax);
void Particle_Type_ColorMix(int32_t type, int32_t colour1, int32_t colour2);
void Particle_Type_Alpha1(int32_t type, float alpha);
void Particle_Type_Alpha2(int32_t type, float start, float end);
void Particle_Type_Alpha3(int32_t type, float start, float middle, float end);
void Particle_Type_Blend(int32_t type, bool additive);

// Systems.
int32_t Particle_System_Create();
void Particle_System_Destroy(int32_t system);
bool Particle_System_Exists(int32_t system);
// Frees its particles and sub-records and resets depth, position, order
// and both automatic switches.
void Particle_System_Clear(int32_t system);
void Particle_System_DrawOrder(int32_t system, bool oldToNew);
void Particle_System_Depth(int32_t system, float depth);
void Particle_System_Position(int32_t system, float x, float y);
void Particle_System_AutomaticUpdate(int32_t system, bool on);
void Particle_System_AutomaticDraw(int32_t system, bool on);
void Particle_System_Update(int32_t system);
void Particle_System_DrawIt(int32_t system);
// Every system that updates automatically, in handle order.
void Particle_System_UpdateAll();

// Room drawing's depth merge; -1e9 when no automatically drawn system is
// left. FirstDepth starts a pass in which each system draws once.
float Particle_System_FirstDepth();
float Particle_System_NextDepth(float depth);
void Particle_System_DrawAtDepth(float depth);

// Particles.
void Particle_Particles_Create(int32_t system, float x, float y, int32_t type, int32_t number);
void Particle_Particles_CreateColor(int32_t system, float x, float y, int32_t type, int32_t colour, int32_t number);
void Particle_Particles_Clear(int32_t system);
int32_t Particle_Particles_Count(int32_t system);

// The five kinds of sub-record share create, destroy, destroy-all, exists
// and clear.
enum class ParticlePart : uint8_t { kEmitter, kAttractor, kDestroyer, kDeflector, kChanger };
int32_t Particle_Part_Create(ParticlePart kind, int32_t system);
void Particle_Part_Destroy(ParticlePart kind, int32_t system, int32_t index);
void Particle_Part_DestroyAll(ParticlePart kind, int32_t system);
bool Particle_Part_Exists(ParticlePart kind, int32_t system, int32_t index);
void Particle_Part_Clear(ParticlePart kind, int32_t system, int32_t index);

void Particle_Emitter_Region(int32_t system, int32_t emitter, float xmin, float xmax, float ymin, float ymax,
                             int32_t shape, int32_t distribution);
void Particle_Emitter_Burst(int32_t system, int32_t emitter, int32_t type, int32_t number);
void Particle_Emitter_Stream(int32_t system, int32_t emitter, int32_t type, int32_t number);
void Particle_Attractor_Position(int32_t system, int32_t attractor, float x, float y);
void Particle_Attractor_Force(int32_t system, int32_t attractor, float force, float distance, int32_t kind,
                              bool additive);
void Particle_Destroyer_Region(int32_t system, int32_t destroyer, float xmin, float xmax, float ymin, float ymax,
                               int32_t shape);
void Particle_Deflector_Region(int32_t system, int32_t deflector, float xmin, float xmax, float ymin, float ymax);
void Particle_Deflector_Kind(int32_t system, int32_t deflector, int32_t kind);
void Particle_Deflector_Friction(int32_t system, int32_t deflector, float friction);
void Particle_Changer_Region(int32_t system, int32_t changer, float xmin, float xmax, float ymin, float ymax,
                             int32_t shape);
void Particle_Changer_Types(int32_t system, int32_t changer, int32_t from, int32_t to);
void Particle_Changer_Kind(int32_t system, int32_t changer, int32_t kind);

// Effects: the lazy set-up of the two systems and the 35 types, then
// kinds 0..11 (explosion .. snow), sizes 0 small, 2 large, any
// other medium.
void Particle_Effect_CreateSystems();
void Particle_Effect_CreateTypes();
void Particle_Effect_Create(bool below, int32_t kind, float x, float y, int32_t size, int32_t colour);
// Empties both effect systems; they keep their depths.
void Particle_Effect_Clear();
double Particle_Effect_TimeFactor();
// The effect systems' handles, -1 before the first effect.
int32_t Particle_Effect_System(bool below);

// The particle-type table and its setters.
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "graphics/particles/particle_records.h"

namespace {

std::vector<CParticleType> g_types;

// A setter's record: the live type or null.
template <typename Change>
void WithType(int32_t type, Change change) {
  if (CParticleType* record = ParticleType_Get(type)) change(*record);
}

}  // namespace

CParticleType* ParticleType_Get(int32_t type) {
  if (type < 0 || static_cast<size_t>(type) >= g_types.size()) return nullptr;
  CParticleType& record = g_types[static_cast<size_t>(type)];
  return record.inUse ? &record : nullptr;
}

const CParticleType* ParticleType_Slot(int32_t type) {
  if (type < 0 || static_cast<size_t>(type) >= g_types.size()) return nullptr;
  return &g_types[static_cast<size_t>(type)];
}

void ParticleTypes_Reset() { g_types.clear(); }

int32_t Particle_Type_Create() {
  size_t slot = 0;
  while (slot < g_types.size() && g_types[slot].inUse) ++slot;
  if (slot == g_types.size()) g_types.emplace_back();
  g_types[slot] = CParticleType{};
  g_types[slot].inUse = true;
  return static_cast<int32_t>(slot);
}

void Particle_Type_Destroy(int32_t type) {
  WithType(type, [](CParticleType& t) { t = CParticleType{}; });
}

bool Particle_Type_Exists(int32_t type) { return ParticleType_Get(type) != nullptr; }

// Colour words 4 to 6 are not part of what a clear resets.
void Particle_Type_Clear(int32_t type) {
  WithType(type, [](CParticleType& t) {
    CParticleType cleared;
    cleared.inUse = true;
    for (int i = 3; i < 6; ++i) cleared.colours[i] = t.colours[i];
    t = cleared;
  });
}

void Particle_Type_Shape(int32_t type, int32_t shape) {
  WithType(type, [=](CParticleType& t) {
    t.shape = shape;
    t.sprite = -1;
  });
}

void Particle_Type_Sprite(int32_t type, int32_t sprite, bool animate, bool stretch, bool random) {
  WithType(type, [=](CParticleType& t) {
    t.sprite = sprite;
    t.animate = animate;
    t.stretch = stretch;
    t.randomFrame = random;
  });
}

void Particle_Type_Size(int32_t type, float min, float max, float increment, float wiggle) {
  WithType(type, [=](CParticleType& t) {
    t.sizeMin = min;
    t.sizeMax = max;
    t.sizeIncrement = increment;
    t.sizeWiggle = wiggle;
  });
}

void Particle_Type_Scale(int32_t type, float xscale, float yscale) {
  WithType(type, [=](CParticleType& t) {
    t.xscale = xscale;
    t.yscale = yscale;
  });
}

void Particle_Type_Life(int32_t type, int32_t min, int32_t max) {
  WithType(type, [=](CParticleType& t) {
    t.lifeMin = min;
    t.lifeMax = max;
  });
}

void Particle_Type_Step(int32_t type, int32_t number, int32_t stepType) {
  WithType(type, [=](CParticleType& t) {
    t.stepNumber = number;
    t.stepType = stepType;
  });
}

void Particle_Type_Death(int32_t type, int32_t number, int32_t deathType) {
  WithType(type, [=](CParticleType& t) {
    t.deathNumber = number;
    t.deathType = deathType;
  });
}

void Particle_Type_Speed(int32_t type, float min, float max, float increment, float wiggle) {
  WithType(type, [=](CParticleType& t) {
    t.speedMin = min;
    t.speedMax = max;
    t.speedIncrement = increment;
    t.speedWiggle = wiggle;
  });
}

void Particle_Type_Direction(int32_t type, float min, float max, float increment, float wiggle) {
  WithType(type, [=](CParticleType& t) {
    t.directionMin = min;
    t.directionMax = max;
    t.directionIncrement = increment;
    t.directionWiggle = wiggle;
  });
}

void Particle_Type_Orientation(int32_t type, float min, float max, float increment, float wiggle, bool relative) {
  WithType(type, [=](CParticleType& t) {
    t.orientationMin = min;
    t.orientationMax = max;
    t.orientationIncrement = increment;
    t.orientationWiggle = wiggle;
    t.orientationRelative = relative;
  });
}

void Particle_Type_Gravity(int32_t type, float amount, float direction) {
  WithType(type, [=](CParticleType& t) {
    t.gravityAmount = amount;
    t.gravityDirection = direction;
  });
}

namespace {

void SetColours(int32_t type, int32_t mode, std::initializer_list<int32_t> words) {
  WithType(type, [=](CParticleType& t) {
    t.colourMode = mode;
    int i = 0;
    for (int32_t word : words) t.colours[i++] = word;
  });
}

}  // namespace

void Particle_Type_Color1(int32_t type, int32_t colour) { SetColours(type, 0, {colour}); }

void Particle_Type_Color2(int32_t type, int32_t colour1, int32_t colour2) { SetColours(type, 1, {colour1, colour2}); }

void Particle_Type_Color3(int32_t type, int32_t colour1, int32_t colour2, int32_t colour3) {
  SetColours(type, 2, {colour1, colour2, colour3});
}

void Particle_Type_ColorRGB(int32_t type, int32_t rmin, int32_t rmax, int32_t gmin, int32_t gmax, int32_t bmin,
                            int32_t bmax) {
  SetColours(type, 3, {rmin, rmax, gmin, gmax, bmin, bmax});
}

void Particle_Type_ColorHSV(int32_t type, int32_t hmin, int32_t hmax, int32_t smin, int32_t smax, int32_t vmin,
                            int32_t vmax) {
  SetColours(type, 4, {hmin, hmax, smin, smax, vmin, vmax});
}

void Particle_Type_ColorMix(int32_t type, int32_t colour1, int32_t colour2) { SetColours(type, 5, {colour1, colour2}); }

void Particle_Type_Alpha1(int32_t type, float alpha) { Particle_Type_Alpha3(type, alpha, alpha, alpha); }

void Particle_Type_Alpha2(int32_t type, float start, float end) {
  Particle_Type_Alpha3(type, start, static_cast<float>((static_cast<double>(start) + end) / 2.0), end);
}

void Particle_Type_Alpha3(int32_t type, float start, float middle, float end) {
  WithType(type, [=](CParticleType& t) {
    t.alphaStart = start;
    t.alphaMiddle = middle;
    t.alphaEnd = end;
  });
}

void Particle_Type_Blend(int32_t type, bool additive) {
  WithType(type, [=](CParticleType& t) { t.additive = additive; });
}

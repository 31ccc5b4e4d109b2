// Making particles: the random ranges, a new particle's fields and colour,
// the capped append and the emitters' bursts.
#include <cmath>

#include "graphics/particles/particle_records.h"
#include "runtime/colour.h"
#include "runtime/console.h"
#include "runtime/random.h"

namespace {

double Uniform() { return Random_Real(1.0); }

// A standard normal value scaled to [-3, 3) by rejection.
double GaussianX() {
  for (;;) {
    const double x = (Uniform() - 0.5) * 6.0;
    if (std::exp(-x * x / 2.0) > Uniform()) return x;
  }
}

float RandomFloat(float min, float max) { return static_cast<float>(Particle_Random(min, max, 0)); }

// An integer in min..max inclusive; no draw when max <= min.
int32_t RandomInclusive(int32_t min, int32_t max) {
  if (max <= min) return min;
  const int64_t span = static_cast<int64_t>(max) - min + 1;
  if (span > INT32_MAX) return static_cast<int32_t>(min + static_cast<int64_t>(Uniform() * static_cast<double>(span)));
  return min + Random_Int(static_cast<int32_t>(span));
}

uint32_t FirstColour(const CParticleType& type) {
  const int32_t* c = type.colours;
  switch (type.colourMode) {
    case 3: {
      const uint32_t red = static_cast<uint32_t>(RandomInclusive(c[0], c[1])) & 0xFF;
      const uint32_t green = static_cast<uint32_t>(RandomInclusive(c[2], c[3])) & 0xFF;
      const uint32_t blue = static_cast<uint32_t>(RandomInclusive(c[4], c[5])) & 0xFF;
      return red | green << 8 | blue << 16;
    }
    case 4: {
      const int32_t hue = RandomInclusive(c[0], c[1]);
      const int32_t saturation = RandomInclusive(c[2], c[3]);
      const int32_t value = RandomInclusive(c[4], c[5]);
      return Colour_MakeHSV(hue, saturation, value);
    }
    case 5:
      return Colour_Merge(static_cast<uint32_t>(c[0]), static_cast<uint32_t>(c[1]), static_cast<float>(Uniform()));
    default: return static_cast<uint32_t>(c[0]);
  }
}

// The lifetime truncated, held inside 32 bits for any range.
int32_t RandomLifetime(const CParticleType& type) {
  const double life = Particle_Random(type.lifeMin, type.lifeMax, 0);
  return static_cast<int32_t>(std::fmin(std::fmax(std::trunc(life), INT32_MIN), INT32_MAX));
}

void ReportFull(CParticleSystem& system) {
  if (system.fullReported) return;
  system.fullReported = true;
  const auto& table = ParticleSystem_Table();
  const auto handle = static_cast<int32_t>(&system - table.data());
  g_debugConsole->Output("Particle system %d is full: no more particles are made\n", handle);
}

}  // namespace

double Particle_Random(double min, double max, int32_t distribution) {
  if (!(max - min > 0)) return min;
  double t;
  if (distribution == 1) {
    t = (GaussianX() + 3.0) / 6.0;
  } else if (distribution == 2) {
    double x = GaussianX();
    if (x < 0) x += 6.0;
    t = x / 6.0;
  } else {
    t = Uniform();
  }
  return min + t * (max - min);
}

CParticle Particle_Make(const CParticleType& type, int32_t typeIndex, float x, float y) {
  CParticle p{};
  p.alive = true;
  p.type = typeIndex;
  p.x = p.xprevious = x;
  p.y = p.yprevious = y;
  p.speed = RandomFloat(type.speedMin, type.speedMax);
  p.direction = RandomFloat(type.directionMin, type.directionMax);
  p.orientation = RandomFloat(type.orientationMin, type.orientationMax);
  p.lifetime = RandomLifetime(type);
  p.colour = FirstColour(type);
  p.alpha = type.alphaStart;
  p.size = RandomFloat(type.sizeMin, type.sizeMax);
  p.startFrame = type.randomFrame ? Random_Int(10000) : 0;
  p.number = Random_Int(100000);
  return p;
}

void Particle_Append(CParticleSystem& system, int32_t type, float x, float y, int32_t number) {
  const CParticleType* record = ParticleType_Get(type);
  if (record == nullptr) return;
  for (int32_t i = 0; i < number; ++i) {
    if (system.particles.size() >= static_cast<size_t>(kParticleSystemCapacity)) {
      ReportFull(system);
      return;
    }
    system.particles.push_back(Particle_Make(*record, type, x, y));
  }
}

int32_t Particle_ChanceCount(int32_t number) {
  if (number >= 0) return number;
  // Random_Int takes a negative bound as its magnitude, INT32_MIN as 2^31.
  return Random_Int(number) == 0 ? 1 : 0;
}

void Particle_UpdateColour(const CParticleType& type, CParticle& p) {
  if (p.age <= 0 || p.lifetime <= 0) return;
  const int32_t* c = type.colours;
  const float fraction = static_cast<float>(static_cast<double>(p.age) / p.lifetime);
  if (type.colourMode == 1) {
    p.colour = Colour_Merge(static_cast<uint32_t>(c[0]), static_cast<uint32_t>(c[1]), std::fmin(1.0f, fraction));
  } else if (type.colourMode == 2) {
    const float t = std::fmin(2.0f, 2.0f * fraction);
    p.colour = t < 1.0f ? Colour_Merge(static_cast<uint32_t>(c[0]), static_cast<uint32_t>(c[1]), t)
                        : Colour_Merge(static_cast<uint32_t>(c[1]), static_cast<uint32_t>(c[2]), t - 1.0f);
  }
}

void Particle_Burst(CParticleSystem& system, const CParticleEmitter& e, int32_t type, int32_t number) {
  if (ParticleType_Get(type) == nullptr) return;
  const int32_t count = Particle_ChanceCount(number);
  for (int32_t i = 0; i < count; ++i) {
    double fx, fy;
    for (;;) {
      const bool oneUniform = e.distribution == 2 && e.shape != kRegionLine;
      const bool uniformX = oneUniform && Uniform() < 0.5;
      fx = oneUniform && uniformX ? Uniform() : Particle_Random(0, 1, e.distribution);
      fy = oneUniform && !uniformX ? Uniform() : Particle_Random(0, 1, e.distribution);
      if (e.shape == kRegionEllipse && (fx - 0.5) * (fx - 0.5) + (fy - 0.5) * (fy - 0.5) > 0.25) continue;
      if (e.shape == kRegionDiamond && std::fabs(fx - 0.5) + std::fabs(fy - 0.5) > 0.5) continue;
      break;
    }
    const double width = static_cast<double>(e.xmax) - e.xmin, height = static_cast<double>(e.ymax) - e.ymin;
    const double px = e.xmin + fx * width;
    const double py = e.ymin + (e.shape == kRegionLine ? fx : fy) * height;
    const size_t before = system.particles.size();
    Particle_Append(system, type, static_cast<float>(px), static_cast<float>(py), 1);
    if (system.particles.size() == before) return;
  }
}

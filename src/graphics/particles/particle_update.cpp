// One step of a particle system: life, motion, deflectors, changers,
// destroyers, size, colour and alpha, then the emitters' streams.
#include <algorithm>
#include <cmath>

#include "graphics/particles/particle_records.h"

namespace {

constexpr float kRadiansPerDegree = 3.1415927f / 180.0f;

// A record of a live type's slot, or of a destroyed one's current settings:
// the table never shrinks, so a particle's type index always has a slot.
const CParticleType& TypeOf(const CParticle& p) {
  static const CParticleType& kNone = *new CParticleType;
  const CParticleType* slot = ParticleType_Slot(p.type);
  return slot != nullptr ? *slot : kNone;
}

void RemoveDead(CParticleSystem& s) {
  std::erase_if(s.particles, [](const CParticle& p) { return !p.alive; });
}

// Particles made here join the end of the table and are visited by this
// same pass; the system's cap ends a type that keeps spawning itself.
void Life(CParticleSystem& s) {
  for (size_t i = 0; i < s.particles.size(); ++i) {
    CParticle& p = s.particles[i];
    ++p.age;
    const CParticleType& type = TypeOf(p);
    const float x = p.x, y = p.y;
    if (p.age >= p.lifetime) {
      p.alive = false;
      Particle_Append(s, type.deathType, x, y, Particle_ChanceCount(type.deathNumber));
      continue;
    }
    Particle_Append(s, type.stepType, x, y, Particle_ChanceCount(type.stepNumber));
  }
  RemoveDead(s);
}

// Position in a triangle wave of the given period and step.
float Wave(int64_t age, int64_t offset, int64_t period, float per) {
  return Particle_Fold(static_cast<float>((age + offset) % period) / per);
}

struct Vector2 {
  float x, y;
};

Vector2 Along(float speed, float degrees) {
  const float radians = degrees * kRadiansPerDegree;
  return {std::cos(radians) * speed, -std::sin(radians) * speed};
}

bool HasAttractors(const CParticleSystem& s) {
  return std::any_of(s.attractors.begin(), s.attractors.end(), [](const CParticleAttractor& a) { return a.inUse; });
}

// Adds gravity and the attractors' pulls to the motion; the non-additive
// pulls only displace the particle this step.
Vector2 Forces(const CParticleSystem& s, const CParticleType& type, CParticle& p) {
  Vector2 motion = Along(p.speed, p.direction);
  const Vector2 gravity = Along(type.gravityAmount, type.gravityDirection);
  motion.x += gravity.x;
  motion.y += gravity.y;
  Vector2 shift{0, 0};
  for (const CParticleAttractor& a : s.attractors) {
    if (!a.inUse || a.force == 0) continue;
    const float dx = a.x - p.x, dy = a.y - p.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0 && d <= a.distance)) continue;
    float force = a.force;
    const float near = (a.distance - d) / a.distance;
    if (a.kind == 1) force *= near;
    if (a.kind == 2) force *= near * near;
    Vector2& target = a.additive ? motion : shift;
    target.x += dx / d * force;
    target.y += dy / d * force;
  }
  p.speed = std::sqrt(motion.x * motion.x + motion.y * motion.y);
  float direction = std::atan2(-motion.y, motion.x) / kRadiansPerDegree;
  if (direction < 0) direction += 360.0f;
  p.direction = direction;
  return shift;
}

void Motion(CParticleSystem& s) {
  const bool attractors = HasAttractors(s);
  for (CParticle& p : s.particles) {
    const CParticleType& type = TypeOf(p);
    p.xprevious = p.x;
    p.yprevious = p.y;
    p.speed = std::max(0.0f, p.speed + type.speedIncrement);
    p.direction += type.directionIncrement;
    p.orientation += type.orientationIncrement;
    Vector2 shift{0, 0};
    if (type.gravityAmount != 0 || attractors) shift = Forces(s, type, p);
    const float a = Wave(p.age, 3 * static_cast<int64_t>(p.number), 24, 6.0f);
    const float b = Wave(p.age, 4 * static_cast<int64_t>(p.number), 20, 5.0f);
    const Vector2 step = Along(p.speed + b * type.speedWiggle, p.direction + a * type.directionWiggle);
    p.x += step.x + shift.x;
    p.y += step.y + shift.y;
  }
}

template <typename Region>
bool ValidBox(const Region& r) {
  return r.inUse && r.xmin < r.xmax && r.ymin < r.ymax;
}

template <typename Region>
bool InBox(const Region& r, const CParticle& p) {
  return p.x >= r.xmin && p.x <= r.xmax && p.y >= r.ymin && p.y <= r.ymax;
}

void Deflect(CParticleSystem& s) {
  for (const CParticleDeflector& d : s.deflectors) {
    if (!ValidBox(d)) continue;
    for (CParticle& p : s.particles) {
      if (!InBox(d, p)) continue;
      if (d.kind == 1) {
        p.direction = 180.0f - p.direction;
        if (p.direction < 0) p.direction += 360.0f;
        p.x = p.xprevious - (p.x - p.xprevious);
      } else {
        p.direction = 360.0f - p.direction;
        p.y = p.yprevious - (p.y - p.yprevious);
      }
      p.speed = std::max(0.0f, p.speed - d.friction);
    }
  }
}

// The changer's coarse test: integer parts before and after scaling, so
// only the box's central cross of cells passes the ellipse.
bool ChangerShapePasses(const CParticleChanger& c, const CParticle& p) {
  const double nx = std::trunc(2.0 * std::trunc(p.x - (c.xmin + c.xmax) / 2.0) / (c.xmax - c.xmin));
  const double ny = std::trunc(2.0 * std::trunc(p.y - (c.ymin + c.ymax) / 2.0) / (c.ymax - c.ymin));
  if (c.shape == kRegionEllipse) return nx * nx + ny * ny <= 1.0;
  if (c.shape == kRegionDiamond) return std::fabs(nx) + std::fabs(ny) <= 1.0;
  return true;
}

void ChangeOne(const CParticleChanger& c, CParticle& p) {
  const CParticleType* to = ParticleType_Get(c.to);
  if (to == nullptr) return;
  const CParticle fresh = Particle_Make(*to, c.to, p.x, p.y);
  if (c.kind == 0) {
    p = fresh;
    return;
  }
  p.type = fresh.type;
  if (c.kind == 1) {
    p.colour = fresh.colour;
    p.alpha = fresh.alpha;
    p.size = fresh.size;
    p.startFrame = fresh.startFrame;
    p.orientation = fresh.orientation;
  } else if (c.kind == 2) {
    p.speed = fresh.speed;
    p.direction = fresh.direction;
  }
}

void Change(CParticleSystem& s) {
  for (const CParticleChanger& c : s.changers) {
    if (!ValidBox(c)) continue;
    for (CParticle& p : s.particles) {
      if (p.type == c.from && InBox(c, p) && ChangerShapePasses(c, p)) ChangeOne(c, p);
    }
  }
}

bool DestroyerTakes(const CParticleDestroyer& d, const CParticle& p) {
  if (!InBox(d, p)) return false;
  const double nx = (p.x - (d.xmin + d.xmax) / 2.0) / ((d.xmax - d.xmin) / 2.0);
  const double ny = (p.y - (d.ymin + d.ymax) / 2.0) / ((d.ymax - d.ymin) / 2.0);
  switch (d.shape) {
    case kRegionRectangle: return true;
    case kRegionEllipse: return nx * nx + ny * ny <= 1.0;
    case kRegionDiamond: return std::fabs(nx) + std::fabs(ny) <= 1.0;
    default: return false;
  }
}

void Destroy(CParticleSystem& s) {
  for (const CParticleDestroyer& d : s.destroyers) {
    if (!ValidBox(d)) continue;
    for (CParticle& p : s.particles) {
      if (DestroyerTakes(d, p)) p.alive = false;
    }
  }
  RemoveDead(s);
}

void Appearance(CParticleSystem& s) {
  for (CParticle& p : s.particles) {
    const CParticleType& type = TypeOf(p);
    p.size = std::max(0.0f, p.size + type.sizeIncrement);
    Particle_UpdateColour(type, p);
    const float t = p.lifetime == 0 ? 1.0f : static_cast<float>(2.0 * p.age / p.lifetime);
    p.alpha = t < 1.0f ? type.alphaStart + t * (type.alphaMiddle - type.alphaStart)
                       : type.alphaMiddle + (t - 1.0f) * (type.alphaEnd - type.alphaMiddle);
  }
}

void Emit(CParticleSystem& s) {
  for (size_t i = 0; i < s.emitters.size(); ++i) {
    const CParticleEmitter e = s.emitters[i];
    if (e.inUse && e.number != 0) Particle_Burst(s, e, e.type, e.number);
  }
}

}  // namespace

float Particle_Fold(float v) { return (v > 2.0f ? 4.0f - v : v) - 1.0f; }

void Particle_System_Update(int32_t system) {
  CParticleSystem* s = ParticleSystem_Get(system);
  if (s == nullptr) return;
  Life(*s);
  Motion(*s);
  if (!s->deflectors.empty()) Deflect(*s);
  if (!s->changers.empty()) Change(*s);
  if (!s->destroyers.empty()) Destroy(*s);
  Appearance(*s);
  Emit(*s);
}

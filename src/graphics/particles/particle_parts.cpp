// A system's emitters, attractors, destroyers, deflectors and changers:
// one set of table operations for all five, and each kind's setters.
#include <cstddef>
#include <vector>

#include "graphics/particles/particle_records.h"

namespace {

template <typename Record>
Record* Slot(std::vector<Record>& table, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return nullptr;
  Record& record = table[static_cast<size_t>(index)];
  return record.inUse ? &record : nullptr;
}

template <typename Record>
int32_t CreateIn(std::vector<Record>& table) {
  size_t slot = 0;
  while (slot < table.size() && table[slot].inUse) ++slot;
  if (slot == table.size()) table.emplace_back();
  table[slot] = Record{};
  table[slot].inUse = true;
  return static_cast<int32_t>(slot);
}

// Runs an operation on the table of one kind of a live system; the answer
// when the system is missing is the operation's default.
template <typename Answer, typename Operation>
Answer OnTable(ParticlePart kind, int32_t system, Answer missing, Operation operation) {
  CParticleSystem* s = ParticleSystem_Get(system);
  if (s == nullptr) return missing;
  switch (kind) {
    case ParticlePart::kEmitter: return operation(s->emitters);
    case ParticlePart::kAttractor: return operation(s->attractors);
    case ParticlePart::kDestroyer: return operation(s->destroyers);
    case ParticlePart::kDeflector: return operation(s->deflectors);
    case ParticlePart::kChanger: return operation(s->changers);
  }
  return missing;
}

template <typename Record, typename Change>
void WithRecord(std::vector<Record> CParticleSystem::*table, int32_t system, int32_t index, Change change) {
  CParticleSystem* s = ParticleSystem_Get(system);
  if (s == nullptr) return;
  if (Record* record = Slot(s->*table, index)) change(*record);
}

template <typename Record>
void SetBox(Record& r, float xmin, float xmax, float ymin, float ymax) {
  r.xmin = xmin;
  r.xmax = xmax;
  r.ymin = ymin;
  r.ymax = ymax;
}

}  // namespace

int32_t Particle_Part_Create(ParticlePart kind, int32_t system) {
  return OnTable(kind, system, -1, [](auto& table) { return CreateIn(table); });
}

void Particle_Part_Destroy(ParticlePart kind, int32_t system, int32_t index) {
  OnTable(kind, system, 0, [index](auto& table) {
    if (auto* record = Slot(table, index)) *record = {};
    return 0;
  });
}

void Particle_Part_DestroyAll(ParticlePart kind, int32_t system) {
  OnTable(kind, system, 0, [](auto& table) {
    for (auto& record : table) record = {};
    return 0;
  });
}

bool Particle_Part_Exists(ParticlePart kind, int32_t system, int32_t index) {
  return OnTable(kind, system, false, [index](auto& table) { return Slot(table, index) != nullptr; });
}

void Particle_Part_Clear(ParticlePart kind, int32_t system, int32_t index) {
  OnTable(kind, system, 0, [index](auto& table) {
    if (auto* record = Slot(table, index)) {
      *record = {};
      record->inUse = true;
    }
    return 0;
  });
}

void Particle_Emitter_Region(int32_t system, int32_t emitter, float xmin, float xmax, float ymin, float ymax,
                             int32_t shape, int32_t distribution) {
  WithRecord(&CParticleSystem::emitters, system, emitter, [=](CParticleEmitter& e) {
    SetBox(e, xmin, xmax, ymin, ymax);
    e.shape = shape;
    e.distribution = distribution;
  });
}

void Particle_Emitter_Burst(int32_t system, int32_t emitter, int32_t type, int32_t number) {
  CParticleSystem* s = ParticleSystem_Get(system);
  if (s == nullptr) return;
  if (const CParticleEmitter* e = Slot(s->emitters, emitter)) Particle_Burst(*s, *e, type, number);
}

void Particle_Emitter_Stream(int32_t system, int32_t emitter, int32_t type, int32_t number) {
  WithRecord(&CParticleSystem::emitters, system, emitter, [=](CParticleEmitter& e) {
    e.type = type;
    e.number = number;
  });
}

void Particle_Attractor_Position(int32_t system, int32_t attractor, float x, float y) {
  WithRecord(&CParticleSystem::attractors, system, attractor, [=](CParticleAttractor& a) {
    a.x = x;
    a.y = y;
  });
}

void Particle_Attractor_Force(int32_t system, int32_t attractor, float force, float distance, int32_t kind,
                              bool additive) {
  WithRecord(&CParticleSystem::attractors, system, attractor, [=](CParticleAttractor& a) {
    a.force = force;
    a.distance = distance;
    a.kind = kind;
    a.additive = additive;
  });
}

void Particle_Destroyer_Region(int32_t system, int32_t destroyer, float xmin, float xmax, float ymin, float ymax,
                               int32_t shape) {
  WithRecord(&CParticleSystem::destroyers, system, destroyer, [=](CParticleDestroyer& d) {
    SetBox(d, xmin, xmax, ymin, ymax);
    d.shape = shape;
  });
}

void Particle_Deflector_Region(int32_t system, int32_t deflector, float xmin, float xmax, float ymin, float ymax) {
  WithRecord(&CParticleSystem::deflectors, system, deflector,
             [=](CParticleDeflector& d) { SetBox(d, xmin, xmax, ymin, ymax); });
}

void Particle_Deflector_Kind(int32_t system, int32_t deflector, int32_t kind) {
  WithRecord(&CParticleSystem::deflectors, system, deflector, [=](CParticleDeflector& d) { d.kind = kind; });
}

void Particle_Deflector_Friction(int32_t system, int32_t deflector, float friction) {
  WithRecord(&CParticleSystem::deflectors, system, deflector, [=](CParticleDeflector& d) { d.friction = friction; });
}

void Particle_Changer_Region(int32_t system, int32_t changer, float xmin, float xmax, float ymin, float ymax,
                             int32_t shape) {
  WithRecord(&CParticleSystem::changers, system, changer, [=](CParticleChanger& c) {
    SetBox(c, xmin, xmax, ymin, ymax);
    c.shape = shape;
  });
}

void Particle_Changer_Types(int32_t system, int32_t changer, int32_t from, int32_t to) {
  WithRecord(&CParticleSystem::changers, system, changer, [=](CParticleChanger& c) {
    c.from = from;
    c.to = to;
  });
}

void Particle_Changer_Kind(int32_t system, int32_t changer, int32_t kind) {
  WithRecord(&CParticleSystem::changers, system, changer, [=](CParticleChanger& c) { c.kind = kind; });
}

// The actions' own particle system: one system, made by the first action
// that needs it, with sixteen slots of particle types and sixteen of
// emitters. A slot number outside 0..15 makes the action do nothing.
#include <algorithm>
#include <array>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "graphics/particles/particles.h"

using actions::Float;

namespace {

constexpr int32_t kSlots = 16;
constexpr int32_t kNone = -1;
constexpr int32_t kUniformDistribution = 0;

int32_t g_system = kNone;
std::array<int32_t, kSlots> g_types;
std::array<int32_t, kSlots> g_emitters;

bool HasSystem() { return g_system != kNone && Particle_System_Exists(g_system); }

int32_t System() {
  if (!HasSystem()) g_system = Particle_System_Create();
  return g_system;
}

// The slot an argument names, or -1 for none of the sixteen.
int32_t Slot(const BuiltinArgs& a, int32_t i) {
  const int32_t slot = a.Int(i);
  return slot >= 0 && slot < kSlots ? slot : kNone;
}

// The particle type of the slot the first argument names, made when the
// slot is empty; -1 for a slot outside the sixteen.
int32_t Type(const BuiltinArgs& a) {
  const int32_t slot = Slot(a, 0);
  if (slot == kNone) return kNone;
  System();
  if (g_types[slot] == kNone || !Particle_Type_Exists(g_types[slot])) g_types[slot] = Particle_Type_Create();
  return g_types[slot];
}

void Emit(const BuiltinArgs& a, void (*emit)(int32_t system, int32_t emitter, int32_t type, int32_t number)) {
  const int32_t system = System();
  const int32_t emitter = Slot(a, 0), type = Slot(a, 1);
  if (emitter == kNone || type == kNone) return;
  if (g_emitters[emitter] == kNone) {
    Builtin_Error("The particle emitter must first be created.");
    return;
  }
  emit(system, g_emitters[emitter], g_types[type], a.Int(2));
}

}  // namespace

void ActionBuiltins_Prepare() {
  g_system = kNone;
  g_types.fill(kNone);
  g_emitters.fill(kNone);
}

// The slots are forgotten; what they named stays.
void F_ActionPartsystCreate(KV_BUILTIN_PARAMS) {
  const int32_t system = System();
  Particle_System_Clear(system);
  Particle_System_Depth(system, static_cast<float>(BuiltinArgs(argc, args).Int(0)));
  g_types.fill(kNone);
  g_emitters.fill(kNone);
}

void F_ActionPartsystDestroy(KV_BUILTIN_PARAMS) {
  if (HasSystem()) Particle_System_Destroy(g_system);
  g_system = kNone;
}

void F_ActionPartsystClear(KV_BUILTIN_PARAMS) {
  if (HasSystem()) Particle_Particles_Clear(g_system);
}

void F_ActionParttypeCreateOld(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type == kNone) return;
  Particle_Type_Shape(type, a.Int(1));
  Particle_Type_Size(type, Float(a, 2), Float(a, 3), 0.0f, 0.0f);
  Particle_Type_Color2(type, a.Int(4), a.Int(5));
}

void F_ActionParttypeCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type == kNone) return;
  Particle_Type_Shape(type, a.Int(1));
  Particle_Type_Sprite(type, a.Int(2), true, false, false);
  Particle_Type_Size(type, Float(a, 3), Float(a, 4), Float(a, 5), 0.0f);
}

void F_ActionParttypeColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type == kNone) return;
  if (a.Int(1) != 0) {
    Particle_Type_Color2(type, a.Int(2), a.Int(3));
  } else {
    Particle_Type_ColorMix(type, a.Int(2), a.Int(3));
  }
  Particle_Type_Alpha2(type, Float(a, 4), Float(a, 5));
}

void F_ActionParttypeLife(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type != kNone) Particle_Type_Life(type, a.Int(1), a.Int(2));
}

void F_ActionParttypeSpeed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type == kNone) return;
  Particle_Type_Speed(type, Float(a, 1), Float(a, 2), -Float(a, 5), 0.0f);
  Particle_Type_Direction(type, Float(a, 3), Float(a, 4), 0.0f, 0.0f);
}

void F_ActionParttypeGravity(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t type = Type(a);
  if (type != kNone) Particle_Type_Gravity(type, Float(a, 1), Float(a, 2));
}

void F_ActionParttypeSecondary(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t stepSlot = Slot(a, 1), deathSlot = Slot(a, 3);
  if (stepSlot == kNone || deathSlot == kNone) return;
  const int32_t type = Type(a);
  if (type == kNone) return;
  Particle_Type_Step(type, a.Int(2), g_types[stepSlot]);
  Particle_Type_Death(type, a.Int(4), g_types[deathSlot]);
}

void F_ActionPartemitCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t system = System();
  const int32_t slot = Slot(a, 0);
  if (slot == kNone) return;
  if (g_emitters[slot] == kNone) g_emitters[slot] = Particle_Part_Create(ParticlePart::kEmitter, system);
  Particle_Emitter_Region(system, g_emitters[slot], Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), a.Int(1),
                          kUniformDistribution);
}

// The slot keeps the destroyed emitter's number.
void F_ActionPartemitDestroy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t system = System();
  const int32_t slot = Slot(a, 0);
  if (slot != kNone && g_emitters[slot] != kNone)
    Particle_Part_Destroy(ParticlePart::kEmitter, system, g_emitters[slot]);
}

void F_ActionPartemitBurst(KV_BUILTIN_PARAMS) { Emit(BuiltinArgs(argc, args), Particle_Emitter_Burst); }
void F_ActionPartemitStream(KV_BUILTIN_PARAMS) { Emit(BuiltinArgs(argc, args), Particle_Emitter_Stream); }

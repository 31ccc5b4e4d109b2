// The settings of emitters, attractors, destroyers, deflectors and
// changers, and the effect built-ins.
#include "builtins/particles/handlers.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return ParticleFloat(a, i); }

}  // namespace

void F_PartEmitterRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), a.Int(7));
}

void F_PartEmitterBurst(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Burst(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

void F_PartEmitterStream(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Stream(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

void F_PartAttractorPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Attractor_Position(a.Int(0), a.Int(1), F(a, 2), F(a, 3));
}

void F_PartAttractorForce(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Attractor_Force(a.Int(0), a.Int(1), F(a, 2), F(a, 3), a.Int(4), a.Bool(5));
}

void F_PartDestroyerRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Destroyer_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6));
}

void F_PartDeflectorRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5));
}

void F_PartDeflectorKind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Kind(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartDeflectorFriction(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Friction(a.Int(0), a.Int(1), F(a, 2));
}

void F_PartChangerRegion(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6));
}

void F_PartChangerKind(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Kind(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartChangerTypes(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Types(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

namespace {

void CreateEffect(bool below, int32_t argc, const ScriptValue* args) {
  BuiltinArgs a(argc, args);
  Particle_Effect_Create(below, a.Int(0), F(a, 1), F(a, 2), a.Int(3), a.Int(4));
}

}  // namespace

void F_EffectCreateBelow(KV_BUILTIN_PARAMS) { CreateEffect(true, argc, args); }

void F_EffectCreateAbove(KV_BUILTIN_PARAMS) { CreateEffect(false, argc, args); }

void F_EffectClear(KV_BUILTIN_PARAMS) { Particle_Effect_Clear(); }

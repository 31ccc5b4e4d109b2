// The settings of emitters, attractors, destroyers, deflectors and
// changers, and the effect built-ins.
#include "builtins/particles/handlers.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return ParticleFloat(a, i); }

}  // namespace

KV_BUILTIN(F_PartEmitterRegion) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), a.Int(7));
}

KV_BUILTIN(F_PartEmitterBurst) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Burst(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

KV_BUILTIN(F_PartEmitterStream) {
  BuiltinArgs a(argc, args);
  Particle_Emitter_Stream(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

KV_BUILTIN(F_PartAttractorPosition) {
  BuiltinArgs a(argc, args);
  Particle_Attractor_Position(a.Int(0), a.Int(1), F(a, 2), F(a, 3));
}

KV_BUILTIN(F_PartAttractorForce) {
  BuiltinArgs a(argc, args);
  Particle_Attractor_Force(a.Int(0), a.Int(1), F(a, 2), F(a, 3), a.Int(4), a.Bool(5));
}

KV_BUILTIN(F_PartDestroyerRegion) {
  BuiltinArgs a(argc, args);
  Particle_Destroyer_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6));
}

KV_BUILTIN(F_PartDeflectorRegion) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5));
}

KV_BUILTIN(F_PartDeflectorKind) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Kind(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartDeflectorFriction) {
  BuiltinArgs a(argc, args);
  Particle_Deflector_Friction(a.Int(0), a.Int(1), F(a, 2));
}

KV_BUILTIN(F_PartChangerRegion) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Region(a.Int(0), a.Int(1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6));
}

KV_BUILTIN(F_PartChangerKind) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Kind(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartChangerTypes) {
  BuiltinArgs a(argc, args);
  Particle_Changer_Types(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

namespace {

void CreateEffect(bool below, int32_t argc, const ScriptValue* args) {
  BuiltinArgs a(argc, args);
  Particle_Effect_Create(below, a.Int(0), F(a, 1), F(a, 2), a.Int(3), a.Int(4));
}

}  // namespace

KV_BUILTIN(F_EffectCreateBelow) { CreateEffect(true, argc, args); }

KV_BUILTIN(F_EffectCreateAbove) { CreateEffect(false, argc, args); }

KV_BUILTIN(F_EffectClear) { Particle_Effect_Clear(); }

// The particles family's handlers. Each converts its arguments (int: nearest,
// halves to even; bool: at least 0.5; f: narrowed to float) and calls one
// particle worker, which checks every handle itself.
#pragma once

#include "builtins/builtin_args.h"
#include "graphics/particles/particles.h"
#include "runtime/numeric.h"

// Types.
void F_PartTypeCreate(KV_BUILTIN_PARAMS);
void F_PartTypeDestroy(KV_BUILTIN_PARAMS);
void F_PartTypeExists(KV_BUILTIN_PARAMS);
void F_PartTypeClear(KV_BUILTIN_PARAMS);
void F_PartTypeShape(KV_BUILTIN_PARAMS);
void F_PartTypeSprite(KV_BUILTIN_PARAMS);
void F_PartTypeSize(KV_BUILTIN_PARAMS);
void F_PartTypeScale(KV_BUILTIN_PARAMS);
void F_PartTypeLife(KV_BUILTIN_PARAMS);
void F_PartTypeStep(KV_BUILTIN_PARAMS);
void F_PartTypeDeath(KV_BUILTIN_PARAMS);
void F_PartTypeSpeed(KV_BUILTIN_PARAMS);
void F_PartTypeDirection(KV_BUILTIN_PARAMS);
void F_PartTypeOrientation(KV_BUILTIN_PARAMS);
void F_PartTypeGravity(KV_BUILTIN_PARAMS);
void F_PartTypeColorMix(KV_BUILTIN_PARAMS);
void F_PartTypeColorRGB(KV_BUILTIN_PARAMS);
void F_PartTypeColorHSV(KV_BUILTIN_PARAMS);
void F_PartTypeColor1(KV_BUILTIN_PARAMS);
void F_PartTypeColor2(KV_BUILTIN_PARAMS);
void F_PartTypeColor3(KV_BUILTIN_PARAMS);
void F_PartTypeAlpha1(KV_BUILTIN_PARAMS);
void F_PartTypeAlpha2(KV_BUILTIN_PARAMS);
void F_PartTypeAlpha3(KV_BUILTIN_PARAMS);
void F_PartTypeBlend(KV_BUILTIN_PARAMS);

// Systems and their particles.
void F_PartSystemCreate(KV_BUILTIN_PARAMS);
void F_PartSystemDestroy(KV_BUILTIN_PARAMS);
void F_PartSystemExists(KV_BUILTIN_PARAMS);
void F_PartSystemClear(KV_BUILTIN_PARAMS);
void F_PartSystemDrawOrder(KV_BUILTIN_PARAMS);
void F_PartSystemDepth(KV_BUILTIN_PARAMS);
void F_PartSystemPosition(KV_BUILTIN_PARAMS);
void F_PartSystemAutomaticUpdate(KV_BUILTIN_PARAMS);
void F_PartSystemAutomaticDraw(KV_BUILTIN_PARAMS);
void F_PartSystemUpdate(KV_BUILTIN_PARAMS);
void F_PartSystemDrawIt(KV_BUILTIN_PARAMS);
void F_PartParticlesCreate(KV_BUILTIN_PARAMS);
void F_PartParticlesCreateColor(KV_BUILTIN_PARAMS);
void F_PartParticlesClear(KV_BUILTIN_PARAMS);
void F_PartParticlesCount(KV_BUILTIN_PARAMS);

// The five kinds of sub-record share their table handlers, one instance
// per kind.
template <ParticlePart kKind>
void F_PartCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Particle_Part_Create(kKind, a.Int(0)));
}
template <ParticlePart kKind>
void F_PartDestroy(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Part_Destroy(kKind, a.Int(0), a.Int(1));
}
template <ParticlePart kKind>
void F_PartDestroyAll(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Part_DestroyAll(kKind, a.Int(0));
}
template <ParticlePart kKind>
void F_PartExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Particle_Part_Exists(kKind, a.Int(0), a.Int(1)) ? 1.0 : 0.0);
}
template <ParticlePart kKind>
void F_PartClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Part_Clear(kKind, a.Int(0), a.Int(1));
}

void F_PartEmitterRegion(KV_BUILTIN_PARAMS);
void F_PartEmitterBurst(KV_BUILTIN_PARAMS);
void F_PartEmitterStream(KV_BUILTIN_PARAMS);
void F_PartAttractorPosition(KV_BUILTIN_PARAMS);
void F_PartAttractorForce(KV_BUILTIN_PARAMS);
void F_PartDestroyerRegion(KV_BUILTIN_PARAMS);
void F_PartDeflectorRegion(KV_BUILTIN_PARAMS);
void F_PartDeflectorKind(KV_BUILTIN_PARAMS);
void F_PartDeflectorFriction(KV_BUILTIN_PARAMS);
void F_PartChangerRegion(KV_BUILTIN_PARAMS);
void F_PartChangerKind(KV_BUILTIN_PARAMS);
void F_PartChangerTypes(KV_BUILTIN_PARAMS);

// Effects.
void F_EffectCreateBelow(KV_BUILTIN_PARAMS);
void F_EffectCreateAbove(KV_BUILTIN_PARAMS);
void F_EffectClear(KV_BUILTIN_PARAMS);

// An argument narrowed to single precision.
inline float ParticleFloat(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

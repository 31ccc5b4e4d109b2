// The particles family's handlers. Each converts its arguments (int: nearest,
// halves to even; bool: at least 0.5; f: narrowed to float) and calls one
// particle worker, which checks every handle itself.
#pragma once

#include "builtins/builtin_args.h"
#include "graphics/particles/particles.h"
#include "runtime/numeric.h"

// Types.
KV_BUILTIN(F_PartTypeCreate);
KV_BUILTIN(F_PartTypeDestroy);
KV_BUILTIN(F_PartTypeExists);
KV_BUILTIN(F_PartTypeClear);
KV_BUILTIN(F_PartTypeShape);
KV_BUILTIN(F_PartTypeSprite);
KV_BUILTIN(F_PartTypeSize);
KV_BUILTIN(F_PartTypeScale);
KV_BUILTIN(F_PartTypeLife);
KV_BUILTIN(F_PartTypeStep);
KV_BUILTIN(F_PartTypeDeath);
KV_BUILTIN(F_PartTypeSpeed);
KV_BUILTIN(F_PartTypeDirection);
KV_BUILTIN(F_PartTypeOrientation);
KV_BUILTIN(F_PartTypeGravity);
KV_BUILTIN(F_PartTypeColorMix);
KV_BUILTIN(F_PartTypeColorRGB);
KV_BUILTIN(F_PartTypeColorHSV);
KV_BUILTIN(F_PartTypeColor1);
KV_BUILTIN(F_PartTypeColor2);
KV_BUILTIN(F_PartTypeColor3);
KV_BUILTIN(F_PartTypeAlpha1);
KV_BUILTIN(F_PartTypeAlpha2);
KV_BUILTIN(F_PartTypeAlpha3);
KV_BUILTIN(F_PartTypeBlend);

// Systems and their particles.
KV_BUILTIN(F_PartSystemCreate);
KV_BUILTIN(F_PartSystemDestroy);
KV_BUILTIN(F_PartSystemExists);
KV_BUILTIN(F_PartSystemClear);
KV_BUILTIN(F_PartSystemDrawOrder);
KV_BUILTIN(F_PartSystemDepth);
KV_BUILTIN(F_PartSystemPosition);
KV_BUILTIN(F_PartSystemAutomaticUpdate);
KV_BUILTIN(F_PartSystemAutomaticDraw);
KV_BUILTIN(F_PartSystemUpdate);
KV_BUILTIN(F_PartSystemDrawIt);
KV_BUILTIN(F_PartParticlesCreate);
KV_BUILTIN(F_PartParticlesCreateColor);
KV_BUILTIN(F_PartParticlesClear);
KV_BUILTIN(F_PartParticlesCount);

// The five kinds of sub-record share their table handlers, one instance
// per kind.
template <ParticlePart kKind>
KV_BUILTIN(F_PartCreate) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Particle_Part_Create(kKind, a.Int(0)));
}
template <ParticlePart kKind>
KV_BUILTIN(F_PartDestroy) {
  BuiltinArgs a(argc, args);
  Particle_Part_Destroy(kKind, a.Int(0), a.Int(1));
}
template <ParticlePart kKind>
KV_BUILTIN(F_PartDestroyAll) {
  BuiltinArgs a(argc, args);
  Particle_Part_DestroyAll(kKind, a.Int(0));
}
template <ParticlePart kKind>
KV_BUILTIN(F_PartExists) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Particle_Part_Exists(kKind, a.Int(0), a.Int(1)) ? 1.0 : 0.0);
}
template <ParticlePart kKind>
KV_BUILTIN(F_PartClear) {
  BuiltinArgs a(argc, args);
  Particle_Part_Clear(kKind, a.Int(0), a.Int(1));
}

KV_BUILTIN(F_PartEmitterRegion);
KV_BUILTIN(F_PartEmitterBurst);
KV_BUILTIN(F_PartEmitterStream);
KV_BUILTIN(F_PartAttractorPosition);
KV_BUILTIN(F_PartAttractorForce);
KV_BUILTIN(F_PartDestroyerRegion);
KV_BUILTIN(F_PartDeflectorRegion);
KV_BUILTIN(F_PartDeflectorKind);
KV_BUILTIN(F_PartDeflectorFriction);
KV_BUILTIN(F_PartChangerRegion);
KV_BUILTIN(F_PartChangerKind);
KV_BUILTIN(F_PartChangerTypes);

// Effects.
KV_BUILTIN(F_EffectCreateBelow);
KV_BUILTIN(F_EffectCreateAbove);
KV_BUILTIN(F_EffectClear);

// An argument narrowed to single precision.
inline float ParticleFloat(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

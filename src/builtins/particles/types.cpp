// The part_type_* built-ins.
#include "builtins/particles/handlers.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return ParticleFloat(a, i); }

}  // namespace

KV_BUILTIN(F_PartTypeCreate) { Result_SetReal(result, Particle_Type_Create()); }

KV_BUILTIN(F_PartTypeDestroy) { Particle_Type_Destroy(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartTypeExists) {
  Result_SetReal(result, Particle_Type_Exists(BuiltinArgs(argc, args).Int(0)) ? 1.0 : 0.0);
}

KV_BUILTIN(F_PartTypeClear) { Particle_Type_Clear(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_PartTypeShape) {
  BuiltinArgs a(argc, args);
  Particle_Type_Shape(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_PartTypeSprite) {
  BuiltinArgs a(argc, args);
  Particle_Type_Sprite(a.Int(0), a.Int(1), a.Bool(2), a.Bool(3), a.Bool(4));
}

KV_BUILTIN(F_PartTypeSize) {
  BuiltinArgs a(argc, args);
  Particle_Type_Size(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_PartTypeScale) {
  BuiltinArgs a(argc, args);
  Particle_Type_Scale(a.Int(0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_PartTypeLife) {
  BuiltinArgs a(argc, args);
  Particle_Type_Life(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartTypeStep) {
  BuiltinArgs a(argc, args);
  Particle_Type_Step(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartTypeDeath) {
  BuiltinArgs a(argc, args);
  Particle_Type_Death(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartTypeSpeed) {
  BuiltinArgs a(argc, args);
  Particle_Type_Speed(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_PartTypeDirection) {
  BuiltinArgs a(argc, args);
  Particle_Type_Direction(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_PartTypeOrientation) {
  BuiltinArgs a(argc, args);
  Particle_Type_Orientation(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), a.Bool(5));
}

KV_BUILTIN(F_PartTypeGravity) {
  BuiltinArgs a(argc, args);
  Particle_Type_Gravity(a.Int(0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_PartTypeColorMix) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorMix(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartTypeColorRGB) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorRGB(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6));
}

KV_BUILTIN(F_PartTypeColorHSV) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorHSV(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6));
}

KV_BUILTIN(F_PartTypeColor1) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color1(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_PartTypeColor2) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color2(a.Int(0), a.Int(1), a.Int(2));
}

KV_BUILTIN(F_PartTypeColor3) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color3(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

KV_BUILTIN(F_PartTypeAlpha1) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha1(a.Int(0), F(a, 1));
}

KV_BUILTIN(F_PartTypeAlpha2) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha2(a.Int(0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_PartTypeAlpha3) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha3(a.Int(0), F(a, 1), F(a, 2), F(a, 3));
}

KV_BUILTIN(F_PartTypeBlend) {
  BuiltinArgs a(argc, args);
  Particle_Type_Blend(a.Int(0), a.Bool(1));
}

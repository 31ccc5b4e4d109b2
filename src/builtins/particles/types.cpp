// The part_type_* built-ins.
#include "builtins/particles/handlers.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return ParticleFloat(a, i); }

}  // namespace

void F_PartTypeCreate(KV_BUILTIN_PARAMS) { Result_SetReal(result, Particle_Type_Create()); }

void F_PartTypeDestroy(KV_BUILTIN_PARAMS) { Particle_Type_Destroy(BuiltinArgs(argc, args).Int(0)); }

void F_PartTypeExists(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Particle_Type_Exists(BuiltinArgs(argc, args).Int(0)) ? 1.0 : 0.0);
}

void F_PartTypeClear(KV_BUILTIN_PARAMS) { Particle_Type_Clear(BuiltinArgs(argc, args).Int(0)); }

void F_PartTypeShape(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Shape(a.Int(0), a.Int(1));
}

void F_PartTypeSprite(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Sprite(a.Int(0), a.Int(1), a.Bool(2), a.Bool(3), a.Bool(4));
}

void F_PartTypeSize(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Size(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_PartTypeScale(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Scale(a.Int(0), F(a, 1), F(a, 2));
}

void F_PartTypeLife(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Life(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartTypeStep(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Step(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartTypeDeath(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Death(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartTypeSpeed(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Speed(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_PartTypeDirection(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Direction(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_PartTypeOrientation(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Orientation(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), a.Bool(5));
}

void F_PartTypeGravity(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Gravity(a.Int(0), F(a, 1), F(a, 2));
}

void F_PartTypeColorMix(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorMix(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartTypeColorRGB(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorRGB(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6));
}

void F_PartTypeColorHSV(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_ColorHSV(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6));
}

void F_PartTypeColor1(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color1(a.Int(0), a.Int(1));
}

void F_PartTypeColor2(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color2(a.Int(0), a.Int(1), a.Int(2));
}

void F_PartTypeColor3(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Color3(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
}

void F_PartTypeAlpha1(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha1(a.Int(0), F(a, 1));
}

void F_PartTypeAlpha2(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha2(a.Int(0), F(a, 1), F(a, 2));
}

void F_PartTypeAlpha3(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Alpha3(a.Int(0), F(a, 1), F(a, 2), F(a, 3));
}

void F_PartTypeBlend(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Particle_Type_Blend(a.Int(0), a.Bool(1));
}

// Projections, world transforms and the transform stack.
#include "builtins/d3d/handlers.h"
#include "graphics/3d/transform_3d.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return D3D_Float(a, i); }
void Answer(ScriptValue* result, bool done) { Result_SetReal(result, done ? 1.0 : 0.0); }

}  // namespace

void F_D3DSetProjection(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

void F_D3DSetProjectionExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Ext(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8), F(a, 9),
                           F(a, 10), F(a, 11), F(a, 12));
}

void F_D3DSetProjectionOrtho(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Ortho(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_D3DSetProjectionPerspective(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Perspective(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_D3DTransformSetIdentity(KV_BUILTIN_PARAMS) { GR_3D_Transform_Set_Identity(); }

void F_D3DTransformSetTranslation(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Translation(F(a, 0), F(a, 1), F(a, 2));
}

void F_D3DTransformSetScaling(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Scaling(F(a, 0), F(a, 1), F(a, 2));
}

void F_D3DTransformSetRotationX(KV_BUILTIN_PARAMS) { GR_3D_Transform_Set_Rotation_X(F(BuiltinArgs(argc, args), 0)); }
void F_D3DTransformSetRotationY(KV_BUILTIN_PARAMS) { GR_3D_Transform_Set_Rotation_Y(F(BuiltinArgs(argc, args), 0)); }
void F_D3DTransformSetRotationZ(KV_BUILTIN_PARAMS) { GR_3D_Transform_Set_Rotation_Z(F(BuiltinArgs(argc, args), 0)); }

void F_D3DTransformSetRotationAxis(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Rotation_Axis(F(a, 0), F(a, 1), F(a, 2), F(a, 3));
}

void F_D3DTransformAddTranslation(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Translation(F(a, 0), F(a, 1), F(a, 2));
}

void F_D3DTransformAddScaling(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Scaling(F(a, 0), F(a, 1), F(a, 2));
}

void F_D3DTransformAddRotationX(KV_BUILTIN_PARAMS) { GR_3D_Transform_Add_Rotation_X(F(BuiltinArgs(argc, args), 0)); }
void F_D3DTransformAddRotationY(KV_BUILTIN_PARAMS) { GR_3D_Transform_Add_Rotation_Y(F(BuiltinArgs(argc, args), 0)); }
void F_D3DTransformAddRotationZ(KV_BUILTIN_PARAMS) { GR_3D_Transform_Add_Rotation_Z(F(BuiltinArgs(argc, args), 0)); }

void F_D3DTransformAddRotationAxis(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Rotation_Axis(F(a, 0), F(a, 1), F(a, 2), F(a, 3));
}

void F_D3DTransformStackClear(KV_BUILTIN_PARAMS) { GR_3D_Transform_Stack_Clear(); }
void F_D3DTransformStackEmpty(KV_BUILTIN_PARAMS) { Answer(result, GR_3D_Transform_Stack_Empty()); }
void F_D3DTransformStackPush(KV_BUILTIN_PARAMS) { Answer(result, GR_3D_Transform_Stack_Push()); }
void F_D3DTransformStackPop(KV_BUILTIN_PARAMS) { Answer(result, GR_3D_Transform_Stack_Pop()); }
void F_D3DTransformStackTop(KV_BUILTIN_PARAMS) { Answer(result, GR_3D_Transform_Stack_Top()); }
void F_D3DTransformStackDiscard(KV_BUILTIN_PARAMS) { Answer(result, GR_3D_Transform_Stack_Discard()); }

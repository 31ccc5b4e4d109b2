// Projections, world transforms and the transform stack.
#include "builtins/d3d/handlers.h"
#include "graphics/3d/transform_3d.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return D3D_Float(a, i); }
void Answer(ScriptValue* result, bool done) { Result_SetReal(result, done ? 1.0 : 0.0); }

}  // namespace

KV_BUILTIN(F_D3DSetProjection) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

KV_BUILTIN(F_D3DSetProjectionExt) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Ext(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8), F(a, 9),
                           F(a, 10), F(a, 11), F(a, 12));
}

KV_BUILTIN(F_D3DSetProjectionOrtho) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Ortho(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_D3DSetProjectionPerspective) {
  BuiltinArgs a(argc, args);
  GR_3D_Set_Projection_Perspective(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_D3DTransformSetIdentity) { GR_3D_Transform_Set_Identity(); }

KV_BUILTIN(F_D3DTransformSetTranslation) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Translation(F(a, 0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_D3DTransformSetScaling) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Scaling(F(a, 0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_D3DTransformSetRotationX) { GR_3D_Transform_Set_Rotation_X(F(BuiltinArgs(argc, args), 0)); }
KV_BUILTIN(F_D3DTransformSetRotationY) { GR_3D_Transform_Set_Rotation_Y(F(BuiltinArgs(argc, args), 0)); }
KV_BUILTIN(F_D3DTransformSetRotationZ) { GR_3D_Transform_Set_Rotation_Z(F(BuiltinArgs(argc, args), 0)); }

KV_BUILTIN(F_D3DTransformSetRotationAxis) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Set_Rotation_Axis(F(a, 0), F(a, 1), F(a, 2), F(a, 3));
}

KV_BUILTIN(F_D3DTransformAddTranslation) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Translation(F(a, 0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_D3DTransformAddScaling) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Scaling(F(a, 0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_D3DTransformAddRotationX) { GR_3D_Transform_Add_Rotation_X(F(BuiltinArgs(argc, args), 0)); }
KV_BUILTIN(F_D3DTransformAddRotationY) { GR_3D_Transform_Add_Rotation_Y(F(BuiltinArgs(argc, args), 0)); }
KV_BUILTIN(F_D3DTransformAddRotationZ) { GR_3D_Transform_Add_Rotation_Z(F(BuiltinArgs(argc, args), 0)); }

KV_BUILTIN(F_D3DTransformAddRotationAxis) {
  BuiltinArgs a(argc, args);
  GR_3D_Transform_Add_Rotation_Axis(F(a, 0), F(a, 1), F(a, 2), F(a, 3));
}

KV_BUILTIN(F_D3DTransformStackClear) { GR_3D_Transform_Stack_Clear(); }
KV_BUILTIN(F_D3DTransformStackEmpty) { Answer(result, GR_3D_Transform_Stack_Empty()); }
KV_BUILTIN(F_D3DTransformStackPush) { Answer(result, GR_3D_Transform_Stack_Push()); }
KV_BUILTIN(F_D3DTransformStackPop) { Answer(result, GR_3D_Transform_Stack_Pop()); }
KV_BUILTIN(F_D3DTransformStackTop) { Answer(result, GR_3D_Transform_Stack_Top()); }
KV_BUILTIN(F_D3DTransformStackDiscard) { Answer(result, GR_3D_Transform_Stack_Discard()); }

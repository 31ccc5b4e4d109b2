// The 3D family's handlers. Each converts its arguments (int: nearest,
// halves to even; bool: at least 0.5; coordinates narrowed to float; a
// string where a number belongs reads 0) and calls one 3D drawing worker,
// which checks model indices itself. None of them reports an error.
#pragma once

#include "builtins/builtin_args.h"

// Mode and settings.
void F_D3DStart(KV_BUILTIN_PARAMS);
void F_D3DEnd(KV_BUILTIN_PARAMS);
void F_D3DSetPerspective(KV_BUILTIN_PARAMS);
void F_D3DSetHidden(KV_BUILTIN_PARAMS);
void F_D3DSetDepth(KV_BUILTIN_PARAMS);
void F_D3DSetLighting(KV_BUILTIN_PARAMS);
void F_D3DSetShading(KV_BUILTIN_PARAMS);
void F_D3DSetFog(KV_BUILTIN_PARAMS);
void F_D3DSetCulling(KV_BUILTIN_PARAMS);

// Primitives and shapes.
void F_D3DPrimitiveBegin(KV_BUILTIN_PARAMS);
void F_D3DPrimitiveBeginTexture(KV_BUILTIN_PARAMS);
void F_D3DPrimitiveEnd(KV_BUILTIN_PARAMS);
void F_D3DVertex(KV_BUILTIN_PARAMS);
void F_D3DVertexColor(KV_BUILTIN_PARAMS);
void F_D3DVertexTexture(KV_BUILTIN_PARAMS);
void F_D3DVertexTextureColor(KV_BUILTIN_PARAMS);
void F_D3DVertexNormal(KV_BUILTIN_PARAMS);
void F_D3DVertexNormalColor(KV_BUILTIN_PARAMS);
void F_D3DVertexNormalTexture(KV_BUILTIN_PARAMS);
void F_D3DVertexNormalTextureColor(KV_BUILTIN_PARAMS);
void F_D3DDrawBlock(KV_BUILTIN_PARAMS);
void F_D3DDrawCylinder(KV_BUILTIN_PARAMS);
void F_D3DDrawCone(KV_BUILTIN_PARAMS);
void F_D3DDrawEllipsoid(KV_BUILTIN_PARAMS);
void F_D3DDrawWall(KV_BUILTIN_PARAMS);
void F_D3DDrawFloor(KV_BUILTIN_PARAMS);

// Projections, transforms and the transform stack.
void F_D3DSetProjection(KV_BUILTIN_PARAMS);
void F_D3DSetProjectionExt(KV_BUILTIN_PARAMS);
void F_D3DSetProjectionOrtho(KV_BUILTIN_PARAMS);
void F_D3DSetProjectionPerspective(KV_BUILTIN_PARAMS);
void F_D3DTransformSetIdentity(KV_BUILTIN_PARAMS);
void F_D3DTransformSetTranslation(KV_BUILTIN_PARAMS);
void F_D3DTransformSetScaling(KV_BUILTIN_PARAMS);
void F_D3DTransformSetRotationX(KV_BUILTIN_PARAMS);
void F_D3DTransformSetRotationY(KV_BUILTIN_PARAMS);
void F_D3DTransformSetRotationZ(KV_BUILTIN_PARAMS);
void F_D3DTransformSetRotationAxis(KV_BUILTIN_PARAMS);
void F_D3DTransformAddTranslation(KV_BUILTIN_PARAMS);
void F_D3DTransformAddScaling(KV_BUILTIN_PARAMS);
void F_D3DTransformAddRotationX(KV_BUILTIN_PARAMS);
void F_D3DTransformAddRotationY(KV_BUILTIN_PARAMS);
void F_D3DTransformAddRotationZ(KV_BUILTIN_PARAMS);
void F_D3DTransformAddRotationAxis(KV_BUILTIN_PARAMS);
void F_D3DTransformStackClear(KV_BUILTIN_PARAMS);
void F_D3DTransformStackEmpty(KV_BUILTIN_PARAMS);
void F_D3DTransformStackPush(KV_BUILTIN_PARAMS);
void F_D3DTransformStackPop(KV_BUILTIN_PARAMS);
void F_D3DTransformStackTop(KV_BUILTIN_PARAMS);
void F_D3DTransformStackDiscard(KV_BUILTIN_PARAMS);

// Lights.
void F_D3DLightDefineAmbient(KV_BUILTIN_PARAMS);
void F_D3DLightDefineDirection(KV_BUILTIN_PARAMS);
void F_D3DLightDefinePoint(KV_BUILTIN_PARAMS);
void F_D3DLightEnable(KV_BUILTIN_PARAMS);

// Models.
void F_D3DModelCreate(KV_BUILTIN_PARAMS);
void F_D3DModelDestroy(KV_BUILTIN_PARAMS);
void F_D3DModelClear(KV_BUILTIN_PARAMS);
void F_D3DModelLoad(KV_BUILTIN_PARAMS);
void F_D3DModelSave(KV_BUILTIN_PARAMS);
void F_D3DModelDraw(KV_BUILTIN_PARAMS);
void F_D3DModelPrimitiveBegin(KV_BUILTIN_PARAMS);
void F_D3DModelPrimitiveEnd(KV_BUILTIN_PARAMS);
void F_D3DModelVertex(KV_BUILTIN_PARAMS);
void F_D3DModelVertexColor(KV_BUILTIN_PARAMS);
void F_D3DModelVertexTexture(KV_BUILTIN_PARAMS);
void F_D3DModelVertexTextureColor(KV_BUILTIN_PARAMS);
void F_D3DModelVertexNormal(KV_BUILTIN_PARAMS);
void F_D3DModelVertexNormalColor(KV_BUILTIN_PARAMS);
void F_D3DModelVertexNormalTexture(KV_BUILTIN_PARAMS);
void F_D3DModelVertexNormalTextureColor(KV_BUILTIN_PARAMS);
void F_D3DModelBlock(KV_BUILTIN_PARAMS);
void F_D3DModelCylinder(KV_BUILTIN_PARAMS);
void F_D3DModelCone(KV_BUILTIN_PARAMS);
void F_D3DModelEllipsoid(KV_BUILTIN_PARAMS);
void F_D3DModelWall(KV_BUILTIN_PARAMS);
void F_D3DModelFloor(KV_BUILTIN_PARAMS);

// The real narrowed to float, as every coordinate is passed.
float D3D_Float(const BuiltinArgs& a, int32_t i);

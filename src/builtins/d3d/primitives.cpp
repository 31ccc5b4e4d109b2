// 3D primitives vertex by vertex, and the shapes.
#include "builtins/d3d/handlers.h"
#include "graphics/3d/primitive_3d.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return D3D_Float(a, i); }
uint32_t Colour(const BuiltinArgs& a, int32_t i) { return static_cast<uint32_t>(a.Int(i)); }

}  // namespace

void F_D3DPrimitiveBegin(KV_BUILTIN_PARAMS) { GR_3D_Primitive_Begin(BuiltinArgs(argc, args).Int(0), -1); }

void F_D3DPrimitiveBeginTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Primitive_Begin(a.Int(0), a.Int(1));
}

void F_D3DPrimitiveEnd(KV_BUILTIN_PARAMS) { GR_3D_Primitive_End(); }

void F_D3DVertex(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex(F(a, 0), F(a, 1), F(a, 2));
}

void F_D3DVertexColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Color(F(a, 0), F(a, 1), F(a, 2), Colour(a, 3), F(a, 4));
}

void F_D3DVertexTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Texture(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

void F_D3DVertexTextureColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Texture_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), Colour(a, 5), F(a, 6));
}

void F_D3DVertexNormal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5));
}

void F_D3DVertexNormalColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), Colour(a, 6), F(a, 7));
}

void F_D3DVertexNormalTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Texture(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7));
}

void F_D3DVertexNormalTextureColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Texture_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7),
                                    Colour(a, 8), F(a, 9));
}

void F_D3DDrawBlock(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Block(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

void F_D3DDrawCylinder(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Cylinder(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Bool(9),
                      a.Int(10));
}

void F_D3DDrawCone(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Cone(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Bool(9),
                  a.Int(10));
}

void F_D3DDrawEllipsoid(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Ellipsoid(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Int(9));
}

void F_D3DDrawWall(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Wall(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

void F_D3DDrawFloor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Floor(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

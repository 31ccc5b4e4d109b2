// 3D primitives vertex by vertex, and the shapes.
#include "builtins/d3d/handlers.h"
#include "graphics/3d/primitive_3d.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return D3D_Float(a, i); }
uint32_t Colour(const BuiltinArgs& a, int32_t i) { return static_cast<uint32_t>(a.Int(i)); }

}  // namespace

KV_BUILTIN(F_D3DPrimitiveBegin) { GR_3D_Primitive_Begin(BuiltinArgs(argc, args).Int(0), -1); }

KV_BUILTIN(F_D3DPrimitiveBeginTexture) {
  BuiltinArgs a(argc, args);
  GR_3D_Primitive_Begin(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_D3DPrimitiveEnd) { GR_3D_Primitive_End(); }

KV_BUILTIN(F_D3DVertex) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex(F(a, 0), F(a, 1), F(a, 2));
}

KV_BUILTIN(F_D3DVertexColor) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Color(F(a, 0), F(a, 1), F(a, 2), Colour(a, 3), F(a, 4));
}

KV_BUILTIN(F_D3DVertexTexture) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Texture(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4));
}

KV_BUILTIN(F_D3DVertexTextureColor) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Texture_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), Colour(a, 5), F(a, 6));
}

KV_BUILTIN(F_D3DVertexNormal) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5));
}

KV_BUILTIN(F_D3DVertexNormalColor) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), Colour(a, 6), F(a, 7));
}

KV_BUILTIN(F_D3DVertexNormalTexture) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Texture(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7));
}

KV_BUILTIN(F_D3DVertexNormalTextureColor) {
  BuiltinArgs a(argc, args);
  GR_3D_Vertex_Normal_Texture_Color(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7),
                                    Colour(a, 8), F(a, 9));
}

KV_BUILTIN(F_D3DDrawBlock) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Block(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

KV_BUILTIN(F_D3DDrawCylinder) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Cylinder(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Bool(9),
                      a.Int(10));
}

KV_BUILTIN(F_D3DDrawCone) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Cone(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Bool(9),
                  a.Int(10));
}

KV_BUILTIN(F_D3DDrawEllipsoid) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Ellipsoid(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8), a.Int(9));
}

KV_BUILTIN(F_D3DDrawWall) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Wall(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

KV_BUILTIN(F_D3DDrawFloor) {
  BuiltinArgs a(argc, args);
  GR_3D_Draw_Floor(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7), F(a, 8));
}

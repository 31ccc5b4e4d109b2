// 3D models: their table, their records and their files. Models load from
// the save folder, else the program folder, and save into the save folder.
#include <string>

#include "builtins/d3d/handlers.h"
#include "files/file_layer.h"
#include "files/files.h"
#include "graphics/3d/model_3d.h"
#include "runtime/console.h"

namespace {

float F(const BuiltinArgs& a, int32_t i) { return D3D_Float(a, i); }

// Both file built-ins answer -1 unless given a number and a string.
bool FileArguments(const BuiltinArgs& a, ScriptValue* result) {
  if (a.IsReal(0) && a.IsString(1)) return true;
  Result_SetReal(result, -1.0);
  return false;
}

}  // namespace

void F_D3DModelCreate(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_3D_Model_Create()); }

void F_D3DModelDestroy(KV_BUILTIN_PARAMS) { GR_3D_Model_Destroy(BuiltinArgs(argc, args).Int(0)); }

void F_D3DModelClear(KV_BUILTIN_PARAMS) { GR_3D_Model_Clear(BuiltinArgs(argc, args).Int(0)); }

// 1 whenever the file is found, whether or not the model takes it.
void F_D3DModelLoad(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!FileArguments(a, result)) return;
  const std::string path = LoadSave_FindFile(a.Text(1));
  if (path.empty()) {
    g_debugConsole->Output("d3d_model_load - unable to find file %s\n", a.Text(1));
    Result_SetReal(result, 0.0);
    return;
  }
  GR_3D_Model_Load(a.Int(0), path.c_str());
  Result_SetReal(result, 1.0);
}

// The save folder is made on the first write; folders named inside the
// file name are not, and a save into one fails.
void F_D3DModelSave(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!FileArguments(a, result)) return;
  const std::string path = LoadSave_SavePath(a.Text(1));
  bool saved = false;
  if (!path.empty() && GR_3D_Model_Exists(a.Int(0))) {
    Directory_Create(LoadSave_GetSaveDirectory());
    saved = GR_3D_Model_Save(a.Int(0), path.c_str());
  }
  Result_SetReal(result, saved ? 1.0 : 0.0);
}

void F_D3DModelDraw(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Draw(a.Int(0), F(a, 1), F(a, 2), F(a, 3), a.Int(4));
}

void F_D3DModelPrimitiveBegin(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Primitive_Begin(a.Int(0), a.Int(1));
}

void F_D3DModelPrimitiveEnd(KV_BUILTIN_PARAMS) { GR_3D_Model_Primitive_End(BuiltinArgs(argc, args).Int(0)); }

void F_D3DModelVertex(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex(a.Int(0), F(a, 1), F(a, 2), F(a, 3));
}

void F_D3DModelVertexColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Color(a.Int(0), F(a, 1), F(a, 2), F(a, 3), a.Int(4), F(a, 5));
}

void F_D3DModelVertexTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Texture(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5));
}

void F_D3DModelVertexTextureColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Texture_Color(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), a.Int(6), F(a, 7));
}

void F_D3DModelVertexNormal(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Normal(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6));
}

void F_D3DModelVertexNormalColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Normal_Color(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), a.Int(7), F(a, 8));
}

void F_D3DModelVertexNormalTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Normal_Texture(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

void F_D3DModelVertexNormalTextureColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Vertex_Normal_Texture_Color(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7),
                                          F(a, 8), a.Int(9), F(a, 10));
}

void F_D3DModelBlock(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Block(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

void F_D3DModelWall(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Wall(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

void F_D3DModelFloor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Floor(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8));
}

void F_D3DModelCylinder(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Cylinder(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8), a.Bool(9),
                       a.Int(10));
}

void F_D3DModelCone(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Cone(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8), a.Bool(9),
                   a.Int(10));
}

void F_D3DModelEllipsoid(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_3D_Model_Ellipsoid(a.Int(0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), F(a, 6), F(a, 7), F(a, 8), a.Int(9));
}

#include "graphics/3d/model_3d.h"

#include <cmath>

#include "graphics/3d/primitive_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/texture/texture_table.h"
#include "runtime/numeric.h"

namespace {

std::vector<std::unique_ptr<C3DModel>> g_models;

ModelRecord Record(int32_t kind, std::initializer_list<double> values) {
  ModelRecord record;
  record.kind = kind;
  int32_t slot = 0;
  for (double v : values) record.SetValue(slot++, v);
  return record;
}

void Add(int32_t index, int32_t kind, std::initializer_list<double> values) {
  if (C3DModel* model = GR_3D_Model_Get(index)) model->Add(Record(kind, values));
}

bool Truth(double v) { return v != 0.0; }

}  // namespace

bool ModelRecord::IsWhole(int32_t kind, int32_t slot) {
  switch (kind) {
    case kModelVertexColor: return slot == 3;
    case kModelVertexTextureColor: return slot == 5;
    case kModelVertexNormalColor: return slot == 6;
    case kModelVertexNormalTextureColor: return slot == 8;
    case kModelCylinder:
    case kModelCone: return slot == 8 || slot == 9;
    case kModelEllipsoid: return slot == 8;
    default: return false;
  }
}

double ModelRecord::Value(int32_t slot) const {
  return IsWhole(kind, slot) ? static_cast<double>(wholes[slot]) : static_cast<double>(reals[slot]);
}

void ModelRecord::SetValue(int32_t slot, double value) {
  if (IsWhole(kind, slot)) {
    wholes[slot] = Num_RoundInt32(value);
  } else {
    reals[slot] = NarrowToFloat(value);
  }
}

void C3DModel::Clear() {
  records_.clear();
  records_.shrink_to_fit();
  recordings_.clear();
}

bool C3DModel::UsesCurrentColour() const {
  for (const ModelRecord& r : records_) {
    switch (r.kind) {
      case kModelVertex:
      case kModelVertexTexture:
      case kModelVertexNormal:
      case kModelVertexNormalTexture:
      case kModelBlock:
      case kModelCylinder:
      case kModelCone:
      case kModelEllipsoid:
      case kModelWall:
      case kModelFloor: return true;
      default: break;
    }
  }
  return false;
}

// Records go through the same primitive and shape code as a script's own
// drawing; kinds nothing knows are skipped.
void C3DModel::Replay(int64_t texture) const {
  for (const ModelRecord& r : records_) {
    const float* f = r.reals;
    const int32_t* w = r.wholes;
    switch (r.kind) {
      case kModelBegin: GR_3D_Primitive_Begin(Num_RoundInt32(f[0]), texture); break;
      case kModelEnd: GR_3D_Primitive_End(); break;
      case kModelVertex: GR_3D_Vertex(f[0], f[1], f[2]); break;
      case kModelVertexColor: GR_3D_Vertex_Color(f[0], f[1], f[2], static_cast<uint32_t>(w[3]), f[4]); break;
      case kModelVertexTexture: GR_3D_Vertex_Texture(f[0], f[1], f[2], f[3], f[4]); break;
      case kModelVertexTextureColor:
        GR_3D_Vertex_Texture_Color(f[0], f[1], f[2], f[3], f[4], static_cast<uint32_t>(w[5]), f[6]);
        break;
      case kModelVertexNormal: GR_3D_Vertex_Normal(f[0], f[1], f[2], f[3], f[4], f[5]); break;
      case kModelVertexNormalColor:
        GR_3D_Vertex_Normal_Color(f[0], f[1], f[2], f[3], f[4], f[5], static_cast<uint32_t>(w[6]), f[7]);
        break;
      case kModelVertexNormalTexture:
        GR_3D_Vertex_Normal_Texture(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]);
        break;
      case kModelVertexNormalTextureColor:
        GR_3D_Vertex_Normal_Texture_Color(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], static_cast<uint32_t>(w[8]),
                                          f[9]);
        break;
      case kModelBlock: GR_3D_Draw_Block(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7]); break;
      case kModelCylinder:
        GR_3D_Draw_Cylinder(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7], Truth(w[8]), w[9]);
        break;
      case kModelCone:
        GR_3D_Draw_Cone(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7], Truth(w[8]), w[9]);
        break;
      case kModelEllipsoid: GR_3D_Draw_Ellipsoid(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7], w[8]); break;
      case kModelWall: GR_3D_Draw_Wall(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7]); break;
      case kModelFloor: GR_3D_Draw_Floor(f[0], f[1], f[2], f[3], f[4], f[5], texture, f[6], f[7]); break;
      default: break;
    }
  }
}

const GraphicsRecorder* C3DModel::RecordingFor(int64_t texture) const {
  for (const Recording& recording : recordings_) {
    if (recording.texture == texture) return recording.recorder.get();
  }
  return nullptr;
}

void C3DModel::Draw(float x, float y, float z, int64_t texture) {
  const uint32_t current = g_drawColor & ~1u;
  for (Recording& recording : recordings_) {
    if (recording.texture != texture) continue;
    GraphicsRecorder& recorder = *recording.recorder;
    if (recorder.Colour() != 1u && recorder.Colour() != current) recorder.SetColor(current);
    recorder.Draw(x, y, z);
    return;
  }
  // A recording in which nothing took the current colour remembers 0.
  auto recorder =
      std::make_unique<GraphicsRecorder>(UsesCurrentColour() ? current : 0u, GR_Texture_Resolve(texture).texture);
  GraphicsRecorder* target = recorder.get();
  recordings_.push_back(Recording{texture, std::move(recorder)});
  GR_3D_Set_Recorder(target);
  Replay(texture);
  GR_3D_Set_Recorder(nullptr);
  target->Draw(x, y, z);
}

int32_t GR_3D_Model_Create() {
  for (size_t i = 0; i < g_models.size(); ++i) {
    if (g_models[i] == nullptr) {
      g_models[i] = std::make_unique<C3DModel>();
      return static_cast<int32_t>(i);
    }
  }
  g_models.push_back(std::make_unique<C3DModel>());
  return static_cast<int32_t>(g_models.size() - 1);
}

bool GR_3D_Model_Exists(int32_t index) { return GR_3D_Model_Get(index) != nullptr; }

C3DModel* GR_3D_Model_Get(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_models.size()) return nullptr;
  return g_models[static_cast<size_t>(index)].get();
}

void GR_3D_Model_Destroy(int32_t index) {
  if (GR_3D_Model_Exists(index)) g_models[static_cast<size_t>(index)].reset();
}

void GR_3D_Model_Clear(int32_t index) {
  if (C3DModel* model = GR_3D_Model_Get(index)) model->Clear();
}

bool GR_3D_Model_Load(int32_t index, const char* path) {
  C3DModel* model = GR_3D_Model_Get(index);
  return model != nullptr && model->Load(path);
}

bool GR_3D_Model_Save(int32_t index, const char* path) {
  const C3DModel* model = GR_3D_Model_Get(index);
  return model != nullptr && model->Save(path);
}

void GR_3D_Model_Draw(int32_t index, float x, float y, float z, int64_t texture) {
  if (C3DModel* model = GR_3D_Model_Get(index)) model->Draw(x, y, z, texture);
}

void GR_3D_Model_Free_All() {
  GR_3D_Set_Recorder(nullptr);
  g_models.clear();
  g_models.shrink_to_fit();
}

void GR_3D_Model_Primitive_Begin(int32_t index, int32_t kind) { Add(index, kModelBegin, {static_cast<double>(kind)}); }
void GR_3D_Model_Primitive_End(int32_t index) { Add(index, kModelEnd, {}); }

void GR_3D_Model_Vertex(int32_t index, float x, float y, float z) { Add(index, kModelVertex, {x, y, z}); }

void GR_3D_Model_Vertex_Color(int32_t index, float x, float y, float z, int32_t colour, float alpha) {
  Add(index, kModelVertexColor, {x, y, z, static_cast<double>(colour), alpha});
}

void GR_3D_Model_Vertex_Texture(int32_t index, float x, float y, float z, float u, float v) {
  Add(index, kModelVertexTexture, {x, y, z, u, v});
}

void GR_3D_Model_Vertex_Texture_Color(int32_t index, float x, float y, float z, float u, float v, int32_t colour,
                                      float alpha) {
  Add(index, kModelVertexTextureColor, {x, y, z, u, v, static_cast<double>(colour), alpha});
}

void GR_3D_Model_Vertex_Normal(int32_t index, float x, float y, float z, float nx, float ny, float nz) {
  Add(index, kModelVertexNormal, {x, y, z, nx, ny, nz});
}

void GR_3D_Model_Vertex_Normal_Color(int32_t index, float x, float y, float z, float nx, float ny, float nz,
                                     int32_t colour, float alpha) {
  Add(index, kModelVertexNormalColor, {x, y, z, nx, ny, nz, static_cast<double>(colour), alpha});
}

void GR_3D_Model_Vertex_Normal_Texture(int32_t index, float x, float y, float z, float nx, float ny, float nz, float u,
                                       float v) {
  Add(index, kModelVertexNormalTexture, {x, y, z, nx, ny, nz, u, v});
}

void GR_3D_Model_Vertex_Normal_Texture_Color(int32_t index, float x, float y, float z, float nx, float ny, float nz,
                                             float u, float v, int32_t colour, float alpha) {
  Add(index, kModelVertexNormalTextureColor, {x, y, z, nx, ny, nz, u, v, static_cast<double>(colour), alpha});
}

void GR_3D_Model_Block(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                       float vrepeat) {
  Add(index, kModelBlock, {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat});
}

void GR_3D_Model_Cylinder(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                          float vrepeat, bool closed, int32_t steps) {
  Add(index, kModelCylinder,
      {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat, closed ? 1.0 : 0.0, static_cast<double>(steps)});
}

void GR_3D_Model_Cone(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                      float vrepeat, bool closed, int32_t steps) {
  Add(index, kModelCone, {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat, closed ? 1.0 : 0.0, static_cast<double>(steps)});
}

void GR_3D_Model_Ellipsoid(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                           float vrepeat, int32_t steps) {
  Add(index, kModelEllipsoid, {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat, static_cast<double>(steps)});
}

void GR_3D_Model_Wall(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                      float vrepeat) {
  Add(index, kModelWall, {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat});
}

void GR_3D_Model_Floor(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                       float vrepeat) {
  Add(index, kModelFloor, {x1, y1, z1, x2, y2, z2, hrepeat, vrepeat});
}

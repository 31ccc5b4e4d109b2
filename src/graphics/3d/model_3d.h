// 3D models: lists of drawing records (primitive begin and end, vertices in
// eight forms, six shapes) that scripts build, save and load as text, and
// draw anywhere. The first draw with a texture argument replays the records
// into a recorder kept for that argument; later draws reuse its vertex
// buffers, so records added after a draw show only once the model is
// cleared. Models live in a table; a script names one by its index, and a
// destroyed model's slot is taken by the next one made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/3d/graphics_recorder.h"

// Record kinds.
enum ModelRecordKind : int32_t {
  kModelBegin = 0,
  kModelEnd = 1,
  kModelVertex = 2,         // x, y, z
  kModelVertexColor = 3,    // x, y, z, colour, alpha
  kModelVertexTexture = 4,  // x, y, z, u, v
  kModelVertexTextureColor = 5,
  kModelVertexNormal = 6,  // x, y, z, nx, ny, nz
  kModelVertexNormalColor = 7,
  kModelVertexNormalTexture = 8,
  kModelVertexNormalTextureColor = 9,
  kModelBlock = 10,     // x1, y1, z1, x2, y2, z2, hrepeat, vrepeat
  kModelCylinder = 11,  // the block's, closed, steps
  kModelCone = 12,
  kModelEllipsoid = 13,  // the block's, steps
  kModelWall = 14,
  kModelFloor = 15,
};

constexpr int32_t kModelValues = 10;

// One record: its kind and ten values. The colour, closed and steps slots
// hold whole numbers; the others reals as floats.
struct ModelRecord {
  int32_t kind = 0;
  float reals[kModelValues] = {};
  int32_t wholes[kModelValues] = {};

  // Whether the kind keeps a whole number in the slot.
  static bool IsWhole(int32_t kind, int32_t slot);
  double Value(int32_t slot) const;
  void SetValue(int32_t slot, double value);
};

class C3DModel {
 public:
  void Clear();
  void Add(const ModelRecord& record) { records_.push_back(record); }
  const std::vector<ModelRecord>& Records() const { return records_; }

  // The text form: "100", the record count, one line per record.
  bool Save(const char* path) const;
  // Empties the model first. False when the file cannot be read or is not
  // of the format; a record line cut short takes what it is missing from
  // the line before it (0 for the first), and a file with fewer record
  // lines than it counts keeps the ones it has.
  bool Load(const char* path);
  bool LoadFromMemory(const char* data, size_t size);

  void Draw(float x, float y, float z, int64_t texture);
  // How many recordings the model holds, and the one of a texture argument.
  size_t RecordingCount() const { return recordings_.size(); }
  const GraphicsRecorder* RecordingFor(int64_t texture) const;

 private:
  struct Recording {
    int64_t texture;
    std::unique_ptr<GraphicsRecorder> recorder;
  };
  void Replay(int64_t texture) const;
  bool UsesCurrentColour() const;

  std::vector<ModelRecord> records_;
  std::vector<Recording> recordings_;
};

int32_t GR_3D_Model_Create();
bool GR_3D_Model_Exists(int32_t index);
C3DModel* GR_3D_Model_Get(int32_t index);
void GR_3D_Model_Destroy(int32_t index);
void GR_3D_Model_Clear(int32_t index);
// False for a model that does not exist, else the model's own answer.
bool GR_3D_Model_Load(int32_t index, const char* path);
bool GR_3D_Model_Save(int32_t index, const char* path);
void GR_3D_Model_Draw(int32_t index, float x, float y, float z, int64_t texture);
// Every model gone; before the device goes, since they hold its buffers.
void GR_3D_Model_Free_All();

// Record adders; each does nothing for a model that does not exist.
void GR_3D_Model_Primitive_Begin(int32_t index, int32_t kind);
void GR_3D_Model_Primitive_End(int32_t index);
void GR_3D_Model_Vertex(int32_t index, float x, float y, float z);
void GR_3D_Model_Vertex_Color(int32_t index, float x, float y, float z, int32_t colour, float alpha);
void GR_3D_Model_Vertex_Texture(int32_t index, float x, float y, float z, float u, float v);
void GR_3D_Model_Vertex_Texture_Color(int32_t index, float x, float y, float z, float u, float v, int32_t colour,
                                      float alpha);
void GR_3D_Model_Vertex_Normal(int32_t index, float x, float y, float z, float nx, float ny, float nz);
void GR_3D_Model_Vertex_Normal_Color(int32_t index, float x, float y, float z, float nx, float ny, float nz,
                                     int32_t colour, float alpha);
void GR_3D_Model_Vertex_Normal_Texture(int32_t index, float x, float y, float z, float nx, float ny, float nz, float u,
                                       float v);
void GR_3D_Model_Vertex_Normal_Texture_Color(int32_t index, float x, float y, float z, float nx, float ny, float nz,
                                             float u, float v, int32_t colour, float alpha);
void GR_3D_Model_Block(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                       float vrepeat);
void GR_3D_Model_Cylinder(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                          float vrepeat, bool closed, int32_t steps);
void GR_3D_Model_Cone(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                      float vrepeat, bool closed, int32_t steps);
void GR_3D_Model_Ellipsoid(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                           float vrepeat, int32_t steps);
void GR_3D_Model_Wall(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                      float vrepeat);
void GR_3D_Model_Floor(int32_t index, float x1, float y1, float z1, float x2, float y2, float z2, float hrepeat,
                       float vrepeat);

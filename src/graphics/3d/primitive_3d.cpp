#include "graphics/3d/primitive_3d.h"

#include "graphics/3d/graphics_recorder.h"
#include "graphics/device/draw_state.h"
#include "graphics/texture/texture_table.h"

namespace {

enum : int32_t { kLineStrip = 3, kTriangleStrip = 5, kTriangleFan = 6 };

// Kind 0 and kinds this table does not know take nothing, so every vertex
// ends and restarts their (empty) primitive and the list never overflows.
constexpr int32_t kLimits[7] = {0, 1000, 1000, 1000, 999, 1000, 1000};

struct Primitive3D {
  NormalTexVertex vertices[kPrimitive3DMax];
  int32_t count = 0;
  int32_t kind = 0;
  ScriptTexture texture;
  int32_t limit = kPrimitive3DMax;
  GraphicsRecorder* recorder = nullptr;
};

Primitive3D g_primitive;

int32_t LimitOf(int32_t kind) { return kind >= 0 && kind <= 6 ? kLimits[kind] : 0; }

uint32_t CurrentColour() { return g_drawColor & ~1u; }
uint32_t OwnColour(uint32_t colour, float alpha) { return GR_Pack_Color(colour, GR_Alpha_To_Byte(alpha)) | 1u; }

// Ends the full primitive and starts the next with what its kind needs to
// go on where it stopped.
void FlushContinue() {
  Primitive3D& p = g_primitive;
  const int32_t full = p.count;
  const NormalTexVertex first = p.vertices[0];
  const NormalTexVertex secondLast = full >= 2 ? p.vertices[full - 2] : first;
  const NormalTexVertex last = full >= 1 ? p.vertices[full - 1] : first;
  GR_3D_Primitive_End();
  p.count = 0;
  if (full < 1) return;
  switch (p.kind) {
    case kLineStrip: p.vertices[p.count++] = last; break;
    case kTriangleStrip:
      if (full < 2) break;
      // An odd count restarts with the second-last twice: the next
      // triangles keep their winding.
      p.vertices[p.count++] = secondLast;
      if (full % 2 != 0) p.vertices[p.count++] = secondLast;
      p.vertices[p.count++] = last;
      break;
    case kTriangleFan:
      p.vertices[p.count++] = first;
      p.vertices[p.count++] = last;
      break;
    default: break;
  }
}

// Texture coordinates are stored as given: the plain forms' 0, 0 too.
void Append(float x, float y, float z, float nx, float ny, float nz, uint32_t colour, float u, float v) {
  Primitive3D& p = g_primitive;
  if (p.count >= p.limit) FlushContinue();
  if (p.count >= kPrimitive3DMax) return;
  p.vertices[p.count++] = NormalTexVertex{x, y, z, nx, ny, nz, colour, u, v};
}

// The textured forms: coordinates on a page's image are mapped into the
// page's place.
void AppendTextured(float x, float y, float z, float nx, float ny, float nz, uint32_t colour, float u, float v) {
  GR_Texture_Map_Page(g_primitive.texture, &u, &v);
  Append(x, y, z, nx, ny, nz, colour, u, v);
}

}  // namespace

void GR_3D_Primitive_Begin(int32_t kind, int64_t texture) {
  g_primitive.count = 0;
  g_primitive.kind = kind;
  g_primitive.texture = GR_Texture_Resolve(texture);
  g_primitive.limit = LimitOf(kind);
}

void GR_3D_Primitive_End() {
  Primitive3D& p = g_primitive;
  if (p.kind < 1 || p.kind > 6) return;
  if (p.recorder != nullptr) {
    p.recorder->AddPrimitive(p.kind, p.count, p.vertices);
    return;
  }
  Graphics::AddWholePrimitives(p.kind, GR_Texture_Get_Device_Texture(p.texture.texture), sizeof(NormalTexVertex),
                               p.vertices, p.count);
}

void GR_3D_Vertex(float x, float y, float z) { Append(x, y, z, 0, 0, 0, CurrentColour(), 0, 0); }

void GR_3D_Vertex_Color(float x, float y, float z, uint32_t colour, float alpha) {
  Append(x, y, z, 0, 0, 0, OwnColour(colour, alpha), 0, 0);
}

void GR_3D_Vertex_Texture(float x, float y, float z, float u, float v) {
  AppendTextured(x, y, z, 0, 0, 0, CurrentColour(), u, v);
}

void GR_3D_Vertex_Texture_Color(float x, float y, float z, float u, float v, uint32_t colour, float alpha) {
  AppendTextured(x, y, z, 0, 0, 0, OwnColour(colour, alpha), u, v);
}

void GR_3D_Vertex_Normal(float x, float y, float z, float nx, float ny, float nz) {
  Append(x, y, z, nx, ny, nz, CurrentColour(), 0, 0);
}

void GR_3D_Vertex_Normal_Color(float x, float y, float z, float nx, float ny, float nz, uint32_t colour, float alpha) {
  Append(x, y, z, nx, ny, nz, OwnColour(colour, alpha), 0, 0);
}

void GR_3D_Vertex_Normal_Texture(float x, float y, float z, float nx, float ny, float nz, float u, float v) {
  AppendTextured(x, y, z, nx, ny, nz, CurrentColour(), u, v);
}

void GR_3D_Vertex_Normal_Texture_Color(float x, float y, float z, float nx, float ny, float nz, float u, float v,
                                       uint32_t colour, float alpha) {
  AppendTextured(x, y, z, nx, ny, nz, OwnColour(colour, alpha), u, v);
}

void GR_3D_Set_Recorder(GraphicsRecorder* recorder) { g_primitive.recorder = recorder; }

int32_t GR_3D_Primitive_Count() { return g_primitive.count; }

const NormalTexVertex* GR_3D_Primitive_Vertices() { return g_primitive.vertices; }

// A primitive a script builds vertex by vertex, drawn at its end. Its
// texture is a texture index or a texture-page handle; the coordinates of a
// page's vertices are mapped into the page's place on its texture.
#include <cstdint>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/texture/texture_table.h"

namespace {

struct FreePrimitive {
  TexVertex vertices[kFreePrimitiveMax];
  int32_t count = 0;
  int32_t kind = 0;
  ScriptTexture texture;
};

FreePrimitive g_free;

void Append(float x, float y, uint32_t colour, float u, float v) {
  if (g_free.count >= kFreePrimitiveMax) return;
  GR_Texture_Map_Page(g_free.texture, &u, &v);
  g_free.vertices[g_free.count++] = TexVertex{x, y, g_drawDepth, colour, u, v};
}

}  // namespace

void GR_Primitive_Begin(int32_t kind, int64_t texture) {
  g_free.count = 0;
  g_free.kind = kind;
  g_free.texture = GR_Texture_Resolve(texture);
}

void GR_Primitive_Vertex(float x, float y) { Append(x, y, g_drawColor, 0.0f, 0.0f); }

void GR_Primitive_Vertex_Color(float x, float y, uint32_t colour, float alpha) {
  Append(x, y, GR_Pack_Color(colour, GR_Alpha_To_Byte(alpha)), 0.0f, 0.0f);
}

void GR_Primitive_Vertex_Texture(float x, float y, float u, float v) { Append(x, y, g_drawColor, u, v); }

void GR_Primitive_Vertex_Texture_Color(float x, float y, float u, float v, uint32_t colour, float alpha) {
  Append(x, y, GR_Pack_Color(colour, GR_Alpha_To_Byte(alpha)), u, v);
}

void GR_Primitive_End() {
  if (g_free.kind < 1 || g_free.kind > 6) return;
  Graphics::AddWholePrimitives(g_free.kind, GR_Texture_Get_Device_Texture(g_free.texture.texture), sizeof(TexVertex),
                               g_free.vertices, g_free.count);
}

int32_t GR_Primitive_Count() { return g_free.count; }

// A primitive a script builds vertex by vertex, drawn at its end. Its
// texture is a texture index or a texture-page handle; the coordinates of a
// page's vertices are mapped into the page's place on its texture.
#include <cstdint>

#include "graphics/draw/batcher.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/draw/draw_state.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_table.h"

namespace {

struct FreePrimitive {
  TexVertex vertices[kFreePrimitiveMax];
  int32_t count = 0;
  int32_t kind = 0;
  int32_t texture = -1;
  const TexturePage* page = nullptr;
  float inverseWidth = 1.0f, inverseHeight = 1.0f;  // of the page's texture
};

FreePrimitive g_free;

void Append(float x, float y, uint32_t colour, float u, float v) {
  if (g_free.count >= kFreePrimitiveMax) return;
  if (g_free.page != nullptr) {
    u = (static_cast<float>(g_free.page->x) + static_cast<float>(g_free.page->width) * u) * g_free.inverseWidth;
    v = (static_cast<float>(g_free.page->y) + static_cast<float>(g_free.page->height) * v) * g_free.inverseHeight;
  }
  g_free.vertices[g_free.count++] = TexVertex{x, y, g_drawDepth, colour, u, v};
}

bool IsTextureIndex(int64_t value) {
  return value >= 0 && value <= INT32_MAX && GR_Texture_Exists(static_cast<int32_t>(value));
}

}  // namespace

void GR_Primitive_Begin(int32_t kind, int64_t texture) {
  g_free.count = 0;
  g_free.kind = kind;
  g_free.page = nullptr;
  g_free.texture = -1;
  if (IsTextureIndex(texture)) {
    g_free.texture = static_cast<int32_t>(texture);
    return;
  }
  const TexturePage* page = GR_TexturePage_FromHandle(texture);
  const TextureEntry* entry = GR_Texture_Entry(GR_TexturePage_Texture(page));
  if (page == nullptr || entry == nullptr) return;
  g_free.page = page;
  g_free.texture = GR_TexturePage_Texture(page);
  g_free.inverseWidth = entry->inverseWidth;
  g_free.inverseHeight = entry->inverseHeight;
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
  Graphics::AddWholePrimitives(g_free.kind, GR_Texture_Get_Device_Texture(g_free.texture), sizeof(TexVertex),
                               g_free.vertices, g_free.count);
}

int32_t GR_Primitive_Count() { return g_free.count; }

// The surface table, the drawing target and drawing surfaces through the
// textured-quad writers.
#include "graphics/surface/surfaces.h"

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "runtime/memory.h"

namespace {

constexpr float kDegreesToRadians = 0.01745329238474369f;

struct SurfaceEntry {
  int32_t texture;
  int32_t width;
  int32_t height;
  uint8_t inUse;
};

// A freed record stays and is taken by the next creation, so an index is
// stable for a surface's life.
SurfaceEntry* g_surfaceTable = nullptr;
int32_t g_surfaceCount = 0;

// What the screen had when a surface became the target.
ViewportRect g_savedViewport{0, 0, 0, 0};
ViewProjection g_savedProjection{0, 0, 0, 0, 0};

const SurfaceEntry* Entry(int32_t index) {
  if (index < 0 || index >= g_surfaceCount || g_surfaceTable[index].inUse != 1) return nullptr;
  return &g_surfaceTable[index];
}

int32_t FreeRecord() {
  for (int32_t i = 0; i < g_surfaceCount; ++i) {
    if (g_surfaceTable[i].inUse != 1) return i;
  }
  const size_t bytes = sizeof(SurfaceEntry) * static_cast<size_t>(g_surfaceCount + 1);
  g_surfaceTable = static_cast<SurfaceEntry*>(KV_REALLOC(g_surfaceTable, bytes));
  g_surfaceTable[g_surfaceCount] = SurfaceEntry{-1, 0, 0, 0};
  return g_surfaceCount++;
}

// A side past the device's limit is left for the device to refuse, which
// says so on the console.
bool ValidSide(int32_t side) { return side >= 1; }

void ReturnToScreen() {
  GR_Set_Viewport(g_savedViewport.x, g_savedViewport.y, g_savedViewport.width, g_savedViewport.height);
  GR_Set_View_Projection(g_savedProjection.x, g_savedProjection.y, g_savedProjection.width, g_savedProjection.height,
                         g_savedProjection.angle);
  g_drawState.currentTarget = -1;
  g_orthoProjection = 0;
}

// Binds the surface's texture over a new entry of the render-target stack;
// a bind that fails takes its entry off again.
bool PushSurface(DeviceTexture* texture) {
  if (!Graphics::PushRenderTarget()) return false;
  if (Graphics::SetRenderTargetTexture(0, texture)) return true;
  Graphics::PopRenderTarget();
  return false;
}

}  // namespace

int32_t GR_Surface_Create(int32_t width, int32_t height) {
  const int32_t index = FreeRecord();
  if (!ValidSide(width) || !ValidSide(height)) return -1;
  const int32_t texture = GR_Texture_Create(width, height, true);
  if (texture < 0) return -1;
  g_surfaceTable[index] = SurfaceEntry{texture, width, height, 1};
  return index;
}

void GR_Surface_Free(int32_t index) {
  if (Entry(index) == nullptr) return;
  Graphics::FlushBatch();
  if (g_drawState.currentTarget == index) GR_Surface_Reset_Target();
  GR_Texture_Free(g_surfaceTable[index].texture);
  g_surfaceTable[index].texture = -1;
  g_surfaceTable[index].inUse = 0;
}

void GR_Surface_Free_All() {
  for (int32_t i = 0; i < g_surfaceCount; ++i) GR_Surface_Free(i);
}

bool GR_Surface_Exists(int32_t index) { return Entry(index) != nullptr; }

int32_t GR_Surface_Get_Width(int32_t index) {
  const SurfaceEntry* e = Entry(index);
  return e == nullptr ? -1 : e->width;
}

int32_t GR_Surface_Get_Height(int32_t index) {
  const SurfaceEntry* e = Entry(index);
  return e == nullptr ? -1 : e->height;
}

int32_t GR_Surface_Get_Texture(int32_t index) {
  const SurfaceEntry* e = Entry(index);
  return e == nullptr ? -1 : e->texture;
}

bool GR_Surface_Set_Target(int32_t index) {
  if (!Graphics::HasDevice()) return false;
  Graphics::FlushBatch();
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr) return false;
  if (index == g_drawState.currentTarget) return true;
  DeviceTexture* texture = GR_Texture_Get_Device_Texture(e->texture);
  if (texture == nullptr) return false;
  if (g_drawState.currentTarget != -1) GR_Surface_Reset_Target();
  g_savedViewport = g_viewport;
  g_savedProjection = g_viewProjection;
  if (!PushSurface(texture)) return false;
  const auto w = static_cast<float>(e->width), h = static_cast<float>(e->height);
  GR_Set_Viewport(0, 0, e->width, e->height);
  GR_Set_View_Projection(0.0f, 0.0f, w, h, 0.0f);
  g_drawState.currentTarget = index;
  g_orthoProjection = 1;
  return true;
}

// Without a surface as the target there is nothing to pop: the entry on
// the stack is the screen's own.
bool GR_Surface_Reset_Target() {
  if (!Graphics::HasDevice() || g_drawState.currentTarget == -1) return false;
  Graphics::FlushBatch();
  if (!Graphics::PopRenderTarget()) return false;
  ReturnToScreen();
  return true;
}

// The device has popped every target at the end of its scene; taking the
// surface's entry off first keeps the screen's own entry in place.
void GR_Surface_Frame_End() {
  if (g_drawState.currentTarget == -1) return;
  if (!GR_Surface_Reset_Target()) ReturnToScreen();
}

void GR_Surface_Draw(int32_t index, float x, float y) {
  if (const SurfaceEntry* e = Entry(index)) GR_Texture_Draw(e->texture, x, y);
}

void GR_Surface_Draw_Ext(int32_t index, float x, float y, float xscale, float yscale, float angle, uint32_t colour,
                         float alpha) {
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr) return;
  GR_Texture_Draw_Ext(e->texture, 0.0f, 0.0f, x, y, xscale, yscale, angle * kDegreesToRadians, colour, alpha);
}

void GR_Surface_Draw_Stretched(int32_t index, float x, float y, float width, float height, uint32_t colour,
                               float alpha) {
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr || !(width > 0.0f) || !(height > 0.0f)) return;
  const float xscale = width / static_cast<float>(e->width), yscale = height / static_cast<float>(e->height);
  GR_Texture_Draw_Ext(e->texture, 0.0f, 0.0f, x, y, xscale, yscale, 0.0f, colour, alpha);
}

void GR_Surface_Draw_Part(int32_t index, float left, float top, float width, float height, float x, float y,
                          float xscale, float yscale, uint32_t colour, float alpha) {
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr) return;
  GR_Texture_Draw_Part(e->texture, left, top, width, height, x, y, xscale, yscale, 0.0f, colour, alpha);
}

void GR_Surface_Draw_General(int32_t index, float left, float top, float width, float height, float x, float y,
                             float xscale, float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                             uint32_t c4, float alpha) {
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr) return;
  GR_Texture_Draw_General(e->texture, left, top, width, height, x, y, xscale, yscale, angle * kDegreesToRadians, c1, c2,
                          c3, c4, alpha);
}

void GR_Surface_Draw_Tiled(int32_t index, float x, float y, float xscale, float yscale, bool tileH, bool tileV,
                           int32_t areaLeft, int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour,
                           float alpha) {
  const SurfaceEntry* e = Entry(index);
  if (e == nullptr) return;
  GR_Texture_Draw_Tiled(e->texture, 0.0f, 0.0f, x, y, xscale, yscale, tileH, tileV,
                        TileArea{areaLeft, areaTop, areaWidth, areaHeight}, colour, alpha);
}

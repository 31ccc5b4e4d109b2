// The surface built-ins: the table and the target, drawing surfaces, and
// their pixels. Every draw, save, pixel and copy names a missing surface
// once and then does nothing.
#include "graphics/surface/surfaces.h"
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "graphics/device/draw_state.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

using gfx::Colour;
using gfx::Float;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// The surface an argument names; -1 (reported) when it does not exist.
int32_t CheckedSurface(const BuiltinArgs& a, int32_t i) {
  const int32_t id = a.Int(i);
  if (GR_Surface_Exists(id)) return id;
  Builtin_Error("Trying to use non-existing surface.");
  return -1;
}

// Tiled over the whole room.
void DrawTiled(int32_t id, float x, float y, float xscale, float yscale, uint32_t colour, float alpha) {
  const int32_t w = g_currentRoom != nullptr ? g_currentRoom->width : 0;
  const int32_t h = g_currentRoom != nullptr ? g_currentRoom->height : 0;
  GR_Surface_Draw_Tiled(id, x, y, xscale, yscale, true, true, 0, 0, w, h, colour, alpha);
}

void Save(const BuiltinArgs& a, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!a.IsNonEmptyString(1)) {
    Builtin_Error("Trying to save surface to empty image file name.");
    return;
  }
  GR_Surface_Save(id, a.Text(1), x, y, w, h);
}

// Destination first, then source: each reported on its own.
void Copy(const BuiltinArgs& a, bool part) {
  const int32_t destination = CheckedSurface(a, 0);
  if (destination < 0) return;
  const int32_t source = CheckedSurface(a, 3);
  if (source < 0) return;
  const int32_t ws = part ? a.Int(6) : GR_Surface_Get_Width(source);
  const int32_t hs = part ? a.Int(7) : GR_Surface_Get_Height(source);
  GR_Surface_Copy(destination, a.Int(1), a.Int(2), source, part ? a.Int(4) : 0, part ? a.Int(5) : 0, ws, hs);
}

}  // namespace

void F_SurfaceCreate(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Create(a.Int(0), a.Int(1)));
}

void F_SurfaceFree(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Surface_Free(a.Int(0));
}

void F_SurfaceExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Exists(a.Int(0)) ? 1.0 : 0.0);
}

void F_SurfaceGetWidth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Get_Width(a.Int(0)));
}

void F_SurfaceGetHeight(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Get_Height(a.Int(0)));
}

void F_SurfaceGetTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Get_Texture(a.Int(0)));
}

void F_SurfaceSetTarget(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, GR_Surface_Set_Target(a.Int(0)) ? 1.0 : 0.0);
}

void F_SurfaceResetTarget(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_Surface_Reset_Target() ? 1.0 : 0.0); }

void F_DrawSurface(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw(id, static_cast<float>(gfx::FlooredFloat(a, 1)), static_cast<float>(gfx::FlooredFloat(a, 2)));
}

void F_DrawSurfaceExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_Ext(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6), Float(a, 7));
}

void F_DrawSurfaceStretched(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_Stretched(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), kWhite, GR_Draw_Get_Alpha());
}

void F_DrawSurfaceStretchedExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_Stretched(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), Float(a, 6));
}

void F_DrawSurfacePart(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_Part(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), 1.0f, 1.0f,
                       kWhite, GR_Draw_Get_Alpha());
}

void F_DrawSurfacePartExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_Part(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7),
                       Float(a, 8), Colour(a, 9), Float(a, 10));
}

void F_DrawSurfaceGeneral(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  GR_Surface_Draw_General(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Float(a, 6), Float(a, 7),
                          Float(a, 8), Float(a, 9), Colour(a, 10), Colour(a, 11), Colour(a, 12), Colour(a, 13),
                          Float(a, 14));
}

void F_DrawSurfaceTiled(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  DrawTiled(id, Float(a, 1), Float(a, 2), 1.0f, 1.0f, kWhite, GR_Draw_Get_Alpha());
}

void F_DrawSurfaceTiledExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  DrawTiled(id, Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), Float(a, 6));
}

void F_SurfaceSave(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  Save(a, id, 0, 0, GR_Surface_Get_Width(id), GR_Surface_Get_Height(id));
}

void F_SurfaceSavePart(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  Save(a, id, a.Int(2), a.Int(3), a.Int(4), a.Int(5));
}

void F_SurfaceGetpixel(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, 0.0);
  const int32_t id = CheckedSurface(a, 0);
  if (id < 0) return;
  Result_SetReal(result, GR_Surface_Get_Pixel(id, gfx::RoundedFloat(a, 1), gfx::RoundedFloat(a, 2)));
}

void F_SurfaceCopy(KV_BUILTIN_PARAMS) { Copy(BuiltinArgs(argc, args), false); }

void F_SurfaceCopyPart(KV_BUILTIN_PARAMS) { Copy(BuiltinArgs(argc, args), true); }

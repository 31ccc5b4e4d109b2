// Drawing state, shapes, paths and free primitives.
#include "builtins/graphics/convert.h"
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "resources/path.h"
#include "runtime/colour.h"

using gfx::Colour;
using gfx::Flag;
using gfx::FlagInt;
using gfx::Float;

namespace {

// Corners of the round rectangles are always this size.
constexpr float kRoundCorner = 10.0f;

}  // namespace

void F_DrawSetColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Set_Color(Colour(a, 0));
}

void F_DrawSetAlpha(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Set_Alpha(Float(a, 0));
}

void F_DrawGetColor(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_Draw_Get_Color() & 0xFFFFFFu); }

void F_DrawGetAlpha(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_Draw_Get_Alpha()); }

void F_DrawSetBlendMode(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Set_Blend_Mode(a.Int(0));
}

void F_DrawSetBlendModeExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Set_Blend_Mode_Ext(a.Int(0), a.Int(1));
}

void F_DrawClear(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Clear(Colour(a, 0) | 0xFF000000u);
}

void F_DrawClearAlpha(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Clear_Alpha(Colour(a, 0), Float(a, 1));
}

void F_DrawSetCirclePrecision(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Set_Circle_Precision(a.Int(0));
}

void F_DrawPoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Point(Float(a, 0), Float(a, 1));
}

void F_DrawLine(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Line(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3));
}

void F_DrawLineWidth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Line_Width(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4));
}

void F_DrawRectangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Rectangle(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), FlagInt(a, 4));
}

void F_DrawRoundrect(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Roundrect(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), kRoundCorner, kRoundCorner, FlagInt(a, 4));
}

void F_DrawTriangle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Triangle(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), FlagInt(a, 6));
}

void F_DrawCircle(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Circle(Float(a, 0), Float(a, 1), Float(a, 2), FlagInt(a, 3));
}

void F_DrawEllipse(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Ellipse(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), FlagInt(a, 4));
}

void F_DrawArrow(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Arrow(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4));
}

void F_DrawButton(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Button(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Flag(a, 4));
}

void F_DrawHealthbar(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const uint32_t low = Colour(a, 6), high = Colour(a, 7);
  GR_Draw_Healthbar(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), low,
                    Colour_Merge(low, high, 0.5f), high, a.Int(8), Flag(a, 9), Flag(a, 10));
}

void F_DrawPath(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const CPath* path = Path_Get(a.Int(0));
  if (path == nullptr) {
    Builtin_Error("Trying to drawn non-existing path.");
    return;
  }
  if (Flag(a, 3)) {
    path->Draw(0.0f, 0.0f, true);
  } else {
    path->Draw(Float(a, 1), Float(a, 2), false);
  }
}

void F_DrawPointColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Point_Color(Float(a, 0), Float(a, 1), Colour(a, 2));
}

void F_DrawLineColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Line_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5));
}

void F_DrawLineWidthColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Line_Width_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), Colour(a, 6));
}

void F_DrawRectangleColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Rectangle_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5), Colour(a, 6),
                          Colour(a, 7), FlagInt(a, 8));
}

void F_DrawRoundrectColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Roundrect_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), kRoundCorner, kRoundCorner, Colour(a, 4),
                          Colour(a, 5), FlagInt(a, 6));
}

void F_DrawTriangleColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Triangle_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6),
                         Colour(a, 7), Colour(a, 8), FlagInt(a, 9));
}

void F_DrawCircleColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Circle_Color(Float(a, 0), Float(a, 1), Float(a, 2), Colour(a, 3), Colour(a, 4), FlagInt(a, 5));
}

void F_DrawEllipseColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Draw_Ellipse_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5), FlagInt(a, 6));
}

void F_DrawPrimitiveBegin(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Begin(a.Int(0), -1);
}

// The texture goes on as the script gave it: a texture index or a page
// handle, which the core tells apart and checks.
void F_DrawPrimitiveBeginTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Begin(a.Int(0), Num_RoundInt64(a.Real(1)));
}

void F_DrawPrimitiveEnd(KV_BUILTIN_PARAMS) { GR_Primitive_End(); }

void F_DrawVertex(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Vertex(Float(a, 0), Float(a, 1));
}

void F_DrawVertexColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Vertex_Color(Float(a, 0), Float(a, 1), Colour(a, 2), Float(a, 3));
}

void F_DrawVertexTexture(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Vertex_Texture(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3));
}

void F_DrawVertexTextureColor(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  GR_Primitive_Vertex_Texture_Color(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Float(a, 5));
}

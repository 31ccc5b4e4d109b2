// Drawing state, shapes, paths and free primitives.
#include "builtins/graphics/handlers.h"
#include "builtins/graphics/support.h"
#include "builtins/graphics/calls.h"
#include "builtins/graphics/convert.h"
#include "resources/path.h"
#include "runtime/colour.h"

using gfx::Colour;
using gfx::Flag;
using gfx::FlagInt;
using gfx::Float;

namespace {

// Corners of the round rectangles are always this size.
constexpr float kRoundCorner = 10.0f;

const GraphicsCalls& Core() { return GraphicsCalls_Current(); }

}  // namespace

KV_BUILTIN(F_DrawSetColor) {
  BuiltinArgs a(argc, args);
  Core().setColor(Colour(a, 0));
}

KV_BUILTIN(F_DrawSetAlpha) {
  BuiltinArgs a(argc, args);
  Core().setAlpha(Float(a, 0));
}

KV_BUILTIN(F_DrawGetColor) { Result_SetReal(result, Core().getColor() & 0xFFFFFFu); }

KV_BUILTIN(F_DrawGetAlpha) { Result_SetReal(result, Core().getAlpha()); }

KV_BUILTIN(F_DrawSetBlendMode) {
  BuiltinArgs a(argc, args);
  Core().setBlendMode(a.Int(0));
}

KV_BUILTIN(F_DrawSetBlendModeExt) {
  BuiltinArgs a(argc, args);
  Core().setBlendModeExt(a.Int(0), a.Int(1));
}

KV_BUILTIN(F_DrawClear) {
  BuiltinArgs a(argc, args);
  Core().clear(Colour(a, 0) | 0xFF000000u);
}

KV_BUILTIN(F_DrawClearAlpha) {
  BuiltinArgs a(argc, args);
  Core().clearAlpha(Colour(a, 0), Float(a, 1));
}

KV_BUILTIN(F_DrawSetCirclePrecision) {
  BuiltinArgs a(argc, args);
  Core().setCirclePrecision(a.Int(0));
}

KV_BUILTIN(F_DrawPoint) {
  BuiltinArgs a(argc, args);
  Core().point(Float(a, 0), Float(a, 1));
}

KV_BUILTIN(F_DrawLine) {
  BuiltinArgs a(argc, args);
  Core().line(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3));
}

KV_BUILTIN(F_DrawLineWidth) {
  BuiltinArgs a(argc, args);
  Core().lineWidth(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4));
}

KV_BUILTIN(F_DrawRectangle) {
  BuiltinArgs a(argc, args);
  Core().rectangle(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), FlagInt(a, 4));
}

KV_BUILTIN(F_DrawRoundrect) {
  BuiltinArgs a(argc, args);
  Core().roundrect(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), kRoundCorner, kRoundCorner, FlagInt(a, 4));
}

KV_BUILTIN(F_DrawTriangle) {
  BuiltinArgs a(argc, args);
  Core().triangle(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), FlagInt(a, 6));
}

KV_BUILTIN(F_DrawCircle) {
  BuiltinArgs a(argc, args);
  Core().circle(Float(a, 0), Float(a, 1), Float(a, 2), FlagInt(a, 3));
}

KV_BUILTIN(F_DrawEllipse) {
  BuiltinArgs a(argc, args);
  Core().ellipse(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), FlagInt(a, 4));
}

KV_BUILTIN(F_DrawArrow) {
  BuiltinArgs a(argc, args);
  Core().arrow(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4));
}

KV_BUILTIN(F_DrawButton) {
  BuiltinArgs a(argc, args);
  Core().button(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Flag(a, 4));
}

KV_BUILTIN(F_DrawHealthbar) {
  BuiltinArgs a(argc, args);
  const uint32_t low = Colour(a, 6), high = Colour(a, 7);
  Core().healthbar(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), low,
                   Colour_Merge(low, high, 0.5f), high, a.Int(8), Flag(a, 9), Flag(a, 10));
}

KV_BUILTIN(F_DrawPath) {
  BuiltinArgs a(argc, args);
  const int32_t path = a.Int(0);
  if (!Path_Exists(path)) {
    Builtin_Error("Trying to drawn non-existing path.");
    return;
  }
  if (Flag(a, 3)) {
    Core().path(path, 0.0f, 0.0f, true);
  } else {
    Core().path(path, Float(a, 1), Float(a, 2), false);
  }
}

KV_BUILTIN(F_DrawPointColor) {
  BuiltinArgs a(argc, args);
  Core().pointColor(Float(a, 0), Float(a, 1), Colour(a, 2));
}

KV_BUILTIN(F_DrawLineColor) {
  BuiltinArgs a(argc, args);
  Core().lineColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5));
}

KV_BUILTIN(F_DrawLineWidthColor) {
  BuiltinArgs a(argc, args);
  Core().lineWidthColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Colour(a, 5), Colour(a, 6));
}

KV_BUILTIN(F_DrawRectangleColor) {
  BuiltinArgs a(argc, args);
  Core().rectangleColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5),
                        Colour(a, 6), Colour(a, 7), FlagInt(a, 8));
}

KV_BUILTIN(F_DrawRoundrectColor) {
  BuiltinArgs a(argc, args);
  Core().roundrectColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), kRoundCorner, kRoundCorner,
                        Colour(a, 4), Colour(a, 5), FlagInt(a, 6));
}

KV_BUILTIN(F_DrawTriangleColor) {
  BuiltinArgs a(argc, args);
  Core().triangleColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Float(a, 4), Float(a, 5), Colour(a, 6),
                       Colour(a, 7), Colour(a, 8), FlagInt(a, 9));
}

KV_BUILTIN(F_DrawCircleColor) {
  BuiltinArgs a(argc, args);
  Core().circleColor(Float(a, 0), Float(a, 1), Float(a, 2), Colour(a, 3), Colour(a, 4), FlagInt(a, 5));
}

KV_BUILTIN(F_DrawEllipseColor) {
  BuiltinArgs a(argc, args);
  Core().ellipseColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Colour(a, 5),
                      FlagInt(a, 6));
}

KV_BUILTIN(F_DrawPrimitiveBegin) {
  BuiltinArgs a(argc, args);
  Core().primitiveBegin(a.Int(0), -1);
}

// The texture goes on as the script gave it: a texture index or a page
// handle, which the core tells apart and checks.
KV_BUILTIN(F_DrawPrimitiveBeginTexture) {
  BuiltinArgs a(argc, args);
  Core().primitiveBegin(a.Int(0), Num_RoundInt64(a.Real(1)));
}

KV_BUILTIN(F_DrawPrimitiveEnd) { Core().primitiveEnd(); }

KV_BUILTIN(F_DrawVertex) {
  BuiltinArgs a(argc, args);
  Core().vertex(Float(a, 0), Float(a, 1));
}

KV_BUILTIN(F_DrawVertexColor) {
  BuiltinArgs a(argc, args);
  Core().vertexColor(Float(a, 0), Float(a, 1), Colour(a, 2), Float(a, 3));
}

KV_BUILTIN(F_DrawVertexTexture) {
  BuiltinArgs a(argc, args);
  Core().vertexTexture(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3));
}

KV_BUILTIN(F_DrawVertexTextureColor) {
  BuiltinArgs a(argc, args);
  Core().vertexTextureColor(Float(a, 0), Float(a, 1), Float(a, 2), Float(a, 3), Colour(a, 4), Float(a, 5));
}

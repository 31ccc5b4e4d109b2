// Vertex writers the drawing core's primitives share: room in the pending
// batch for n vertices of one kind, untextured, at the current depth.
#pragma once
#include <cmath>
#include <cstdint>
#include <utility>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"

namespace DrawVertices {

constexpr int32_t kPointList = 1, kLineList = 2, kLineStrip = 3, kTriangleList = 4, kTriangleFan = 6;

inline ColorVertex* Color(int32_t kind, int32_t n) {
  return static_cast<ColorVertex*>(Graphics::AllocVertices(kind, nullptr, sizeof(ColorVertex), n));
}
inline TexVertex* Textured(int32_t kind, int32_t n) {
  return static_cast<TexVertex*>(Graphics::AllocVertices(kind, nullptr, sizeof(TexVertex), n));
}
inline ColorVertex At(float x, float y, uint32_t colour) { return ColorVertex{x, y, g_drawDepth, colour}; }
inline TexVertex TexAt(float x, float y, uint32_t colour) { return TexVertex{x, y, g_drawDepth, colour, 0.0f, 0.0f}; }
inline uint32_t WithAlpha(uint32_t scriptColour) { return GR_Pack_Color(scriptColour, g_drawState.alpha); }

inline void Order(float& a, float& b) {
  if (a > b) std::swap(a, b);
}

// A right or bottom edge on a whole number moves a hundredth further, so
// that the edge pixel is covered whatever the rasteriser does with ties.
inline float NudgeWhole(float v) { return std::floor(v) == v ? v + 0.01f : v; }

}  // namespace DrawVertices

// Filled, in the current colour, from corners in any order, reaching one
// pixel past the right and bottom coordinates.
void GR_Draw_Filled_Rectangle(float x1, float y1, float x2, float y2);

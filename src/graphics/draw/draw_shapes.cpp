// Ellipses, circles, rounded rectangles, arrows, buttons and health bars,
// built from the circle tables and the simpler primitives.
#include <cmath>

#include "graphics/draw/draw_primitives.h"
#include "graphics/draw/draw_vertices.h"

using namespace DrawVertices;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kGrey = 0x808080, kBlack = 0;

struct Point {
  float x, y;
};

// Point k of the circle tables on an ellipse of radii (rx, ry) around c.
Point OnRing(Point c, float rx, float ry, int32_t k) {
  return Point{c.x + g_drawState.circleCos[k] * rx, c.y + g_drawState.circleSin[k] * ry};
}

// One quarter arc, tables k = from..to, written from v onward; the next free slot.
TexVertex* QuarterArc(TexVertex* v, Point centre, float rx, float ry, int32_t from, int32_t to, uint32_t colour) {
  for (int32_t k = from; k <= to; ++k) {
    const Point p = OnRing(centre, rx, ry, k);
    *v++ = TexAt(p.x, p.y, colour);
  }
  return v;
}

float ClampAmount(float amount) {
  if (!(amount > 0.0f)) return 0.0f;
  return amount > 100.0f ? 100.0f : amount;
}

void SolidBox(float x1, float y1, float x2, float y2, uint32_t colour, bool outline) {
  GR_Draw_Rectangle_Color(x1, y1, x2, y2, colour, colour, colour, colour, outline ? 1 : 0);
}

}  // namespace

void GR_Draw_Ellipse_Core(float x1, float y1, float x2, float y2, uint32_t centre, uint32_t edge, bool outline) {
  const Point c{(x1 + x2) / 2.0f, (y1 + y2) / 2.0f};
  const float rx = std::fabs(x1 - x2) / 2.0f, ry = std::fabs(y1 - y2) / 2.0f;
  const int32_t p = g_circlePrecision;
  if (outline) {
    TexVertex* v = Textured(kLineStrip, p + 1);
    if (v == nullptr) return;
    for (int32_t k = 0; k <= p; ++k) {
      const Point q = OnRing(c, rx, ry, k);
      v[k] = TexAt(q.x, q.y, edge);
    }
    return;
  }
  TexVertex* v = Textured(kTriangleList, 3 * p);
  if (v == nullptr) return;
  for (int32_t k = 0; k < p; ++k) {
    const Point a = OnRing(c, rx, ry, k), b = OnRing(c, rx, ry, k + 1);
    v[3 * k] = TexAt(c.x, c.y, centre);
    v[3 * k + 1] = TexAt(a.x, a.y, edge);
    v[3 * k + 2] = TexAt(b.x, b.y, edge);
  }
}

void GR_Draw_Ellipse(float x1, float y1, float x2, float y2, int32_t outline) {
  GR_Draw_Ellipse_Core(x1, y1, x2, y2, g_drawColor, g_drawColor, outline == 1);
}

void GR_Draw_Ellipse_Color(float x1, float y1, float x2, float y2, uint32_t centreColour, uint32_t edgeColour,
                           int32_t outline) {
  GR_Draw_Ellipse_Core(x1, y1, x2, y2, WithAlpha(centreColour), WithAlpha(edgeColour), outline == 1);
}

void GR_Draw_Circle(float x, float y, float r, int32_t outline) {
  GR_Draw_Ellipse_Core(x - r, y - r, x + r, y + r, g_drawColor, g_drawColor, outline == 1);
}

void GR_Draw_Circle_Color(float x, float y, float r, uint32_t centreColour, uint32_t edgeColour, int32_t outline) {
  GR_Draw_Ellipse_Core(x - r, y - r, x + r, y + r, WithAlpha(centreColour), WithAlpha(edgeColour), outline == 1);
}

// Vertex 0 is the centre, then four quarter arcs of the corner ellipse
// moved out to the corners, then vertex 1 again to close the ring.
void GR_Draw_Roundrect_Core(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight,
                            uint32_t centre, uint32_t edge, bool outline) {
  const float w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
  const float cw = std::fmin(cornerWidth, w), ch = std::fmin(cornerHeight, h);
  const float cx = (x1 + x2) / 2.0f, cy = (y1 + y2) / 2.0f;
  const float ox = w / 2.0f - cw / 2.0f, oy = h / 2.0f - ch / 2.0f;
  const float rx = cw / 2.0f, ry = ch / 2.0f;
  const int32_t p = g_circlePrecision, q = p / 4;
  const int32_t n = p + 6;
  TexVertex* v = Textured(outline ? kLineStrip : kTriangleFan, n);
  if (v == nullptr) return;
  TexVertex* at = v + 1;
  at = QuarterArc(at, Point{cx + ox, cy + oy}, rx, ry, 0, q, edge);
  at = QuarterArc(at, Point{cx - ox, cy + oy}, rx, ry, q, 2 * q, edge);
  at = QuarterArc(at, Point{cx - ox, cy - oy}, rx, ry, 2 * q, 3 * q, edge);
  at = QuarterArc(at, Point{cx + ox, cy - oy}, rx, ry, 3 * q, p, edge);
  *at = v[1];
  v[0] = outline ? v[1] : TexAt(cx, cy, centre);
}

void GR_Draw_Roundrect(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight, int32_t outline) {
  Order(x1, x2);
  Order(y1, y2);
  GR_Draw_Roundrect_Core(x1, y1, NudgeWhole(x2), NudgeWhole(y2), cornerWidth, cornerHeight, g_drawColor, g_drawColor,
                         outline == 1);
}

void GR_Draw_Roundrect_Color(float x1, float y1, float x2, float y2, float cornerWidth, float cornerHeight,
                             uint32_t centreColour, uint32_t edgeColour, int32_t outline) {
  Order(x1, x2);
  Order(y1, y2);
  GR_Draw_Roundrect_Core(x1, y1, NudgeWhole(x2), NudgeWhole(y2), cornerWidth, cornerHeight, WithAlpha(centreColour),
                         WithAlpha(edgeColour), outline == 1);
}

void GR_Draw_Arrow(float x1, float y1, float x2, float y2, float headSize) {
  const float ex = x2 - x1, ey = y2 - y1;
  const float length = std::sqrt(ex * ex + ey * ey);
  if (!(length > 0.0f)) return;
  const float s = std::fmin(headSize, length);
  const float dx = s * ex / length, dy = s * ey / length;
  const uint32_t c = g_drawColor;
  ColorVertex* shaft = Color(kLineList, 2);
  if (shaft == nullptr) return;
  shaft[0] = At(x1 + 1.0f, y1 + 1.0f, c);
  shaft[1] = At(x2 + 1.0f, y2 + 1.0f, c);
  TexVertex* head = Textured(kTriangleList, 3);
  if (head == nullptr) return;
  head[0] = TexAt(x2 - dx - dy / 3.0f, y2 - dy + dx / 3.0f, c);
  head[1] = TexAt(x2, y2, c);
  head[2] = TexAt(x2 - dx + dy / 3.0f, y2 - dy - dx / 3.0f, c);
}

void GR_Draw_Button(float x1, float y1, float x2, float y2, bool up) {
  const uint32_t light = WithAlpha(up ? kWhite : kGrey), dark = WithAlpha(up ? kGrey : kWhite);
  TexVertex* v = Textured(kTriangleList, 6);
  if (v == nullptr) return;
  v[0] = TexAt(x1, y1, light);
  v[1] = TexAt(x2, y1, light);
  v[2] = TexAt(x1, y2, light);
  v[3] = TexAt(x1, y2, dark);
  v[4] = TexAt(x2, y1, dark);
  v[5] = TexAt(x2, y2, dark);
  GR_Draw_Filled_Rectangle(x1 + 2.0f, y1 + 2.0f, x2 - 2.0f, y2 - 2.0f);
}

void GR_Draw_Healthbar(float x1, float y1, float x2, float y2, float amount, uint32_t backColour, uint32_t minColour,
                       uint32_t midColour, uint32_t maxColour, int32_t direction, bool showBack, bool showBorder) {
  if (showBack) {
    SolidBox(x1, y1, x2, y2, backColour, false);
    if (showBorder) SolidBox(x1, y1, x2, y2, kBlack, true);
  }
  const float a = ClampAmount(amount);
  switch (direction) {
    case 1: x1 = x2 - (x2 - x1) * a / 100.0f; break;
    case 2: y2 = y1 + (y2 - y1) * a / 100.0f; break;
    case 3: y1 = y2 - (y2 - y1) * a / 100.0f; break;
    default: x2 = x1 + (x2 - x1) * a / 100.0f; break;
  }
  const uint32_t colour = a > 50.0f ? GR_Merge_Color(midColour, maxColour, (a - 50.0f) / 50.0)
                                    : GR_Merge_Color(minColour, midColour, a / 50.0);
  SolidBox(x1, y1, x2, y2, colour, false);
  if (showBorder) SolidBox(x1, y1, x2, y2, kBlack, true);
}

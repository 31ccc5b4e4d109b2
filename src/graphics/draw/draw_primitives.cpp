// Clears, pixel reads, points, lines, triangles and rectangles. Points and
// lines sit one pixel right and down of their coordinates, as do the
// outlines of rectangles; filled rectangles reach one pixel past their right
// and bottom coordinates, so both forms cover the same pixels.
#include "graphics/draw/draw_primitives.h"

#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/draw/draw_vertices.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"

using namespace DrawVertices;

namespace {

constexpr uint32_t kClearAll = 7;

void LineVertices(float x1, float y1, float x2, float y2, uint32_t c1, uint32_t c2) {
  ColorVertex* v = Color(kLineList, 2);
  if (v == nullptr) return;
  v[0] = At(x1 + 1.0f, y1 + 1.0f, c1);
  v[1] = At(x2 + 1.0f, y2 + 1.0f, c2);
}

void ThickLine(float x1, float y1, float x2, float y2, float width, uint32_t c1, uint32_t c2) {
  x1 += 1.0f;
  y1 += 1.0f;
  x2 += 1.0f;
  y2 += 1.0f;
  const float dx = x2 - x1, dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.0f)) return;
  const float half = width / 2.0f;
  const float px = dx * half / length, py = dy * half / length;
  ColorVertex* v = Color(kTriangleFan, 4);
  if (v == nullptr) return;
  v[0] = At(x1 - py, y1 + px, c1);
  v[1] = At(x2 - py, y2 + px, c2);
  v[2] = At(x2 + py, y2 - px, c2);
  v[3] = At(x1 + py, y1 - px, c1);
}

void Triangle(float x1, float y1, float x2, float y2, float x3, float y3, uint32_t c1, uint32_t c2, uint32_t c3,
              bool outline) {
  TexVertex* v = Textured(outline ? kLineStrip : kTriangleList, outline ? 4 : 3);
  if (v == nullptr) return;
  v[0] = TexAt(x1, y1, c1);
  v[1] = TexAt(x2, y2, c2);
  v[2] = TexAt(x3, y3, c3);
  if (outline) v[3] = v[0];
}

}  // namespace

void GR_Draw_Filled_Rectangle(float x1, float y1, float x2, float y2) {
  Order(x1, x2);
  Order(y1, y2);
  TexVertex* v = Textured(kTriangleList, 6);
  if (v == nullptr) return;
  const uint32_t c = g_drawColor;
  v[0] = TexAt(x1, y1, c);
  v[1] = TexAt(x2 + 1.0f, y1, c);
  v[2] = TexAt(x2 + 1.0f, y2 + 1.0f, c);
  v[3] = v[2];
  v[4] = TexAt(x1, y2 + 1.0f, c);
  v[5] = v[0];
}

void GR_Draw_Clear(uint32_t colour) { Graphics::Clear(colour, 1.0f, 0, kClearAll); }

void GR_Draw_Clear_Alpha(uint32_t colour, float alpha) {
  Graphics::Clear((colour & 0xFFFFFF) | (GR_Alpha_To_Byte(alpha) << 24), 1.0f, 0, kClearAll);
}

void GR_Room_To_Window(float x, float y, int32_t* windowX, int32_t* windowY) {
  const ViewProjection& view = g_viewProjection;
  const ViewportRect& port = g_viewport;
  double px = x, py = y;
  if (view.width > 0.0f && view.height > 0.0f && port.width > 0 && port.height > 0) {
    px = port.x + (static_cast<double>(x) - view.x) * port.width / view.width;
    py = port.y + (static_cast<double>(y) - view.y) * port.height / view.height;
  }
  *windowX = Num_RoundInt32(px);
  *windowY = Num_RoundInt32(py);
}

// The frame is drawn at the screen target's size, which may differ from the
// room's screen size (a small room shown in a larger window): the pixel is
// read within the frame as drawn.
uint32_t GR_Draw_Get_Pixel(int32_t x, int32_t y) {
  const DeviceTexture* frame = Graphics::ScreenTexture();
  const int32_t width = frame != nullptr ? DeviceTexture_Width(frame) : g_screenSize.width;
  const int32_t height = frame != nullptr ? DeviceTexture_Height(frame) : g_screenSize.height;
  uint32_t* block = Graphics::ReadScreenPixels(width, height, x, y, 1, 1);
  if (block == nullptr) return 0;
  const uint32_t argb = block[0];
  MemoryManager::Free(block);
  return GR_Swap_Red_Blue(argb) & 0xFFFFFF;
}

void GR_Draw_Point(float x, float y) {
  ColorVertex* v = Color(kPointList, 1);
  if (v != nullptr) v[0] = At(x + 1.0f, y + 1.0f, g_drawColor);
}

void GR_Draw_Point_Color(float x, float y, uint32_t colour) {
  ColorVertex* v = Color(kPointList, 1);
  if (v != nullptr) v[0] = At(x + 1.0f, y + 1.0f, WithAlpha(colour));
}

void GR_Draw_Line(float x1, float y1, float x2, float y2) { LineVertices(x1, y1, x2, y2, g_drawColor, g_drawColor); }

void GR_Draw_Line_Color(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2) {
  LineVertices(x1, y1, x2, y2, WithAlpha(colour1), WithAlpha(colour2));
}

void GR_Draw_Line_Core(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2) {
  LineVertices(x1, y1, x2, y2, colour1, colour2);
}

void GR_Draw_Line_Width(float x1, float y1, float x2, float y2, float width) {
  ThickLine(x1, y1, x2, y2, width, g_drawColor, g_drawColor);
}

void GR_Draw_Line_Width_Color(float x1, float y1, float x2, float y2, float width, uint32_t colour1, uint32_t colour2) {
  ThickLine(x1, y1, x2, y2, width, WithAlpha(colour1), WithAlpha(colour2));
}

void GR_Draw_Triangle(float x1, float y1, float x2, float y2, float x3, float y3, int32_t outline) {
  Triangle(x1, y1, x2, y2, x3, y3, g_drawColor, g_drawColor, g_drawColor, outline == 1);
}

void GR_Draw_Triangle_Color(float x1, float y1, float x2, float y2, float x3, float y3, uint32_t colour1,
                            uint32_t colour2, uint32_t colour3, int32_t outline) {
  Triangle(x1, y1, x2, y2, x3, y3, WithAlpha(colour1), WithAlpha(colour2), WithAlpha(colour3), outline == 1);
}

// The outline's strip leaves its closing corner to the rasteriser; the
// points after it set all four corner pixels.
void GR_Draw_Rectangle(float x1, float y1, float x2, float y2, int32_t outline) {
  if (outline != 1) {
    GR_Draw_Filled_Rectangle(x1, y1, x2, y2);
    return;
  }
  Order(x1, x2);
  Order(y1, y2);
  x1 += 1.0f;
  y1 += 1.0f;
  x2 += 1.0f;
  y2 += 1.0f;
  const uint32_t c = g_drawColor;
  TexVertex* strip = Textured(kLineStrip, 5);
  if (strip == nullptr) return;
  strip[0] = TexAt(x1, y1, c);
  strip[1] = TexAt(x2, y1, c);
  strip[2] = TexAt(x2, y2, c);
  strip[3] = TexAt(x1, y2, c);
  strip[4] = strip[0];
  TexVertex* corners = Textured(kPointList, 4);
  if (corners == nullptr) return;
  corners[0] = TexAt(x1, y1, c);
  corners[1] = TexAt(x2, y1, c);
  corners[2] = TexAt(x2, y2, c);
  corners[3] = TexAt(x1, y2, c);
}

void GR_Draw_Rectangle_Color(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                             uint32_t colour3, uint32_t colour4, int32_t outline) {
  x2 += 1.0f;
  y2 += 1.0f;
  Order(x1, x2);
  Order(y1, y2);
  x2 = NudgeWhole(x2);
  y2 = NudgeWhole(y2);
  const bool lines = outline == 1;
  TexVertex* v = Textured(lines ? kLineStrip : kTriangleFan, 5);
  if (v == nullptr) return;
  v[0] = TexAt(x1, y1, WithAlpha(colour1));
  v[1] = TexAt(x2, y1, WithAlpha(colour2));
  v[2] = TexAt(x2, y2, WithAlpha(colour3));
  v[3] = TexAt(x1, y2, WithAlpha(colour4));
  v[4] = v[0];
}

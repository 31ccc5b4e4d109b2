#include "builtins/graphics/calls.h"

#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/surface/surfaces.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "runtime/numeric.h"

// Background and text drawing live in calls_backgrounds.cpp and
// calls_text.cpp.
void GraphicsCalls_FillBackgrounds(GraphicsCalls* calls);
void GraphicsCalls_FillText(GraphicsCalls* calls);

namespace {

void DrawPath(int32_t path, float x, float y, bool absolute) {
  if (const CPath* p = Path_Get(path)) p->Draw(x, y, absolute);
}

// The view's port: room coordinates relative to the view, scaled to the
// port's pixels. Without a view set up the room point is the pixel.
void RoomToWindow(float x, float y, int32_t* wx, int32_t* wy) {
  const ViewProjection& view = g_viewProjection;
  const ViewportRect& port = g_viewport;
  double px = x, py = y;
  if (view.width > 0.0f && view.height > 0.0f && port.width > 0 && port.height > 0) {
    px = port.x + (static_cast<double>(x) - view.x) * port.width / view.width;
    py = port.y + (static_cast<double>(y) - view.y) * port.height / view.height;
  }
  *wx = Num_TruncInt32(std::floor(px));
  *wy = Num_TruncInt32(std::floor(py));
}

void SpriteSimple(int32_t s, int32_t frame, float x, float y) {
  if (const CSprite* sprite = Sprite_Get(s)) sprite->DrawSimple(frame, x, y);
}

void SpriteDraw(int32_t s, int32_t frame, float x, float y, float xs, float ys, float angle, uint32_t c, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) sprite->Draw(frame, x, y, xs, ys, angle, c, alpha);
}

void SpritePart(int32_t s, int32_t frame, float left, float top, float w, float h, float x, float y, float xs, float ys,
                uint32_t c, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) sprite->DrawPart(frame, left, top, w, h, x, y, xs, ys, c, alpha);
}

void SpriteGeneral(int32_t s, int32_t frame, float left, float top, float w, float h, float x, float y, float xs,
                   float ys, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) {
    sprite->DrawGeneral(frame, left, top, w, h, x, y, xs, ys, angle, c1, c2, c3, c4, alpha);
  }
}

void SpriteStretched(int32_t s, int32_t frame, float x, float y, float w, float h, uint32_t c, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) sprite->DrawStretched(frame, x, y, w, h, c, alpha);
}

void SpriteTiled(int32_t s, int32_t frame, float x, float y, float xs, float ys, bool tileH, bool tileV,
                 int32_t areaLeft, int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t c, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) {
    sprite->DrawTiled(frame, x, y, xs, ys, tileH, tileV, areaLeft, areaTop, areaWidth, areaHeight, c, alpha);
  }
}

void SpritePos(int32_t s, int32_t frame, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
               uint32_t colourWord, float alpha) {
  if (const CSprite* sprite = Sprite_Get(s)) sprite->DrawPos(frame, x1, y1, x2, y2, x3, y3, x4, y4, colourWord, alpha);
}

GraphicsCalls MakeReal() {
  GraphicsCalls c{};
  c.setColor = GR_Draw_Set_Color;
  c.setAlpha = GR_Draw_Set_Alpha;
  c.getColor = GR_Draw_Get_Color;
  c.getAlpha = GR_Draw_Get_Alpha;
  c.setBlendMode = GR_Draw_Set_Blend_Mode;
  c.setBlendModeExt = GR_Draw_Set_Blend_Mode_Ext;
  c.clear = GR_Draw_Clear;
  c.clearAlpha = GR_Draw_Clear_Alpha;
  c.setCirclePrecision = GR_Draw_Set_Circle_Precision;
  c.point = GR_Draw_Point;
  c.line = GR_Draw_Line;
  c.lineWidth = GR_Draw_Line_Width;
  c.rectangle = GR_Draw_Rectangle;
  c.roundrect = GR_Draw_Roundrect;
  c.triangle = GR_Draw_Triangle;
  c.circle = GR_Draw_Circle;
  c.ellipse = GR_Draw_Ellipse;
  c.arrow = GR_Draw_Arrow;
  c.button = GR_Draw_Button;
  c.healthbar = GR_Draw_Healthbar;
  c.pointColor = GR_Draw_Point_Color;
  c.lineColor = GR_Draw_Line_Color;
  c.lineWidthColor = GR_Draw_Line_Width_Color;
  c.rectangleColor = GR_Draw_Rectangle_Color;
  c.roundrectColor = GR_Draw_Roundrect_Color;
  c.triangleColor = GR_Draw_Triangle_Color;
  c.circleColor = GR_Draw_Circle_Color;
  c.ellipseColor = GR_Draw_Ellipse_Color;
  c.path = DrawPath;
  c.primitiveBegin = GR_Primitive_Begin;
  c.primitiveEnd = GR_Primitive_End;
  c.vertex = GR_Primitive_Vertex;
  c.vertexColor = GR_Primitive_Vertex_Color;
  c.vertexTexture = GR_Primitive_Vertex_Texture;
  c.vertexTextureColor = GR_Primitive_Vertex_Texture_Color;
  c.roomToWindow = RoomToWindow;
  c.getPixel = GR_Draw_Get_Pixel;
  c.spriteSimple = SpriteSimple;
  c.sprite = SpriteDraw;
  c.spritePart = SpritePart;
  c.spriteGeneral = SpriteGeneral;
  c.spriteStretched = SpriteStretched;
  c.spriteTiled = SpriteTiled;
  c.spritePos = SpritePos;
  GraphicsCalls_FillText(&c);
  GraphicsCalls_FillBackgrounds(&c);
  c.surfaceSimple = GR_Surface_Draw;
  c.surface = GR_Surface_Draw_Ext;
  c.surfacePart = GR_Surface_Draw_Part;
  c.surfaceGeneral = GR_Surface_Draw_General;
  c.surfaceStretched = GR_Surface_Draw_Stretched;
  c.surfaceTiled = GR_Surface_Draw_Tiled;
  return c;
}

const GraphicsCalls* g_installedCalls = nullptr;

}  // namespace

const GraphicsCalls& GraphicsCalls_Real() {
  static const GraphicsCalls real = MakeReal();
  return real;
}

const GraphicsCalls& GraphicsCalls_Current() {
  return g_installedCalls != nullptr ? *g_installedCalls : GraphicsCalls_Real();
}

void GraphicsCalls_Install(const GraphicsCalls* calls) { g_installedCalls = calls; }

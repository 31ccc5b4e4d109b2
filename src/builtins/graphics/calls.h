// Every drawing operation the graphics built-ins reach, as one table of
// function pointers. The built-ins only convert and check their arguments;
// going through this table lets a test put a recording set in and see
// exactly which operation each built-in calls and with what. Resources are
// named by their index: the handlers have already checked that it exists.
#pragma once
#include <cstdint>

struct GraphicsCalls {
  // Drawing state.
  void (*setColor)(uint32_t colour);
  void (*setAlpha)(float alpha);
  uint32_t (*getColor)();
  float (*getAlpha)();
  void (*setBlendMode)(int32_t mode);
  void (*setBlendModeExt)(int32_t source, int32_t destination);
  void (*clear)(uint32_t colour);
  void (*clearAlpha)(uint32_t colour, float alpha);
  void (*setCirclePrecision)(int32_t precision);

  // Shapes.
  void (*point)(float x, float y);
  void (*line)(float x1, float y1, float x2, float y2);
  void (*lineWidth)(float x1, float y1, float x2, float y2, float width);
  void (*rectangle)(float x1, float y1, float x2, float y2, int32_t outline);
  void (*roundrect)(float x1, float y1, float x2, float y2, float cw, float ch, int32_t outline);
  void (*triangle)(float x1, float y1, float x2, float y2, float x3, float y3, int32_t outline);
  void (*circle)(float x, float y, float r, int32_t outline);
  void (*ellipse)(float x1, float y1, float x2, float y2, int32_t outline);
  void (*arrow)(float x1, float y1, float x2, float y2, float size);
  void (*button)(float x1, float y1, float x2, float y2, bool up);
  void (*healthbar)(float x1, float y1, float x2, float y2, float amount, uint32_t back, uint32_t min, uint32_t mid,
                    uint32_t max, int32_t direction, bool showBack, bool showBorder);
  void (*pointColor)(float x, float y, uint32_t c);
  void (*lineColor)(float x1, float y1, float x2, float y2, uint32_t c1, uint32_t c2);
  void (*lineWidthColor)(float x1, float y1, float x2, float y2, float width, uint32_t c1, uint32_t c2);
  void (*rectangleColor)(float x1, float y1, float x2, float y2, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                         int32_t outline);
  void (*roundrectColor)(float x1, float y1, float x2, float y2, float cw, float ch, uint32_t c1, uint32_t c2,
                         int32_t outline);
  void (*triangleColor)(float x1, float y1, float x2, float y2, float x3, float y3, uint32_t c1, uint32_t c2,
                        uint32_t c3, int32_t outline);
  void (*circleColor)(float x, float y, float r, uint32_t c1, uint32_t c2, int32_t outline);
  void (*ellipseColor)(float x1, float y1, float x2, float y2, uint32_t c1, uint32_t c2, int32_t outline);
  void (*path)(int32_t path, float x, float y, bool absolute);

  // Free primitives.
  void (*primitiveBegin)(int32_t kind, int64_t texture);
  void (*primitiveEnd)();
  void (*vertex)(float x, float y);
  void (*vertexColor)(float x, float y, uint32_t c, float alpha);
  void (*vertexTexture)(float x, float y, float u, float v);
  void (*vertexTextureColor)(float x, float y, float u, float v, uint32_t c, float alpha);

  // Pixels: a room point to window pixels, and the pixel there.
  void (*roomToWindow)(float x, float y, int32_t* wx, int32_t* wy);
  uint32_t (*getPixel)(int32_t x, int32_t y);

  // Text.
  void (*setFont)(int32_t font);
  void (*setHalign)(int32_t h);
  void (*setValign)(int32_t v);
  int32_t (*stringWidth)(const char* text, int32_t sep, int32_t w);
  int32_t (*stringHeight)(const char* text, int32_t sep, int32_t w);
  void (*text)(float x, float y, const char* text, int32_t sep, int32_t w);
  void (*textTransformed)(float x, float y, const char* text, int32_t sep, int32_t w, float xs, float ys, float angle);
  void (*textColor)(float x, float y, const char* text, int32_t sep, int32_t w, uint32_t c1, uint32_t c2, uint32_t c3,
                    uint32_t c4, float alpha);
  void (*textTransformedColor)(float x, float y, const char* text, int32_t sep, int32_t w, float xs, float ys,
                               float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha);

  // Sprites, by index, with the frame as chosen by the handler.
  void (*spriteSimple)(int32_t sprite, int32_t frame, float x, float y);
  void (*sprite)(int32_t sprite, int32_t frame, float x, float y, float xs, float ys, float angle, uint32_t c,
                 float alpha);
  void (*spritePart)(int32_t sprite, int32_t frame, float left, float top, float w, float h, float x, float y, float xs,
                     float ys, uint32_t c, float alpha);
  void (*spriteGeneral)(int32_t sprite, int32_t frame, float left, float top, float w, float h, float x, float y,
                        float xs, float ys, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                        float alpha);
  void (*spriteStretched)(int32_t sprite, int32_t frame, float x, float y, float w, float h, uint32_t c, float alpha);
  void (*spriteTiled)(int32_t sprite, int32_t frame, float x, float y, float xs, float ys, bool tileH, bool tileV,
                      int32_t areaLeft, int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t c,
                      float alpha);
  void (*spritePos)(int32_t sprite, int32_t frame, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                    float y4, uint32_t colourWord, float alpha);

  // Backgrounds, by index.
  void (*backgroundSimple)(int32_t back, float x, float y);
  void (*background)(int32_t back, float x, float y, float xs, float ys, float angle, uint32_t c, float alpha);
  void (*backgroundPart)(int32_t back, float left, float top, float w, float h, float x, float y, float xs, float ys,
                         uint32_t c, float alpha);
  void (*backgroundGeneral)(int32_t back, float left, float top, float w, float h, float x, float y, float xs, float ys,
                            float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha);
  void (*backgroundStretched)(int32_t back, float x, float y, float w, float h, uint32_t c, float alpha);
  void (*backgroundTiled)(int32_t back, float x, float y, float xs, float ys, bool tileH, bool tileV, int32_t areaLeft,
                          int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t c, float alpha);

  // Surfaces, by index.
  void (*surfaceSimple)(int32_t surface, float x, float y);
  void (*surface)(int32_t surface, float x, float y, float xs, float ys, float angle, uint32_t c, float alpha);
  void (*surfacePart)(int32_t surface, float left, float top, float w, float h, float x, float y, float xs, float ys,
                      uint32_t c, float alpha);
  void (*surfaceGeneral)(int32_t surface, float left, float top, float w, float h, float x, float y, float xs, float ys,
                         float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha);
  void (*surfaceStretched)(int32_t surface, float x, float y, float w, float h, uint32_t c, float alpha);
  void (*surfaceTiled)(int32_t surface, float x, float y, float xs, float ys, bool tileH, bool tileV, int32_t areaLeft,
                       int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t c, float alpha);
};

// The operations of the drawing core and the resources.
const GraphicsCalls& GraphicsCalls_Real();
// The set the built-ins use; the real one unless a test installed another.
const GraphicsCalls& GraphicsCalls_Current();
// Null puts the real set back.
void GraphicsCalls_Install(const GraphicsCalls* calls);

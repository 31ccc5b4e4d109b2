// The background drawing operations reached by the built-ins: each draws the
// background of an index that exists (the handlers check first).
#include "builtins/graphics/calls.h"
#include "resources/background.h"

void GraphicsCalls_FillBackgrounds(GraphicsCalls* calls);

namespace {

void Simple(int32_t index, float x, float y) {
  if (const CBackground* b = Background_Get(index)) b->DrawSimple(x, y);
}
void Draw(int32_t index, float x, float y, float xscale, float yscale, float angle, uint32_t colour, float alpha) {
  if (const CBackground* b = Background_Get(index)) b->Draw(x, y, xscale, yscale, angle, colour, alpha);
}
void Part(int32_t index, float left, float top, float width, float height, float x, float y, float xscale, float yscale,
          uint32_t colour, float alpha) {
  if (const CBackground* b = Background_Get(index))
    b->DrawPart(left, top, width, height, x, y, xscale, yscale, colour, alpha);
}
void General(int32_t index, float left, float top, float width, float height, float x, float y, float xscale,
             float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) {
  if (const CBackground* b = Background_Get(index)) {
    b->DrawGeneral(left, top, width, height, x, y, xscale, yscale, angle, c1, c2, c3, c4, alpha);
  }
}
void Stretched(int32_t index, float x, float y, float width, float height, uint32_t colour, float alpha) {
  if (const CBackground* b = Background_Get(index)) b->DrawStretched(x, y, width, height, colour, alpha);
}
void Tiled(int32_t index, float x, float y, float xscale, float yscale, bool tileH, bool tileV, int32_t areaLeft,
           int32_t areaTop, int32_t areaWidth, int32_t areaHeight, uint32_t colour, float alpha) {
  if (const CBackground* b = Background_Get(index)) {
    b->DrawTiled(x, y, xscale, yscale, tileH, tileV, areaLeft, areaTop, areaWidth, areaHeight, colour, alpha);
  }
}

}  // namespace

void GraphicsCalls_FillBackgrounds(GraphicsCalls* calls) {
  calls->backgroundSimple = Simple;
  calls->background = Draw;
  calls->backgroundPart = Part;
  calls->backgroundGeneral = General;
  calls->backgroundStretched = Stretched;
  calls->backgroundTiled = Tiled;
}

// The text operations reached by the built-ins: each goes to the text
// drawing installed at start-up, looked up at the call so that the set
// installed then is the one used.
#include "builtins/graphics/calls.h"
#include "graphics/text/text_draw_services.h"

void GraphicsCalls_FillText(GraphicsCalls* calls);

namespace {

const TextDrawServices& Text() { return TextDrawServices_Get(); }

void SetFont(int32_t font) { Text().setFont(font); }
void SetHalign(int32_t halign) { Text().setHalign(halign); }
void SetValign(int32_t valign) { Text().setValign(valign); }
int32_t Width(const char* text, int32_t sep, int32_t w) { return Text().stringWidth(text, sep, w); }
int32_t Height(const char* text, int32_t sep, int32_t w) { return Text().stringHeight(text, sep, w); }
void Draw(float x, float y, const char* text, int32_t sep, int32_t w) { Text().draw(x, y, text, sep, w); }
void DrawTransformed(float x, float y, const char* text, int32_t sep, int32_t w, float xs, float ys, float angle) {
  Text().drawTransformed(x, y, text, sep, w, xs, ys, angle);
}
void DrawColor(float x, float y, const char* text, int32_t sep, int32_t w, uint32_t c1, uint32_t c2, uint32_t c3,
               uint32_t c4, float alpha) {
  Text().drawColor(x, y, text, sep, w, c1, c2, c3, c4, alpha);
}
void DrawTransformedColor(float x, float y, const char* text, int32_t sep, int32_t w, float xs, float ys,
                          float angle, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) {
  Text().drawTransformedColor(x, y, text, sep, w, xs, ys, angle, c1, c2, c3, c4, alpha);
}

}  // namespace

void GraphicsCalls_FillText(GraphicsCalls* calls) {
  calls->setFont = SetFont;
  calls->setHalign = SetHalign;
  calls->setValign = SetValign;
  calls->stringWidth = Width;
  calls->stringHeight = Height;
  calls->text = Draw;
  calls->textTransformed = DrawTransformed;
  calls->textColor = DrawColor;
  calls->textTransformedColor = DrawTransformedColor;
}

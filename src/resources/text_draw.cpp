#include "resources/text_draw.h"

#include <cmath>

#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/profiler_services.h"
#include "resources/builtin_images.h"
#include "resources/font.h"
#include "resources/text_layout.h"

namespace {

constexpr uint32_t kTextMarkerColour = 0xFFFF00;
constexpr double kPi = 3.1415927;

int32_t g_currentFont = -1;
int32_t g_halign = 0;
int32_t g_valign = 0;
CFontGM* g_builtinFont = nullptr;
int32_t g_builtinTexture = -1;

// The overlay's font sheet, which the profiler makes once the device is up;
// without it the built-in font measures but draws nothing.
int32_t BuiltinTexture() { return ProfilerServices_Get().fontTexture(); }

const CFontGM& BuiltinFont() {
  // A font made before the device has no texture: it is made again once
  // the sheet can be.
  if (g_builtinFont != nullptr && g_builtinTexture < 0 && BuiltinTexture() >= 0) GR_Text_Free_Default_Font();
  if (g_builtinFont == nullptr) {
    g_builtinTexture = BuiltinTexture();
    g_builtinFont = new CFontGM(g_debugFontGlyphBoxes, kDebugFontFirst, kDebugFontLast, g_builtinTexture);
  }
  return *g_builtinFont;
}

const CFontGM& FontInUse() {
  if (Font_Exists(g_currentFont)) return *Font_Get(g_currentFont);
  return BuiltinFont();
}

int32_t AlignmentOrZero(int32_t value) { return value >= 0 && value <= 2 ? value : 0; }

// The distance between lines: the separation, or the font's line height.
int64_t LineStep(const CFontGM& font, int32_t separation) {
  return separation < 0 ? Text_UnitHeight(font) : separation;
}

// How far the first line moves up for the vertical alignment, in whole
// pixels.
float PlainRise(int32_t lines, int64_t step) {
  const int64_t total = lines * step;
  return static_cast<float>(g_valign == 1 ? total / 2 : (g_valign == 2 ? total : 0));
}

// The plain and colour forms' offset of a line: whole pixels, halves
// truncated.
float PlainOffset(const CFontGM& font, const char* line) {
  if (g_halign == 0) return 0.0f;
  const int32_t width = Text_LineWidth(font, line);
  return static_cast<float>(g_halign == 1 ? -(width / 2) : -int64_t{width});
}

// The transformed forms walk along the turned line direction.
struct TurnedLines {
  double s, c;
  double dx, dy;  // from one line to the next
  TurnedLines(float angle, float yscale, int64_t step) {
    const double a = angle * kPi / 180.0;
    s = std::sin(a);
    c = std::cos(a);
    dx = s * yscale * static_cast<double>(step);
    dy = c * yscale * static_cast<double>(step);
  }
  void Align(int32_t lines, double* x, double* y) const {
    const double share = g_valign == 1 ? 0.5 : (g_valign == 2 ? 1.0 : 0.0);
    *x -= std::rint(lines * dx * share);
    *y -= std::rint(lines * dy * share);
  }
};

double TurnedOffset(const CFontGM& font, const char* line, float xscale, bool rounded) {
  if (g_halign == 0) return 0.0;
  const double scaled = Text_LineWidth(font, line) * static_cast<double>(xscale) * (g_halign == 1 ? -0.5 : -1.0);
  return rounded ? std::rint(scaled) : std::trunc(scaled);
}

template <typename DrawLine>
void DrawPlainLines(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, DrawLine draw) {
  const CFontGM& font = FontInUse();
  const TextLines lines(text, font, wrapWidth);
  const int64_t step = LineStep(font, separation);
  double lineY = y - PlainRise(lines.Count(), step);
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const char* line = lines.Line(i);
    if (*line != '\0') draw(font, x + PlainOffset(font, line), static_cast<float>(lineY), line);
    lineY += static_cast<double>(step);
  }
}

template <typename DrawLine>
void DrawTurnedLines(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, float xscale,
                     float yscale, float angle, bool roundedOffset, DrawLine draw) {
  const CFontGM& font = FontInUse();
  const TextLines lines(text, font, wrapWidth);
  const TurnedLines turn(angle, yscale, LineStep(font, separation));
  double lineX = x, lineY = y;
  turn.Align(lines.Count(), &lineX, &lineY);
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const char* line = lines.Line(i);
    if (*line != '\0') {
      const double o = TurnedOffset(font, line, xscale, roundedOffset);
      draw(font, static_cast<float>(lineX + o * turn.c), static_cast<float>(lineY - o * turn.s), line);
    }
    lineX += turn.dx;
    lineY += turn.dy;
  }
}

// Opens the profiler's "Text" marker for the life of one drawing.
class TextMarker {
 public:
  TextMarker() { ProfilerServices_Get().begin(kTextMarkerColour, "Text"); }
  ~TextMarker() { ProfilerServices_Get().end(); }
  TextMarker(const TextMarker&) = delete;
  TextMarker& operator=(const TextMarker&) = delete;
};

}  // namespace

void GR_Text_Set_Font(int32_t font) {
  g_currentFont = font;
  if (!Font_Exists(font)) BuiltinFont();
}

void GR_Text_Set_Halign(int32_t halign) { g_halign = AlignmentOrZero(halign); }
void GR_Text_Set_Valign(int32_t valign) { g_valign = AlignmentOrZero(valign); }
int32_t GR_Text_Get_Halign() { return g_halign; }
int32_t GR_Text_Get_Valign() { return g_valign; }

int32_t GR_Text_String_Width(const char* text, int32_t, int32_t wrapWidth) {
  const CFontGM& font = FontInUse();
  return TextLines(text, font, wrapWidth).Width();
}

int32_t GR_Text_String_Height(const char* text, int32_t separation, int32_t wrapWidth) {
  const CFontGM& font = FontInUse();
  return Text_Height(TextLines(text, font, wrapWidth).Count(), separation, Text_UnitHeight(font));
}

void GR_Text_Draw(float x, float y, const char* text, int32_t separation, int32_t wrapWidth) {
  const TextMarker marker;
  const uint32_t colour = GR_Draw_Get_Color();
  const float alpha = GR_Draw_Get_Alpha();
  DrawPlainLines(x, y, text, separation, wrapWidth, [&](const CFontGM& font, float lx, float ly, const char* line) {
    font.Draw(lx, ly, line, colour, alpha);
  });
}

void GR_Text_Draw_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, uint32_t c1,
                        uint32_t c2, uint32_t c3, uint32_t c4, float alpha) {
  DrawPlainLines(x, y, text, separation, wrapWidth, [&](const CFontGM& font, float lx, float ly, const char* line) {
    font.DrawColor(lx, ly, line, c1, c2, c3, c4, alpha);
  });
}

void GR_Text_Draw_Transformed(float x, float y, const char* text, int32_t separation, int32_t wrapWidth, float xscale,
                              float yscale, float angle) {
  const TextMarker marker;
  const uint32_t colour = GR_Draw_Get_Color();
  const float alpha = GR_Draw_Get_Alpha();
  DrawTurnedLines(x, y, text, separation, wrapWidth, xscale, yscale, angle, false,
                  [&](const CFontGM& font, float lx, float ly, const char* line) {
                    font.DrawTransformed(lx, ly, line, xscale, yscale, angle, colour, alpha);
                  });
}

void GR_Text_Draw_Transformed_Color(float x, float y, const char* text, int32_t separation, int32_t wrapWidth,
                                    float xscale, float yscale, float angle, uint32_t c1, uint32_t c2, uint32_t c3,
                                    uint32_t c4, float alpha) {
  DrawTurnedLines(x, y, text, separation, wrapWidth, xscale, yscale, angle, true,
                  [&](const CFontGM& font, float lx, float ly, const char* line) {
                    font.DrawTransformedColor(lx, ly, line, xscale, yscale, angle, c1, c2, c3, c4, alpha);
                  });
}

void GR_Text_Free_Default_Font() {
  delete g_builtinFont;
  g_builtinFont = nullptr;
}

void GR_Text_Reset() {
  GR_Text_Free_Default_Font();
  g_builtinTexture = -1;
  g_currentFont = -1;
  g_halign = g_valign = 0;
}

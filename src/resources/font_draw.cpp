// Drawing a line of text with a font: texture fonts as batches of glyph
// quads, sprite fonts frame by frame through their sprite, and the colour
// forms glyph by glyph with corner colours blended along the line.
#include <algorithm>
#include <cmath>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "resources/font.h"
#include "resources/sprite.h"
#include "runtime/utf8.h"

namespace {

constexpr int32_t kTriangleList = 4;
constexpr double kDegreesToRadians = 0.017453292;

// The direction along the line; straight across when the angle is too
// small to matter.
struct LineDirection {
  float ux = 1.0f, uy = 0.0f;
  float angle = 0.0f;  // degrees; 0 when not rotated
  explicit LineDirection(float degrees) {
    if (!(std::fabs(degrees) >= 0.001f)) return;
    const double a = degrees * kDegreesToRadians;
    ux = static_cast<float>(std::cos(a));
    uy = static_cast<float>(-std::sin(a));
    angle = degrees;
  }
};

}  // namespace

void CFontGM::Draw(float x, float y, const char* text, uint32_t colour, float alpha) const {
  DrawLine(x, y, text, xscale_, yscale_, 0.0f, colour, alpha);
}

void CFontGM::DrawTransformed(float x, float y, const char* text, float xscale, float yscale, float angle,
                              uint32_t colour, float alpha) const {
  DrawLine(x, y, text, xscale, yscale, angle, colour, alpha);
}

void CFontGM::DrawColor(float x, float y, const char* text, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4,
                        float alpha) const {
  const uint32_t colours[4] = {c1, c2, c3, c4};
  // Glyphs on a page keep the font's scales, others are drawn at their size.
  const bool own = sprite_ >= 0 || GetPage() != nullptr;
  DrawColorLine(x, y, text, own ? xscale_ : 1.0f, own ? yscale_ : 1.0f, 0.0f, colours, alpha, false);
}

void CFontGM::DrawTransformedColor(float x, float y, const char* text, float xscale, float yscale, float angle,
                                   uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, float alpha) const {
  const uint32_t colours[4] = {c1, c2, c3, c4};
  DrawColorLine(x, y, text, xscale, yscale, angle, colours, alpha, true);
}

// The batch holds at most kBatchMaxVertices, so a long line is laid out in
// several reservations, the pen carried from one to the next.
void CFontGM::DrawLine(float x, float y, const char* text, float xscale, float yscale, float angle, uint32_t colour,
                       float alpha) const {
  if (text == nullptr || glyphCount_ == 0) return;
  if (sprite_ >= 0) {
    DrawSpriteLine(x, y, text, xscale, yscale, angle, colour, alpha);
    return;
  }
  const TexturePage* page = GetPage();
  const TextureEntry* entry = GR_Texture_Entry(page != nullptr ? GR_TexturePage_Texture(page) : texture_);
  if (entry == nullptr) return;
  const FontLayout layout{xscale,
                          yscale,
                          angle,
                          GR_Pack_Color(colour, GR_Alpha_To_Byte(alpha)),
                          g_drawDepth,
                          entry->inverseWidth,
                          entry->inverseHeight};
  float pen = 0.0f;
  for (int32_t remaining = UTF8_Length(text); remaining > 0 && *text != '\0'; remaining -= kFontCharsPerBatch) {
    const int32_t chunk = std::min(remaining, kFontCharsPerBatch);
    void* room = Graphics::AllocVertices(kTriangleList, entry->texture, sizeof(FontVertex), 6 * chunk);
    if (room == nullptr) return;
    const int32_t written = LayoutChunk(x, y, &text, &pen, chunk, layout, static_cast<FontVertex*>(room));
    Graphics::ReturnVertices(6 * chunk - written);
  }
}

void CFontGM::DrawSpriteLine(float x, float y, const char* text, float xscale, float yscale, float angle,
                             uint32_t colour, float alpha) const {
  const CSprite* sprite = Sprite_Get(sprite_);
  if (sprite == nullptr) return;
  const LineDirection u(angle);
  float pen = 0.0f;
  for (uint16_t c = UTF8_ReadChar(&text); c != 0; c = UTF8_ReadChar(&text)) {
    const FontGlyph* g = FindGlyph(c);
    if (g == nullptr) continue;
    if (c != 32) {
      const float along = pen + g->offset * xscale;
      sprite->Draw(g->width, x + along * u.ux, y + along * u.uy, xscale, yscale, u.angle, colour, alpha);
    }
    pen += g->shift * xscale;
  }
}

// Corner colours follow the glyph's place in the unscaled width of the line,
// so that they match TextWidth; the pen moves by scaled shifts only when
// `scalePen` is set.
void CFontGM::DrawColorLine(float x, float y, const char* text, float xscale, float yscale, float angle,
                            const uint32_t colours[4], float alpha, bool scalePen) const {
  if (text == nullptr || glyphCount_ == 0) return;
  const CSprite* sprite = sprite_ >= 0 ? Sprite_Get(sprite_) : nullptr;
  // The page writers take a mutable record but only read it.
  TexturePage* page = const_cast<TexturePage*>(GetPage());
  if (sprite_ >= 0 ? sprite == nullptr : (page == nullptr && texture_ < 0)) return;
  const double width = TextWidth(text);
  const LineDirection u(angle);
  const float radians = static_cast<float>(u.angle * kDegreesToRadians);
  const float penScale = scalePen ? xscale : 1.0f;
  float pen = 0.0f;
  int32_t p = 0;
  for (uint16_t c = UTF8_ReadChar(&text); c != 0; c = UTF8_ReadChar(&text)) {
    const FontGlyph* g = FindGlyph(c);
    if (g == nullptr) continue;
    // A line of no width has nowhere to blend: every glyph takes the first colours.
    const double f0 = width != 0 ? p / width : 0.0, f1 = width != 0 ? (p + g->shift) / width : 0.0;
    const uint32_t tl = GR_Merge_Color(colours[0], colours[1], f0), tr = GR_Merge_Color(colours[0], colours[1], f1);
    const uint32_t br = GR_Merge_Color(colours[3], colours[2], f1), bl = GR_Merge_Color(colours[3], colours[2], f0);
    const float along = pen + g->offset * penScale;
    const float gx = x + along * u.ux, gy = y + along * u.uy;
    if (sprite != nullptr) {
      if (c != 32) {
        sprite->DrawGeneral(g->width, 0, 0, static_cast<float>(sprite->width), g->height, gx, gy, xscale, yscale,
                            u.angle, tl, tr, br, bl, alpha);
      }
    } else if (page != nullptr) {
      GR_TexturePage_Draw_General(page, g->x, g->y, g->width, g->height, gx, gy, xscale, yscale, radians, tl, tr, br,
                                  bl, alpha);
    } else {
      GR_Texture_Draw_General(texture_, g->x, g->y, g->width, g->height, gx, gy, xscale, yscale, radians, tl, tr, br,
                              bl, alpha);
    }
    pen += g->shift * penScale;
    p += g->shift;
  }
}

#include "graphics/overlay/overlay_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/overlay/profiler.h"
#include "graphics/overlay/profiler_host.h"
#include "graphics/texture/texture_table.h"
#include "runtime/utf8.h"

namespace {

constexpr int32_t kTriangleList = 4;
constexpr float kTextDepth = 0.7f;
constexpr float kSheetWidth = 256.0f, kSheetHeight = 128.0f;
// Code points drawn per reservation; the batch holds six vertices each.
constexpr int32_t kCharsPerChunk = kBatchMaxVertices / 6;

DeviceTexture* FontTexture() {
  const int32_t index = Profiler_FontTexture();
  return index >= 0 && GR_Texture_Exists(index) ? GR_Texture_Get_Device_Texture(index) : nullptr;
}

// The glyph box of c, or null when c has none (or there is no sheet).
const uint8_t* Glyph(uint16_t c) {
  const uint8_t* boxes = ProfilerHost_Get().fontGlyphs();
  if (boxes == nullptr || c < kOverlayFirstGlyph || c > kOverlayLastGlyph) return nullptr;
  return boxes + 4 * (c - kOverlayFirstGlyph);
}

float NextTab(float x) { return std::trunc((x + 63.0f) / 64.0f) * 64.0f; }

struct Pen {
  float x, y, xscale, yscale;
  uint32_t colour;
};

// Writes c's quad at v when it has one and moves the pen; the vertices used.
int32_t Place(Pen& pen, uint16_t c, TexVertex* v) {
  if (c == '\t') {
    pen.x = NextTab(pen.x);
    return 0;
  }
  const uint8_t* g = Glyph(c);
  if (g == nullptr) return 0;
  const float w = g[2] * pen.xscale, h = g[3] * pen.yscale;
  if (c == ' ') {
    pen.x += w;
    return 0;
  }
  const float u0 = g[0] / kSheetWidth, u1 = (g[0] + g[2]) / kSheetWidth;
  const float v0 = g[1] / kSheetHeight, v1 = (g[1] + g[3]) / kSheetHeight;
  const float x0 = pen.x, y0 = pen.y, x1 = pen.x + w, y1 = pen.y + h;
  v[0] = {x0, y0, kTextDepth, pen.colour, u0, v0};
  v[1] = {x1, y0, kTextDepth, pen.colour, u1, v0};
  v[2] = {x0, y1, kTextDepth, pen.colour, u0, v1};
  v[3] = {x1, y0, kTextDepth, pen.colour, u1, v0};
  v[4] = {x1, y1, kTextDepth, pen.colour, u1, v1};
  v[5] = {x0, y1, kTextDepth, pen.colour, u0, v1};
  pen.x = x1;
  return 6;
}

// Draws up to `count` code points; false at the text's end.
bool DrawChunk(Pen& pen, const char** text, int32_t count, DeviceTexture* texture) {
  auto* v = static_cast<TexVertex*>(Graphics::AllocVertices(kTriangleList, texture, sizeof(TexVertex), 6 * count));
  if (v == nullptr) return false;
  int32_t used = 0;
  for (int32_t i = 0; i < count; ++i) {
    const uint16_t c = UTF8_ReadChar(text);
    if (c == 0) {
      Graphics::ReturnVertices(6 * count - used);
      return false;
    }
    used += Place(pen, c, v + used);
  }
  Graphics::ReturnVertices(6 * count - used);
  return true;
}

int32_t SequenceBytes(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  return lead < 0xF0 ? 3 : 4;
}

// The formatted text, cut to kOverlayPrintfBytes on a code-point boundary.
void Format(char (&buffer)[kOverlayPrintfBytes + 1], const char* format, va_list args) {
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (n < 0) {
    buffer[0] = '\0';
    return;
  }
  if (n <= kOverlayPrintfBytes) return;
  // The last code point kept may have lost its tail to the cut; then it goes.
  int32_t lead = kOverlayPrintfBytes - 1;
  while (lead > 0 && (static_cast<unsigned char>(buffer[lead]) & 0xC0) == 0x80) --lead;
  if (lead + SequenceBytes(static_cast<unsigned char>(buffer[lead])) > kOverlayPrintfBytes) buffer[lead] = '\0';
}

}  // namespace

void GR_Overlay_Bind_Font() { Graphics::SetTexture(0, FontTexture()); }

uint32_t GR_Overlay_Device_Colour(uint32_t colour) {
  return (colour & 0xFF00FF00u) | ((colour & 0xFFu) << 16) | ((colour >> 16) & 0xFFu);
}

void GR_Overlay_Draw_Text_Raw(float x, float y, float xscale, float yscale, uint32_t colour, const char* text,
                              int32_t maxChars) {
  if (text == nullptr) return;
  Pen pen{std::trunc(x), std::trunc(y), xscale, yscale, GR_Overlay_Device_Colour(colour)};
  DeviceTexture* texture = FontTexture();
  while (maxChars > 0) {
    const int32_t count = maxChars < kCharsPerChunk ? maxChars : kCharsPerChunk;
    if (!DrawChunk(pen, &text, count, texture)) return;
    maxChars -= count;
  }
}

int32_t GR_Overlay_Text_Width(const char* text) {
  if (text == nullptr) return 0;
  float x = 0;
  for (uint16_t c = UTF8_ReadChar(&text); c != 0; c = UTF8_ReadChar(&text)) {
    if (c == '\t') {
      x = NextTab(x);
    } else if (const uint8_t* g = Glyph(c)) {
      x += g[2];
    }
  }
  return static_cast<int32_t>(x);
}

void GR_Overlay_Printf(float x, float y, uint32_t colour, const char* format, ...) {
  char buffer[kOverlayPrintfBytes + 1];
  va_list args;
  va_start(args, format);
  Format(buffer, format, args);
  va_end(args);
  GR_Overlay_Draw_Text_Raw(x, y, 1, 1, colour, buffer, kOverlayPrintfBytes);
}

namespace {

void DrawOutlined(float x, float y, uint32_t colour, uint32_t outline, const char* text) {
  static const float kAround[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 2}};
  for (const auto& d : kAround) GR_Overlay_Draw_Text_Raw(x + d[0], y + d[1], 1, 1, outline, text, kOverlayPrintfBytes);
  GR_Overlay_Draw_Text_Raw(x, y, 1, 1, colour, text, kOverlayPrintfBytes);
}

}  // namespace

void GR_Overlay_Printf_Outlined(float x, float y, uint32_t colour, uint32_t outline, const char* format, ...) {
  char buffer[kOverlayPrintfBytes + 1];
  va_list args;
  va_start(args, format);
  Format(buffer, format, args);
  va_end(args);
  DrawOutlined(x, y, colour, outline, buffer);
}

void GR_Overlay_Draw_Text_Centered(float y, uint32_t colour, uint32_t outline, const char* text) {
  const int32_t x = (g_screenSize.width - GR_Overlay_Text_Width(text) + 1) / 2;
  DrawOutlined(static_cast<float>(x), y, colour, outline, text);
}

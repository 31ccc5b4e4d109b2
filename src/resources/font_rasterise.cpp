#include "resources/font_rasterise.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_font.h"
#include "resources/font.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kMaxPoints = 96;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int32_t kSheetWidths[] = {256, 512, 1024, 2048};

// One rendered glyph before it is placed on the sheet.
struct Rendered {
  FontGlyph glyph;
  int32_t top;  // rows from the cell's top to the bitmap's first row
  int32_t width, rows;
  std::vector<uint8_t> coverage;
};

bool Render(FontHandle face, int32_t code, int32_t ascender, int32_t lineHeight, Rendered* out) {
  PlatformGlyph drawn;
  if (!PlatformFont_RenderGlyph(face, code, &drawn)) return false;
  out->width = drawn.width;
  out->rows = drawn.rows;
  out->top = ascender - drawn.top;
  out->coverage = std::move(drawn.coverage);
  out->glyph = FontGlyph{static_cast<int16_t>(code),
                         0,
                         0,
                         static_cast<int16_t>(out->width),
                         static_cast<int16_t>(lineHeight),
                         static_cast<int16_t>(drawn.advance),
                         static_cast<int16_t>(drawn.left)};
  return true;
}

// Places the cells row by row on a sheet `width` wide, a pixel apart;
// answers the height used.
int32_t Pack(std::vector<Rendered>& glyphs, int32_t width, int32_t lineHeight) {
  int32_t x = 0, y = 0;
  for (Rendered& r : glyphs) {
    if (x > 0 && x + r.width > width) {
      x = 0;
      y += lineHeight + 1;
    }
    r.glyph.x = static_cast<int16_t>(x);
    r.glyph.y = static_cast<int16_t>(y);
    x += r.width + 1;
  }
  return y + lineHeight;
}

// Copies each bitmap into its cell, cut to the cell.
uint8_t* DrawSheet(const std::vector<Rendered>& glyphs, int32_t width, int32_t height, int32_t lineHeight) {
  auto* sheet = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(width) * static_cast<size_t>(height), true));
  for (const Rendered& r : glyphs) {
    for (int32_t row = 0; row < r.rows; ++row) {
      const int32_t cellRow = r.top + row;
      if (cellRow < 0 || cellRow >= lineHeight) continue;
      const int32_t columns = std::min(r.width, width - r.glyph.x);
      if (columns <= 0) continue;
      std::memcpy(sheet + static_cast<size_t>(r.glyph.y + cellRow) * static_cast<size_t>(width) + r.glyph.x,
                  r.coverage.data() + static_cast<size_t>(row) * static_cast<size_t>(r.width),
                  static_cast<size_t>(columns));
    }
  }
  return sheet;
}

void Fill(FontHandle face, CFontGM* font) {
  int32_t ascender = 0, descender = 0;
  PlatformFont_Metrics(face, &ascender, &descender);
  const int32_t lineHeight = std::max(ascender + descender, 1);
  std::vector<Rendered> rendered;
  for (int32_t code = font->GetFirst(); code <= font->GetLast(); ++code) {
    Rendered r;
    if (Render(face, code, ascender, lineHeight, &r)) rendered.push_back(std::move(r));
  }
  if (rendered.empty()) return;
  int32_t width = 0, height = 0;
  for (int32_t candidate : kSheetWidths) {
    width = candidate;
    height = Pack(rendered, width, lineHeight);
    if (height <= width) break;
  }
  std::vector<FontGlyph> glyphs;
  for (const Rendered& r : rendered) glyphs.push_back(r.glyph);
  font->SetCoverage(DrawSheet(rendered, width, height, lineHeight), width, height);
  font->SetGlyphs(glyphs.data(), static_cast<int32_t>(glyphs.size()));
}

}  // namespace

void Font_ToPlatformFont(const char* face, int32_t points, bool bold, bool italic, TFont* out) {
  out->SetName(face);
  out->SetStyle((bold ? kFontBold : 0) | (italic ? kFontItalic : 0));
  out->SetSize(-static_cast<int32_t>(std::lround(points * kPixelsPerPoint)));
}

void Font_RasteriseSystem(CFontGM* font) {
  if (font == nullptr || font->GetSprite() >= 0 || font->GetFirst() > font->GetLast()) return;
  {
    TFont platform;
    const int32_t points = std::clamp(std::abs(font->GetSize()), 1, kMaxPoints);
    Font_ToPlatformFont(font->GetFaceName()[0] != '\0' ? font->GetFaceName() : nullptr, points, font->GetBold(),
                        font->GetItalic(), &platform);
    if (FontHandle face = platform.GetHandle()) Fill(face, font);
  }
  // Adding a font is rare: the configuration is let go each time rather
  // than held until the program ends.
  PlatformFont_Shutdown();
}

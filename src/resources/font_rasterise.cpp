#include "resources/font_rasterise.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/font/platform_font.h"
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

// The bitmap's row r as one coverage byte per pixel.
void ReadRow(const FT_Bitmap& bitmap, uint32_t r, uint8_t* out) {
  const int32_t pitch = bitmap.pitch;
  const uint8_t* row = bitmap.buffer + (pitch >= 0 ? int64_t{r} * pitch : int64_t{bitmap.rows - 1 - r} * -pitch);
  for (uint32_t x = 0; x < bitmap.width; ++x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      out[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? 255 : 0;
    } else {
      out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? row[x] : 0;
    }
  }
}

bool Render(FT_Face face, int32_t code, int32_t ascender, int32_t lineHeight, Rendered* out) {
  if (FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) == 0) return false;
  if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  out->width = static_cast<int32_t>(bitmap.width);
  out->rows = static_cast<int32_t>(bitmap.rows);
  out->top = ascender - slot->bitmap_top;
  out->coverage.assign(static_cast<size_t>(out->width) * static_cast<size_t>(out->rows), 0);
  for (uint32_t r = 0; r < bitmap.rows && bitmap.buffer != nullptr; ++r) {
    ReadRow(bitmap, r, out->coverage.data() + static_cast<size_t>(r) * bitmap.width);
  }
  const int32_t advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
  out->glyph = FontGlyph{static_cast<int16_t>(code),
                         0,
                         0,
                         static_cast<int16_t>(out->width),
                         static_cast<int16_t>(lineHeight),
                         static_cast<int16_t>(advance),
                         static_cast<int16_t>(slot->bitmap_left)};
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

void Fill(FT_Face face, CFontGM* font) {
  const int32_t ascender = static_cast<int32_t>((face->size->metrics.ascender + 63) >> 6);
  const int32_t descender = static_cast<int32_t>((-face->size->metrics.descender + 63) >> 6);
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
    if (FT_Face face = platform.GetHandle()) Fill(face, font);
  }
  // Adding a font is rare: the configuration is let go each time rather
  // than held until the program ends.
  PlatformFont_Shutdown();
}

#include "gamefile/font_rasterise.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gamefile/font.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kMaxPoints = 96;
constexpr int32_t kDotsPerInch = 96;
constexpr int32_t kSheetWidths[] = {256, 512, 1024, 2048};
constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr const char* kFallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The file fontconfig matches to a family and style; empty when none.
std::string MatchFile(const char* family, bool bold, bool italic) {
  if (FcInit() == FcFalse) return {};
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return {};
  if (family != nullptr && family[0] != '\0') {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  }
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string path;
  FcChar8* file = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
    path = reinterpret_cast<const char*>(file);
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return path;
}

FT_Face OpenFace(FT_Library library, const CFontGM& font) {
  const std::string candidates[] = {MatchFile(font.GetFaceName(), font.GetBold(), font.GetItalic()),
                                    MatchFile(kFallbackFamily, font.GetBold(), font.GetItalic()), kFallbackFile};
  for (const std::string& path : candidates) {
    FT_Face face = nullptr;
    if (!path.empty() && FT_New_Face(library, path.c_str(), 0, &face) == 0) return face;
  }
  return nullptr;
}

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
  out->glyph = FontGlyph{static_cast<int16_t>(code), 0, 0, static_cast<int16_t>(out->width),
                         static_cast<int16_t>(lineHeight), static_cast<int16_t>(advance),
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
  const int32_t points = std::clamp(std::abs(font->GetSize()), 1, kMaxPoints);
  if (FT_Set_Char_Size(face, 0, points * 64, kDotsPerInch, kDotsPerInch) != 0) return;
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

void Font_RasteriseSystem(CFontGM* font) {
  if (font == nullptr || font->GetSprite() >= 0 || font->GetFirst() > font->GetLast()) return;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return;
  if (FT_Face face = OpenFace(library, *font)) {
    Fill(face, font);
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  // Adding a font is rare: the library's configuration is let go each time
  // rather than held until the program ends.
  FcFini();
}

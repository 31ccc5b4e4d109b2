#include "mkgame/font_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <strings.h>
#include <algorithm>

#include "mkgame/image_input.h"

namespace mkgame {

namespace {

constexpr int kDotsPerInch = 96;
constexpr int kSheetWidth = 1024;
constexpr int kGap = 1;  // blank pixels around every glyph, so filtering never picks up a neighbour

// The font file that serves the face, or a fault when the system has no such family.
std::pair<std::string, int> FindFace(const Font& font, const JsonNode& node) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  std::string file;
  int index = 0;
  bool sameFamily = false;
  if (match != nullptr) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
      sameFamily = sameFamily || strcasecmp(reinterpret_cast<const char*>(family), font.face.c_str()) == 0;
    }
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<const char*>(path);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  if (!sameFamily || file.empty()) node.Fail("no font face \"" + font.face + "\" on this system");
  return {file, index};
}

struct Rendered {
  int code = 0;
  int width = 0, rows = 0, left = 0, top = 0, advance = 0;
  std::vector<uint8_t> coverage;  // rows x width
};

Rendered Render(FT_Face face, int code) {
  Rendered r;
  r.code = code;
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  r.width = static_cast<int>(bitmap.width);
  r.rows = static_cast<int>(bitmap.rows);
  r.left = face->glyph->bitmap_left;
  r.top = face->glyph->bitmap_top;
  r.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  r.coverage.resize(static_cast<size_t>(r.width) * r.rows);
  int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
  for (int y = 0; y < r.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<size_t>(bitmap.pitch < 0 ? r.rows - 1 - y : y) * pitch;
    std::copy(row, row + r.width, r.coverage.begin() + static_cast<long>(y) * r.width);
  }
  return r;
}

std::vector<Rendered> RenderAll(FT_Face face, const Font& font, const JsonNode& node) {
  if (FT_Set_Char_Size(face, 0, font.size * 64, kDotsPerInch, kDotsPerInch) != 0) node.Fail("cannot set the font size");
  std::vector<Rendered> glyphs;
  for (int code = font.first; code <= font.last; ++code) {
    // Codes the face has no glyph for get no glyph record.
    if (FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) == 0) continue;
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) continue;
    if (face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && face->glyph->bitmap.width > 0) continue;
    glyphs.push_back(Render(face, code));
  }
  return glyphs;
}

// Every glyph cell spans the whole line, so that all glyphs share one top edge.
Image Layout(Font& font, const std::vector<Rendered>& rendered, int ascent, int descent, const JsonNode& node) {
  int above = ascent, below = descent;
  for (const Rendered& r : rendered) {
    above = std::max(above, r.top);
    below = std::max(below, r.rows - r.top);
  }
  int lineHeight = std::max(1, above + below);
  int x = kGap, y = kGap, right = 1;
  for (const Rendered& r : rendered) {
    if (x + r.width + kGap > kSheetWidth) {
      x = kGap;
      y += lineHeight + kGap;
    }
    font.glyphs.push_back({r.code, x, y, r.width, lineHeight, r.advance, r.left});
    x += r.width + kGap;
    right = std::max(right, x);
  }
  Image sheet;
  sheet.width = right;
  sheet.height = y + lineHeight + kGap;
  if (sheet.height > kMaxPageSize) node.Fail("the glyphs do not fit on one texture page");
  sheet.rgba.assign(static_cast<size_t>(sheet.width) * sheet.height * 4, 0);
  for (size_t i = 0; i < sheet.rgba.size(); i += 4) sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 255;
  for (size_t g = 0; g < rendered.size(); ++g) {
    const Rendered& r = rendered[g];
    int top = font.glyphs[g].y + above - r.top;
    for (int row = 0; row < r.rows; ++row) {
      for (int col = 0; col < r.width; ++col) {
        size_t at = (static_cast<size_t>(top + row) * sheet.width + font.glyphs[g].x + col) * 4 + 3;
        sheet.rgba[at] = r.coverage[static_cast<size_t>(row) * r.width + col];
      }
    }
  }
  return sheet;
}

}  // namespace

Image Font_Rasterise(Font& font, const JsonNode& node) {
  auto [file, index] = FindFace(font, node);
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) node.Fail("cannot start the font rasteriser");
  struct ReleaseLibrary {
    FT_Library l;
    ~ReleaseLibrary() { FT_Done_FreeType(l); }
  } releaseLibrary{library};
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) != 0) node.Fail("cannot open the font file " + file);
  std::vector<Rendered> rendered = RenderAll(face, font, node);
  int ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  int descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
  return Layout(font, rendered, ascent, descent, node);
}

}  // namespace mkgame

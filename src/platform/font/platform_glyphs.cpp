// The glyphs a FreeType face draws, as coverage bytes.
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/platform_font.h"

namespace {

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

}  // namespace

void PlatformFont_Metrics(FontHandle face, int32_t* ascender, int32_t* descender) {
  *ascender = static_cast<int32_t>((face->size->metrics.ascender + 63) >> 6);
  *descender = static_cast<int32_t>((-face->size->metrics.descender + 63) >> 6);
}

bool PlatformFont_RenderGlyph(FontHandle face, int32_t code, PlatformGlyph* out) {
  if (FT_Get_Char_Index(face, static_cast<FT_ULong>(code)) == 0) return false;
  if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  out->width = static_cast<int32_t>(bitmap.width);
  out->rows = static_cast<int32_t>(bitmap.rows);
  out->left = slot->bitmap_left;
  out->top = slot->bitmap_top;
  out->advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
  out->coverage.assign(static_cast<size_t>(out->width) * static_cast<size_t>(out->rows), 0);
  for (uint32_t r = 0; r < bitmap.rows && bitmap.buffer != nullptr; ++r) {
    ReadRow(bitmap, r, out->coverage.data() + static_cast<size_t>(r) * bitmap.width);
  }
  return true;
}

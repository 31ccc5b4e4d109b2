// Rasterising a system font: the face is the platform font's, and its
// glyphs first..last are drawn by FreeType into one coverage image that
// the font then draws from as a texture font of its own.
#pragma once

#include <cstdint>

class CFontGM;
class TFont;

// The platform font of a font resource: its face (null for the default
// family), bold and italic, and a size in points at 96 dots per inch as
// the em height in pixels.
void Font_ToPlatformFont(const char* face, int32_t points, bool bold, bool italic, TFont* out);

// Fills the font's glyphs and coverage image from its face name, size, bold
// and italic flags and character range; leaves it without glyphs when no
// face can be opened.
void Font_RasteriseSystem(CFontGM* font);

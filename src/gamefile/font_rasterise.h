// Rasterising a system font: the face is found through fontconfig (DejaVu
// Sans when nothing matches), and its glyphs first..last are drawn by
// FreeType into one coverage image that the font then draws from as a
// texture font of its own.
#pragma once

class CFontGM;

// Fills the font's glyphs and coverage image from its face name, size, bold
// and italic flags and character range; leaves it without glyphs when no
// face can be opened.
void Font_RasteriseSystem(CFontGM* font);

// The debug font's pixel glyphs: 5 x 9 cells for the characters from 32 on,
// each row five pixels wide ('#' set), the baseline under row 7.
#pragma once

constexpr int kGlyphFirst = 32;
constexpr int kGlyphLast = 137;
constexpr int kGlyphRows = 9;

// One string a glyph, rows joined, kGlyphRows x 5 characters.
extern const char* const kGlyphPixels[kGlyphLast - kGlyphFirst + 1];

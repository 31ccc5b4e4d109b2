// Rasterising a font face into one glyph sheet and its glyph records.
#pragma once

#include "mkgame/game_model.h"
#include "mkgame/json_input.h"

namespace mkgame {

// Finds the face through the system font configuration, renders the codes
// font.first..font.last at font.size points (96 dots per inch) and fills
// font.glyphs; returns the sheet (white, coverage in alpha). Faults name `node`.
Image Font_Rasterise(Font& font, const JsonNode& node);

}  // namespace mkgame

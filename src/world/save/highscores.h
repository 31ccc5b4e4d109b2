// The table of the ten best scores, places 1 to 10 in descending value,
// kept in "hiscore.dat" in the save folder: read at start-up, written at
// an orderly shutdown.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kHighscorePlaces = 10;

// Every place becomes the empty-place name with value 0.
void Score_Clear();
// The name that clearing writes; "<nobody>" until changed.
void Score_SetEmptyPlaceName(const char* name);
// Place 1..10; other places are ignored (set) or read as none and 0.
void Score_Set(int32_t place, const char* name, int32_t value);
// Enters the score below every place of an equal or greater value; nothing
// changes when all ten are at least as high.
void Score_Add(const char* name, int32_t value);
int32_t Score_GetValue(int32_t place);
// Null for a place without a name.
const char* Score_GetName(int32_t place);
// The table has nowhere to be shown on this platform.
void Score_Show();

// The file's bytes for the table, and the table from such bytes. A parse
// that fails (wrong magic, an entry running past the end) changes nothing.
void Score_Write(uint8_t** bytes, int32_t* size);
bool Score_Parse(const uint8_t* bytes, int32_t size);
// "hiscore.dat" in the save folder. Load leaves the table as it is when the
// file is missing or refused (a damaged file says so on the console).
void Score_Load();
void Score_Save();

// How the table would be shown: kept for the scripts that set it; nothing
// here shows the table.
struct HighscoreSettings {
  int32_t background = -1;
  bool border = true;
  int32_t backgroundColour = 0;
  int32_t newEntryColour = 0;
  int32_t otherEntryColour = 0;
  std::string fontName = "Times New Roman";
  int32_t fontSize = 0;
  std::string caption = "Top Ten Players";
  std::string footer = "press <Escape> to close";
};
HighscoreSettings& Score_Settings();
// The settings and the empty-place name as at start (tests).
void Score_ResetSettings();

// Draws the table in the rectangle with the current font, colour and
// alignment: ten rows, (y2 - y1) / 10 apart (rounded), each place's name at
// the left edge and its value ending at the right edge.
void Score_DrawTable(double x1, double y1, double x2, double y2);

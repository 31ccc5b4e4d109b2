// What the scripts set about the table's looks, and the table drawn into a
// rectangle of the room.
#include <charconv>
#include <cmath>

#include "world/save/highscores.h"

#include "resources/text_draw.h"

namespace {

constexpr int32_t kNoSeparation = -1;
constexpr int32_t kNoWrap = -1;

HighscoreSettings g_settings;

// Nearest, halves to even, as every coordinate the drawing is given.
double Round(double value) { return std::nearbyint(value); }

}  // namespace

HighscoreSettings& Score_Settings() { return g_settings; }

void Score_ResetSettings() {
  g_settings = HighscoreSettings{};
  Score_SetEmptyPlaceName("<nobody>");
}

void Score_DrawTable(double x1, double y1, double x2, double y2) {
  const double rowHeight = Round((y2 - y1) / 10.0);
  const double x = Round(x1);
  const double width = Round(x2 - x1);
  const double top = Round(y1);
  for (int32_t place = 1; place <= kHighscorePlaces; ++place) {
    const auto y = static_cast<float>(top + (place - 1) * rowHeight);
    const char* name = Score_GetName(place);
    GR_Text_Draw(static_cast<float>(x), y, name == nullptr ? "" : name, kNoSeparation, kNoWrap);
    char value[16];
    const auto written = std::to_chars(value, value + sizeof value - 1, Score_GetValue(place));
    *written.ptr = 0;
    const int32_t valueWidth = GR_Text_String_Width(value, kNoSeparation, kNoWrap);
    GR_Text_Draw(static_cast<float>(x + width - valueWidth), y, value, kNoSeparation, kNoWrap);
  }
}

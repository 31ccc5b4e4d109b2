#include <cstdio>

#include "gamefile/text_draw.h"
#include "runtime/numeric.h"
#include "world/save/highscores.h"

namespace {

constexpr int32_t kDefaultSeparation = -1;
constexpr int32_t kNoWrap = -1;

}  // namespace

void Score_DrawTable(double x1, double y1, double x2, double y2, const ScoreTableText* text) {
  const ScoreTableText real{GR_Text_Draw, GR_Text_String_Width};
  const ScoreTableText& use = text != nullptr ? *text : real;
  // Rows, edges and widths in 64 bits: boxes beyond 32 bits read as the
  // conversion's out-of-range value and must not overflow in the sums.
  const int64_t rowHeight = Num_RoundInt32((y2 - y1) / kHighscorePlaces);
  const int64_t left = Num_RoundInt32(x1);
  const int64_t width = Num_RoundInt32(x2 - x1);
  const int64_t top = Num_RoundInt32(y1);
  for (int32_t place = 1; place <= kHighscorePlaces; ++place) {
    const float y = static_cast<float>(top + (place - 1) * rowHeight);
    const char* name = Score_GetName(place);
    use.draw(static_cast<float>(left), y, name != nullptr ? name : "", kDefaultSeparation, kNoWrap);
    char value[16];
    std::snprintf(value, sizeof value, "%d", Score_GetValue(place));
    const int64_t shown = use.width(value, kDefaultSeparation, kNoWrap);
    use.draw(static_cast<float>(left + width - shown), y, value, kDefaultSeparation, kNoWrap);
  }
}

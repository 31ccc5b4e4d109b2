// Actions over code and values: running a script, comparing values, the
// score, lives and health with their drawing and captions, and the
// highscore table.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "graphics/draw/draw_primitives.h"
#include "resources/sprite.h"
#include "resources/text_draw.h"
#include "runtime/console.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/events/script.h"
#include "world/actions/world_actions.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"
#include "world/save/highscores.h"

using actions::SetBool;

namespace {

constexpr int32_t kScriptArguments = 5;
constexpr int32_t kDrawnTextBytes = 1023;
constexpr int32_t kDefaultSeparation = -1;
constexpr int32_t kNoWrap = -1;
constexpr uint32_t kWhite = 0xFFFFFF;
// The box the highscore action draws in, centred in the room.
constexpr int32_t kHighscoreHalfBox = 100;

// The comparison of the score, lives and health questions: 1 below, 2
// above, anything else equal.
bool Compare(double current, const BuiltinArgs& a) {
  switch (a.Int(1)) {
    case 1: return current < a.Real(0);
    case 2: return current > a.Real(0);
    default: return current == a.Real(0);
  }
}

// Draws the caption (empty for a real) followed by the number.
void DrawCounted(CInstance* self, const BuiltinArgs& a, int32_t number) {
  const actions::Point p = actions::At(a, 0, self);
  const std::string text = std::string(a.Text(2)) + std::to_string(number);
  GR_Text_Draw(p.x, p.y, text.c_str(), kDefaultSeparation, kNoWrap);
}

// The script colours of the health bar's numbers.
constexpr uint32_t kNamedColours[] = {0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000080, 0x008000, 0x008080, 0x800000,
                                      0x800080, 0x808000, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00};
constexpr int32_t kNamedColourCount = static_cast<int32_t>(std::size(kNamedColours));

// Colour n of the named colours, from 1; none outside them is black.
uint32_t NamedColour(int32_t n) { return n >= 1 && n <= kNamedColourCount ? kNamedColours[n - 1] : 0x000000; }

struct BarColours {
  uint32_t low, middle, high;
};

BarColours BarColoursOf(int32_t bar) {
  if (bar == 0) return {0x0000FF, 0x00FFFF, 0x00FF00};
  if (bar == 1) return {0x000000, 0x808080, 0xFFFFFF};
  const uint32_t one = NamedColour(bar >= 2 && bar <= kNamedColourCount + 1 ? bar - 1 : -1);
  return {one, one, one};
}

}  // namespace

// The script sees five arguments, copies of the action's; only an error of
// this run is reported.
void F_ActionExecuteScript(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  ScriptValue arguments[kScriptArguments] = {};
  for (int32_t i = 0; i < kScriptArguments; ++i) {
    if (a.Has(i + 1)) ScriptValue_Copy(&arguments[i], &a.Value(i + 1));
  }
  Code_Error_Clear();
  ScriptValue value;
  Script_Execute(a.Int(0), self, other, kScriptArguments, &value, arguments);
  if (Code_Error_Recorded()) {
    Error_Show(g_errorText == nullptr ? "" : g_errorText, false);
    Code_Error_Clear();
  }
  for (ScriptValue& argument : arguments) ScriptValue_Release(&argument);
  ScriptValue_Release(result);
  *result = value;
}

void F_ActionIfVariable(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (!a.Has(0) || !a.Has(1) || a.Value(0).kind != a.Value(1).kind) {
    Builtin_Error("Cannot compare arguments.");
    return;
  }
  double difference = 0.0;
  if (a.IsString(0)) {
    const int order = std::strcmp(a.Text(0), a.Text(1));
    difference = order < 0 ? -1.0 : (order > 0 ? 1.0 : 0.0);
  } else {
    difference = a.Real(0) - a.Real(1);
  }
  switch (a.Int(2)) {
    case 1: SetBool(result, difference < 0); break;
    case 2: SetBool(result, difference > 0); break;
    case 3: SetBool(result, difference <= 0); break;
    case 4: SetBool(result, difference >= 0); break;
    default: SetBool(result, difference == 0); break;
  }
}

// Whole reals that fit 32 bits show as integers; every other real with two
// decimals in a field of ten.
void F_ActionDrawVariable(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  std::string text;
  if (a.IsString(0)) {
    const char* value = a.Text(0);
    const int length = static_cast<int>(std::min<size_t>(std::strlen(value), kDrawnTextBytes + 1));
    text.assign(value, static_cast<size_t>(Console_CutAtCodePoint(value, length, kDrawnTextBytes)));
  } else {
    const double value = a.Real(0);
    const int32_t whole = Num_RoundInt32(value);
    char buffer[kDrawnTextBytes + 1];
    if (static_cast<double>(whole) == value) {
      std::snprintf(buffer, sizeof buffer, "%d", whole);
    } else {
      std::snprintf(buffer, sizeof buffer, "%10.2f", value);
    }
    text = buffer;
  }
  const actions::Point p = actions::At(a, 1, self);
  GR_Text_Draw(p.x, p.y, text.c_str(), kDefaultSeparation, kNoWrap);
}

void F_ActionSetScore(KV_BUILTIN_PARAMS) {
  g_runValues.score = Num_RoundInt32(actions::Plus(BuiltinArgs(argc, args), 0, g_runValues.score));
}

void F_ActionIfScore(KV_BUILTIN_PARAMS) { SetBool(result, Compare(g_runValues.score, BuiltinArgs(argc, args))); }
void F_ActionIfLife(KV_BUILTIN_PARAMS) { SetBool(result, Compare(g_runValues.lives, BuiltinArgs(argc, args))); }
void F_ActionIfHealth(KV_BUILTIN_PARAMS) { SetBool(result, Compare(g_runValues.health, BuiltinArgs(argc, args))); }

void F_ActionDrawScore(KV_BUILTIN_PARAMS) { DrawCounted(self, BuiltinArgs(argc, args), g_runValues.score); }
void F_ActionDrawLife(KV_BUILTIN_PARAMS) { DrawCounted(self, BuiltinArgs(argc, args), g_runValues.lives); }

void F_ActionHighscoreShow(KV_BUILTIN_PARAMS) {
  if (g_currentRoom == nullptr) return;
  const int32_t x1 = g_currentRoom->width / 2 - kHighscoreHalfBox;
  const int32_t y1 = g_currentRoom->height / 2 - kHighscoreHalfBox;
  Score_DrawTable(x1, y1, x1 + 2 * kHighscoreHalfBox, y1 + 2 * kHighscoreHalfBox);
}

void F_ActionHighscoreClear(KV_BUILTIN_PARAMS) { Score_Clear(); }

void F_ActionSetLife(KV_BUILTIN_PARAMS) {
  Run_SetLives(Num_RoundInt32(actions::Plus(BuiltinArgs(argc, args), 0, g_runValues.lives)));
}

void F_ActionDrawLifeImages(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t sprite = a.Int(2);
  const CSprite* record = Sprite_Get(sprite);
  if (record == nullptr) return;
  const actions::Point p = actions::At(a, 0, self);
  for (int32_t i = 0; i < g_runValues.lives; ++i) {
    const float x = NarrowToFloat(static_cast<double>(p.x) + static_cast<double>(i) * record->width);
    record->Draw(0, x, p.y, 1.0f, 1.0f, 0.0f, kWhite, 1.0f);
  }
}

void F_ActionSetHealth(KV_BUILTIN_PARAMS) {
  Run_SetHealth(actions::Plus(BuiltinArgs(argc, args), 0, g_runValues.health));
}

void F_ActionDrawHealth(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const actions::Point p1 = actions::At(a, 0, self);
  const actions::Point p2 = actions::At(a, 2, self);
  const int32_t back = a.Int(4);
  const BarColours bar = BarColoursOf(a.Int(5));
  GR_Draw_Healthbar(p1.x, p1.y, p2.x, p2.y, NarrowToFloat(g_runValues.health), NamedColour(back), bar.low, bar.middle,
                    bar.high, 0, a.Real(4) >= 0.5, true);
}

// Each caption is shown only for exactly 1; a caption that is no text is
// cleared.
void F_ActionSetCaption(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  g_runValues.showScore = a.Int(0) == 1 ? 1 : 0;
  g_runValues.showLives = a.Int(2) == 1 ? 1 : 0;
  g_runValues.showHealth = a.Int(4) == 1 ? 1 : 0;
  RunValues_SetCaption(&g_runValues.captionScore, a.IsString(1) ? a.Text(1) : nullptr);
  RunValues_SetCaption(&g_runValues.captionLives, a.IsString(3) ? a.Text(3) : nullptr);
  RunValues_SetCaption(&g_runValues.captionHealth, a.IsString(5) ? a.Text(5) : nullptr);
  g_runValues.captionSet = 1;
}

// The highscore table: its entries, the settings of its looks, and its
// drawing into the room.
#include "world/save/highscores.h"
#include "builtins/interaction/handlers.h"
#include "runtime/console.h"
#include "world/input/input.h"
#include "world/run/run_state.h"

namespace {

std::string TextOrEmpty(const BuiltinArgs& a, int32_t i) { return a.IsString(i) ? a.Text(i) : ""; }

}  // namespace

// There is nowhere to show the table; the keys used to call it are let go.
void F_HighscoreShow(KV_BUILTIN_PARAMS) {
  Score_Show();
  IO_Clear();
}

void F_HighscoreShowExt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  HighscoreSettings& settings = Score_Settings();
  settings.background = a.Int(1);
  settings.border = a.Bool(2);
  settings.newEntryColour = a.Int(3);
  settings.otherEntryColour = a.Int(4);
  settings.fontName = TextOrEmpty(a, 5);
  settings.fontSize = a.Int(6);
  Score_Show();
  IO_Clear();
}

void F_HighscoreSetBackground(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_Settings().background = a.Int(0);
}

void F_HighscoreSetBorder(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_Settings().border = a.Bool(0);
}

void F_HighscoreSetColors(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  HighscoreSettings& settings = Score_Settings();
  settings.backgroundColour = a.Int(0);
  settings.newEntryColour = a.Int(1);
  settings.otherEntryColour = a.Int(2);
}

void F_HighscoreSetFont(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_Settings().fontName = TextOrEmpty(a, 0);
  Score_Settings().fontSize = a.Int(1);
  g_debugConsole->Output("Function F_HighscoreSetFont has no implementation.\n\n");
}

void F_HighscoreSetStrings(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_Settings().caption = TextOrEmpty(a, 0);
  Score_SetEmptyPlaceName(TextOrEmpty(a, 1).c_str());
  Score_Settings().footer = TextOrEmpty(a, 2);
}

void F_HighscoreClear(KV_BUILTIN_PARAMS) { Score_Clear(); }

void F_HighscoreAdd(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_Add(a.Text(0), a.Int(1));
}

void F_HighscoreAddCurrent(KV_BUILTIN_PARAMS) {
  Score_Add("DEFAULT", g_runValues.score);
  IO_Clear();
}

void F_HighscoreValue(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Score_GetValue(a.Int(0)));
}

void F_HighscoreName(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const char* name = Score_GetName(a.Int(0));
  Result_SetText(result, name == nullptr ? "" : name);
}

void F_DrawHighscore(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Score_DrawTable(a.Real(0), a.Real(1), a.Real(2), a.Real(3));
}

// Saving the screen, whole or in part, as a BMP file under the save folder.
#include "builtins/graphics/handlers.h"
#include "world/actions/world_actions.h"

void F_ScreenSave(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_ScreenSave(a.Text(0));
}

void F_ScreenSavePart(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Run_ScreenSavePart(a.Text(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

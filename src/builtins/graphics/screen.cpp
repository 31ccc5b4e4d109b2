// Saving the screen, whole or in part, as a BMP file under the save folder.
#include "builtins/graphics/handlers.h"
#include "world/actions/world_actions.h"

KV_BUILTIN(F_ScreenSave) {
  BuiltinArgs a(argc, args);
  Run_ScreenSave(a.Text(0));
}

KV_BUILTIN(F_ScreenSavePart) {
  BuiltinArgs a(argc, args);
  Run_ScreenSavePart(a.Text(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
}

#include "builtins/registration.h"

#include "builtins/data/ds_builtins.h"
#include "builtins/data/maths_and_strings.h"
#include "builtins/data/misc.h"
#include "builtins/world/graphics.h"
#include "builtins/world/game.h"

void Builtins_RegisterAll() {
  Builtins_RegisterGame();
  Builtins_RegisterMathsAndStrings();
  Builtins_RegisterGraphics();
  Builtins_RegisterMisc();
  Builtins_RegisterDataStructures();
}

// The game family of built-ins: motion, placement, collision, instances and
// rooms. Registered first.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_GameEnd);

void Builtins_RegisterGame();

// The game family of built-ins: motion, placement, collision, instances and
// rooms. Registered first.
#pragma once

#include "builtins/builtin_args.h"

void Builtins_RegisterGame();

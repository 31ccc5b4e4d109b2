// The miscellaneous family: events, external calls, code execution, the
// debug console, variables by name, dates.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_ShowDebugMessage);

void Builtins_RegisterMisc();

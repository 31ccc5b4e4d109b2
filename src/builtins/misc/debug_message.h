// The miscellaneous family: events, external calls, code execution, the
// debug console, program settings, variables by name, the clipboard, dates.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_ShowDebugMessage);

// Registers the family; in store (Steam) mode without the external-call and
// code-execution built-ins.
void Builtins_RegisterMisc();

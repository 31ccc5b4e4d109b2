// show_debug_message: one line on the release console.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_ShowDebugMessage);

// show_debug_message: one line on the release console.
#pragma once

#include "builtins/builtin_args.h"

void F_ShowDebugMessage(KV_BUILTIN_PARAMS);

#include "lib/low/low.h"

#include "script/tree/tree.h"

void Low_SetHook(LowHook) { Tree_Install(TreeHooks{}); }

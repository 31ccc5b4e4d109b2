// Variables named by text at run time: the global ones and those of self,
// each as a plain value, a row element or a two-index element (flat index
// i * 32000 + j). Both indices must stay below 32000.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_VariableGlobalExists);
KV_BUILTIN(F_VariableLocalExists);
KV_BUILTIN(F_VariableGlobalGet);
KV_BUILTIN(F_VariableGlobalArrayGet);
KV_BUILTIN(F_VariableGlobalArray2Get);
KV_BUILTIN(F_VariableLocalGet);
KV_BUILTIN(F_VariableLocalArrayGet);
KV_BUILTIN(F_VariableLocalArray2Get);
KV_BUILTIN(F_VariableGlobalSet);
KV_BUILTIN(F_VariableGlobalArraySet);
KV_BUILTIN(F_VariableGlobalArray2Set);
KV_BUILTIN(F_VariableLocalSet);
KV_BUILTIN(F_VariableLocalArraySet);
KV_BUILTIN(F_VariableLocalArray2Set);

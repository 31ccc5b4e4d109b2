// Variables named by text at run time: the global ones and those of self,
// each as a plain value, a row element or a two-index element (flat index
// i * 32000 + j). Both indices must stay below 32000.
#pragma once

#include "builtins/builtin_args.h"

void F_VariableGlobalExists(KV_BUILTIN_PARAMS);
void F_VariableLocalExists(KV_BUILTIN_PARAMS);
void F_VariableGlobalGet(KV_BUILTIN_PARAMS);
void F_VariableGlobalArrayGet(KV_BUILTIN_PARAMS);
void F_VariableGlobalArray2Get(KV_BUILTIN_PARAMS);
void F_VariableLocalGet(KV_BUILTIN_PARAMS);
void F_VariableLocalArrayGet(KV_BUILTIN_PARAMS);
void F_VariableLocalArray2Get(KV_BUILTIN_PARAMS);
void F_VariableGlobalSet(KV_BUILTIN_PARAMS);
void F_VariableGlobalArraySet(KV_BUILTIN_PARAMS);
void F_VariableGlobalArray2Set(KV_BUILTIN_PARAMS);
void F_VariableLocalSet(KV_BUILTIN_PARAMS);
void F_VariableLocalArraySet(KV_BUILTIN_PARAMS);
void F_VariableLocalArray2Set(KV_BUILTIN_PARAMS);

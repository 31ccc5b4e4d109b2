// Calling functions of external libraries: defining a function (its library,
// name, calling convention, argument and result kinds), calling a definition
// and freeing a library. The handlers check their arguments and build the
// kinds here; the loading and calling itself is the extensions' library
// definitions (extensions/dll_definitions.h), which extension packages share.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

constexpr int32_t kExternalKindReal = 0;
constexpr int32_t kExternalKindString = 1;
constexpr int32_t kExternalMaxArguments = 16;
// More arguments than this must all be reals.
constexpr int32_t kExternalMaxStringArguments = 4;

void F_ExternalDefine(KV_BUILTIN_PARAMS);
void F_ExternalCall(KV_BUILTIN_PARAMS);
void F_ExternalFree(KV_BUILTIN_PARAMS);
void F_ExternalDefine0(KV_BUILTIN_PARAMS);
void F_ExternalDefine1(KV_BUILTIN_PARAMS);
void F_ExternalDefine2(KV_BUILTIN_PARAMS);
void F_ExternalDefine3(KV_BUILTIN_PARAMS);
void F_ExternalDefine4(KV_BUILTIN_PARAMS);
void F_ExternalDefine5(KV_BUILTIN_PARAMS);
void F_ExternalDefine6(KV_BUILTIN_PARAMS);
void F_ExternalDefine7(KV_BUILTIN_PARAMS);
void F_ExternalDefine8(KV_BUILTIN_PARAMS);
// external_callN: the id and N values.
void F_ExternalCallN(KV_BUILTIN_PARAMS);

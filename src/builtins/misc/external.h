// Calling functions of external libraries: defining a function (its library,
// name, calling convention, argument and result kinds), calling a definition
// and freeing a library. The handlers check their arguments and build the
// kinds here; the loading and calling itself belongs to the external-library
// layer, which plugs in through the hooks below. Until it does, a definition
// fails (-1, reported) and a call answers the real 0.
#pragma once

#include <cstdint>

#include "builtins/builtin_args.h"

constexpr int32_t kExternalKindReal = 0;
constexpr int32_t kExternalKindString = 1;
constexpr int32_t kExternalMaxArguments = 16;
// More arguments than this must all be reals.
constexpr int32_t kExternalMaxStringArguments = 4;

struct ExternalLibraryHooks {
  // A definition id, or -1. kinds holds argumentCount entries.
  int32_t (*define)(const char* library, const char* name, int32_t callConvention, int32_t argumentCount,
                    const int32_t* kinds, bool resultIsString) = nullptr;
  // Calls definition `id` with `count` values into *result; false when the
  // call failed (the result is then left as the real 0).
  bool (*call)(int32_t id, int32_t count, ScriptValue* values, ScriptValue* result) = nullptr;
  // Frees the loaded library of exactly this name, once, and clears the
  // library handle of every definition made from it.
  void (*freeLibrary)(const char* library) = nullptr;
};
// Replaces the hooks that are non-null; a default-constructed set puts back
// the ones that define nothing.
void External_InstallHooks(const ExternalLibraryHooks& hooks);
void External_ResetHooks();

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

#include "builtins/misc/external.h"

#include "extensions/dll_definitions.h"

namespace {

int32_t KindOf(const BuiltinArgs& in, int32_t i) {
  return in.Int(i) == kExternalKindString ? kExternalKindString : kExternalKindReal;
}

// Hands a definition over and reports a refused one.
void Define(ScriptValue* result, const BuiltinArgs& in, int32_t callConvention, int32_t count, const int32_t* kinds,
            bool resultIsString) {
  int32_t id = DLL_Define(in.Text(0), in.Text(1), callConvention, count, kinds, resultIsString);
  if (id == -1) Builtin_Error("Error defining an external function.");
  Result_SetReal(result, id);
}

// external_defineN for N of 0 to 4: dll, name, N argument types, result type.
void DefineTyped(ScriptValue* result, int32_t argc, ScriptValue* args, int32_t count) {
  BuiltinArgs in(argc, args);
  int32_t kinds[kExternalMaxStringArguments] = {};
  for (int32_t i = 0; i < count; ++i) kinds[i] = KindOf(in, 2 + i);
  Define(result, in, 0, count, kinds, KindOf(in, 2 + count) == kExternalKindString);
}

// external_defineN for N of 5 to 8: dll, name, result type; all reals.
void DefineReals(ScriptValue* result, int32_t argc, ScriptValue* args, int32_t count) {
  BuiltinArgs in(argc, args);
  int32_t kinds[kExternalMaxArguments] = {};
  Define(result, in, 0, count, kinds, KindOf(in, 2) == kExternalKindString);
}

// The values after the id, copied for the call so that the library cannot
// touch the script's own texts.
void Call(ScriptValue* result, int32_t argc, ScriptValue* args) {
  BuiltinArgs in(argc, args);
  if (in.Count() == 0) return;
  int32_t count = in.Count() - 1;
  if (count > kExternalMaxArguments) count = kExternalMaxArguments;
  // Only the slots in use are written: clearing all sixteen on every call
  // would cost more than a short library call itself.
  union Slots {
    Slots() {}
    ScriptValue values[kExternalMaxArguments];
  } slots;
  ScriptValue* values = slots.values;
  for (int32_t i = 0; i < count; ++i) ScriptValue_Copy(&values[i], &args[1 + i]);
  DLL_Call(in.Int(0), count, values, result);
  for (int32_t i = 0; i < count; ++i) ScriptValue_Release(&values[i]);
}

}  // namespace

// dll, name, calltype, restype, argnumb, argtype1 ... argtypeN.
void F_ExternalDefine(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  constexpr int32_t kFixed = 5;
  const int32_t count = in.Int(4);
  if (in.Count() < kFixed || static_cast<int64_t>(count) + kFixed != in.Count()) {
    Builtin_Error("Wrong number of arguments to external_define()");
    return;
  }
  if (count > kExternalMaxArguments) {
    Builtin_Error("DLL functions can have at most 16 arguments");
    return;
  }
  int32_t kinds[kExternalMaxArguments] = {};
  for (int32_t i = 0; i < count; ++i) {
    if (count > kExternalMaxStringArguments && in.Int(kFixed + i) != kExternalKindReal) {
      Builtin_Error("DLL functions with more than 4 arguments cannot have string arguments");
      return;
    }
    kinds[i] = KindOf(in, kFixed + i);
  }
  Define(result, in, in.Int(2), count, kinds, KindOf(in, 3) == kExternalKindString);
}

void F_ExternalCall(KV_BUILTIN_PARAMS) { Call(result, argc, args); }

void F_ExternalFree(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  DLL_Free(in.Text(0));
}

void F_ExternalDefine0(KV_BUILTIN_PARAMS) { DefineTyped(result, argc, args, 0); }
void F_ExternalDefine1(KV_BUILTIN_PARAMS) { DefineTyped(result, argc, args, 1); }
void F_ExternalDefine2(KV_BUILTIN_PARAMS) { DefineTyped(result, argc, args, 2); }
void F_ExternalDefine3(KV_BUILTIN_PARAMS) { DefineTyped(result, argc, args, 3); }
void F_ExternalDefine4(KV_BUILTIN_PARAMS) { DefineTyped(result, argc, args, 4); }
void F_ExternalDefine5(KV_BUILTIN_PARAMS) { DefineReals(result, argc, args, 5); }
void F_ExternalDefine6(KV_BUILTIN_PARAMS) { DefineReals(result, argc, args, 6); }
void F_ExternalDefine7(KV_BUILTIN_PARAMS) { DefineReals(result, argc, args, 7); }
void F_ExternalDefine8(KV_BUILTIN_PARAMS) { DefineReals(result, argc, args, 8); }

void F_ExternalCallN(KV_BUILTIN_PARAMS) { Call(result, argc, args); }

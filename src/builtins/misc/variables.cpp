#include "builtins/misc/variables.h"

#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"

namespace {

constexpr int32_t kIndexLimit = CVariableList::kRowStride;

// The flat element index of `count` index arguments starting at `first`
// (none: element 0). An index of 32000 or more is reported; a negative one
// would alias another element, so it reaches nothing either, silently.
bool FlatIndex(const BuiltinArgs& in, int32_t first, int32_t count, int32_t* k) {
  int64_t flat = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t index = in.Int(first + i);
    if (index >= kIndexLimit) {
      Builtin_Error("Array index >= 32000");
      return false;
    }
    if (index < 0) return false;
    flat = flat * kIndexLimit + index;
  }
  *k = static_cast<int32_t>(flat);
  return true;
}

int32_t IdOf(const BuiltinArgs& in) { return Code_Variable_Find(in.Text(0)); }

// Reads into the result, which stays the real 0 when nothing is found.
void Get(ScriptValue* result, CInstance* self, bool global, int32_t argc, ScriptValue* args, int32_t indices) {
  BuiltinArgs in(argc, args);
  int32_t k = 0;
  if (!FlatIndex(in, 1, indices, &k)) return;
  const int32_t id = IdOf(in);
  ScriptValue value;
  const bool found = global ? Variable_Global_Get(id, k, &value) : Variable_GetValue(self, id, k, &value);
  if (found) {
    ScriptValue_Release(result);
    *result = value;
  } else {
    ScriptValue_Release(&value);
  }
}

void Set(CInstance* self, bool global, int32_t argc, ScriptValue* args, int32_t indices) {
  BuiltinArgs in(argc, args);
  int32_t k = 0;
  if (!FlatIndex(in, 1, indices, &k)) return;
  const ScriptValue none;
  const ScriptValue& value = in.Has(1 + indices) ? in.Value(1 + indices) : none;
  const int32_t id = IdOf(in);
  if (global) {
    Variable_Global_Set(id, k, value);
  } else {
    Variable_SetValue(self, id, k, value);
  }
}

}  // namespace

// Existence asks whether the variable was ever given a value: the stores
// read an unknown name as the real 0, which is no answer to this question.
void F_VariableGlobalExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  const CVariableList* globals = Variable_Global_List();
  Result_SetReal(result, globals != nullptr && globals->Find(IdOf(in)) != nullptr ? 1.0 : 0.0);
}

void F_VariableLocalExists(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  const int32_t id = IdOf(in);
  bool exists = false;
  if (id >= 0 && id < kFirstInstanceVariableId) {
    ScriptValue scratch;
    exists = Variable_GetValue(self, id, 0, &scratch);
    ScriptValue_Release(&scratch);
  } else {
    const CVariableList* own = WorldSeam_Get().instanceVariables(self);
    exists = own != nullptr && own->Find(id) != nullptr;
  }
  Result_SetReal(result, exists ? 1.0 : 0.0);
}

void F_VariableGlobalGet(KV_BUILTIN_PARAMS) { Get(result, self, true, argc, args, 0); }
void F_VariableGlobalArrayGet(KV_BUILTIN_PARAMS) { Get(result, self, true, argc, args, 1); }
void F_VariableGlobalArray2Get(KV_BUILTIN_PARAMS) { Get(result, self, true, argc, args, 2); }
void F_VariableLocalGet(KV_BUILTIN_PARAMS) { Get(result, self, false, argc, args, 0); }
void F_VariableLocalArrayGet(KV_BUILTIN_PARAMS) { Get(result, self, false, argc, args, 1); }
void F_VariableLocalArray2Get(KV_BUILTIN_PARAMS) { Get(result, self, false, argc, args, 2); }

void F_VariableGlobalSet(KV_BUILTIN_PARAMS) { Set(self, true, argc, args, 0); }
void F_VariableGlobalArraySet(KV_BUILTIN_PARAMS) { Set(self, true, argc, args, 1); }
void F_VariableGlobalArray2Set(KV_BUILTIN_PARAMS) { Set(self, true, argc, args, 2); }
void F_VariableLocalSet(KV_BUILTIN_PARAMS) { Set(self, false, argc, args, 0); }
void F_VariableLocalArraySet(KV_BUILTIN_PARAMS) { Set(self, false, argc, args, 1); }
void F_VariableLocalArray2Set(KV_BUILTIN_PARAMS) { Set(self, false, argc, args, 2); }

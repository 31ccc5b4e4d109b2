#include "builtins/ds/support.h"

#include "runtime/ds_json.h"

const ScriptValue* DS_ArgValue(const BuiltinArgs& in, int32_t i) {
  static const ScriptValue& kZero = *new ScriptValue{};
  return in.Has(i) ? &in.Value(i) : &kZero;
}

void DS_ReturnValue(ScriptValue* result, const ScriptValue* stored) {
  if (stored == nullptr) return;
  DS_StoreValue(result, stored);
  // A nested map or list id reaches scripts as a plain real, usable as an
  // argument like any other id.
  result->kind &= kDSVisibleKindMask;
}

#include "builtins/ds/support.h"

const ScriptValue* DS_ArgValue(const BuiltinArgs& in, int32_t i) {
  static const ScriptValue kZero{};
  return in.Has(i) ? &in.Value(i) : &kZero;
}

void DS_ReturnValue(ScriptValue* result, const ScriptValue* stored) {
  if (stored == nullptr) return;
  DS_StoreValue(result, stored);
}

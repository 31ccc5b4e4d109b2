#include "builtins/builtin_args.h"

#include <cstdio>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "script/events/error_report.h"

int32_t BuiltinArgs::Int(int32_t i) const { return Num_RoundInt32(Real(i)); }

int32_t BuiltinArgs::TruncInt(int32_t i) const { return Num_TruncInt32(Real(i)); }

bool BuiltinArgs::Bool(int32_t i) const { return Num_TrueAtHalf(Real(i)); }

const char* BuiltinArgs::Text(int32_t i) const { return IsString(i) ? ScriptValue_Text(values_[i]) : ""; }

void Result_SetReal(ScriptValue* result, double value) { ScriptValue_SetReal(result, value); }

void Result_SetText(ScriptValue* result, const char* bytes, size_t length) {
  char* owned = nullptr;
  if (length > 0) {
    owned = static_cast<char*>(KV_ALLOC(length + 1, false));
    std::memcpy(owned, bytes, length);
    owned[length] = 0;
  }
  Result_TakeText(result, owned);
}

void Result_SetText(ScriptValue* result, const char* text) {
  Result_SetText(result, text, text == nullptr ? 0 : std::strlen(text));
}

void Result_TakeText(ScriptValue* result, char* owned) {
  ScriptValue_Release(result);
  result->kind = kValueString;
  result->real = 0.0;
  if (owned != nullptr && owned[0] == 0) {
    MemoryManager::Free(owned);
    owned = nullptr;
  }
  result->text = owned;
}

void Result_SetEmptyText(ScriptValue* result) { Result_TakeText(result, nullptr); }

void Builtin_Error(const char* message) { Error_Show(message, false); }

void Builtin_RefuseTooLong(ScriptValue* result, const char* function) {
  char message[96];
  std::snprintf(message, sizeof message, "Error %s(): result longer than a string can hold", function);
  Builtin_Error(message);
  Result_SetEmptyText(result);
}

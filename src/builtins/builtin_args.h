// Reading a built-in's arguments and writing its result. Every handler gets
// its arguments as a count and an array; these accessors answer a defined
// value for a missing argument or one of the wrong kind, so a handler never
// reads past the array or converts a real out of range.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/script_value.h"
#include "script/compiler/function_registry.h"

// The parameter list every built-in handler has, the registry's signature:
// handlers are written `void F_Name(KV_BUILTIN_PARAMS)`, so the handler's own
// name stays in its declaration and definition. Most handlers use only some
// of the parameters.
#define KV_BUILTIN_PARAMS                                                                                    \
  [[maybe_unused]] ScriptValue *result, [[maybe_unused]] CInstance *self, [[maybe_unused]] CInstance *other, \
      [[maybe_unused]] int32_t argc, [[maybe_unused]] ScriptValue *args

class BuiltinArgs {
 public:
  BuiltinArgs(int32_t count, const ScriptValue* values)
      : count_(values == nullptr || count < 0 ? 0 : count), values_(values) {}

  int32_t Count() const { return count_; }
  bool Has(int32_t i) const { return i >= 0 && i < count_; }
  bool IsString(int32_t i) const { return Has(i) && values_[i].kind == kValueString; }
  bool IsReal(int32_t i) const { return Has(i) && values_[i].kind == kValueReal; }
  // A string with at least one byte.
  bool IsNonEmptyString(int32_t i) const {
    return IsString(i) && values_[i].text != nullptr && values_[i].text[0] != 0;
  }

  // The real of a real argument; 0 for a string or a missing one.
  double Real(int32_t i) const { return IsReal(i) ? values_[i].real : 0.0; }
  // The real rounded to the nearest integer, halves to even; INT32_MIN for
  // NaN, infinities and values outside 32 bits.
  int32_t Int(int32_t i) const;
  // The real truncated toward zero, with the same out-of-range answer.
  int32_t TruncInt(int32_t i) const;
  // True at 0.5 and above.
  bool Bool(int32_t i) const;
  // The text of a string argument; "" for an empty string, a real or a
  // missing argument.
  const char* Text(int32_t i) const;
  const ScriptValue& Value(int32_t i) const { return values_[i]; }

 private:
  int32_t count_;
  const ScriptValue* values_;
};

// Longest text a built-in may build: what the memory manager can hold with
// the terminator.
constexpr size_t kBuiltinMaxTextBytes = 0x7FFFFFFFu - 16u - 1u;

// Result writers. An empty text leaves a string value without text, which
// scripts see as the empty string.
void Result_SetReal(ScriptValue* result, double value);
void Result_SetText(ScriptValue* result, const char* bytes, size_t length);
void Result_SetText(ScriptValue* result, const char* text);
// Hands a block from the memory manager to the result; the result owns it.
void Result_TakeText(ScriptValue* result, char* owned);
void Result_SetEmptyText(ScriptValue* result);

// Reports bad input to a built-in as a non-fatal runtime error; the handler
// then returns with its default result.
void Builtin_Error(const char* message);
// A result that would not fit a script string: the empty string and a
// runtime error ("Error <function>(): result longer than a string can
// hold") that the game may go on from.
void Builtin_RefuseTooLong(ScriptValue* result, const char* function);

// Calling built-in handlers directly, as an interpreter does: the result
// starts as real 0, self and other are null, and the arguments are freed
// after the call.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "builtins/builtin_args.h"
#include "maths_strings_golden.h"
#include "runtime/script_value.h"
#include "script/function_registry.h"

class BuiltinCall {
 public:
  BuiltinCall(BuiltinFunction handler, std::initializer_list<GoldenArg> args) : BuiltinCall(handler, std::vector<GoldenArg>(args)) {}
  BuiltinCall(BuiltinFunction handler, const std::vector<GoldenArg>& args) {
    std::vector<ScriptValue> values(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i].text != nullptr) {
        ScriptValue_SetString(&values[i], args[i].text);
      } else {
        ScriptValue_SetReal(&values[i], args[i].real);
      }
    }
    handler(&value, nullptr, nullptr, static_cast<int32_t>(values.size()), values.empty() ? nullptr : values.data());
    for (ScriptValue& v : values) ScriptValue_Release(&v);
  }
  ~BuiltinCall() { ScriptValue_Release(&value); }
  BuiltinCall(const BuiltinCall&) = delete;
  BuiltinCall& operator=(const BuiltinCall&) = delete;

  bool IsString() const { return value.kind == kValueString; }
  double Real() const { return value.real; }
  std::string Text() const { return ScriptValue_Text(value); }

  ScriptValue value;
};

// Runtime errors reported while the object lives.
class ErrorCapture {
 public:
  ErrorCapture() : previous_(Builtin_SetErrorSink(Record)) { Messages().clear(); }
  ~ErrorCapture() { Builtin_SetErrorSink(previous_); }
  static std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
  }

 private:
  static void Record(const char* message) { Messages().push_back(message); }
  BuiltinErrorSink previous_;
};

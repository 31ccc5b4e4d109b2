// Calling built-in handlers directly, as an interpreter does: the result
// starts as real 0, self and other are null, and the arguments are freed
// after the call.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "builtins/builtin_args.h"
#include "maths_strings_golden.h"
#include "runtime/run_flags.h"
#include "runtime/script_value.h"
#include "script/compiler/function_registry.h"
#include "script/events/error_report.h"
#include "support/test_support.h"

class BuiltinCall {
 public:
  BuiltinCall(BuiltinFunction handler, std::initializer_list<GoldenArg> args)
      : BuiltinCall(handler, std::vector<GoldenArg>(args)) {}
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

// Runtime errors reported while the object lives, each as the built-in's
// own message (the reporter puts the place of the error in front of it).
// No dialog is shown meanwhile.
class ErrorCapture {
 public:
  ErrorCapture() : showDialog_(g_runFlags.showErrorDialog) {
    g_runFlags.showErrorDialog = false;
    Error_ResetState();
  }
  ~ErrorCapture() {
    g_runFlags.showErrorDialog = showDialog_;
    Error_ResetState();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    const std::string lead = "ERROR!!! :: ";
    for (const std::string& line : console_.Lines()) {
      if (line.compare(0, lead.size(), lead) != 0) continue;
      const size_t start = line.rfind("\n\n\n");
      std::string message = line.substr(start == std::string::npos ? lead.size() : start + 3);
      if (!message.empty() && message.back() == '\n') message.pop_back();
      messages.push_back(message);
    }
    return messages;
  }

 private:
  testsupport::ConsoleCapture console_;
  bool showDialog_;
};

// Runs script snippets in-process: compiles a text (and any scripts it
// calls), runs it on a stub instance and returns what it printed. The
// test-only built-in test_print(...) writes its arguments, blank-separated,
// as one line; a failed compile or run adds "compile error: <message>" or
// "error: <message>" as the last line.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "runtime/game_image.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/code_table.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/name_resolution.h"
#include "script/events/error_report.h"
#include "script/events/script.h"
#include "script/script_test_support.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"
#include "support/script_chunk.h"

namespace snippet {

inline std::vector<std::string>& PrintedLines() {
  static std::vector<std::string> lines;
  return lines;
}

// Reals as integers when they are whole, else with up to 15 digits.
inline std::string Format(const ScriptValue& value) {
  if (value.kind == kValueString) return ScriptValue_Text(value);
  char text[64];
  if (std::isfinite(value.real) && value.real == std::trunc(value.real) && std::fabs(value.real) < 1e15) {
    std::snprintf(text, sizeof text, "%.0f", value.real);
  } else {
    std::snprintf(text, sizeof text, "%.15g", value.real);
  }
  return text;
}

inline void TestPrint(ScriptValue*, CInstance*, CInstance*, int32_t count, ScriptValue* arguments) {
  std::string line;
  for (int32_t i = 0; i < count; ++i) line += (i ? " " : "") + Format(arguments[i]);
  PrintedLines().push_back(line);
}

// The message part of the error text, without its place.
inline std::string ErrorMessage() {
  std::string text = g_errorText == nullptr ? "" : g_errorText;
  size_t place = text.rfind("position ");
  size_t colon = place == std::string::npos ? place : text.find(": ", place);
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

// argument0 ... argument15 over the argument slots, for programs where the
// game's built-in variables are not registered.
template <int32_t kSlot>
bool ReadArgument(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_Copy(out, &g_arguments[kSlot]);
  return true;
}
template <int32_t... kSlots>
void RegisterArguments(std::integer_sequence<int32_t, kSlots...>) {
  (Variable_BuiltIn_Add(("argument" + std::to_string(kSlots)).c_str(), ReadArgument<kSlots>, nullptr), ...);
}

// Just enough of `if` and `return` for scripts that recurse, for tests that
// run before the full statement set is installed.
inline int32_t IfAndReturn(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  if (node->kind == kNodeReturn) {
    int32_t status = Interpreter_Evaluate(context, &node->children[0], result);
    return status == kExecDone ? kExecExit : status;
  }
  if (node->kind != kNodeIf) return Interpreter_BasicStatement(context, node, result);
  ScriptValue condition;
  int32_t status = Interpreter_Evaluate(context, &node->children[0], &condition);
  ScriptValue_Release(&condition);
  if (status != kExecDone) return status;
  if (condition.real > 0.5) return Interpreter_Statement(context, &node->children[1], result);
  return node->childCount > 2 ? Interpreter_Statement(context, &node->children[2], result) : kExecDone;
}

// The instance names and a few constants, until the game's constant table
// answers the compiler.
inline bool TestConstants(const char* name, ScriptValue* out) {
  static const std::pair<const char*, double> kConstants[] = {{"self", -1},  {"other", -2},  {"all", -3},
                                                              {"noone", -4}, {"global", -5}, {"local", -7},
                                                              {"true", 1},   {"false", 0},   {"pi", 3.141592653589793}};
  for (const auto& [constant, value] : kConstants) {
    if (std::strcmp(name, constant) == 0) {
      ScriptValue_SetReal(out, value);
      return true;
    }
  }
  return false;
}

class Runner {
 public:
  // tree: run with the bytecode switch off.
  explicit Runner(bool tree = true)
      : savedBytecode_(g_runFlags.useBytecode), savedUnsetIsError_(g_runFlags.unsetVariableIsError) {
    g_runFlags.useBytecode = !tree;
    g_runFlags.showErrorDialog = false;
    g_hasBytecode = false;
    int32_t id = -1;
    if (!Function_Find("test_print", &id)) Function_Add("test_print", TestPrint, -1);
    if (Variable_Global_List() == nullptr) Variable_Global_Init();
    if (Variable_BuiltIn_Find("argument0") < 0)
      RegisterArguments(std::make_integer_sequence<int32_t, kArgumentSlots>());
    self.id = 100000;
    other.id = 100001;
    world.room = {&self, &other};
    // Scripts named by a test are found by the compiler through the store.
    FunctionStores stores;
    stores.findScript = Script_Find;
    Function_InstallStores(stores);
    Resolve_SetConstantResolver(TestConstants);
  }
  ~Runner() {
    DropScripts();
    Function_InstallStores(FunctionStores{});
    Resolve_SetConstantResolver(nullptr);
    g_runFlags.useBytecode = savedBytecode_;
    g_runFlags.unsetVariableIsError = savedUnsetIsError_;
    Code_Error_Clear();
  }
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  // Replaces the game's scripts with (name, text) pairs and compiles them;
  // false (with the compile error in Lines()) when one does not compile.
  bool SetScripts(const std::vector<std::pair<std::string, std::string>>& scripts) {
    DropScripts();
    image_.Assign(ScriptChunkBytes(scripts));
    Script_Load(image_, kScriptChunkBody, static_cast<uint32_t>(image_.Size() - kScriptChunkBody));
    for (int32_t i = 0; i < Script_Count(); ++i) {
      CScript* script = Script_Get(i);
      script->code = new CCode(script->text, false);
      std::string codeName = std::string("Script.") + script->name;
      if (!script->code->Compile(codeName.c_str())) {
        compileError_ = "compile error: " + ErrorMessage();
        return false;
      }
    }
    return true;
  }

  // Compiles and runs a program (or an expression, whose value is printed).
  std::vector<std::string> Run(const std::string& text, bool expression = false) {
    PrintedLines().clear();
    if (!compileError_.empty()) return {compileError_};
    CCode code(text.c_str(), expression);
    if (!code.Compile("snippet")) {
      PrintedLines().push_back("compile error: " + ErrorMessage());
      return PrintedLines();
    }
    OwnedValue result;
    bool ok = Code_Execute(AsInstance(&self), AsInstance(&other), &code, result.Slot());
    if (ok && expression) PrintedLines().push_back(Format(result.v));
    if (!ok) PrintedLines().push_back("error: " + ErrorMessage());
    Code_Error_Clear();
    return PrintedLines();
  }

  // The printed lines joined with " | ".
  std::string RunJoined(const std::string& text, bool expression = false) {
    std::string joined;
    for (const std::string& line : Run(text, expression)) joined += (joined.empty() ? "" : " | ") + line;
    return joined;
  }

  StubWorld world;
  StubInstance self;
  StubInstance other;

 private:
  void DropScripts() {
    for (int32_t i = 0; i < Script_Count(); ++i) {
      CScript* script = Script_Get(i);
      if (script == nullptr) continue;
      delete script->code;
      script->code = nullptr;
    }
    Script_Clear();
    compileError_.clear();
  }

  GameImage image_;
  std::string compileError_;
  bool savedBytecode_;
  bool savedUnsetIsError_;
};

}  // namespace snippet

// Runs the compiler's first three phases over a text for the tests, and
// prints code trees compactly: constants as their value, every other node as
// kind:id(children) with the id only where it means something.
#pragma once

#include <string>

#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/lexer.h"
#include "script/compiler/name_resolution.h"
#include "script/compiler/parser.h"
#include "script/variables/variable_registry.h"

namespace front_test {

inline void NoFunction(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {}
inline bool NoGetter(CInstance*, int32_t, ScriptValue*) { return true; }

// Two built-ins (two_args takes 2, any_args any number) and the built-in
// variable front_builtin, registered once per test program (a name no other
// test uses, so tests that assign plain variables are not affected).
inline void RegisterNames() {
  int32_t id = -1;
  if (!Function_Find("two_args", &id)) {
    Function_Add("two_args", NoFunction, 2);
    Function_Add("any_args", NoFunction, -1);
  }
  if (Variable_BuiltIn_Find("front_builtin") < 0) Variable_BuiltIn_Add("front_builtin", NoGetter, nullptr);
}

// Lexes, resolves and parses; the tree stays in code->root.
inline bool Front(CCode* code) {
  RegisterNames();
  TokenList tokens;
  ResolvedList resolved;
  bool ok = Lexer_Tokenize(code, &tokens) && Resolve(code, &tokens, &resolved);
  if (ok) {
    ok = code->kind == kCodeProgram ? ParseProgram(code, &resolved, &code->root)
                                    : ParseExpression(code, &resolved, &code->root);
  }
  ResolvedList_Free(&resolved);
  TokenList_Free(&tokens);
  return ok;
}

inline std::string Error() { return g_errorText == nullptr ? "" : g_errorText; }

inline std::string Show(const CodeNode& node) {
  if (node.kind == kNodeConstant && node.childCount == 0) {
    if (node.value.kind == kValueString) return "'" + std::string(ScriptValue_Text(node.value)) + "'";
    char text[32];
    std::snprintf(text, sizeof text, "%g", node.value.real);
    return text;
  }
  std::string out = std::to_string(node.kind);
  bool hasId =
      node.kind == kNodeCall || node.kind == kNodeAssign || node.kind == kNodeUnary || node.kind == kNodeBinary;
  if (hasId) out += ":" + std::to_string(node.id);
  if (node.kind == kNodeVariable) out = "v";
  out += "(";
  for (int32_t i = 0; i < node.childCount; ++i) out += (i ? " " : "") + Show(node.children[i]);
  return out + ")";
}

// The tree of a program or expression text, or "ERROR: " and the message.
inline std::string Tree(const char* text, bool expression = false) {
  CCode code(text, expression);
  if (!Front(&code)) return "ERROR: " + Error();
  return Show(code.root);
}

// Only the message part of the last error text.
inline std::string Message() {
  std::string text = Error();
  size_t place = text.rfind("position ");
  size_t colon = place == std::string::npos ? place : text.find(": ", place);
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

}  // namespace front_test

// Any bytes as script text, compiled as a program and as an expression
// through the lexer, name resolution and the parser. Accepted trees are
// copied and checked against the depth limit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/compiler/code.h"
#include "script/compiler/code_node.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/function_registry.h"
#include "script/compiler/lexer.h"
#include "script/compiler/name_resolution.h"
#include "script/compiler/parser.h"
#include "script/variables/variable_names.h"

namespace {

void Nothing(ScriptValue*, CInstance*, CInstance*, int32_t, ScriptValue*) {}

void Register() {
  static bool done = false;
  if (done) return;
  done = true;
  Function_Add("f", Nothing, 2);
  Function_Add("g", Nothing, -1);
}

void Compile(const std::string& text, bool expression) {
  CCode code(text.c_str(), expression);
  TokenList tokens;
  ResolvedList resolved;
  bool ok = Lexer_Tokenize(&code, &tokens) && Resolve(&code, &tokens, &resolved);
  const bool resolvedAll = ok;
  if (ok) {
    ok = expression ? ParseExpression(&code, &resolved, &code.root) : ParseProgram(&code, &resolved, &code.root);
  }
  if (ok) {
    if (CodeNode_FindTooDeep(&code.root, kCodeMaxDepth) != nullptr) __builtin_trap();
    CodeNode copy;
    CodeNode_Copy(&copy, &code.root);
    CodeNode_Free(&copy);
  }
  // The tokens one expression takes, as mkgame measures a constant: never
  // more than there are.
  if (resolvedAll && expression && ParseExpression_Length(&code, &resolved) > resolved.count) __builtin_trap();
  ResolvedList_Free(&resolved);
  TokenList_Free(&tokens);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Register();
  // The name table only grows; keep a long run's memory flat.
  if (Code_Variable_Count() > 100000) Code_Variable_Reset();
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // script texts end at their first zero byte
  Compile(text, false);
  Compile(text, true);
  return 0;
}

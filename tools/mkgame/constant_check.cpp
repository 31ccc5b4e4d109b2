#include "mkgame/constant_check.h"

#include <json-c/json.h>

#include "runtime/memory.h"
#include "runtime/script_value.h"
#include "runtime/text.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/compiler/constants.h"
#include "script/compiler/lexer.h"
#include "script/compiler/name_resolution.h"
#include "script/compiler/parser.h"

namespace mkgame {

namespace {

// The whole list is one expression when the parse stops on the end token.
bool TakesEveryToken(const CCode& code) {
  TokenList tokens;
  ResolvedList resolved;
  const bool whole = Lexer_Tokenize(&code, &tokens) && Resolve(&code, &tokens, &resolved) && resolved.count > 1 &&
                     ParseExpression_Length(&code, &resolved) == resolved.count - 1;
  ResolvedList_Free(&resolved);
  TokenList_Free(&tokens);
  return whole;
}

std::string Quoted(const std::string& text) {
  json_object* value = json_object_new_string_len(text.data(), static_cast<int>(text.size()));
  std::string quoted = json_object_to_json_string_ext(value, JSON_C_TO_STRING_PLAIN | JSON_C_TO_STRING_NOSLASHESCAPE);
  json_object_put(value);
  return quoted;
}

}  // namespace

bool Constant_CallsAFunction(const std::string& text) {
  CCode code(text.c_str(), true);
  TokenList tokens;
  ResolvedList resolved;
  bool calls = false;
  if (Lexer_Tokenize(&code, &tokens) && Resolve(&code, &tokens, &resolved)) {
    for (int32_t i = 0; i < resolved.count; ++i) calls = calls || resolved.tokens[i].kind == kTokenFunction;
  }
  ResolvedList_Free(&resolved);
  TokenList_Free(&tokens);
  Code_Error_Clear();
  return calls;
}

bool Constant_IsOneExpression(const std::string& text) {
  CCode code(text.c_str(), true);
  Code_Error_Clear();
  const bool one = code.Compile("Constant") && TakesEveryToken(code);
  Code_Error_Clear();
  return one;
}

DescriptionError Constant_NotAValue(const std::string& name, const std::string& text) {
  return DescriptionError("constants." + name, Quoted(text) + " is not a value");
}

void Constant_Define(const std::string& name, const std::string& text, bool evaluate) {
  char* trimmed = nullptr;
  VCL_Trim(&trimmed, name.c_str());
  const bool identifier = Code_Constant_IsIdentifier(trimmed);
  ScriptValue value;
  const bool evaluated = !evaluate || (identifier && Code_Constant_Evaluate(text.c_str(), &value));
  if (evaluate && evaluated) Code_Constant_Add(trimmed, value);
  ScriptValue_Release(&value);
  MemoryManager::Free(trimmed);
  Code_Error_Clear();
  if (!identifier) throw DescriptionError("constants." + name, Quoted(name) + " is not a constant name");
  if (!evaluated) throw Constant_NotAValue(name, text);
}

}  // namespace mkgame

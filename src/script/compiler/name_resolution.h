// Phase two of the compiler: every literal becomes a value, every called
// name a function id, every other name a constant or a variable id. After
// this the parser never looks at a name again.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/compiler/lexer.h"

class CCode;

struct ResolvedToken {
  int32_t kind;       // the lexer's kinds, or kTokenConstant/Function/Variable
  int32_t id;         // function id or variable id
  ScriptValue value;  // kTokenConstant only; its string is owned
  int32_t position;
};

struct ResolvedList {
  int32_t count = 0;
  ResolvedToken* tokens = nullptr;  // from MemoryManager
};

// Resolves a token list of the same length and order. Clears the compile
// error flag first; an unknown called name fails with "Unknown function or
// script: <name>" (the partial list is the caller's to free). A list that
// held tokens before is emptied and its array reused when large enough.
bool Resolve(const CCode* code, const TokenList* tokens, ResolvedList* out);
void ResolvedList_Free(ResolvedList* list);
// Empties the list but keeps its array for the next text.
void ResolvedList_Clear(ResolvedList* list);

// The value of a number token's text, digit by digit; "$" starts base 16.
double Resolve_NumberValue(const char* text);

// The constant and resource-name lookup asked before a name becomes a
// variable. Until one is installed no name is a constant.
using ConstantResolver = bool (*)(const char* name, ScriptValue* out);
void Resolve_SetConstantResolver(ConstantResolver resolver);

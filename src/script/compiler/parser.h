// Phase three of the compiler: a recursive-descent parser over resolved
// tokens that builds the code tree (see code_node.h for node kinds and child
// orders). The first error is reported through Code_Error_Set and the parse
// stops; the partial tree stays in root for its owner to free.
#pragma once

#include "script/compiler/code_node.h"
#include "script/compiler/name_resolution.h"

class CCode;

// A statement list. An empty text gives kNodeEmptyProgram; a text that is
// one block must end after its closing brace.
bool ParseProgram(const CCode* code, const ResolvedList* tokens, CodeNode* root);
// One expression; tokens after it are ignored; no tokens gives the real 0.
bool ParseExpression(const CCode* code, const ResolvedList* tokens, CodeNode* root);
// How many tokens the expression at the head of the list takes (the end
// token not counted), so a caller can tell "0,5" from one value; -1 when no
// expression parses there (the error is reported). No tokens gives 0.
int32_t ParseExpression_Length(const CCode* code, const ResolvedList* tokens);

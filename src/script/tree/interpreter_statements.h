// The statements of the tree walk: conditions, the four loops, with, switch
// and the jump statements, on top of the basic set the interpreter runs by
// itself (blocks, calls, assignments, declarations). The empty statement is
// an error ("Statement expected.") when it runs.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/tree/interpreter.h"

// One statement; returns an ExecStatus.
int32_t Interpreter_FullStatement(ExecContext* context, const CodeNode* node, ScriptValue* result);

// Makes the tree walk run every statement through Interpreter_FullStatement.
// Part of the script engine's start-up; tests call it too.
void Statements_Install();

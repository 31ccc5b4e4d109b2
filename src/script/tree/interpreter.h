// Running code objects. Code_Execute is the one entry through which the rest
// of the program runs a CCode for a pair of instances: bytecode goes to the
// machine, everything else is walked as a tree here. The tree walk's
// expressions, variable access and calls are below; statements plug in
// through Interpreter_Statement.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/compiler/code.h"

class CInstance;
class CVariableList;

// What every evaluation and statement returns.
enum ExecStatus : int32_t {
  kExecDone = 0,
  kExecError = -1,  // already reported
  kExecExit = -2,   // exit, and return after its value
  kExecBreak = -3,
  kExecContinue = -4,
};

struct VariableNode;

// One tree execution: the pair of instances, the locals of `var` names
// (taken on the first write, emptied when the execution ends) and the code
// whose errors are reported.
struct ExecContext {
  CInstance* self = nullptr;
  CInstance* other = nullptr;
  CVariableList* locals = nullptr;
  const CCode* code = nullptr;
  // The locals' nodes by the numbers the prepared code gives them (all null
  // until the locals are taken); see Interpreter_TakeLocals.
  VariableNode* const* localNodes;
  int32_t level = 0;  // the execution's nesting level, which owns its locals list
  ExecContext();
};

// Gives the context its locals list, kept for its nesting level and empty.
void Interpreter_TakeLocals(ExecContext* context);

bool Code_Execute(CInstance* self, CInstance* other, CCode* code, ScriptValue* result);
// On failure the pending error text is shown as a non-fatal error and the
// error flag is cleared.
bool Code_Execute_ShowError(CInstance* self, CInstance* other, CCode* code, ScriptValue* result);
// On failure the result becomes the string "ERROR".
bool Code_Execute_ErrorString(CInstance* self, CInstance* other, CCode* code, ScriptValue* result);

// ---- The tree walk -----------------------------------------------------------
// Reports `message` at a source position of the running code; returns
// kExecError.
int32_t Interpreter_Fail(ExecContext* context, int32_t position, const char* message);
// Any expression node into *result (whose old text is released here).
int32_t Interpreter_Evaluate(ExecContext* context, const CodeNode* node, ScriptValue* result);
// An expression of real constants, variables holding plain reals in the
// lists the interpreter reads directly, and arithmetic and comparisons on
// them, worked out without side effects or errors. False: not of that form
// (or an operation that fails), and Interpreter_Evaluate is to be used.
bool Interpreter_PureReal(ExecContext* context, const CodeNode* node, double* out);
// A variable node (kinds 7 and 8) read into *result.
int32_t Interpreter_ReadVariable(ExecContext* context, const CodeNode* node, ScriptValue* result);
// An assignment node (101); *result ends holding the stored value.
int32_t Interpreter_Assign(ExecContext* context, const CodeNode* node, ScriptValue* result);
// A call node (6); the call's value goes to *result.
int32_t Interpreter_Call(ExecContext* context, const CodeNode* node, ScriptValue* result);

// One statement. Blocks, calls and assignments run here as the basic set
// runs them; every other kind goes to the installed statement handler, or,
// when none is installed, to Interpreter_BasicStatement.
int32_t Interpreter_Statement(ExecContext* context, const CodeNode* node, ScriptValue* result);
// Blocks, calls, assignments, var and globalvar; every other kind gives
// "Statement expected.". A full statement handler may pass these kinds here.
int32_t Interpreter_BasicStatement(ExecContext* context, const CodeNode* node, ScriptValue* result);
using StatementHandler = int32_t (*)(ExecContext* context, const CodeNode* node, ScriptValue* result);
// Null: the basic set. `block`, when given, runs a program's top block with
// every statement in it as `handler` runs it, without a call per statement.
void Interpreter_SetStatementHandler(StatementHandler handler, StatementHandler block = nullptr);

// ---- Seams to the bytecode machine and to extension functions ---------------
// Runs bytecode; reports its own errors.
using VMExecutor = bool (*)(const char* name, CInstance* self, CInstance* other, VMBuffer* code, ScriptValue* result,
                            VMBuffer* debug, const char* source);
void Code_SetVMExecutor(VMExecutor executor);
// True while a machine is installed: code with bytecode then never walks
// its tree (with the bytecode switch on).
bool Code_HasVMExecutor();
// Calls extension function `index`; false is a failed call. Until one is
// installed a call gives the real 0.
using ExtensionCaller = bool (*)(int32_t index, CInstance* self, CInstance* other, int32_t argumentCount,
                                 ScriptValue* arguments, ScriptValue* result);
void Code_SetExtensionCaller(ExtensionCaller caller);

// Nesting of tree executions (script calls, execute_string, events raised
// from code) allowed before "Stack overflow..." is reported; the native
// stack's room is checked as well.
constexpr int32_t kMaxExecutionNesting = 4000;
int32_t Interpreter_Nesting();

#include "script/tree/interpreter.h"

#include <pthread.h>

#include <cstdint>
#include <utility>

#include "runtime/run_flags.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/events/script.h"
#include "script/tree/argument_slots.h"
#include "script/tree/prepare.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"

namespace {

// A locals list with the table of its nodes by number inside.
struct TreeLocals : CVariableList {
  TreeLocals() { SetSlotTable(table); }
  VariableNode* table[kSlots] = {};
};

// What a context without locals looks its numbers up in.
VariableNode* const g_noLocalNodes[CVariableList::kSlots] = {};

// One locals list per nesting level, kept for reuse: every execution on a
// level ends before another starts there, and leaves its list empty.
TreeLocals* g_localsByLevel[kMaxExecutionNesting + 1];

StatementHandler g_statementHandler = nullptr;
StatementHandler g_blockHandler = nullptr;  // the top block's runner going with it
VMExecutor g_vmExecutor = nullptr;
int32_t g_nesting = 0;

// Room kept free on the native stack below the deepest tree execution.
constexpr uintptr_t kStackReserve = 1024 * 1024;

constexpr uintptr_t kStackLimitUnknown = ~uintptr_t{0};

// The lowest usable address of this thread's stack, found on the thread's
// first execution; 0 when it cannot be told. Constant-initialised, so a
// read costs no guard check.
thread_local uintptr_t t_stackLimit = kStackLimitUnknown;

[[gnu::noinline]] uintptr_t FindStackLimit() {
  pthread_attr_t attributes;
  t_stackLimit = 0;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
  void* low = nullptr;
  size_t size = 0;
  int status = pthread_attr_getstack(&attributes, &low, &size);
  pthread_attr_destroy(&attributes);
  if (status != 0) return 0;
  uintptr_t reserve = size / 2 < kStackReserve ? size / 2 : kStackReserve;
  t_stackLimit = reinterpret_cast<uintptr_t>(low) + reserve;
  return t_stackLimit;
}

inline bool StackExhausted() {
  if (g_nesting >= kMaxExecutionNesting) return true;
  uintptr_t limit = t_stackLimit;
  if (limit == kStackLimitUnknown) limit = FindStackLimit();
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < limit;
}

inline int32_t RunBlock(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  for (int32_t i = 0; i < node->childCount; ++i) {
    ScriptValue_Release(result);
    int32_t status = Interpreter_Statement(context, &node->children[i], result);
    if (status != kExecDone) return status;
  }
  return kExecDone;
}

inline __attribute__((always_inline)) int32_t RunRoot(ExecContext* context, const CCode* code, ScriptValue* result) {
  if (code->kind == kCodeExpression) return Interpreter_Evaluate(context, &code->root, result);
  if (code->root.kind == kNodeEmptyProgram) return kExecDone;
  if (code->root.kind != kNodeBlock) return Interpreter_Fail(context, code->root.position, "This is not a program.");
  if (g_blockHandler != nullptr) return g_blockHandler(context, &code->root, result);
  return RunBlock(context, &code->root, result);
}

inline __attribute__((always_inline)) bool ExecuteTree(CInstance* self, CInstance* other, CCode* code,
                                                       ScriptValue* result) {
  if (StackExhausted()) {
    Code_Error_Set(code, 0, "Stack overflow...");
    return false;
  }
  if (code->root.prepared == kFormUnprepared) Tree_Prepare(code);
  ExecContext context;
  context.self = self;
  context.other = other;
  context.code = code;
  ScriptValue_Release(result);
  *result = ScriptValue();
  context.level = ++g_nesting;
  int32_t status = RunRoot(&context, code, result);
  --g_nesting;
  if (context.locals != nullptr && context.locals->Count() != 0) context.locals->Clear();
  return status != kExecError;
}

}  // namespace

ExecContext::ExecContext() : localNodes(g_noLocalNodes) {}

void Interpreter_TakeLocals(ExecContext* context) {
  int32_t level = context->level >= 0 && context->level <= kMaxExecutionNesting ? context->level : 0;
  TreeLocals*& list = g_localsByLevel[level];
  if (list == nullptr) list = new TreeLocals();
  context->locals = list;
  context->localNodes = list->table;
}

void Interpreter_SetStatementHandler(StatementHandler handler, StatementHandler block) {
  g_statementHandler = handler;
  g_blockHandler = handler != nullptr ? block : nullptr;
}
void Code_SetVMExecutor(VMExecutor executor) { g_vmExecutor = executor; }
bool Code_HasVMExecutor() { return g_vmExecutor != nullptr; }
int32_t Interpreter_Nesting() { return g_nesting; }

int32_t Interpreter_Fail(ExecContext* context, int32_t position, const char* message) {
  Code_Error_Set(context->code, position, message);
  return kExecError;
}

namespace {

inline __attribute__((always_inline)) bool Execute(CInstance* self, CInstance* other, CCode* code,
                                                   ScriptValue* result) {
  Code_Error_Clear();
  if (code == nullptr || !code->compiled) {
    Code_Error_Set(code, 0, "Internal Error: Executing non-compiled code->");
    return false;
  }
  if (code->kind == kCodeConstant) {
    ScriptValue_Assign(result, &code->constant);
    return true;
  }
  // Bytecode runs when there is some and a machine to run it; code without
  // bytecode (the switch off, or no generator yet) walks its tree.
  if (g_runFlags.useBytecode && code->code != nullptr && g_vmExecutor != nullptr) {
    if (code->kind >= kCodeProgram)
      g_vmExecutor(code->name, self, other, code->code, result, code->debug, code->vmSource);
    return true;
  }
  if (code->precompiled) return true;  // no tree, and no machine for its bytecode
  if (self == nullptr || other == nullptr) {
    Code_Error_Set(code, 0, "Internal Error: Executing code for nil instance.");
    return false;
  }
  return ExecuteTree(self, other, code, result);
}

}  // namespace

bool Code_Execute(CInstance* self, CInstance* other, CCode* code, ScriptValue* result) {
  return Execute(self, other, code, result);
}

bool Code_Execute_ShowError(CInstance* self, CInstance* other, CCode* code, ScriptValue* result) {
  if (Code_Execute(self, other, code, result)) return true;
  Error_Show(g_errorText == nullptr ? "" : g_errorText, false);
  Code_Error_Clear();
  return false;
}

namespace {

inline __attribute__((always_inline)) bool ExecuteErrorString(CInstance* self, CInstance* other, CCode* code,
                                                              ScriptValue* result) {
  if (Execute(self, other, code, result)) return true;
  ScriptValue_Release(result);
  ScriptValue_SetString(result, "ERROR");
  return false;
}

}  // namespace

bool Code_Execute_ErrorString(CInstance* self, CInstance* other, CCode* code, ScriptValue* result) {
  return ExecuteErrorString(self, other, code, result);
}

// Here rather than beside the other script runs so that the run itself is
// part of the call: script calls are most of what a tree call does.
bool Script_ExecuteTaking(int32_t index, CInstance* self, CInstance* other, int32_t argc, ScriptValue* result,
                          ScriptValue* arguments) {
  if (argc < 0) argc = 0;
  if (argc > kArgumentSlots) argc = kArgumentSlots;
  CScript* script = Script_Get(index);
  if (script == nullptr) {
    for (int32_t i = 0; i < argc; ++i) ScriptValue_Release(&arguments[i]);
    return false;
  }
  // The arguments and the caller's slots change places: the callee sees its
  // own values and empty slots past them, and `arguments` keeps the caller's
  // until they go back.
  int32_t used = g_argumentExtent;
  int32_t count = g_argumentCount;
  for (int32_t i = argc; i < used; ++i) arguments[i] = ScriptValue();
  int32_t top = argc > used ? argc : used;
  for (int32_t i = 0; i < top; ++i) std::swap(g_arguments[i], arguments[i]);
  g_argumentExtent = argc;
  g_argumentCount = argc;
  bool ok = ExecuteErrorString(self, other, script->code, result);
  ArgumentSlots_Restore(arguments, used, count);
  if (!ok) ArgumentSlots_ScriptFailed(index);
  return ok;
}

int32_t Interpreter_Statement(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  // Every handler runs these kinds as the basic set does; they are most of
  // what runs, so they are taken here without the indirection.
  switch (node->kind) {
    case kNodeAssign: return Interpreter_Assign(context, node, result);
    case kNodeCall: return Interpreter_Call(context, node, result);
    case kNodeBlock: return RunBlock(context, node, result);
    default: break;
  }
  if (g_statementHandler != nullptr) return g_statementHandler(context, node, result);
  return Interpreter_BasicStatement(context, node, result);
}

int32_t Interpreter_BasicStatement(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  switch (node->kind) {
    case kNodeBlock: return RunBlock(context, node, result);
    case kNodeCall: return Interpreter_Call(context, node, result);
    case kNodeAssign: return Interpreter_Assign(context, node, result);
    case kNodeVar: return kExecDone;
    case kNodeGlobalVar:
      for (int32_t i = 0; i < node->childCount; ++i) Variable_DeclareGlobal(node->children[i].id);
      return kExecDone;
    default: return Interpreter_Fail(context, node->position, "Statement expected.");
  }
}

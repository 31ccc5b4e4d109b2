#include "script/tree/interpreter_statements.h"

#include <cstring>

#include "runtime/numeric.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/tree/interpreter_fast.h"
#include "script/variables/instance_selector.h"
#include "script/variables/world_seam.h"

namespace {

// A temporary value released when it goes.
struct Temporary {
  Temporary() = default;
  ~Temporary() { ScriptValue_Release(&value); }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;
  ScriptValue value;
};

int32_t RunNestedBlock(ExecContext* context, const CodeNode* node, ScriptValue* result);
int32_t RunIf(ExecContext* context, const CodeNode* node, ScriptValue* result);
int32_t RunReturn(ExecContext* context, const CodeNode* node, ScriptValue* result);

// A statement inside one of these statements. They run only as the
// installed handler, so the statements inside go straight to it; every
// handler runs assignments, calls and blocks as the basic set does.
inline int32_t Run(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  switch (node->kind) {
    case kNodeAssign: return Tree_Assign(context, node, result);
    case kNodeCall: return Interpreter_Call(context, node, result);
    case kNodeBlock: return RunNestedBlock(context, node, result);
    case kNodeIf: return RunIf(context, node, result);
    case kNodeReturn: return RunReturn(context, node, result);
    default: return Interpreter_FullStatement(context, node, result);
  }
}

inline __attribute__((always_inline)) int32_t RunBlock(ExecContext* context, const CodeNode* node,
                                                       ScriptValue* result) {
  for (int32_t i = 0; i < node->childCount; ++i) {
    ScriptValue_Release(result);
    int32_t status = Run(context, &node->children[i], result);
    if (status != kExecDone) return status;
  }
  return kExecDone;
}

int32_t RunNestedBlock(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  return RunBlock(context, node, result);
}

// Evaluates an expression that must give a real; a string fails with message.
int32_t EvaluateReal(ExecContext* context, const CodeNode* node, ScriptValue* value, const char* message) {
  int32_t status = Interpreter_Evaluate(context, node, value);
  if (status != kExecDone) return status;
  if (value->kind != kValueReal) return Interpreter_Fail(context, node->position, message);
  return kExecDone;
}

int32_t EvaluatedCondition(ExecContext* context, const CodeNode* node, const char* message, bool* holds) {
  Temporary condition;
  int32_t status = EvaluateReal(context, node, &condition.value, message);
  *holds = status == kExecDone && Num_TrueAtHalfSingle(condition.value.real);
  return status;
}

// Loop conditions are judged in single precision.
inline __attribute__((always_inline)) int32_t LoopCondition(ExecContext* context, const CodeNode* node,
                                                            const char* message, bool* holds) {
  double real;
  if (!Tree_PureTest(context, node, &real)) return EvaluatedCondition(context, node, message, holds);
  *holds = Num_TrueAtHalfSingle(real);
  return kExecDone;
}

[[gnu::noinline]] int32_t RunIf(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  double real = 0;
  if (!Tree_PureTest(context, &node->children[0], &real)) {
    Temporary condition;
    int32_t status = EvaluateReal(context, &node->children[0], &condition.value, "Expression expected");
    if (status != kExecDone) return status;
    real = condition.value.real;
  }
  if (Num_TrueAboveHalf(real)) return Run(context, &node->children[1], result);
  if (node->childCount > 2) return Run(context, &node->children[2], result);
  return kExecDone;
}

[[gnu::noinline]] int32_t RunWhile(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  for (;;) {
    bool holds = false;
    int32_t status = LoopCondition(context, &node->children[0], "bool expression expected", &holds);
    if (status != kExecDone || !holds) return status;
    ScriptValue_Release(result);
    status = Run(context, &node->children[1], result);
    if (status == kExecBreak) return kExecDone;
    if (status != kExecDone && status != kExecContinue) return status;
  }
}

[[gnu::noinline]] int32_t RunDo(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  for (;;) {
    int32_t status = Run(context, &node->children[0], result);
    if (status == kExecBreak) return kExecDone;
    if (status != kExecDone && status != kExecContinue) return status;
    bool holds = false;
    status = LoopCondition(context, &node->children[1], "bool expression expected", &holds);
    if (status != kExecDone || holds) return status;
  }
}

// The usual counted loop's test: a comparison of a local with a real
// constant.
bool IsCountingTest(const CodeNode* test) {
  return test->prepared >= kFormLess && test->prepared <= kFormNotEqual && test->children[0].prepared == kFormLocal &&
         test->children[1].prepared == kFormReal;
}

// And its step: a real constant added to or taken from a local.
bool IsCountingStep(const CodeNode* step) {
  return step->kind == kNodeAssign && step->prepared == kFormAssign && step->children[0].prepared == kFormLocal &&
         step->children[1].prepared == kFormReal &&
         (step->preparedData == kFormAdd || step->preparedData == kFormSubtract);
}

// The local a counting test or step works on, when it holds a plain real.
inline ScriptValue* Counter(ExecContext* context, const CodeNode* node) {
  ScriptValue* counter = Tree_LocalValue(context, &node->children[0]);
  return counter != nullptr && Tree_IsPlainReal(*counter) ? counter : nullptr;
}

[[gnu::noinline]] int32_t RunFor(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  Temporary scratch;
  int32_t status = Run(context, &node->children[0], &scratch.value);
  if (status != kExecDone) return status;
  const CodeNode* test = &node->children[1];
  const CodeNode* step = &node->children[2];
  const CodeNode* body = &node->children[3];
  // A counting test and step on a plain real are worked out here, as the
  // general walk would work them out.
  bool countingTest = IsCountingTest(test);
  bool countingStep = IsCountingStep(step);
  // A step on the test's own local leaves it a plain real where it was, so
  // the test that follows needs no second look for it.
  bool sameCounter = countingTest && countingStep && test->children[0].id == step->children[0].id;
  // A body of one assignment in braces, run as the block would run it
  // without going through the block.
  const CodeNode* lone = body->kind == kNodeBlock && body->childCount == 1 && body->children[0].kind == kNodeAssign
                             ? &body->children[0]
                             : nullptr;
  ScriptValue* counter = countingTest ? Counter(context, test) : nullptr;
  for (;;) {
    bool holds = false;
    if (counter != nullptr) {
      // A loop runs while its counter is below a bound far more often than
      // not: that comparison goes first.
      double bound = test->children[1].value.real;
      holds =
          test->prepared == kFormLess ? counter->real - bound < 0 : Tree_Compare(test->prepared, counter->real, bound);
    } else {
      status = LoopCondition(context, test, "Expression expected", &holds);
      if (status != kExecDone) return status;
    }
    if (!holds) return kExecDone;
    if (lone != nullptr) {
      ScriptValue_Release(result);
      status = Tree_Assign(context, lone, result);
    } else {
      status = body->kind == kNodeBlock ? RunBlock(context, body, result) : Run(context, body, result);
    }
    if (status == kExecBreak) return kExecDone;
    if (status != kExecDone && status != kExecContinue) return status;
    counter = countingStep ? Counter(context, step) : nullptr;
    if (counter != nullptr) {
      double amount = step->children[1].value.real;
      // The step's own value is never read: nothing keeps it.
      counter->real = step->preparedData == kFormAdd ? counter->real + amount : counter->real - amount;
      if (sameCounter) continue;
    } else {
      status = Run(context, step, &scratch.value);
      if (status != kExecDone) return status;
    }
    counter = countingTest ? Counter(context, test) : nullptr;
  }
}

[[gnu::noinline]] int32_t RunRepeat(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  Temporary count;
  int32_t status = EvaluateReal(context, &node->children[0], &count.value, "Repeat count must be a number");
  if (status != kExecDone) return status;
  // NaN and counts beyond 32 bits round to the lowest integer: no run.
  int32_t times = Num_RoundInt32(count.value.real);
  for (int32_t i = 0; i < times; ++i) {
    status = Run(context, &node->children[1], result);
    if (status == kExecBreak) return kExecDone;
    if (status != kExecDone && status != kExecContinue) return status;
  }
  return kExecDone;
}

[[gnu::noinline]] int32_t RunReturn(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  int32_t status = Interpreter_Evaluate(context, &node->children[0], result);
  return status == kExecError ? kExecError : kExecExit;
}

// ---- with -------------------------------------------------------------------

// The body once with `instance` as self and the statement's self as other.
int32_t RunBodyAs(ExecContext* context, const CodeNode* body, CInstance* instance, ScriptValue* result) {
  CInstance* savedSelf = context->self;
  CInstance* savedOther = context->other;
  context->other = savedSelf;
  context->self = instance;
  int32_t status = Run(context, body, result);
  context->self = savedSelf;
  context->other = savedOther;
  return status;
}

// Walks several instances: break ends the walk, continue goes on to the next.
class WithWalk final : public InstanceVisitor {
 public:
  WithWalk(ExecContext* context, const CodeNode* body, ScriptValue* result)
      : context_(context), body_(body), result_(result) {}

  bool Visit(CInstance* instance) override {
    if (instance == nullptr || WorldSeam_Get().isMarkedForDeletion(instance)) return true;
    status_ = RunBodyAs(context_, body_, instance, result_);
    if (status_ == kExecContinue) status_ = kExecDone;
    if (status_ == kExecBreak) {
      status_ = kExecDone;
      return false;
    }
    return status_ == kExecDone;
  }
  int32_t Status() const { return status_; }

 private:
  ExecContext* context_;
  const CodeNode* body_;
  ScriptValue* result_;
  int32_t status_ = kExecDone;
};

// One instance: only continue is taken up here.
int32_t RunOnce(ExecContext* context, const CodeNode* body, CInstance* instance, ScriptValue* result) {
  int32_t status = RunBodyAs(context, body, instance, result);
  return status == kExecContinue ? kExecDone : status;
}

int32_t RunWithInstance(ExecContext* context, const CodeNode* body, int32_t id, ScriptValue* result) {
  const WorldSeam& world = WorldSeam_Get();
  CInstance* instance = world.findInstance(id);
  if (instance == nullptr || world.isMarkedForDeletion(instance)) return kExecDone;
  return RunOnce(context, body, instance, result);
}

[[gnu::noinline]] int32_t RunWith(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  Temporary target;
  int32_t status = EvaluateReal(context, &node->children[0], &target.value, "Object id expected");
  if (status != kExecDone) return status;
  const CodeNode* body = &node->children[1];
  int32_t which = Num_RoundInt32(target.value.real);
  switch (which) {
    case kInstanceLocal: return Interpreter_Fail(context, node->position, "Cannot use local in with statement.");
    case kInstanceGlobal: return Interpreter_Fail(context, node->position, "Cannot use global in with statement.");
    case kInstanceNoone: return kExecDone;
    case kInstanceSelf:
    case kInstanceNotSpecified: return RunOnce(context, body, context->self, result);
    case kInstanceOther: return RunOnce(context, body, context->other, result);
    default: break;
  }
  if (which >= kFirstInstanceId) return RunWithInstance(context, body, which, result);
  WithWalk walk(context, body, result);
  if (which == kInstanceAll) {
    WorldSeam_Get().visitRoomInstances(walk);
  } else {
    WorldSeam_Get().visitObjectInstances(which, walk);
  }
  return walk.Status();
}

// ---- switch -----------------------------------------------------------------

// Reals equal exactly, strings byte for byte; a missing text equals only a
// missing text; a real never equals a string.
bool SameValue(const ScriptValue& a, const ScriptValue& b) {
  if (a.kind == kValueReal && b.kind == kValueReal) return a.real == b.real;
  if (a.kind != kValueString || b.kind != kValueString) return false;
  if (a.text == nullptr || b.text == nullptr) return a.text == b.text;
  return std::strcmp(a.text, b.text) == 0;
}

// Whether the search stops at this child. A label whose expression fails is
// shown as a non-fatal error and does not match; the search goes on.
bool LabelMatches(ExecContext* context, const CodeNode* child, const ScriptValue& value) {
  if (child->kind == kNodeDefault) return true;
  if (child->kind == kNodeCaseConstant) return SameValue(child->children[0].value, value);
  if (child->kind != kNodeCase) return false;
  Temporary label;
  if (Interpreter_Evaluate(context, &child->children[0], &label.value) != kExecDone) {
    Error_Show(g_errorText == nullptr ? "" : g_errorText, false);
    Code_Error_Clear();
    return false;
  }
  return SameValue(label.value, value);
}

bool IsLabel(int32_t kind) { return kind == kNodeCase || kind == kNodeCaseConstant || kind == kNodeDefault; }

[[gnu::noinline]] int32_t RunSwitch(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  Temporary value;
  int32_t status = Interpreter_Evaluate(context, &node->children[0], &value.value);
  if (status != kExecDone) return status;
  int32_t start = 1;
  while (start < node->childCount && !LabelMatches(context, &node->children[start], value.value)) ++start;
  for (int32_t i = start + 1; i < node->childCount; ++i) {
    if (IsLabel(node->children[i].kind)) continue;
    status = Run(context, &node->children[i], result);
    if (status == kExecBreak) return kExecDone;
    if (status != kExecDone) return status;
  }
  return kExecDone;
}

}  // namespace

int32_t Interpreter_FullStatement(ExecContext* context, const CodeNode* node, ScriptValue* result) {
  switch (node->kind) {
    // A lone ';' where a statement belongs (kNodeEmpty) is not run: like any
    // kind not named here it fails with "Statement expected.", while the
    // bytecode generator writes nothing for it.
    case kNodeIf: return RunIf(context, node, result);
    case kNodeWhile: return RunWhile(context, node, result);
    case kNodeDo: return RunDo(context, node, result);
    case kNodeFor: return RunFor(context, node, result);
    case kNodeRepeat: return RunRepeat(context, node, result);
    case kNodeExit: return kExecExit;
    case kNodeBreak: return kExecBreak;
    case kNodeContinue: return kExecContinue;
    case kNodeReturn: return RunReturn(context, node, result);
    case kNodeWith: return RunWith(context, node, result);
    case kNodeSwitch: return RunSwitch(context, node, result);
    case kNodeCase:
      return Interpreter_Fail(context, node->position, "Case statement only allowed inside switch statement.");
    case kNodeDefault:
      return Interpreter_Fail(context, node->position, "Default statement only allowed inside switch statement.");
    default: return Interpreter_BasicStatement(context, node, result);
  }
}

void Statements_Install() { Interpreter_SetStatementHandler(Interpreter_FullStatement, RunNestedBlock); }

// Statements: each leaves the machine's stack as it found it.
#include "script/compiler/lexer.h"
#include "script/variables/variable_registry.h"
#include "script/vm/codegen_internal.h"

namespace codegen {

namespace {

bool IsVariable(const CodeNode& node) { return node.kind == kNodeVariable || node.kind == kNodeVariableOnInstance; }

bool IsCaseLabel(const CodeNode& node) {
  return node.kind == kNodeCase || node.kind == kNodeCaseConstant || node.kind == kNodeDefault;
}

uint8_t CompoundOpcode(int32_t token) {
  switch (token) {
    case kTokenAddAssign: return kOpAdd;
    case kTokenSubtractAssign: return kOpSub;
    case kTokenMultiplyAssign: return kOpMul;
    case kTokenDivideAssign: return kOpDiv;
    case kTokenOrAssign: return kOpOr;
    case kTokenAndAssign: return kOpAnd;
    case kTokenXorAssign: return kOpXor;
    default: return 0;
  }
}

bool IsBitAssign(int32_t token) {
  return token == kTokenOrAssign || token == kTokenAndAssign || token == kTokenXorAssign;
}

}  // namespace

void Generator::Statement(const CodeNode& node) {
  if (!Enter(node)) return;
  switch (node.kind) {
    case kNodeBlock:
      for (int32_t i = 0; i < node.childCount && !failed_; ++i) Statement(node.children[i]);
      break;
    case kNodeCall:
      Call(node);
      Emit(VM_Word(kOpPopz, PopType(), 0, 0));
      break;
    case kNodeAssign: Assignment(node); break;
    case kNodeIf: If(node); break;
    case kNodeWhile: While(node); break;
    case kNodeDo: Do(node); break;
    case kNodeFor: For(node); break;
    case kNodeRepeat: Repeat(node); break;
    case kNodeWith: With(node); break;
    case kNodeSwitch: Switch(node); break;
    case kNodeBreak: BreakStatement(); break;
    case kNodeContinue: ContinueStatement(); break;
    case kNodeExit: Emit(kVMExitWord); break;
    case kNodeReturn:
      if (node.childCount < 1) break;
      Expr(node.children[0]);
      Convert(kVMVariant);
      Emit(kVMReturnWord);
      PopType();
      break;
    case kNodeGlobalVar:
      // Acts while compiling, whether or not the code ever runs.
      for (int32_t i = 0; i < node.childCount; ++i) Variable_DeclareGlobal(node.children[i].id);
      break;
    default: break;
  }
  Leave();
}

void Generator::Assignment(const CodeNode& node) {
  if (node.childCount < 2 || !IsVariable(node.children[0])) return;
  const CodeNode& variable = node.children[0];
  if (node.id == kTokenAssign) {
    Expr(node.children[1]);
    StoreVariable(variable);
    return;
  }
  uint8_t opcode = CompoundOpcode(node.id);
  if (opcode == 0) return;
  // The selector and index are evaluated again for the store.
  ReadVariable(variable);
  PopType();
  Expr(node.children[1]);
  uint8_t right = TopType();
  if (IsBitAssign(node.id) ? (right != kVMInt && right != kVMLong) : right == kVMBool) Convert(kVMInt);
  Emit(VM_Word(opcode, PopType(), kVMVariant, 0));
  PushType(kVMVariant);
  StoreVariable(variable);
}

void Generator::If(const CodeNode& node) {
  if (node.childCount < 2) return;
  Label elseLabel("Else");
  Label end("End");
  Expr(node.children[0]);
  Convert(kVMBool);
  PopType();
  Branch(kOpBf, &elseLabel);
  Statement(node.children[1]);
  if (node.childCount > 2) {
    Branch(kOpB, &end);
    Define(&elseLabel);
    Statement(node.children[2]);
    Define(&end);
  } else {
    Define(&elseLabel);
  }
}

void Generator::While(const CodeNode& node) {
  if (node.childCount < 2) return;
  Label repeat("Repeat");
  Label end("End");
  Define(&repeat);
  Expr(node.children[0]);
  Convert(kVMBool);
  PopType();
  Branch(kOpBf, &end);
  {
    LoopScope scope(this, &repeat, &end);
    Statement(node.children[1]);
  }
  Branch(kOpB, &repeat);
  Define(&end);
}

void Generator::Do(const CodeNode& node) {
  if (node.childCount < 2) return;
  Label repeat("Repeat");
  Label test("Repeat");
  Label end("End");
  Define(&repeat);
  {
    LoopScope scope(this, &test, &end);
    Statement(node.children[0]);
  }
  Define(&test);
  Expr(node.children[1]);
  Convert(kVMBool);
  PopType();
  Branch(kOpBf, &repeat);
  Define(&end);
}

void Generator::For(const CodeNode& node) {
  if (node.childCount < 4) return;
  Label start("Start");
  Label repeat("Repeat");
  Label end("End");
  Statement(node.children[0]);
  LoopScope scope(this, &repeat, &end);
  Define(&start);
  Expr(node.children[1]);
  Convert(kVMBool);
  PopType();
  Branch(kOpBf, &end);
  Statement(node.children[3]);
  Define(&repeat);
  Statement(node.children[2]);
  Branch(kOpB, &start);
  Define(&end);
}

// The count stays on the stack and counts down; it is evaluated once.
void Generator::Repeat(const CodeNode& node) {
  if (node.childCount < 2) return;
  Label repeat("Repeat");
  Label next("Repeat");
  Label end("End");
  Expr(node.children[0]);
  Convert(kVMInt);
  Emit(VM_Word(kOpDup, kVMInt, 0, 0));
  PushType(kVMInt);
  PushInt(0);
  PopType();
  PopType();
  Emit(VM_Word(kOpSle, kVMInt, kVMInt, 0));
  Branch(kOpBt, &end);
  Define(&repeat);
  {
    LoopScope scope(this, &next, &end);
    Statement(node.children[1]);
  }
  Define(&next);
  PushInt(1);
  PopType();
  Emit(VM_Word(kOpSub, kVMInt, kVMInt, 0));
  Emit(VM_Word(kOpDup, kVMInt, 0, 0));
  PushType(kVMInt);
  Convert(kVMBool);
  PopType();
  Branch(kOpBt, &repeat);
  Define(&end);
  Emit(VM_Word(kOpPopz, PopType(), 0, 0));
}

void Generator::With(const CodeNode& node) {
  if (node.childCount < 2) return;
  Label popEnv("PopEnv");
  Label start("Start");
  Label end("End");
  Label cleanUp("CleanUpEnd");
  Expr(node.children[0]);
  Convert(kVMInt);
  Branch(kOpPushEnv, &popEnv);
  PopType();
  Define(&start);
  {
    LoopScope scope(this, &popEnv, &end);
    Statement(node.children[1]);
  }
  Define(&popEnv);
  Branch(kOpPopEnv, &start);
  if (end.breakCount == 0) {
    Define(&end);
    return;
  }
  // A break leaves the loop in the middle: the close word ends it.
  Branch(kOpB, &cleanUp);
  Define(&end);
  Emit(kVMWithClose);
  Define(&cleanUp);
}

void Generator::Switch(const CodeNode& node) {
  if (node.childCount < 1) return;
  Label end("End");
  std::vector<std::unique_ptr<Label>> clauses;
  Expr(node.children[0]);
  uint8_t value = TopType();
  SwitchScope scope(this, &end, value);
  for (int32_t i = 1; i < node.childCount && !failed_; ++i) {
    const CodeNode& child = node.children[i];
    if (!IsCaseLabel(child)) continue;
    if (child.kind == kNodeDefault) {
      clauses.push_back(std::make_unique<Label>("Switch Default"));
      Branch(kOpB, clauses.back().get());
      continue;
    }
    clauses.push_back(std::make_unique<Label>("Switch Clause"));
    if (child.childCount < 1) continue;
    Emit(VM_Word(kOpDup, value, 0, 0));
    PushType(value);
    Expr(child.children[0]);
    uint8_t label = PopType();
    PopType();
    Emit(VM_Word(kOpSeq, label, value, 0));
    Branch(kOpBt, clauses.back().get());
  }
  Branch(kOpB, &end);
  size_t counted = 0;
  for (int32_t i = 1; i < node.childCount && !failed_; ++i) {
    const CodeNode& child = node.children[i];
    if (IsCaseLabel(child)) {
      ++counted;
      continue;
    }
    for (size_t c = 0; c < counted; ++c)
      if (!clauses[c]->defined) Define(clauses[c].get());
    Statement(child);
  }
  Define(&end);
  for (auto& clause : clauses)
    if (!clause->defined) Define(clause.get());
  Emit(VM_Word(kOpPopz, PopType(), 0, 0));
}

void Generator::BreakStatement() {
  if (break_ == nullptr) return;
  ++break_->breakCount;
  Branch(kOpB, break_);
}

// Discards the values of the switches the continue jumps out of.
void Generator::ContinueStatement() {
  if (continue_ == nullptr) return;
  for (size_t i = switchTypes_.size(); i > loopSwitchBase_; --i) Emit(VM_Word(kOpPopz, switchTypes_[i - 1], 0, 0));
  Branch(kOpB, continue_);
}

}  // namespace codegen

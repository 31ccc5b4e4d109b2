#include "script/vm/codegen.h"

#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/tree/interpreter.h"
#include "script/vm/codegen_internal.h"

const char* const kVMExpressionTooComplex = "Expression too complex.";
const char* const kVMCodeTooLarge = "Code too large.";

namespace codegen {

namespace {

constexpr int32_t kInitialCapacity = 16;
// The front end refuses trees deeper than kCodeMaxDepth; the margin covers
// the few levels the generator adds of its own.
constexpr int32_t kMaxNesting = kCodeMaxDepth + 16;

}  // namespace

Generator::Generator(const CCode* code, bool withPairs)
    : owner_(code),
      code_(new VMWriteBuffer(kInitialCapacity)),
      debug_(new VMWriteBuffer(kInitialCapacity)),
      strings_(new VMStringPool()),
      withPairs_(withPairs) {}

void Generator::Fail(int32_t position, const char* message) {
  if (failed_) return;
  failed_ = true;
  Code_Error_Set(owner_, position, message);
}

void Generator::Emit(uint32_t word) {
  if (failed_) return;
  Pair();
  if (!code_->AppendWord(word)) Fail(position_, kVMCodeTooLarge);
}

void Generator::Pair() {
  if (!withPairs_ || position_ == pairedPosition_) return;
  pairedPosition_ = position_;
  uint8_t pair[8];
  VM_WriteWord(pair, static_cast<uint32_t>(code_->Cursor()));
  VM_WriteWord(pair + 4, static_cast<uint32_t>(position_));
  if (!debug_->Append(pair, 8)) Fail(position_, kVMCodeTooLarge);
}

void Generator::EmitOperand(const void* data, int32_t size) {
  if (failed_) return;
  if (!code_->Append(data, size)) Fail(position_, kVMCodeTooLarge);
}

void Generator::PushType(uint8_t type) {
  if (depth_ >= kVMTypeStackDepth) {
    Fail(position_, kVMExpressionTooComplex);
    return;
  }
  types_[depth_++] = type;
  if (depth_ > deepest_) deepest_ = depth_;
}

uint8_t Generator::PopType() { return depth_ == 0 ? static_cast<uint8_t>(kVMShort) : types_[--depth_]; }

uint8_t Generator::TopType() const { return depth_ == 0 ? static_cast<uint8_t>(kVMShort) : types_[depth_ - 1]; }

void Generator::Convert(uint8_t type) {
  uint8_t from = PopType();
  if (from != type) Emit(VM_Word(kOpConv, from, type, 0));
  PushType(type);
}

void Generator::Branch(uint8_t opcode, Label* label) {
  if (failed_) return;
  int32_t here = code_->Cursor();
  if (!label->defined) {
    label->fixups.push_back(here);
    Emit(static_cast<uint32_t>(opcode) << 24);
    return;
  }
  uint32_t word;
  if (!VM_BranchWord(opcode, here, label->position, &word)) {
    Fail(position_, kVMCodeTooLarge);
    return;
  }
  Emit(word);
}

void Generator::Define(Label* label) {
  if (failed_) return;
  label->position = code_->Cursor();
  label->defined = true;
  for (int32_t at : label->fixups) {
    uint32_t word;
    if (!VM_BranchWord(VM_Opcode(code_->WordAt(at)), at, label->position, &word)) {
      Fail(position_, kVMCodeTooLarge);
      return;
    }
    code_->PatchWord(at, word);
  }
  label->fixups.clear();
}

// An int32 pushed with its own operand (not the short form): the counter
// and array arithmetic always use this form.
void Generator::PushInt(int32_t value) {
  Emit(VM_Word(kOpPush, kVMInt, 0, 0));
  uint8_t operand[4];
  VM_WriteWord(operand, static_cast<uint32_t>(value));
  EmitOperand(operand, 4);
  PushType(kVMInt);
}

bool Generator::Enter(const CodeNode& node) {
  if (failed_) return false;
  if (nesting_ + 1 > kMaxNesting) {
    Fail(node.position, kCodeNestedTooDeeply);
    return false;
  }
  ++nesting_;
  outerPositions_.push_back(position_);
  position_ = node.position;
  return true;
}

// What a node emits after its children belongs to the node again.
void Generator::Leave() {
  --nesting_;
  position_ = outerPositions_.back();
  outerPositions_.pop_back();
}

void Generator::Program(const CodeNode& root) {
  if (root.kind != kNodeBlock) return;
  for (int32_t i = 0; i < root.childCount && !failed_; ++i) Statement(root.children[i]);
}

void Generator::Expression(const CodeNode& root) {
  Expr(root);
  Convert(kVMVariant);
}

void Generator::HandOver(VMGenerated* out) {
  code_->Finish();
  debug_->Finish();
  if (strings_->Count() > 0) code_->AdoptStrings(strings_.release());
  out->code = code_->size == 0 ? nullptr : code_.release();
  out->debug = debug_.release();
}

LoopScope::LoopScope(Generator* generator, Label* continueLabel, Label* breakLabel)
    : generator_(generator),
      savedContinue_(generator->continue_),
      savedBreak_(generator->break_),
      savedBase_(generator->loopSwitchBase_) {
  generator->continue_ = continueLabel;
  generator->break_ = breakLabel;
  generator->loopSwitchBase_ = generator->switchTypes_.size();
}

LoopScope::~LoopScope() {
  generator_->continue_ = savedContinue_;
  generator_->break_ = savedBreak_;
  generator_->loopSwitchBase_ = savedBase_;
}

SwitchScope::SwitchScope(Generator* generator, Label* breakLabel, uint8_t valueType)
    : generator_(generator), savedBreak_(generator->break_) {
  generator->break_ = breakLabel;
  generator->switchTypes_.push_back(valueType);
}

SwitchScope::~SwitchScope() {
  generator_->break_ = savedBreak_;
  generator_->switchTypes_.pop_back();
}

}  // namespace codegen

bool VM_Generate(const CCode* code, const CodeNode& root, bool expression, VMGenerated* out, bool withPairs) {
  *out = VMGenerated();
  // The type stack alone is 1 KiB; keep the generator off the native stack.
  auto generator = std::make_unique<codegen::Generator>(code, withPairs);
  if (expression) {
    generator->Expression(root);
  } else {
    generator->Program(root);
  }
  if (generator->Failed()) return false;
  generator->HandOver(out);
  return true;
}

void VMGenerated_Free(VMGenerated* generated) {
  delete generated->code;
  delete generated->debug;
  *generated = VMGenerated();
}

bool VM_GenerateCode(CCode* code) {
  VMGenerated out;
  if (!VM_Generate(code, code->root, code->kind == kCodeExpression, &out)) return false;
  delete code->code;
  delete code->debug;
  code->code = out.code;
  code->debug = out.debug;
  // Code with bytecode runs in the machine and never walks its tree again;
  // dropping the tree now halves what every compiled script keeps, and the
  // next compile reuses the memory. Code without bytecode (an empty program)
  // keeps its tree for the interpreter.
  if (code->code != nullptr && Code_HasVMExecutor()) CodeNode_Free(&code->root);
  return true;
}

void VM_InstallGenerator() { Code_SetBytecodeGenerator(VM_GenerateCode); }

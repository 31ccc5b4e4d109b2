// The generator's state for one compilation, shared by its three files:
// emitting and labels (codegen.cpp), expressions and statements.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "script/vm/codegen.h"

class CCode;

namespace codegen {

// A branch target. Branches to it before it is defined wait in fixups.
struct Label {
  explicit Label(const char* labelName) : name(labelName) {}
  const char* name;  // for reading the generator in a debugger
  int32_t position = 0;
  std::vector<int32_t> fixups;  // byte offsets of waiting branch words
  bool defined = false;
  int32_t breakCount = 0;
};

class Generator {
 public:
  Generator(const CCode* code, bool withPairs);

  void Program(const CodeNode& root);
  void Expression(const CodeNode& root);
  bool Failed() const { return failed_; }
  // Moves the buffers out; null code when nothing was written.
  void HandOver(VMGenerated* out);

 private:
  friend class LoopScope;
  friend class SwitchScope;

  // Emitting, types and labels.
  void Fail(int32_t position, const char* message);
  void Emit(uint32_t word);
  void Pair();
  void EmitOperand(const void* data, int32_t size);
  void PushType(uint8_t type);
  uint8_t PopType();
  uint8_t TopType() const;
  void Convert(uint8_t type);
  void Branch(uint8_t opcode, Label* label);
  void Define(Label* label);
  void PushInt(int32_t value);
  bool Enter(const CodeNode& node);
  void Leave();

  // Expressions.
  void Expr(const CodeNode& node);
  void Constant(const ScriptValue& value);
  void IntegralConstant(int64_t value);
  void ReadVariable(const CodeNode& node);
  bool PushSelectorAndIndex(const CodeNode& node);
  void StoreVariable(const CodeNode& node);
  void Call(const CodeNode& node);
  void Unary(const CodeNode& node);
  void Binary(const CodeNode& node);

  // Statements.
  void Statement(const CodeNode& node);
  void Assignment(const CodeNode& node);
  void If(const CodeNode& node);
  void While(const CodeNode& node);
  void Do(const CodeNode& node);
  void For(const CodeNode& node);
  void Repeat(const CodeNode& node);
  void With(const CodeNode& node);
  void Switch(const CodeNode& node);
  void BreakStatement();
  void ContinueStatement();

  const CCode* owner_;
  std::unique_ptr<VMWriteBuffer> code_;
  std::unique_ptr<VMWriteBuffer> debug_;
  std::unique_ptr<VMStringPool> strings_;
  uint8_t types_[kVMTypeStackDepth] = {};
  int32_t depth_ = 0;
  int32_t deepest_ = 0;
  Label* continue_ = nullptr;
  Label* break_ = nullptr;
  // Value types of the switches entered since the innermost loop or `with`
  // began (from loopSwitchBase_ up): a `continue` discards them.
  std::vector<uint8_t> switchTypes_;
  size_t loopSwitchBase_ = 0;
  int32_t position_ = 0;                 // of the node being translated
  std::vector<int32_t> outerPositions_;  // of the nodes entered around it
  bool withPairs_;
  int32_t pairedPosition_ = -1;  // of the last pair written
  int32_t nesting_ = 0;
  bool failed_ = false;
};

// The labels of a loop or `with` for its body; restores the outer ones.
class LoopScope {
 public:
  LoopScope(Generator* generator, Label* continueLabel, Label* breakLabel);
  ~LoopScope();

 private:
  Generator* generator_;
  Label* savedContinue_;
  Label* savedBreak_;
  size_t savedBase_;
};

// A switch takes over the break label and keeps its value on the stack.
class SwitchScope {
 public:
  SwitchScope(Generator* generator, Label* breakLabel, uint8_t valueType);
  ~SwitchScope();

 private:
  Generator* generator_;
  Label* savedBreak_;
};

}  // namespace codegen

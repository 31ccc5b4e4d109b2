#include "script/vm/bytecode.h"

#include <cstring>

#include "runtime/memory.h"
#include "script/vm/bytecode_strings.h"

namespace {

struct OpcodeName {
  uint8_t opcode;
  const char* name;
};

constexpr OpcodeName kOpcodeNames[] = {
    {kOpConv, "conv"}, {kOpMul, "mul"},   {kOpDiv, "div"},     {kOpRem, "rem"},         {kOpMod, "mod"},
    {kOpAdd, "add"},   {kOpSub, "sub"},   {kOpAnd, "and"},     {kOpOr, "or"},           {kOpXor, "xor"},
    {kOpNeg, "neg"},   {kOpNot, "not"},   {kOpShl, "shl"},     {kOpShr, "shr"},         {kOpSlt, "slt"},
    {kOpSle, "sle"},   {kOpSeq, "seq"},   {kOpSne, "sne"},     {kOpSge, "sge"},         {kOpSgt, "sgt"},
    {kOpPop, "pop"},   {kOpDup, "dup"},   {kOpRet, "ret"},     {kOpExit, "exit"},       {kOpPopz, "popz"},
    {kOpB, "b"},       {kOpBt, "bt"},     {kOpBf, "bf"},       {kOpPushEnv, "pushenv"}, {kOpPopEnv, "popenv"},
    {kOpPush, "push"}, {kOpCall, "call"}, {kOpBreak, "break"},
};

}  // namespace

int32_t VM_OperandSize(uint8_t type) {
  switch (type & 0xF) {
    case kVMDouble:
    case kVMLong: return 8;
    case kVMFloat:
    case kVMInt:
    case kVMBool:
    case kVMVariant:
    case kVMString: return 4;
    default: return 0;
  }
}

bool VM_BranchWord(uint8_t opcode, int32_t from, int32_t to, uint32_t* word) {
  int64_t distance = static_cast<int64_t>(to) - from;
  if (distance % 4 != 0) return false;
  distance /= 4;
  if (distance < kVMBranchMin || distance > kVMBranchMax) return false;
  *word = (static_cast<uint32_t>(opcode) << 24) | (static_cast<uint32_t>(distance) & 0xFFFFFFu);
  return true;
}

int32_t VM_OperandBytes(uint32_t word) {
  return (VM_Opcode(word) & kVMHasOperand) != 0 ? VM_OperandSize(VM_Type1(word)) : 0;
}

bool VM_IsVariableAccess(uint32_t word) {
  uint8_t opcode = VM_Opcode(word);
  return opcode == kOpPop || (opcode == kOpPush && VM_Type1(word) == kVMVariant);
}

bool VM_IsCall(uint32_t word) { return VM_Opcode(word) == kOpCall; }

bool VM_IsStringPush(uint32_t word) { return VM_Opcode(word) == kOpPush && VM_Type1(word) == kVMString; }

const char* VM_OpcodeName(uint8_t opcode) {
  for (const OpcodeName& entry : kOpcodeNames)
    if (entry.opcode == opcode) return entry.name;
  return "unknown";
}

const char* VM_TypeSuffix(uint8_t type) {
  switch (type & 0xF) {
    case kVMDouble: return ".d";
    case kVMFloat: return ".f";
    case kVMInt: return ".i";
    case kVMLong: return ".l";
    case kVMBool: return ".b";
    case kVMVariant: return ".v";
    case kVMString: return ".s";
    case kVMShort: return ".e";
    default: return "";
  }
}

int32_t VM_StackSize(uint8_t type) {
  switch (type & 0xF) {
    case kVMDouble:
    case kVMLong: return 8;
    case kVMVariant: return 16;
    default: return 4;
  }
}

uint32_t VM_ReadWord(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void VM_WriteWord(uint8_t* bytes, uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(word >> (8 * i));
}

VMWriteBuffer::VMWriteBuffer(int32_t initialCapacity) {
  capacity_ = initialCapacity < 4 ? 4 : (initialCapacity > kMaxCapacity ? kMaxCapacity : initialCapacity);
  bytes = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(capacity_), true));
  owned = true;
}

VMWriteBuffer::~VMWriteBuffer() { delete strings_; }

void VMWriteBuffer::AdoptStrings(VMStringPool* strings) {
  if (strings == strings_) return;
  delete strings_;
  strings_ = strings;
}

const IVMStrings* VMWriteBuffer::Strings() const { return strings_; }

const IVMStrings* VM_CodeStrings(const VMBuffer* code) {
  const auto* written = dynamic_cast<const VMWriteBuffer*>(code);
  return written == nullptr ? nullptr : written->Strings();
}

// Doubles until n more bytes fit; the doubling is done in 64 bits and
// stops at kMaxCapacity, so it can neither overflow nor ask for a huge block.
bool VMWriteBuffer::Reserve(int32_t n) {
  int64_t needed = static_cast<int64_t>(cursor_) + n;
  if (needed <= capacity_) return true;
  if (needed > kMaxCapacity) return false;
  int64_t grown = capacity_;
  while (grown < needed) grown *= 2;
  if (grown > kMaxCapacity) grown = kMaxCapacity;
  auto* larger = static_cast<uint8_t*>(KV_ALLOC(static_cast<size_t>(grown), true));
  std::memcpy(larger, bytes, static_cast<size_t>(cursor_));
  MemoryManager::Free(bytes);
  bytes = larger;
  capacity_ = static_cast<int32_t>(grown);
  return true;
}

bool VMWriteBuffer::Append(const void* data, int32_t n) {
  if (n < 0 || !Reserve(n)) return false;
  std::memcpy(bytes + cursor_, data, static_cast<size_t>(n));
  cursor_ += n;
  return true;
}

bool VMWriteBuffer::AppendWord(uint32_t word) {
  uint8_t encoded[4];
  VM_WriteWord(encoded, word);
  return Append(encoded, 4);
}

void VMWriteBuffer::PatchWord(int32_t offset, uint32_t word) { VM_WriteWord(bytes + offset, word); }

bool VM_FindDebugPair(const VMBuffer* debug, int32_t pc, VMDebugPair* out) {
  if (debug == nullptr || debug->bytes == nullptr || debug->size < kVMDebugPairBytes) return false;
  int32_t count = debug->size / kVMDebugPairBytes;
  bool found = false;
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* record = debug->bytes + static_cast<size_t>(i) * kVMDebugPairBytes;
    auto codeOffset = static_cast<int32_t>(VM_ReadWord(record));
    if (codeOffset > pc) break;
    out->codeOffset = codeOffset;
    out->sourcePosition = static_cast<int32_t>(VM_ReadWord(record + 4));
    found = true;
  }
  return found;
}

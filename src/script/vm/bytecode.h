// The bytecode: 32-bit little-endian instruction words, each optionally
// followed by an operand whose size its first type gives. The generator
// writes it, the game file's code chunk carries it precompiled in the same
// form, and the machine runs it.
//
// Instruction word:
//   31-24 opcode, 23-20 second type (t2), 19-16 first type (t1),
//   15-0  data: argument count (call), instance selector (variable push and
//         pop), signed 16-bit constant (push of kVMShort, break).
// Branches (b, bt, bf, pushenv, popenv) hold instead a signed 24-bit offset
// in words in bits 23-0, counted from the branch word itself.
#pragma once

#include <cstdint>

#include "script/compiler/code.h"  // VMBuffer
#include "script/variables/instance_selector.h"

struct tagIConsole;
class IVMStrings;
class VMStringPool;

enum VMType : uint8_t {
  kVMDouble = 0,
  kVMFloat = 1,
  kVMInt = 2,
  kVMLong = 3,
  kVMBool = 4,
  kVMVariant = 5,  // a variable reference as operand, a full value on the stack
  kVMString = 6,   // operand: a string index (never an address)
  kVMShort = 15,   // constant in the word's low 16 bits; no operand
};

enum VMOpcode : uint8_t {
  kOpConv = 0x03,  // t1 = from, t2 = to
  kOpMul = 0x04,   // binary operators: t1 = right, t2 = left
  kOpDiv = 0x05,
  kOpRem = 0x06,  // whole-number quotient
  kOpMod = 0x07,
  kOpAdd = 0x08,
  kOpSub = 0x09,
  kOpAnd = 0x0A,
  kOpOr = 0x0B,
  kOpXor = 0x0C,
  kOpNeg = 0x0D,
  kOpNot = 0x0E,
  kOpShl = 0x0F,
  kOpShr = 0x10,
  kOpSlt = 0x11,
  kOpSle = 0x12,
  kOpSeq = 0x13,
  kOpSne = 0x14,
  kOpSge = 0x15,
  kOpSgt = 0x16,
  kOpPop = 0x41,  // t1 = variant, t2 = stored type, data = selector
  kOpDup = 0x82,
  kOpRet = 0x9D,
  kOpExit = 0x9E,
  kOpPopz = 0x9F,
  kOpB = 0xB7,
  kOpBt = 0xB8,
  kOpBf = 0xB9,
  kOpPushEnv = 0xBB,
  kOpPopEnv = 0xBC,
  kOpPush = 0xC0,
  kOpCall = 0xDA,  // t1 = int, operand = function id, data = argument count
  kOpBreak = 0xFF,
};

// Opcode bits.
constexpr uint8_t kVMHasOperand = 0x40;
constexpr uint8_t kVMBranchBit = 0x20;  // on an instruction without operand

// Bits of a variable reference operand.
constexpr uint32_t kVMRefNoIndex = 0x80000000u;     // no array index on the stack
constexpr uint32_t kVMRefInstanceId = 0x40000000u;  // selector is an instance id less kFirstInstanceId
constexpr uint32_t kVMRefSelectorInWord = 0x20000000u;
constexpr uint32_t kVMRefIdMask = 0x1FFFFFFFu;
// Flat index of array element (i, j): i * kVMArrayRow + j.
constexpr int32_t kVMArrayRow = 32000;

// The early close of a `with` loop: a popenv whose type byte is 0xF0.
constexpr uint32_t kVMWithClose = 0xBCF00000u;
constexpr uint32_t kVMExitWord = 0x9E020000u;
constexpr uint32_t kVMReturnWord = 0x9D050000u;

// The decoders lean on the numbering: operands are found by the operand
// bit, branch offsets by the branch bit, and the ready-made words must carry
// their own opcodes.
static_assert((kOpPush & kOpPop & kOpCall & kVMHasOperand) != 0, "push, pop and call carry an operand");
static_assert((kOpB & kOpBt & kOpBf & kOpPushEnv & kOpPopEnv & kVMBranchBit) != 0 &&
                  ((kOpB | kOpBt | kOpBf | kOpPushEnv | kOpPopEnv) & kVMHasOperand) == 0,
              "branches hold an offset, not an operand");
static_assert(((kOpConv | kOpSgt | kOpDup | kOpRet | kOpExit | kOpPopz) & (kVMHasOperand | kVMBranchBit)) == 0,
              "plain instructions are one word");
static_assert(kVMWithClose >> 24 == kOpPopEnv && kVMExitWord >> 24 == kOpExit && kVMReturnWord >> 24 == kOpRet,
              "ready-made words");

// Signed 24-bit branch range, in words.
constexpr int32_t kVMBranchMin = -0x800000;
constexpr int32_t kVMBranchMax = 0x7FFFFF;

inline uint8_t VM_Opcode(uint32_t word) { return static_cast<uint8_t>(word >> 24); }
inline uint8_t VM_Type1(uint32_t word) { return static_cast<uint8_t>((word >> 16) & 0xF); }
inline uint8_t VM_Type2(uint32_t word) { return static_cast<uint8_t>((word >> 20) & 0xF); }
inline int32_t VM_Data(uint32_t word) { return static_cast<int16_t>(word & 0xFFFF); }
// The sign-extended 24-bit branch offset, in words.
inline int32_t VM_BranchOffset(uint32_t word) {
  int32_t offset = static_cast<int32_t>(word & 0xFFFFFF);
  return (offset & 0x800000) != 0 ? offset - 0x1000000 : offset;
}
// A variable reference with a constant selector in the word (not an
// instance id) and no index on the stack.
inline bool VM_IsDirectReference(uint32_t ref) {
  return (ref & (kVMRefNoIndex | kVMRefSelectorInWord | kVMRefInstanceId)) == (kVMRefNoIndex | kVMRefSelectorInWord);
}
// A plain local, the common case of `var`: a direct reference to local.
inline bool VM_IsPlainLocal(uint32_t word, uint32_t ref) {
  return VM_IsDirectReference(ref) && VM_Data(word) == kInstanceLocal;
}
inline uint32_t VM_Word(uint8_t opcode, uint8_t t1, uint8_t t2, int32_t data) {
  return (static_cast<uint32_t>(opcode) << 24) | (static_cast<uint32_t>(t2 & 0xF) << 20) |
         (static_cast<uint32_t>(t1 & 0xF) << 16) | (static_cast<uint32_t>(data) & 0xFFFF);
}

// The branch word at byte offset `from` to byte offset `to`. False when
// the distance does not fit the signed 24-bit word field (or is not a whole
// number of words): such a branch would land somewhere else.
bool VM_BranchWord(uint8_t opcode, int32_t from, int32_t to, uint32_t* word);

// Operand size of a type code (its low nibble): 8 for double and int64;
// 4 for float, int, bool, variant and string; 0 for every other code.
int32_t VM_OperandSize(uint8_t type);
// Bytes the operand of this word takes: 0 unless the opcode's operand bit is set.
int32_t VM_OperandBytes(uint32_t word);
// Whole instruction: 4 plus its operand.
inline int32_t VM_InstructionLength(uint32_t word) { return 4 + VM_OperandBytes(word); }

// What the game-file loader patches: words whose operand is a variable
// reference (push.v and pop), a function id (call) or a string index (push.s).
bool VM_IsVariableAccess(uint32_t word);
bool VM_IsCall(uint32_t word);
bool VM_IsStringPush(uint32_t word);

// Names as the disassembly prints them: "unknown" for an opcode without
// one, "" for a type code without a suffix.
const char* VM_OpcodeName(uint8_t opcode);
const char* VM_TypeSuffix(uint8_t type);
// Bytes a value of this type takes on the machine's stack (16 for variant).
int32_t VM_StackSize(uint8_t type);

// Little-endian words; the caller makes sure four bytes exist.
uint32_t VM_ReadWord(const uint8_t* bytes);
void VM_WriteWord(uint8_t* bytes, uint32_t word);

// The generator's growing buffer; it owns its bytes (freed by the plain
// buffer) and, once adopted, the pool of its string constants. While
// writing, size stays 0; Finish() makes the written bytes the buffer's size.
class VMWriteBuffer final : public VMBuffer {
 public:
  // Largest buffer: far beyond what a branch can span, well short of
  // anything the memory manager refuses.
  static constexpr int32_t kMaxCapacity = 1 << 26;

  explicit VMWriteBuffer(int32_t initialCapacity);
  ~VMWriteBuffer() override;

  // Appends n bytes (a multiple of 4 for code). False, with nothing
  // written, when the buffer would grow past kMaxCapacity.
  bool Append(const void* data, int32_t n);
  bool AppendWord(uint32_t word);
  // Rewrites the word at a byte offset already written.
  void PatchWord(int32_t offset, uint32_t word);
  uint32_t WordAt(int32_t offset) const { return VM_ReadWord(bytes + offset); }
  int32_t Cursor() const { return cursor_; }
  int32_t Capacity() const { return capacity_; }
  void Finish() { size = cursor_; }
  // Takes ownership of the pool (may be null).
  void AdoptStrings(VMStringPool* strings);
  const IVMStrings* Strings() const;

 private:
  bool Reserve(int32_t n);

  VMStringPool* strings_ = nullptr;
  int32_t capacity_ = 0;
  int32_t cursor_ = 0;
};

// The texts of a code buffer's push.s operands when it carries its own pool
// (generated code); null otherwise: precompiled code's indices name the game
// file's string table.
const IVMStrings* VM_CodeStrings(const VMBuffer* code);

// One debug pair: an instruction's byte offset and its source position.
struct VMDebugPair {
  int32_t codeOffset;
  int32_t sourcePosition;
};
constexpr int32_t kVMDebugPairBytes = 8;

// The last pair whose code offset is not beyond pc. False when the buffer
// is missing or empty, or its first pair already lies beyond pc.
bool VM_FindDebugPair(const VMBuffer* debug, int32_t pc, VMDebugPair* out);

// Where push.s operands find their text: the code object's own pool for
// generated code, the game file's string table for precompiled code.
class IVMStrings {
 public:
  virtual ~IVMStrings() = default;
  // Null when the index names no string.
  virtual const char* Text(int32_t index) const = 0;
};

// Prints the instruction at `offset` of bytes[0, size) as one line and
// returns the offset of the next one. Never reads past size: a word or an
// operand cut short prints the bytes that exist and returns size. Strings
// come from `strings` (may be null).
int32_t VM_Disassemble(const uint8_t* bytes, int32_t size, int32_t offset, tagIConsole* console,
                       const IVMStrings* strings = nullptr);
// Every instruction of a buffer, from offset 0; strings default to the
// buffer's own.
void VM_DisassembleAll(const VMBuffer* code, tagIConsole* console, const IVMStrings* strings = nullptr);

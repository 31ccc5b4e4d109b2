// The machine's working form of a code buffer: the instruction words decoded
// once into records that carry their handler, types, operand and branch
// target, so the loop neither re-reads words nor re-checks bounds.
//
// Records follow the byte stream in order; a branch into the middle of an
// operand starts a further chain decoded from that byte, which ends in a link
// to the record already made for the first instruction start it reaches.
// Every chain ends in an end record (the code's end), a link, or a
// malformed record (a word or operand cut short), so the loop never runs
// off its records.
#pragma once

#include <cstdint>

#include "script/compiler/code.h"

class IVMStrings;

enum VMKind : uint8_t {
  kKindEnd,        // the code's end: the frame ends
  kKindLink,       // not an instruction: goes on at `target`
  kKindMalformed,  // word or operand cut short by the code's end
  kKindNop,        // break, and opcodes the machine does not know
  kKindAdd,
  kKindSub,
  kKindMul,
  kKindDiv,
  kKindRem,
  kKindMod,
  kKindBitwise,  // and, or, xor, shl, shr
  kKindLt,
  kKindLe,
  kKindEq,
  kKindNe,
  kKindGe,
  kKindGt,
  kKindUnary,  // neg, not
  kKindConv,
  kKindPushDouble,
  kKindPushLong,
  kKindPushInt,
  kKindPushBool,
  kKindPushPoolString,  // text resolved from the code's own pool
  kKindPushGameString,  // text from the game's strings at run time
  kKindPushLocal,       // push.v of a plain local
  kKindPushBuiltin,     // push.v of a built-in variable of self, no index
  kKindPushArgument,    // push.v of argument0 ... argument15 (`spare` is the slot)
  kKindPushSelf,        // push.v that may name one of self's own variables
  kKindPushVariable,
  kKindPushBad,   // push of a type without a push form
  kKindPopLocal,  // pop.v into a plain local
  kKindPopSelf,   // pop.v that may name one of self's own variables
  kKindPopVariable,
  kKindPopBad,  // pop whose first type is not variant
  kKindDup,
  kKindPopz,
  kKindBranch,
  kKindBranchTrue,
  kKindBranchFalse,
  kKindBadBranch,  // a branch outside the code
  kKindPushEnv,
  kKindPopEnv,
  kKindCall,
  kKindCallBad,  // call whose first type is not int
  kKindRet,
  kKindExit,
  // Pairs and triples that run as one record while no breakpoint is set
  // and the stack is far from its limit; the record after keeps the plain
  // form of the last instruction, so a branch there or a slow case still
  // runs it alone.
  // One kind per operator, add to gt in the order above (bitwise unused).
  kKindConstOp,                                                 // push of a number constant, then a binary operator
  kKindLocalConstOp = kKindConstOp + (kKindGt - kKindAdd + 1),  // a plain local, a constant, an operator
  kKindArgumentConstOp = kKindLocalConstOp + (kKindGt - kKindAdd + 1),  // an argument slot, a constant, an operator
  // Two plain reads (each a local or an argument slot), then an operator.
  kKindValueValueOp = kKindArgumentConstOp + (kKindGt - kKindAdd + 1),
  // A plain read, one of the arithmetic triples above, then an operator on
  // the two values: five instructions.
  kKindValueTripleOp = kKindValueValueOp + (kKindGt - kKindAdd + 1),
  // A local, a text constant joined to it, stored back into the same local.
  kKindAppendLocal = kKindValueTripleOp + (kKindGt - kKindAdd + 1),
  // An element of one of self's variables named by a selector constant and
  // an index (a plain read or an arithmetic triple, then conv to int), read
  // or stored; `spare` is the distance to the push.v or pop.v.
  kKindSelfElementRead,
  kKindSelfElementWrite,
  // As kKindValueTripleOp with fused constant-operator pairs between the
  // triple and the operator (the pairs' operators are arithmetic on a real);
  // `target` holds the distance to the operator, kept in the operator's own
  // `spare` as its kind less kKindAdd.
  kKindValueChainOp,
  // A plain local, then a fused element (of self or of a local): the local
  // stored into the element, or read with the element and an arithmetic
  // operator on the two (pushed, or stored into a local popped right after).
  kKindLocalElementWrite,
  kKindLocalElementOp,
  // A plain local, a number constant added to it (or taken from it), the sum
  // stored back into that local, then a loop-head branch whose test reads
  // it: a counted loop's step, every link checked once at decode.
  kKindLocalStepAdd,
  kKindLocalStepSub,
  // A plain read (a local or an argument slot), a whole non-zero constant of
  // int32's range, mod: the divisor needs no checks at run time. It is also
  // an arithmetic triple wherever those are fused.
  kKindValueModWhole,
  // A plain local, an arithmetic triple, an arithmetic operator on the two,
  // the result popped back into that local (kKindValueTripleOp with the pop
  // checked once at decode): one kind per operator, add to mod. `target` is
  // 1 when the record after the pop is an unconditional branch, else 0.
  kKindLocalTripleStore,
  // kKindLocalElementOp whose result is popped back into the local read,
  // the pop checked once at decode; `target` as for the kinds above.
  kKindLocalElementStore = kKindLocalTripleStore + (kKindMod - kKindAdd + 1),
  // kKindLocalStepAdd whose test is `<` and whose branch leaves the loop
  // when that test fails: the commonest counted loop.
  kKindLocalStepBelow,
  // As kKindSelfElementRead and kKindSelfElementWrite for an element of a
  // local: the selector constant is local, and the push.v or pop.v's
  // `spare` is the local's number as plain locals have it. A store past
  // the end grows the array as the plain store would.
  kKindLocalArrayRead,
  kKindLocalArrayWrite,
  // An arithmetic triple (two plain reads, or a plain read and a constant)
  // whose value goes straight into a fused element store (of self or of a
  // local) that follows it; `target` is 1 for a constant, else 0.
  kKindTripleElementWrite,
  kKindCount,
};

struct VMUnit;

// What a script call found last: the callee's unit, valid while the count
// of code changes (g_codeVersion) is the one it was found under.
struct VMCallCache {
  uint64_t version = 0;
  const VMUnit* unit = nullptr;
};

struct VMRecord {
  uint8_t kind;
  uint8_t plain;  // the kind of the first instruction alone (fused records)
  uint8_t opcode;
  uint8_t t1;
  uint8_t t2;
  uint8_t expect1;  // the slot tags the types stand for (short lands as int)
  uint8_t expect2;
  uint8_t
      spare;   // argument records: the slot; plain locals: the number in the locals list's index; branches: kVMLoopHead
  int32_t at;  // byte offset of the instruction word
  int32_t next;    // byte offset after it (and its operand)
  int32_t target;  // branches and links: record index; -1 none
  uint32_t word;
  uint32_t operand;  // the first operand word (variable reference, id, index)
  int32_t id;        // variable id of a reference
  // Push constants; a fused local's constant as a double; the operator
  // record after a fused constant holds that constant as a double. Branches
  // and links hold the record they go to, so that going on there takes one
  // load rather than a load and the arithmetic of an index.
  union {
    double d;
    int64_t l;
    int32_t i;
    const char* text;
    const VMRecord* jump;
    VMCallCache* call;  // script calls: the form's cache of the callee
  } value;
};
// Every loop walks these records: a wider one slowed them all.
static_assert(sizeof(VMRecord) == 40);

// The mark of a branch whose target is a fused comparison of a local with a
// constant that a conditional branch follows: a loop's test.
constexpr uint8_t kVMLoopHead = 1;

struct VMDecoded;

// What the machine knows of the code it runs besides its records: the
// buffer, and the name, positions and text that errors, traces and
// breakpoints show. A script's unit lives on its decoded form, so a call
// switches code by one pointer.
struct VMUnit {
  const VMDecoded* decoded = nullptr;
  VMBuffer* code = nullptr;
  VMBuffer* debug = nullptr;
  const char* source = nullptr;
  const char* name = nullptr;
  const CCode* owner = nullptr;  // a script's code object; null for the code a machine starts with
};

// A buffer's decoded form, freed (with its records and call caches) by the
// buffer it hangs on.
struct VMDecoded final : VMDecodedForm {
  ~VMDecoded() override;
  const uint8_t* bytes = nullptr;  // the buffer's bytes and size decoded
  int32_t size = 0;
  const IVMStrings* strings = nullptr;
  VMRecord* records = nullptr;
  int32_t count = 0;
  int32_t argumentReach = 0;     // one past the highest argument slot a record reads straight
  VMCallCache* calls = nullptr;  // one per call record
  // Filled by the first call of the script whose buffer this is; only the
  // code object that owns the buffer runs it as a script.
  mutable VMUnit unit;
};

// The decoded form of the first `size` bytes of a buffer, made on first use
// and kept on the buffer until its bytes change or it is freed.
const VMDecoded* VM_Decoded(VMBuffer* code, int32_t size);

// The last form made, when it still fits; otherwise as VM_Decoded.
inline const VMDecoded* VM_DecodedFor(VMBuffer* code, int32_t size) {
  const auto* form = static_cast<const VMDecoded*>(code->decoded);
  if (form != nullptr && form->bytes == code->bytes && form->size == size) return form;
  return VM_Decoded(code, size);
}

#include "script/vm/vm_decode.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"
#include "script/vm/bytecode.h"
#include "script/vm/vm_slot.h"

namespace {

uint32_t WordAt(const uint8_t* p) {
  uint32_t word;
  std::memcpy(&word, p, 4);
  return word;  // little-endian host
}

uint8_t SlotTag(uint8_t type) { return type == kVMShort ? static_cast<uint8_t>(kSlotInt) : type; }

// Built-in variables of self without an index: never global, never local.
bool IsPlainBuiltin(uint32_t word, uint32_t ref) {
  int32_t selector = VM_Data(word);
  return VM_IsDirectReference(ref) && (selector == kInstanceSelf || selector == kInstanceNotSpecified) &&
         static_cast<int32_t>(ref & kVMRefIdMask) < kFirstInstanceVariableId;
}

// The slot a built-in variable named argument0 ... argument15 reads, -1 for
// any other: the machine reads the slot itself.
int32_t ArgumentSlot(uint32_t ref) { return Variable_BuiltIn_ArgumentSlot(static_cast<int32_t>(ref & kVMRefIdMask)); }

// A reference that may reach self's own variables (selector and index may
// come from the stack).
bool MayBeSelf(uint32_t ref) {
  return (ref & kVMRefInstanceId) == 0 && static_cast<int32_t>(ref & kVMRefIdMask) >= kFirstInstanceVariableId;
}

uint8_t OperatorKind(uint8_t opcode) {
  switch (opcode) {
    case kOpAdd: return kKindAdd;
    case kOpSub: return kKindSub;
    case kOpMul: return kKindMul;
    case kOpDiv: return kKindDiv;
    case kOpRem: return kKindRem;
    case kOpMod: return kKindMod;
    case kOpAnd:
    case kOpOr:
    case kOpXor:
    case kOpShl:
    case kOpShr: return kKindBitwise;
    case kOpSlt: return kKindLt;
    case kOpSle: return kKindLe;
    case kOpSeq: return kKindEq;
    case kOpSne: return kKindNe;
    case kOpSge: return kKindGe;
    case kOpSgt: return kKindGt;
    default: return kKindNop;
  }
}

uint8_t PushKind(uint8_t t1, uint32_t word, uint32_t operand, const IVMStrings* strings) {
  switch (t1) {
    case kVMDouble: return kKindPushDouble;
    case kVMLong: return kKindPushLong;
    case kVMInt:
    case kVMShort: return kKindPushInt;
    case kVMBool: return kKindPushBool;
    case kVMString: return strings != nullptr ? kKindPushPoolString : kKindPushGameString;
    case kVMVariant:
      return VM_IsPlainLocal(word, operand)  ? kKindPushLocal
             : IsPlainBuiltin(word, operand) ? (ArgumentSlot(operand) >= 0 ? kKindPushArgument : kKindPushBuiltin)
             : MayBeSelf(operand)            ? kKindPushSelf
                                             : kKindPushVariable;
    default: return kKindPushBad;
  }
}

class Decoder {
 public:
  Decoder(const uint8_t* bytes, int32_t size, const IVMStrings* strings)
      : bytes_(bytes), size_(size), strings_(strings), recordAt_(static_cast<size_t>(size / 4 + 1), -1) {}

  void Run() {
    pending_.push_back(0);
    while (!pending_.empty()) {
      int32_t start = pending_.back();
      pending_.pop_back();
      if (recordAt_[static_cast<size_t>(start / 4)] < 0) DecodeChain(start);
    }
    for (VMRecord& record : records_) {
      if (record.target >= 0 && record.kind != kKindLink)
        record.target = recordAt_[static_cast<size_t>(record.target / 4)];
    }
    NumberLocals();
    Fuse();
  }

  std::vector<VMRecord> records_;

 private:
  VMRecord& Add(uint8_t kind, int32_t at) {
    VMRecord record{};
    record.kind = kind;
    record.plain = kind;
    record.at = at;
    record.next = at;
    record.target = -1;
    records_.push_back(record);
    return records_.back();
  }

  // Decodes from `pc` until the code's end, a cut-short word, or a byte
  // already decoded.
  void DecodeChain(int32_t pc) {
    for (;;) {
      if (pc >= size_) {
        recordAt_[static_cast<size_t>(pc / 4)] = static_cast<int32_t>(records_.size());
        Add(kKindEnd, pc);
        return;
      }
      int32_t known = recordAt_[static_cast<size_t>(pc / 4)];
      if (known >= 0) {
        Add(kKindLink, pc).target = known;
        return;
      }
      recordAt_[static_cast<size_t>(pc / 4)] = static_cast<int32_t>(records_.size());
      if (pc + 4 > size_) {
        Add(kKindMalformed, pc);
        return;
      }
      uint32_t word = WordAt(bytes_ + pc);
      uint8_t opcode = VM_Opcode(word);
      int32_t length = 4;
      if ((opcode & kVMHasOperand) != 0) length += VM_OperandSize(VM_Type1(word));
      if (pc + length > size_) {
        Add(kKindMalformed, pc);
        return;
      }
      DecodeOne(pc, word, length);
      pc += length;
    }
  }

  void DecodeOne(int32_t pc, uint32_t word, int32_t length) {
    uint8_t opcode = VM_Opcode(word);
    VMRecord& record = Add(kKindNop, pc);
    record.next = pc + length;
    record.word = word;
    record.opcode = opcode;
    record.t1 = VM_Type1(word);
    record.t2 = VM_Type2(word);
    record.expect1 = SlotTag(record.t1);
    record.expect2 = SlotTag(record.t2);
    const uint8_t* operand = bytes_ + pc + 4;
    if (length >= 8) record.operand = WordAt(operand);
    record.id = static_cast<int32_t>(record.operand & kVMRefIdMask);
    record.kind = KindOf(record, operand);
    record.plain = record.kind;
  }

  uint8_t KindOf(VMRecord& record, const uint8_t* operand) {
    switch (record.opcode) {
      case kOpConv: return kKindConv;
      case kOpNeg:
      case kOpNot: return kKindUnary;
      case kOpPush: return PushOf(record, operand);
      case kOpPop:
        return record.t1 != kVMVariant                        ? kKindPopBad
               : VM_IsPlainLocal(record.word, record.operand) ? kKindPopLocal
               : MayBeSelf(record.operand)                    ? kKindPopSelf
                                                              : kKindPopVariable;
      case kOpDup: return kKindDup;
      case kOpPopz: return kKindPopz;
      case kOpB:
      case kOpBt:
      case kOpBf: return BranchOf(record);
      case kOpPushEnv:
      case kOpPopEnv: return EnvOf(record);
      case kOpCall: return record.t1 != kVMInt ? kKindCallBad : kKindCall;
      case kOpRet: return kKindRet;
      case kOpExit: return kKindExit;
      default: return OperatorKind(record.opcode);
    }
  }

  uint8_t PushOf(VMRecord& record, const uint8_t* operand) {
    uint8_t kind = PushKind(record.t1, record.word, record.operand, strings_);
    switch (kind) {
      case kKindPushDouble: std::memcpy(&record.value.d, operand, 8); break;
      case kKindPushLong: std::memcpy(&record.value.l, operand, 8); break;
      case kKindPushInt:
        record.value.i =
            record.t1 == kVMShort ? static_cast<int16_t>(record.word & 0xFFFF) : static_cast<int32_t>(record.operand);
        break;
      case kKindPushBool: record.value.i = record.operand != 0 ? 1 : 0; break;
      case kKindPushPoolString: record.value.text = strings_->Text(static_cast<int32_t>(record.operand)); break;
      case kKindPushArgument: record.spare = static_cast<uint8_t>(ArgumentSlot(record.operand)); break;
      default: break;
    }
    return kind;
  }

  uint8_t BranchOf(VMRecord& record) {
    int32_t target = record.at + 4 * VM_BranchOffset(record.word);
    if (target < 0 || target > size_) return kKindBadBranch;
    Target(record, target);
    return record.opcode == kOpB ? kKindBranch : record.opcode == kOpBt ? kKindBranchTrue : kKindBranchFalse;
  }

  // A with loop's target must lie inside the code; -1 marks one that does not
  // (the close form has none), for the handler to report.
  uint8_t EnvOf(VMRecord& record) {
    int32_t target = record.at + 4 * VM_BranchOffset(record.word);
    bool inside = target >= 0 && target < size_;
    if (inside && record.word != kVMWithClose) Target(record, target);
    return record.opcode == kOpPushEnv ? kKindPushEnv : kKindPopEnv;
  }

  void Target(VMRecord& record, int32_t target) {
    record.target = target;  // a byte offset until Run() maps it
    pending_.push_back(target);
  }

  // Gives each local name of the code its number in the locals list's index
  // (`spare` of its push and pop records), plain reads and stores first, in
  // the order first met; names past the index's size share the number it
  // never keeps.
  void NumberLocals() {
    for (VMRecord& record : records_) {
      if (record.kind == kKindPushLocal || record.kind == kKindPopLocal) record.spare = LocalNumber(record.id);
    }
  }

  uint8_t LocalNumber(int32_t id) {
    size_t slot = 0;
    while (slot < localNames_.size() && localNames_[slot] != id) ++slot;
    if (slot == localNames_.size() && localNames_.size() < CVariableList::kSlots - 1) localNames_.push_back(id);
    return static_cast<uint8_t>(std::min(slot, static_cast<size_t>(CVariableList::kSlots - 1)));
  }

  bool IsNumberConstant(const VMRecord& record) const {
    return record.kind == kKindPushInt || record.kind == kKindPushDouble;
  }

  // An operator the fused forms work: real arithmetic and comparisons with a
  // number constant on the right and a variant or double on the left.
  static bool FusableOperator(const VMRecord& push, const VMRecord& op, uint8_t left) {
    if (op.kind < kKindAdd || op.kind > kKindGt || op.kind == kKindBitwise) return false;
    uint8_t right = push.kind == kKindPushDouble ? static_cast<uint8_t>(kSlotDouble) : static_cast<uint8_t>(kSlotInt);
    return op.expect1 == right && op.expect2 == left && (left == kSlotVariant || left == kSlotDouble);
  }

  // Consecutive records of one chain are consecutive instructions.
  bool Follows(size_t first, size_t second) const {
    return second < records_.size() && records_[second].at == records_[first].next &&
           records_[first].next != records_[first].at && records_[second].kind != kKindLink &&
           records_[second].kind != kKindEnd && records_[second].kind != kKindMalformed;
  }

  static double ConstantOf(const VMRecord& push) {
    return push.kind == kKindPushDouble ? push.value.d : static_cast<double>(push.value.i);
  }

  // A whole number of int32's range other than zero (of either sign).
  static bool IsWholeDivisor(double constant) {
    return constant >= INT32_MIN && constant <= INT32_MAX && constant != 0 &&
           static_cast<double>(static_cast<int32_t>(constant)) == constant;
  }

  static bool IsPlainRead(const VMRecord& record) {
    return record.kind == kKindPushLocal || record.kind == kKindPushArgument;
  }

  // An operator on two variants the fused two-value form works.
  static bool FusableOnVariants(const VMRecord& op) {
    return op.kind >= kKindAdd && op.kind <= kKindGt && op.kind != kKindBitwise && op.expect1 == kSlotVariant &&
           op.expect2 == kSlotVariant;
  }

  void Fuse() {
    for (size_t i = 0; i + 1 < records_.size(); ++i) {
      VMRecord& first = records_[i];
      if (IsPlainRead(first) && i + 2 < records_.size() && Follows(i, i + 1) && Follows(i + 1, i + 2) &&
          IsPlainRead(records_[i + 1]) && FusableOnVariants(records_[i + 2])) {
        first.kind = static_cast<uint8_t>(kKindValueValueOp + records_[i + 2].kind - kKindAdd);
      } else if (IsPlainRead(first) && i + 2 < records_.size() && Follows(i, i + 1) && Follows(i + 1, i + 2) &&
                 IsNumberConstant(records_[i + 1]) && FusableOperator(records_[i + 1], records_[i + 2], kSlotVariant)) {
        int32_t family = first.kind == kKindPushLocal ? kKindLocalConstOp : kKindArgumentConstOp;
        first.kind = static_cast<uint8_t>(family + records_[i + 2].kind - kKindAdd);
        first.value.d = ConstantOf(records_[i + 1]);
        if (records_[i + 2].kind == kKindMod && IsWholeDivisor(first.value.d)) first.kind = kKindValueModWhole;
      } else if (IsNumberConstant(first) && Follows(i, i + 1) &&
                 FusableOperator(first, records_[i + 1], records_[i + 1].expect2)) {
        records_[i + 1].value.d = ConstantOf(first);
        first.kind = static_cast<uint8_t>(kKindConstOp + records_[i + 1].kind - kKindAdd);
      }
    }
    // A read left plain whose next records make an arithmetic triple, then
    // an operator on the two values.
    for (size_t i = 0; i + 4 < records_.size(); ++i) {
      if (IsPlainRead(records_[i]) && IsArithmeticTriple(records_[i + 1]) && Follows(i, i + 1) &&
          Follows(i + 1, i + 2) && Follows(i + 2, i + 3) && Follows(i + 3, i + 4) && FusableOnVariants(records_[i + 4]))
        records_[i].kind = static_cast<uint8_t>(kKindValueTripleOp + records_[i + 4].kind - kKindAdd);
      else if (size_t op = ChainOp(i); op != 0) {
        records_[i].kind = kKindValueChainOp;
        records_[i].target = static_cast<int32_t>(op - i);
      } else if (IsAppend(i))
        records_[i].kind = kKindAppendLocal;
      else
        FuseSelfElement(i);
    }
    for (size_t i = 0; i + 1 < records_.size(); ++i) FuseLocalElement(i);
    for (size_t i = 0; i + 3 < records_.size(); ++i) FuseTripleElement(i);
  }

  // An arithmetic triple of two reads or of a read and a constant, then a
  // fused element store. No other fused record reads this triple: those
  // find an operator, a constant or a conv after it.
  void FuseTripleElement(size_t i) {
    VMRecord& first = records_[i];
    uint8_t element = records_[i + 3].kind;
    if (element != kKindSelfElementWrite && element != kKindLocalArrayWrite) return;
    bool constant = false;
    if (IsFamily(first, kKindLocalConstOp) || IsFamily(first, kKindArgumentConstOp))
      constant = true;
    else if (!IsFamily(first, kKindValueValueOp))
      return;
    for (size_t k = i; k < i + 3; ++k)
      if (!Follows(k, k + 1)) return;
    first.target = constant ? 1 : 0;
    first.kind = kKindTripleElementWrite;
  }

  // push.v of a local, then a fused element of self: a store of the local
  // into it, or a read followed by an arithmetic operator on two variants.
  void FuseLocalElement(size_t i) {
    VMRecord& first = records_[i];
    if (first.kind != kKindPushLocal || !Follows(i, i + 1)) return;
    const VMRecord& element = records_[i + 1];
    if (element.kind == kKindSelfElementWrite || element.kind == kKindLocalArrayWrite) {
      first.kind = kKindLocalElementWrite;
      return;
    }
    if (element.kind != kKindSelfElementRead && element.kind != kKindLocalArrayRead) return;
    size_t operation = i + 2 + element.spare;
    if (operation >= records_.size() || !Follows(operation - 1, operation) || !FusableOnVariants(records_[operation]) ||
        records_[operation].kind > kKindMod)
      return;
    first.kind = kKindLocalElementOp;
  }

  // push.e of a selector, an index read or computed then made an int, and
  // the push.v or pop.v of an element of a variable that may be self's or,
  // with the local selector, of a local.
  void FuseSelfElement(size_t i) {
    VMRecord& first = records_[i];
    if (first.kind != kKindPushInt || i + 3 >= records_.size() || !Follows(i, i + 1)) return;
    size_t conv = IsPlainRead(records_[i + 1]) ? i + 2 : IsArithmeticTriple(records_[i + 1]) ? i + 4 : 0;
    if (conv == 0 || conv + 1 >= records_.size()) return;
    for (size_t k = i + 1; k <= conv; ++k)
      if (!Follows(k, k + 1)) return;
    const VMRecord& to = records_[conv];
    VMRecord& access = records_[conv + 1];
    if (to.kind != kKindConv || to.expect1 != kSlotVariant || to.t2 != kSlotInt) return;
    constexpr uint32_t kStackOperands = kVMRefNoIndex | kVMRefSelectorInWord | kVMRefInstanceId;
    if ((access.operand & kStackOperands) != 0) return;
    // A local's name may also be one of the built-in variables' (then its
    // push and pop are not marked as self's).
    bool local = first.value.i == kInstanceLocal;
    bool reads = access.kind == kKindPushSelf || (local && access.kind == kKindPushVariable);
    bool stores =
        (access.kind == kKindPopSelf || (local && access.kind == kKindPopVariable)) && access.expect2 == kSlotVariant;
    if (!reads && !stores) return;
    if (local) {
      access.spare = LocalNumber(access.id);
      first.kind = reads ? kKindLocalArrayRead : kKindLocalArrayWrite;
    } else {
      first.kind = reads ? kKindSelfElementRead : kKindSelfElementWrite;
    }
    first.spare = static_cast<uint8_t>(conv + 1 - i);
  }

  // push.v of a local, push.s, add.s.v, pop.v.v into the same local.
  bool IsAppend(size_t i) const {
    const VMRecord* run = &records_[i];
    return i + 3 < records_.size() && run[0].kind == kKindPushLocal &&
           (run[1].kind == kKindPushPoolString || run[1].kind == kKindPushGameString) && run[2].kind == kKindAdd &&
           run[2].expect1 == kSlotString && run[2].expect2 == kSlotVariant && run[3].kind == kKindPopLocal &&
           run[3].expect2 == kSlotVariant && run[3].id == run[0].id && Follows(i, i + 1) && Follows(i + 1, i + 2) &&
           Follows(i + 2, i + 3);
  }

  // A plain read, an arithmetic triple, one or more fused pairs of a number
  // constant and an arithmetic operator on a real, then an arithmetic
  // operator on two variants: where that operator lies, else 0.
  size_t ChainOp(size_t i) const {
    if (!IsPlainRead(records_[i]) || i + 1 >= records_.size() || !IsArithmeticTriple(records_[i + 1])) return 0;
    size_t at = i + 4;
    for (size_t k = i; k < at; ++k)
      if (!Follows(k, k + 1)) return 0;
    size_t pairs = 0;
    while (at + 1 < records_.size() && records_[at].kind >= kKindConstOp &&
           records_[at].kind <= kKindConstOp + (kKindMod - kKindAdd) && records_[at + 1].expect2 == kSlotVariant &&
           Follows(at, at + 1) && Follows(at + 1, at + 2)) {
      at += 2;
      ++pairs;
    }
    if (pairs == 0 || at >= records_.size() || !FusableOnVariants(records_[at]) || records_[at].kind > kKindMod)
      return 0;
    return at;
  }

  // A fused triple that leaves a real: arithmetic, not a comparison.
  static bool IsArithmeticTriple(const VMRecord& record) {
    return record.kind == kKindValueModWhole || IsFamily(record, kKindLocalConstOp) ||
           IsFamily(record, kKindArgumentConstOp) || IsFamily(record, kKindValueValueOp);
  }

  // One of a family's arithmetic kinds, add to mod.
  static bool IsFamily(const VMRecord& record, int32_t family) {
    return record.kind >= family && record.kind <= family + (kKindMod - kKindAdd);
  }

  const uint8_t* bytes_;
  int32_t size_;
  const IVMStrings* strings_;
  std::vector<int32_t> recordAt_;  // by word: the record of the instruction starting there
  std::vector<int32_t> pending_;
  std::vector<int32_t> localNames_;  // by number
};

// A fused local-constant add or subtract whose sum goes back into the same
// local, then a marked branch to a test of that local, becomes a loop step:
// the step's record then need not look at the records after it again.
void MarkLoopStep(VMRecord* step) {
  bool adds = step->kind == kKindLocalConstOp + (kKindAdd - kKindAdd);
  bool subtracts = step->kind == kKindLocalConstOp + (kKindSub - kKindAdd);
  if ((!adds && !subtracts) || step->plain != kKindPushLocal) return;
  const VMRecord& store = step[3];
  const VMRecord& branch = step[4];
  if (store.kind != kKindPopLocal || store.expect2 != kSlotVariant || store.id != step->id ||
      store.at != step[2].next || branch.at != store.next || branch.kind != kKindBranch ||
      branch.spare != kVMLoopHead || branch.value.jump->id != step->id)
    return;
  step->kind = adds ? kKindLocalStepAdd : kKindLocalStepSub;
  const VMRecord* head = branch.value.jump;
  if (adds && head->kind == kKindLocalConstOp + (kKindLt - kKindAdd) && head[3].kind == kKindBranchFalse)
    step->kind = kKindLocalStepBelow;
}

// A plain local read, fused with what follows up to an arithmetic operator
// (`operation` records on), whose result is popped straight back into that
// local: the pop's checks are made here, once, and the record gets `kind`.
void MarkStoreBack(VMRecord* first, const VMRecord* end, int32_t operation, int32_t kind) {
  // A chain never ends in a pop, so a record follows one.
  if (first->plain != kKindPushLocal || end - first < operation + 3) return;
  const VMRecord& store = first[operation + 1];
  if (store.kind != kKindPopLocal || store.expect2 != kSlotVariant || store.id != first->id ||
      store.at != first[operation].next)
    return;
  first->target = first[operation + 2].kind == kKindBranch ? 1 : 0;
  first->kind = static_cast<uint8_t>(kind);
}

void MarkStoreBack(VMRecord* first, const VMRecord* end) {
  if (first->kind >= kKindValueTripleOp && first->kind <= kKindValueTripleOp + (kKindMod - kKindAdd))
    MarkStoreBack(first, end, 4, kKindLocalTripleStore + first->kind - kKindValueTripleOp);
  else if (first->kind == kKindLocalElementOp)
    MarkStoreBack(first, end, first[1].spare + 2, kKindLocalElementStore);
}

VMDecoded* Decode(VMBuffer* code, int32_t size) {
  auto* form = new VMDecoded();
  form->bytes = code->bytes;
  form->size = size;
  form->strings = VM_CodeStrings(code);
  Decoder decoder(code->bytes, size, form->strings);
  decoder.Run();
  form->count = static_cast<int32_t>(decoder.records_.size());
  form->records = new VMRecord[static_cast<size_t>(form->count)];
  std::memcpy(form->records, decoder.records_.data(), sizeof(VMRecord) * static_cast<size_t>(form->count));
  int32_t calls = 0;
  for (int32_t i = 0; i < form->count; ++i) calls += form->records[i].kind == kKindCall ? 1 : 0;
  if (calls > 0) form->calls = new VMCallCache[static_cast<size_t>(calls)];
  for (int32_t i = 0, call = 0; i < form->count; ++i) {
    VMRecord& record = form->records[i];
    if (record.kind == kKindCall) record.value.call = &form->calls[call++];
    if (record.plain == kKindPushArgument) form->argumentReach = std::max(form->argumentReach, record.spare + 1);
    bool jumps = record.kind == kKindLink || record.kind == kKindBranch || record.kind == kKindBranchTrue ||
                 record.kind == kKindBranchFalse;
    if (jumps && record.target >= 0 && record.target < form->count) record.value.jump = form->records + record.target;
  }
  for (int32_t i = 0; i < form->count; ++i) {
    VMRecord& record = form->records[i];
    if (record.kind != kKindBranch || record.value.jump == nullptr) continue;
    const VMRecord* head = record.value.jump;
    bool compares = head->kind >= kKindLocalConstOp + (kKindLt - kKindAdd) &&
                    head->kind <= kKindLocalConstOp + (kKindGt - kKindAdd);
    if (compares && head + 3 < form->records + form->count &&
        (head[3].kind == kKindBranchFalse || head[3].kind == kKindBranchTrue))
      record.spare = kVMLoopHead;
  }
  for (int32_t i = 0; i + 4 < form->count; ++i) MarkLoopStep(form->records + i);
  for (int32_t i = 0; i < form->count; ++i) MarkStoreBack(form->records + i, form->records + form->count);
  return form;
}

}  // namespace

const VMDecoded* VM_Decoded(VMBuffer* code, int32_t size) {
  for (VMDecodedForm* older = code->decoded; older != nullptr; older = older->older) {
    const auto* form = static_cast<const VMDecoded*>(older);
    if (form->bytes == code->bytes && form->size == size) return form;
  }
  // Forms of older bytes stay until the buffer goes: a caller further out
  // may still be running one.
  VMDecoded* form = Decode(code, size);
  form->older = code->decoded;
  code->decoded = form;
  return form;
}

VMDecoded::~VMDecoded() {
  delete[] records;
  delete[] calls;
}

// The machine's dispatch loop, one function over every record kind, with the
// reads and stores of variables it falls back on.
#include "script/vm/vm.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/numeric.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "script/vm/breakpoints.h"
#include "script/vm/vm_fast.h"
#include "script/vm/vm_internal.h"
#include "script/vm/vm_operators.h"

namespace machine {

namespace {

const char* NoStrings(const VMBuffer*, int32_t) { return nullptr; }

inline bool TagIs(const VMSlot& slot, uint8_t type) {
  return slot.type == (type == kSlotShort ? static_cast<int32_t>(kSlotInt) : static_cast<int32_t>(type));
}

// Element `index` (not negative) of a variable where it lies; null when the
// array does not reach it.
__attribute__((always_inline)) inline ScriptValue* ExistingElement(VariableNode* node, int32_t index) {
  // The commonest first: an element of the first row.
  if (static_cast<uint32_t>(index - 1) < CVariableList::kRowStride - 1) {
    if (node->rowCount == 0 || index >= node->rows[0].length) return nullptr;
    return &node->rows[0].items[index];
  }
  if (index == 0) return &node->value;
  int32_t row, column;
  Variable_SplitIndex(index, &row, &column);
  if (row >= node->rowCount || column >= node->rows[row].length) return nullptr;
  return &node->rows[row].items[column];
}

[[gnu::noinline]] ScriptValue* GrownElement(VariableNode* node, int32_t index) {
  int32_t row, column;
  Variable_SplitIndex(index, &row, &column);
  return VariableNode_Reach(node, row, column);
}

// A value the fast paths read as a real: a real without text.
inline bool IsPlainReal(const ScriptValue* value) {
  return value != nullptr && value->kind == kValueReal && value->text == nullptr;
}
inline bool IsPlainReal(const VMSlot& slot) { return slot.kind == kValueReal && slot.text == nullptr; }

// Stores a real over a value, freeing any text it held only afterwards, so
// that nothing waits in memory across the call.
__attribute__((always_inline)) inline void StoreReal(ScriptValue* target, double value) {
  char* old = target->kind == kValueString ? target->text : nullptr;
  *target = ScriptValue{kValueReal, nullptr, value};
  if (old != nullptr) MemoryManager::Free(old);
}

inline void PushBorrowed(VMSlot* slot, const char* text) {
  slot->type = kSlotString;
  slot->kind = 0;  // borrowed from the code's strings
  slot->text = const_cast<char*>(text);
  slot->l = 0;
}

}  // namespace

VMStringSource g_strings = NoStrings;

// The value a plain local or argument push reads; null: no such local.
inline const ScriptValue* Machine::PlainRead(const VMRecord& push) {
  if (push.plain == kKindPushArgument) return Argument(push.spare);
  const VariableNode* node = Locals()->Find(push.spare, push.id);
  return node != nullptr ? &node->value : nullptr;
}

inline ScriptValue* Machine::LocalValue(const VMRecord& local) {
  VariableNode* node = Locals()->Find(local.spare, local.id);
  return node != nullptr ? &node->value : nullptr;
}

inline bool Machine::ElementIndex(const VMRecord* element, double* at) {
  if (element->spare != 3) return TripleValue(element + 1, at);
  const ScriptValue* read = PlainRead(element[1]);
  if (!IsPlainReal(read)) return false;
  *at = read->real;
  return true;
}

inline ScriptValue* Machine::ElementOf(const VMRecord* element, double at) {
  const VMRecord& access = element[element->spare];
  int32_t index = VMFast_TruncInt32(at);
  if (element->kind < kKindLocalArrayRead) return SelfElementAt(access, element->value.i, index);
  return LocalElementAt(access, index, element->kind == kKindLocalArrayWrite);
}

inline ScriptValue* Machine::LocalElementAt(const VMRecord& access, int32_t index, bool grow) {
  if (index < 0) return nullptr;
  VariableNode* node = Locals()->Find(access.spare, access.id);
  if (node == nullptr) return nullptr;
  ScriptValue* element = ExistingElement(node, index);
  if (element == nullptr && grow) element = GrownElement(node, index);
  return element;
}

inline bool Machine::TripleValue(const VMRecord* triple, double* out) {
  int32_t fused = triple->kind;
  const ScriptValue* left = PlainRead(triple[0]);
  double right;
  int32_t kind;
  if (fused == kKindValueModWhole) {
    if (!IsPlainReal(left)) return false;
    *out = VMFast_ModBy(left->real, static_cast<int32_t>(triple->value.d), triple->value.d);
    return true;
  }
  if (fused >= kKindValueValueOp) {
    const ScriptValue* second = PlainRead(triple[1]);
    if (!IsPlainReal(second)) return false;
    right = second->real;
    kind = fused - kKindValueValueOp;
  } else {
    right = triple->value.d;
    kind = fused - (triple->plain == kKindPushLocal ? kKindLocalConstOp : kKindArgumentConstOp);
  }
  return IsPlainReal(left) && VMFast_Arith(static_cast<uint8_t>(kKindAdd + kind), left->real, right, out);
}

// The existing element a reference to one of self's own variables names,
// read without popping: `rest` is where the stack ends once the selector and
// index are taken. Null sends the reference down the full path: another
// instance, a built-in or global variable, an element that does not exist.
inline ScriptValue* Machine::SelfElement(const VMRecord& op, VMSlot* sp, VMSlot** rest) {
  uint32_t ref = op.operand;
  if ((ref & kVMRefInstanceId) != 0 || op.id < kFirstInstanceVariableId) return nullptr;
  VMSlot* bottom = bottom_;
  int32_t index = 0, selector;
  if ((ref & kVMRefNoIndex) == 0) {
    if (sp <= bottom || sp[-1].type != kSlotInt) return nullptr;
    index = (--sp)->i;
  }
  if ((ref & kVMRefSelectorInWord) != 0) {
    selector = static_cast<int16_t>(op.word & 0xFFFF);
  } else {
    if (sp <= bottom || sp[-1].type != kSlotInt) return nullptr;
    selector = (--sp)->i;
  }
  ScriptValue* element = SelfElementAt(op, selector, index);
  if (element != nullptr) *rest = sp;
  return element;
}

// The same for a selector and index already at hand.
inline ScriptValue* Machine::SelfElementAt(const VMRecord& op, int32_t selector, int32_t index) {
  if (index < 0 || (selector != kInstanceSelf && (selector != kInstanceNotSpecified || GlobalScope_Flag(op.id) != 0)))
    return nullptr;
  VariableNode* node = FindSelfNode(op.id);
  return node != nullptr ? ExistingElement(node, index) : nullptr;
}

inline VariableNode* Machine::FindSelfNode(int32_t id) {
  const SelfNodeCache& cache = selfNode_;
  // Only found nodes are kept, so a match is never a stale miss.
  if (cache.id == id && cache.self == self_ && cache.returns == g_variableNodeReturns &&
      cache.worldInstalls == g_worldSeamInstalls)
    return cache.node;
  return FindSelfNodeUncached(id);
}

#define VM_FAIL(message) \
  do {                   \
    errorPc_ = op->at;   \
    Fail(message);       \
    goto stop;           \
  } while (0)

#define VM_NEED(n)                              \
  do {                                          \
    if (sp - bottom < (n)) VM_FAIL(kMalformed); \
  } while (0)

// Each handler ends by jumping straight to the next record's handler. While
// a breakpoint is set or the stack nears its limit, every record passes
// through `slow` first, which runs the per-instruction checks and then the
// record's first instruction alone.
#define VM_DISPATCH()                                                            \
  do {                                                                           \
    if (__builtin_expect(reinterpret_cast<uintptr_t>(sp) > limit, 0)) goto slow; \
    goto* kHandlers[op->kind];                                                   \
  } while (0)
// Helpers that move the stack pointer get a copy of it, so that the loop's
// own pointer never has its address taken and stays in a register.
#define VM_MOVING_SP(call) \
  ([&] {                   \
    VMSlot* moved = sp;    \
    bool ok = (call);      \
    sp = moved;            \
    return ok;             \
  }())
#define VM_NEXT(n) \
  do {             \
    op += (n);     \
    VM_DISPATCH(); \
  } while (0)
// After a call enters a script or a script returns, the loop goes on in
// the other code, from values at hand rather than the state just stored.
#define VM_RESUME(resume)      \
  do {                         \
    Resume resumed = (resume); \
    sp = resumed.sp;           \
    bottom = resumed.bottom;   \
    op = resumed.op;           \
    limit = resumed.limit;     \
    VM_DISPATCH();             \
  } while (0)

bool Machine::Run(ScriptValue* result) {
  static void* const kHandlers[kKindCount] = {
      &&end,
      &&link,
      &&malformed,
      &&nop,
      &&add,
      &&sub,
      &&mul,
      &&div,
      &&rem,
      &&mod,
      &&bitwise,
      &&lt,
      &&le,
      &&eq,
      &&ne,
      &&ge,
      &&gt,
      &&unary,
      &&conv,
      &&pushDouble,
      &&pushLong,
      &&pushInt,
      &&pushBool,
      &&pushPoolString,
      &&pushGameString,
      &&pushLocal,
      &&pushBuiltin,
      &&pushArgument,
      &&pushSelf,
      &&pushVariable,
      &&pushBad,
      &&popLocal,
      &&popSelf,
      &&popVariable,
      &&popBad,
      &&dup,
      &&popz,
      &&branch,
      &&branchTrue,
      &&branchFalse,
      &&badBranch,
      &&pushEnv,
      &&popEnv,
      &&call,
      &&callBad,
      &&ret,
      &&exit,
      &&constAdd,
      &&constSub,
      &&constMul,
      &&constDiv,
      &&constRem,
      &&constMod,
      &&malformed,
      &&constLt,
      &&constLe,
      &&constEq,
      &&constNe,
      &&constGe,
      &&constGt,
      &&localAdd,
      &&localSub,
      &&localMul,
      &&localDiv,
      &&localRem,
      &&localMod,
      &&malformed,
      &&localLt,
      &&localLe,
      &&localEq,
      &&localNe,
      &&localGe,
      &&localGt,
      &&argumentAdd,
      &&argumentSub,
      &&argumentMul,
      &&argumentDiv,
      &&argumentRem,
      &&argumentMod,
      &&malformed,
      &&argumentLt,
      &&argumentLe,
      &&argumentEq,
      &&argumentNe,
      &&argumentGe,
      &&argumentGt,
      &&twoAdd,
      &&twoSub,
      &&twoMul,
      &&twoDiv,
      &&twoRem,
      &&twoMod,
      &&malformed,
      &&twoLt,
      &&twoLe,
      &&twoEq,
      &&twoNe,
      &&twoGe,
      &&twoGt,
      &&tripleAdd,
      &&tripleSub,
      &&tripleMul,
      &&tripleDiv,
      &&tripleRem,
      &&tripleMod,
      &&malformed,
      &&tripleLt,
      &&tripleLe,
      &&tripleEq,
      &&tripleNe,
      &&tripleGe,
      &&tripleGt,
      &&appendLocal,
      &&selfElementRead,
      &&selfElementWrite,
      &&valueChainOp,
      &&localElementWrite,
      &&localElementOp,
      &&localStepAdd,
      &&localStepSub,
      &&valueModWhole,
      &&tripleStoreAdd,
      &&tripleStoreSub,
      &&tripleStoreMul,
      &&tripleStoreDiv,
      &&tripleStoreRem,
      &&tripleStoreMod,
      &&localElementStore,
      &&localStepBelow,
      &&localArrayRead,
      &&localArrayWrite,
      &&tripleElementWrite,
  };
  static_assert(sizeof kHandlers / sizeof kHandlers[0] == kKindCount);
  VMSlot* sp = stack_.slots;
  breakpoints_ = VM_BreakpointCount() > 0;
  if (stack_.limitsForBreakpoints != breakpoints_) {
    // Limits made with breakpoints set or without do not serve the other way.
    for (int32_t i = 0; i < stack_.frameCapacity; ++i) stack_.frames[i].room = INT32_MIN;
    stack_.limitsForBreakpoints = breakpoints_;
  }
  frame_ = stack_.frames;
  VMFrame& top = *frame_;
  const VMRecord* records = top_.decoded->records;
  top.code = VMCodeState{&top_, records, nullptr, 0};
  locals_ = top.locals = &g_noLocals;
  top.argumentsAt = g_arguments;
  bottom_ = top.bottom = stack_.slots;
  top.withBase = 0;
  UpdateSoftLimit();
  const VMRecord* op = records;
  VMSlot* bottom = bottom_;
  uintptr_t limit = top.softLimit;  // the running code's soft limit, kept in a register
  VM_DISPATCH();

slow:
  if (op->kind != kKindEnd && op->kind != kKindLink) {
    if (sp > frame_->overflowLimit && !CheckOverflow(sp)) goto stop;
    if (breakpoints_) {
      VMCodeState& code = frame_->code;
      VMSourcePlace place;
      code.line = FindPair(code.unit->debug, op->at, &place) ? VM_SourceLine(code.unit->source, place) : -1;
      if (VM_BreakpointMatches(code.unit->name, code.line)) VM_BreakpointBreak();
    }
  }
  goto* kHandlers[op->plain];

end:
  if (depth_ == 0) goto done;
  VM_RESUME(LeaveScript(sp, nullptr));
link:
  op = op->value.jump;
  VM_DISPATCH();
malformed:
  VM_FAIL(kMalformed);
nop:
  VM_NEXT(1);

// Goes on `n` records later, or straight to the target of an unconditional
// branch found there; with breakpoints set (limit 0) every record runs.
#define VM_NEXT_OR_BRANCH(n)                       \
  do {                                             \
    if (op[n].kind == kKindBranch && limit != 0) { \
      op = op[n].value.jump;                       \
      VM_DISPATCH();                               \
    }                                              \
    VM_NEXT(n);                                    \
  } while (0)

// A local just given a plain real, then a branch back to a fused comparison
// of that local with a constant that a conditional branch follows (a loop's
// step and test; the decoder marks such branches): the comparison takes the
// value stored, as its own record would read it, and the loop goes on where
// that branch leads. A loop runs while its local is below a bound far more
// often than not, so that comparison goes first.
#define VM_LOOP_HEAD(at, local, stored)                                                     \
  do {                                                                                      \
    if (op[at].kind == kKindBranch && op[at].spare == kVMLoopHead && limit != 0) {          \
      const VMRecord* head = op[at].value.jump;                                             \
      if (head->id == (local)) {                                                            \
        auto compare = static_cast<uint8_t>(head->kind - kKindLocalConstOp + kKindAdd);     \
        bool truth = compare == kKindLt ? (stored)-head->value.d < -kVMCompareEpsilon       \
                                        : VMFast_Compare(compare, (stored), head->value.d); \
        op = truth == (head[3].kind == kKindBranchTrue) ? head[3].value.jump : head + 4;    \
        VM_DISPATCH();                                                                      \
      }                                                                                     \
    }                                                                                       \
  } while (0)

// A real result, stored at once when the record after (`at` records on)
// pops it into a local that exists, as that pop's own fast case would; the
// value never lands on the stack, which is left ending at `rest`.
// `first` is the value a fused record's first read found: when that read
// is of the very local stored, its place is used again.
// That place was just read as a plain real, so only its number changes.
#define VM_STORE_LOCAL_READ(value, at, rest, first)                     \
  do {                                                                  \
    const VMRecord& store = op[at];                                     \
    if (store.kind == kKindPopLocal && store.expect2 == kSlotVariant) { \
      ScriptValue* target = nullptr;                                    \
      if (store.id == op->id && op->plain == kKindPushLocal) {          \
        target = const_cast<ScriptValue*>(first);                       \
        target->real = (value);                                         \
      } else if ((target = LocalValue(store)) != nullptr) {             \
        StoreReal(target, (value));                                     \
      }                                                                 \
      if (target != nullptr) {                                          \
        sp = (rest);                                                    \
        VM_LOOP_HEAD((at) + 1, store.id, (value));                      \
        VM_NEXT_OR_BRANCH((at) + 1);                                    \
      }                                                                 \
    }                                                                   \
  } while (0)
#define VM_STORE_LOCAL(value, at, rest) VM_STORE_LOCAL_READ(value, at, rest, static_cast<const ScriptValue*>(nullptr))

// The two operands of a binary operator, checked against its types; the
// result goes into `left`.
#define VM_OPERANDS()                                                               \
  VM_NEED(2);                                                                       \
  VMSlot* right = sp - 1;                                                           \
  VMSlot* left = sp - 2;                                                            \
  if (right->type != op->expect1 || left->type != op->expect2) VM_FAIL(kMalformed); \
  sp = right

#define VM_ARITH(OP)                                                                                \
  {                                                                                                 \
    VM_OPERANDS();                                                                                  \
    double value;                                                                                   \
    if (op[1].kind == kKindPopLocal && left->type == kSlotVariant && right->type == kSlotVariant && \
        IsPlainReal(*left) && IsPlainReal(*right) && VMFast_Arith(OP, left->d, right->d, &value))   \
      VM_STORE_LOCAL(value, 1, left);                                                               \
    if (left->type == kSlotInt && right->type == kSlotInt) {                                        \
      uint32_t l = static_cast<uint32_t>(left->i), r = static_cast<uint32_t>(right->i);             \
      left->i = static_cast<int32_t>(OP == kKindAdd ? l + r : OP == kKindSub ? l - r : l * r);      \
    } else if (!VMFast_Binary(OP, left, right)) {                                                   \
      if (const char* error = VMOp_Binary(op->opcode, left, right)) VM_FAIL(error);                 \
    }                                                                                               \
    VM_NEXT(1);                                                                                     \
  }
add:
  VM_ARITH(kKindAdd)
sub:
  VM_ARITH(kKindSub)
mul:
  VM_ARITH(kKindMul)
#undef VM_ARITH

#define VM_BINARY(kind)                                                             \
  {                                                                                 \
    VM_OPERANDS();                                                                  \
    if (!VMFast_Binary(kind, left, right)) {                                        \
      if (const char* error = VMOp_Binary(op->opcode, left, right)) VM_FAIL(error); \
    }                                                                               \
    VM_NEXT(1);                                                                     \
  }
div:
  VM_BINARY(kKindDiv)
rem:
  VM_BINARY(kKindRem)
mod:
  VM_BINARY(kKindMod)
bitwise:
  VM_BINARY(kKindBitwise)
#undef VM_BINARY

#define VM_COMPARE(kind)                                                             \
  {                                                                                  \
    VM_OPERANDS();                                                                   \
    if (left->type == kSlotInt && right->type == kSlotInt) {                         \
      VMSlot_SetBool(left, VMFast_Compare(kind, left->i, right->i));                 \
    } else if (!VMFast_Binary(kind, left, right)) {                                  \
      if (const char* error = VMOp_Compare(op->opcode, left, right)) VM_FAIL(error); \
    }                                                                                \
    VM_NEXT(1);                                                                      \
  }
lt:
  VM_COMPARE(kKindLt)
le:
  VM_COMPARE(kKindLe)
eq:
  VM_COMPARE(kKindEq)
ne:
  VM_COMPARE(kKindNe)
ge:
  VM_COMPARE(kKindGe)
gt:
  VM_COMPARE(kKindGt)
#undef VM_COMPARE
#undef VM_OPERANDS

unary:
  VM_NEED(1);
  if (sp[-1].type != op->expect1) VM_FAIL(kMalformed);
  if (const char* error = VMOp_Unary(op->opcode, sp - 1)) VM_FAIL(error);
  VM_NEXT(1);
conv : {
  VM_NEED(1);
  VMSlot* value = sp - 1;
  if (value->type != op->expect1) VM_FAIL(kMalformed);
  // The two the generator makes most: an index to int, a constant to variant.
  if (value->type == kSlotVariant && op->t2 == kSlotInt && IsPlainReal(*value)) {
    VMSlot_SetInt(value, VMFast_TruncInt32(value->d));
  } else if (value->type == kSlotInt && op->t2 == kSlotVariant) {
    VMSlot_SetReal(value, value->i);
  } else if (const char* error = VMOp_Conv(op->t2, value)) {
    VM_FAIL(error);
  }
  VM_NEXT(1);
}

pushDouble:
  VMSlot_SetDouble(sp++, op->value.d);
  VM_NEXT(1);
pushLong:
  VMSlot_SetLong(sp++, op->value.l);
  VM_NEXT(1);
pushInt:
  VMSlot_SetInt(sp++, op->value.i);
  VM_NEXT(1);
pushBool:
  VMSlot_SetBool(sp++, op->value.i != 0);
  VM_NEXT(1);
pushPoolString:
  PushBorrowed(sp++, op->value.text);
  VM_NEXT(1);
pushGameString:
  PushBorrowed(sp++, g_strings(frame_->code.unit->code, static_cast<int32_t>(op->operand)));
  VM_NEXT(1);
pushLocal : {
  const VariableNode* node = Locals()->Find(op->spare, op->id);
  if (node != nullptr && IsPlainReal(&node->value)) {
    g_variableIndexOutOfRange = 0;
    VMSlot_SetReal(sp++, node->value.real);
    VM_NEXT(1);
  }
  goto pushVariable;
}
pushBuiltin : {
  errorPc_ = op->at;
  ShowArguments();
  ScriptValue value;
  g_variableIndexOutOfRange = 0;
  // What Variable_GetValue does for a built-in, without its dispatch.
  const BuiltinVariableRecord* record = Variable_BuiltIn_Get(op->id);
  if (record == nullptr || record->getter == nullptr || !record->getter(self_, 0, &value)) {
    FailGet(&value, op->id);
    goto stop;
  }
  VMSlot_FromValue(sp++, value);
  VM_NEXT(1);
}
// The slot as its getter gives it; texts and odd kinds take the getter.
pushArgument : {
  const ScriptValue& argument = arguments_[op->spare];
  if (IsPlainReal(&argument)) {
    g_variableIndexOutOfRange = 0;
    VMSlot_SetReal(sp++, argument.real);
    VM_NEXT(1);
  }
  goto pushBuiltin;
}
pushSelf : {
  VMSlot* rest;
  ScriptValue* element = SelfElement(*op, sp, &rest);
  if (IsPlainReal(element)) {
    g_variableIndexOutOfRange = 0;
    sp = rest;
    VMSlot_SetReal(sp++, element->real);
    VM_NEXT(1);
  }
}
pushVariable:
  errorPc_ = op->at;
  if (!VM_MOVING_SP(PushVariable(op->word, op->operand, moved))) goto stop;
  VM_NEXT(1);
pushBad:
  VM_FAIL(kMalformed);

popLocal:
  if (sp > bottom && op->expect2 == kSlotVariant && sp[-1].type == kSlotVariant && IsPlainReal(sp[-1])) {
    if (VariableNode* node = Locals()->Find(op->spare, op->id)) {
      g_variableIndexOutOfRange = 0;
      --sp;
      StoreReal(&node->value, sp->d);
      VM_NEXT(1);
    }
  }
  goto popVariable;
popSelf : {
  VMSlot* rest;
  ScriptValue* element = SelfElement(*op, sp, &rest);
  if (element != nullptr && rest > bottom && op->expect2 == kSlotVariant && rest[-1].type == kSlotVariant &&
      IsPlainReal(rest[-1])) {
    g_variableIndexOutOfRange = 0;
    StoreReal(element, rest[-1].d);
    sp = rest - 1;
    VM_NEXT(1);
  }
}
popVariable:
  errorPc_ = op->at;
  if (!VM_MOVING_SP(PopVariable(op->word, op->operand, moved))) goto stop;
  VM_NEXT(1);
popBad:
  VM_FAIL("Pop :: Execution Error - Instruction malformed");

dup:
  VM_NEED(1);
  if (sp[-1].type != op->expect1) VM_FAIL(kMalformed);
  if (sp[-1].type == kSlotString && sp[-1].kind == 0)
    sp[0] = sp[-1];
  else
    VMSlot_Duplicate(sp, sp[-1]);
  ++sp;
  VM_NEXT(1);
popz:
  VM_NEED(1);
  if (sp[-1].type != op->expect1) VM_FAIL(kMalformed);
  --sp;
  VMSlot_Free(sp);
  VM_NEXT(1);

branch:
  op = op->value.jump;
  VM_DISPATCH();
branchTrue:
branchFalse:
  VM_NEED(1);
  if (sp[-1].type != kSlotBool) VM_FAIL(kMalformed);
  --sp;
  if ((sp->i != 0) != (op->kind == kKindBranchTrue)) VM_NEXT(1);
  op = op->value.jump;
  VM_DISPATCH();
badBranch:
  VM_FAIL(kMalformed);

pushEnv:
popEnv : {
  errorPc_ = op->at;
  bool jump = false;
  if (!(op->plain == kKindPushEnv ? VM_MOVING_SP(PushEnv(*op, moved, &jump)) : PopEnv(*op, &jump))) goto stop;
  UpdateSoftLimit();
  limit = frame_->softLimit;
  if (jump) {
    op = frame_->code.records + op->target;
    VM_DISPATCH();
  }
  VM_NEXT(1);
}

call : {
  // A failed call leaves the stack as it was, for the unwinding to free.
  Resume entered{nullptr, nullptr, nullptr, 0};
  if (VMSlot* after = Call(*op, sp, &entered))
    sp = after;
  else
    goto stop;
  if (entered.op == nullptr) VM_NEXT(1);  // a built-in: the same code goes on
  VM_RESUME(entered);
}
callBad:
  VM_FAIL("DoCall :: Execution Engine type error");

ret:
  if (depth_ == 0) goto done;
  VM_NEED(1);
  if (sp[-1].type != op->expect1) VM_FAIL(kMalformed);
  VM_RESUME(LeaveScript(sp, sp - 1));
exit:
  if (depth_ == 0) {
    exited_ = true;
    goto done;
  }
  VM_RESUME(LeaveScript(sp, nullptr));

// A fused comparison whose record after (`at` records on) is a conditional
// branch takes the branch at once instead of pushing the bool for it to
// pop. Records of one chain follow one another, and a chain's last record is
// never a branch, so the record there is the very next instruction.
#define VM_TEST_BRANCH(truth, at, pop)                                   \
  do {                                                                   \
    const VMRecord& test = op[at];                                       \
    if (test.kind == kKindBranchFalse || test.kind == kKindBranchTrue) { \
      pop;                                                               \
      if ((truth) == (test.kind == kKindBranchTrue)) {                   \
        op = test.value.jump;                                            \
        VM_DISPATCH();                                                   \
      }                                                                  \
      VM_NEXT((at) + 1);                                                 \
    }                                                                    \
  } while (0)

// A number constant, then an operator on it and the value below.
#define VM_CONST_OP(OP)                                                             \
  {                                                                                 \
    const VMRecord& next = op[1];                                                   \
    VMSlot* left = sp - 1;                                                          \
    double l, value;                                                                \
    if (sp > bottom && left->type == next.expect2 && VMFast_PlainReal(*left, &l)) { \
      if (VMFast_IsCompare(OP)) {                                                   \
        bool truth = VMFast_Compare(OP, l, next.value.d);                           \
        VM_TEST_BRANCH(truth, 2, --sp);                                             \
        VMSlot_SetBool(left, truth);                                                \
        VM_NEXT(2);                                                                 \
      }                                                                             \
      if (VMFast_Arith(OP, l, next.value.d, &value)) {                              \
        if (left->type == kSlotVariant)                                             \
          VMSlot_SetReal(left, value);                                              \
        else                                                                        \
          VMSlot_SetDouble(left, value);                                            \
        VM_NEXT(2);                                                                 \
      }                                                                             \
    }                                                                               \
    goto* kHandlers[op->plain];                                                     \
  }
constAdd:
  VM_CONST_OP(kKindAdd)
constSub:
  VM_CONST_OP(kKindSub)
constMul:
  VM_CONST_OP(kKindMul)
constDiv:
  VM_CONST_OP(kKindDiv)
constRem:
  VM_CONST_OP(kKindRem)
constMod:
  VM_CONST_OP(kKindMod)
constLt:
  VM_CONST_OP(kKindLt)
constLe:
  VM_CONST_OP(kKindLe)
constEq:
  VM_CONST_OP(kKindEq)
constNe:
  VM_CONST_OP(kKindNe)
constGe:
  VM_CONST_OP(kKindGe)
constGt:
  VM_CONST_OP(kKindGt)
#undef VM_CONST_OP

// Three records that read plain reals (`ready`: both operands are) and run
// an operator on them, pushing the result; otherwise the first runs alone.
#define VM_READS_OP_N(OP, N, first, ready, l, r)   \
  {                                                \
    double value;                                  \
    if (ready) {                                   \
      if (VMFast_IsCompare(OP)) {                  \
        g_variableIndexOutOfRange = 0;             \
        bool truth = VMFast_Compare(OP, (l), (r)); \
        VM_TEST_BRANCH(truth, N, (void)0);         \
        VMSlot_SetBool(sp++, truth);               \
        VM_NEXT(N);                                \
      }                                            \
      if (VMFast_Arith(OP, (l), (r), &value)) {    \
        g_variableIndexOutOfRange = 0;             \
        VM_STORE_LOCAL_READ(value, N, sp, first);  \
        VMSlot_SetReal(sp++, value);               \
        VM_NEXT(N);                                \
      }                                            \
    }                                              \
    goto* kHandlers[op->plain];                    \
  }
#define VM_READS_OP(OP, first, ready, l, r) VM_READS_OP_N(OP, 3, first, ready, l, r)

// A plain local, a number constant, an operator on the two.
#define VM_VALUE_OP(OP, VALUE)                                        \
  {                                                                   \
    const ScriptValue* read = (VALUE);                                \
    VM_READS_OP(OP, read, IsPlainReal(read), read->real, op->value.d) \
  }
#define VM_LOCAL_OP(OP)                                           \
  {                                                               \
    const VariableNode* node = Locals()->Find(op->spare, op->id); \
    VM_VALUE_OP(OP, node != nullptr ? &node->value : nullptr)     \
  }
localAdd:
  VM_LOCAL_OP(kKindAdd)
localSub:
  VM_LOCAL_OP(kKindSub)
localMul:
  VM_LOCAL_OP(kKindMul)
localDiv:
  VM_LOCAL_OP(kKindDiv)
localRem:
  VM_LOCAL_OP(kKindRem)
localMod:
  VM_LOCAL_OP(kKindMod)
localLt:
  VM_LOCAL_OP(kKindLt)
localLe:
  VM_LOCAL_OP(kKindLe)
localEq:
  VM_LOCAL_OP(kKindEq)
localNe:
  VM_LOCAL_OP(kKindNe)
localGe:
  VM_LOCAL_OP(kKindGe)
localGt:
  VM_LOCAL_OP(kKindGt)
#undef VM_LOCAL_OP

// An argument slot, a number constant, an operator on the two.
#define VM_ARGUMENT_OP(OP) VM_VALUE_OP(OP, Argument(op->spare))
argumentAdd:
  VM_ARGUMENT_OP(kKindAdd)
argumentSub:
  VM_ARGUMENT_OP(kKindSub)
argumentMul:
  VM_ARGUMENT_OP(kKindMul)
argumentDiv:
  VM_ARGUMENT_OP(kKindDiv)
argumentRem:
  VM_ARGUMENT_OP(kKindRem)
argumentMod:
  VM_ARGUMENT_OP(kKindMod)
argumentLt:
  VM_ARGUMENT_OP(kKindLt)
argumentLe:
  VM_ARGUMENT_OP(kKindLe)
argumentEq:
  VM_ARGUMENT_OP(kKindEq)
argumentNe:
  VM_ARGUMENT_OP(kKindNe)
argumentGe:
  VM_ARGUMENT_OP(kKindGe)
argumentGt:
  VM_ARGUMENT_OP(kKindGt)
#undef VM_ARGUMENT_OP

// Two plain reads, each a local or an argument slot, then an operator.
#define VM_TWO_VALUE_OP(OP)                                                                 \
  {                                                                                         \
    const ScriptValue* left = PlainRead(op[0]);                                             \
    const ScriptValue* right = PlainRead(op[1]);                                            \
    VM_READS_OP(OP, left, IsPlainReal(left) && IsPlainReal(right), left->real, right->real) \
  }
twoAdd:
  VM_TWO_VALUE_OP(kKindAdd)
twoSub:
  VM_TWO_VALUE_OP(kKindSub)
twoMul:
  VM_TWO_VALUE_OP(kKindMul)
twoDiv:
  VM_TWO_VALUE_OP(kKindDiv)
twoRem:
  VM_TWO_VALUE_OP(kKindRem)
twoMod:
  VM_TWO_VALUE_OP(kKindMod)
twoLt:
  VM_TWO_VALUE_OP(kKindLt)
twoLe:
  VM_TWO_VALUE_OP(kKindLe)
twoEq:
  VM_TWO_VALUE_OP(kKindEq)
twoNe:
  VM_TWO_VALUE_OP(kKindNe)
twoGe:
  VM_TWO_VALUE_OP(kKindGe)
twoGt:
  VM_TWO_VALUE_OP(kKindGt)
#undef VM_TWO_VALUE_OP

// A plain read, an arithmetic triple, then an operator on the two values.
#define VM_TRIPLE_OP(OP)                                                                            \
  {                                                                                                 \
    const ScriptValue* left = PlainRead(op[0]);                                                     \
    double right;                                                                                   \
    VM_READS_OP_N(OP, 5, left, IsPlainReal(left) && TripleValue(op + 1, &right), left->real, right) \
  }
tripleAdd:
  VM_TRIPLE_OP(kKindAdd)
tripleSub:
  VM_TRIPLE_OP(kKindSub)
tripleMul:
  VM_TRIPLE_OP(kKindMul)
tripleDiv:
  VM_TRIPLE_OP(kKindDiv)
tripleRem:
  VM_TRIPLE_OP(kKindRem)
tripleMod:
  VM_TRIPLE_OP(kKindMod)
tripleLt:
  VM_TRIPLE_OP(kKindLt)
tripleLe:
  VM_TRIPLE_OP(kKindLe)
tripleEq:
  VM_TRIPLE_OP(kKindEq)
tripleNe:
  VM_TRIPLE_OP(kKindNe)
tripleGe:
  VM_TRIPLE_OP(kKindGe)
tripleGt:
  VM_TRIPLE_OP(kKindGt)
#undef VM_TRIPLE_OP

// Goes on past a fused element record, `after` records beyond its access.
// An index read plainly (`spare` 3) is so common that it gets a constant
// distance: the next record's address then need not wait for a load.
#define VM_PAST_ELEMENT(GO, element, after)    \
  do {                                         \
    if ((element).spare == 3) GO(3 + (after)); \
    GO((element).spare + (after));             \
  } while (0)

// A selector constant and an index made an int, then a read or a store of
// that element of one of self's variables or of a local, as the push.v and
// pop.v fast cases would: nothing lands on the stack. Anything else (text,
// a missing element, another instance) runs the first record alone. A store
// checks its value before the element is found, which may grow the array.
#define VM_ELEMENT_READ                         \
  {                                             \
    double at;                                  \
    if (ElementIndex(op, &at)) {                \
      ScriptValue* element = ElementOf(op, at); \
      if (IsPlainReal(element)) {               \
        g_variableIndexOutOfRange = 0;          \
        VMSlot_SetReal(sp++, element->real);    \
        VM_PAST_ELEMENT(VM_NEXT, *op, 1);       \
      }                                         \
    }                                           \
    goto* kHandlers[op->plain];                 \
  }
#define VM_ELEMENT_WRITE                                                                              \
  {                                                                                                   \
    double at;                                                                                        \
    if (sp > bottom && sp[-1].type == kSlotVariant && IsPlainReal(sp[-1]) && ElementIndex(op, &at)) { \
      if (ScriptValue* element = ElementOf(op, at)) {                                                 \
        g_variableIndexOutOfRange = 0;                                                                \
        --sp;                                                                                         \
        StoreReal(element, sp->d);                                                                    \
        VM_PAST_ELEMENT(VM_NEXT_OR_BRANCH, *op, 1);                                                   \
      }                                                                                               \
    }                                                                                                 \
    goto* kHandlers[op->plain];                                                                       \
  }
selfElementRead:
localArrayRead:
  VM_ELEMENT_READ
selfElementWrite:
localArrayWrite:
  VM_ELEMENT_WRITE
#undef VM_ELEMENT_READ
#undef VM_ELEMENT_WRITE

// An arithmetic triple whose value a fused element store takes, without
// the value on the stack; `target` is 1 when its right operand is the
// constant the first record holds, 0 when it is a second read.
tripleElementWrite : {
  const ScriptValue* left = PlainRead(op[0]);
  const ScriptValue* second = op->target != 0 ? nullptr : PlainRead(op[1]);
  double right = op->target != 0 ? op->value.d : second != nullptr ? second->real : 0.0;
  double value, at;
  if (IsPlainReal(left) && (op->target != 0 || IsPlainReal(second)) &&
      VMFast_Arith(op[2].kind, left->real, right, &value) && ElementIndex(op + 3, &at)) {
    if (ScriptValue* element = ElementOf(op + 3, at)) {
      g_variableIndexOutOfRange = 0;
      StoreReal(element, value);
      VM_PAST_ELEMENT(VM_NEXT_OR_BRANCH, op[3], 4);
    }
  }
  goto* kHandlers[op->plain];
}

// A plain local, then a fused element, as the two records would run one
// after the other, without the local's value on the stack: stored into the
// element, or read with it under an arithmetic operator.
localElementWrite : {
  const ScriptValue* value = PlainRead(op[0]);
  double at;
  if (IsPlainReal(value) && ElementIndex(op + 1, &at)) {
    if (ScriptValue* element = ElementOf(op + 1, at)) {
      g_variableIndexOutOfRange = 0;
      StoreReal(element, value->real);
      VM_PAST_ELEMENT(VM_NEXT_OR_BRANCH, op[1], 2);
    }
  }
  goto* kHandlers[op->plain];
}
localElementOp : {
  const ScriptValue* left = PlainRead(op[0]);
  double at, value;
  if (IsPlainReal(left) && ElementIndex(op + 1, &at)) {
    const ScriptValue* right = ElementOf(op + 1, at);
    int32_t operation = op[1].spare + 2;
    if (IsPlainReal(right) && VMFast_Arith(op[operation].kind, left->real, right->real, &value)) {
      g_variableIndexOutOfRange = 0;
#define VM_ELEMENT_OP_DONE(operation)                    \
  do {                                                   \
    VM_STORE_LOCAL_READ(value, operation + 1, sp, left); \
    VMSlot_SetReal(sp++, value);                         \
    VM_NEXT(operation + 1);                              \
  } while (0)
      if (operation == 5) VM_ELEMENT_OP_DONE(5);
      VM_ELEMENT_OP_DONE(operation);
#undef VM_ELEMENT_OP_DONE
    }
  }
  goto* kHandlers[op->plain];
}

// A plain read, an arithmetic triple, constant-operator pairs on its value,
// then an arithmetic operator on the read and that value: pushed, or stored
// into a local popped right after.
valueChainOp : {
  const ScriptValue* left = PlainRead(op[0]);
  double right, value;
  if (IsPlainReal(left) && TripleValue(op + 1, &right)) {
    int32_t at = 4;
    while (at < op->target &&
           VMFast_Arith(static_cast<uint8_t>(kKindAdd + op[at].kind - kKindConstOp), right, op[at + 1].value.d, &right))
      at += 2;
    if (at == op->target && VMFast_Arith(op[at].kind, left->real, right, &value)) {
      g_variableIndexOutOfRange = 0;
      VM_STORE_LOCAL_READ(value, at + 1, sp, left);
      VMSlot_SetReal(sp++, value);
      VM_NEXT(at + 1);
    }
  }
  goto* kHandlers[op->plain];
}

// A text constant joined to a local that holds text, in place: the copy the
// push would make and the join's two frees are saved.
appendLocal : {
  VariableNode* node = Locals()->Find(op->spare, op->id);
  if (node != nullptr && node->value.kind == kValueString) {
    const VMRecord& text = op[1];
    const char* constant = text.kind == kKindPushPoolString
                               ? text.value.text
                               : g_strings(frame_->code.unit->code, static_cast<int32_t>(text.operand));
    // A join longer than a string may be takes the plain way, which refuses it.
    if (!VMOp_JoinFits(node->value.text, constant)) goto* kHandlers[op->plain];
    char* joined = VMOp_JoinTexts(node->value.text, constant);
    if (node->value.text != nullptr) MemoryManager::Free(node->value.text);
    node->value = ScriptValue{kValueString, joined, 0.0};
    g_variableIndexOutOfRange = 0;
    VM_NEXT_OR_BRANCH(4);
  }
  goto* kHandlers[op->plain];
}
// A counted loop's step (the decoder checked the store back and the branch
// to a test of the same local): the local's number changes in place and the
// test runs at once, as VM_STORE_LOCAL_READ and VM_LOOP_HEAD would; FOLLOW
// sets `op` from the test's record `head` and the number.
#define VM_LOCAL_STEP(OP, FOLLOW)                           \
  {                                                         \
    VariableNode* node = Locals()->Find(op->spare, op->id); \
    if (node != nullptr && IsPlainReal(&node->value)) {     \
      double value = node->value.real OP op->value.d;       \
      g_variableIndexOutOfRange = 0;                        \
      node->value.real = value;                             \
      const VMRecord* head = op[4].value.jump;              \
      FOLLOW;                                               \
      VM_DISPATCH();                                        \
    }                                                       \
    goto* kHandlers[op->plain];                             \
  }
#define VM_ANY_TEST                                                                                                    \
  auto compare = static_cast<uint8_t>(head->kind - kKindLocalConstOp + kKindAdd);                                      \
  bool truth =                                                                                                         \
      compare == kKindLt ? value - head->value.d < -kVMCompareEpsilon : VMFast_Compare(compare, value, head->value.d); \
  op = truth == (head[3].kind == kKindBranchTrue) ? head[3].value.jump : head + 4
localStepAdd:
  VM_LOCAL_STEP(+, VM_ANY_TEST)
localStepSub:
  VM_LOCAL_STEP(-, VM_ANY_TEST)
#undef VM_ANY_TEST
// A test of `<` whose branch leaves the loop when it fails.
localStepBelow:
  VM_LOCAL_STEP(+, op = value - head->value.d < -kVMCompareEpsilon ? head + 4 : head[3].value.jump)
#undef VM_LOCAL_STEP

// A plain read mod a whole non-zero constant of int32's range, as the
// fused local-constant form would run it.
valueModWhole : {
  const ScriptValue* read = PlainRead(*op);
  if (IsPlainReal(read)) {
    double value = VMFast_ModBy(read->real, static_cast<int32_t>(op->value.d), op->value.d);
    g_variableIndexOutOfRange = 0;
    VM_STORE_LOCAL_READ(value, 3, sp, read);
    VMSlot_SetReal(sp++, value);
    VM_NEXT(3);
  }
  goto* kHandlers[op->plain];
}

// A fused read of a local whose result the decoder found popped straight
// back into that local: only its number changes, as VM_STORE_LOCAL_READ
// would change it, and unless an unconditional branch follows the pop
// (`at` records on) the record after it runs next.
#define VM_STORED_BACK(left, value, at) \
  do {                                  \
    g_variableIndexOutOfRange = 0;      \
    (left)->real = (value);             \
    if (op->target == 0) VM_NEXT(at);   \
    VM_LOOP_HEAD(at, op->id, (value));  \
    VM_NEXT_OR_BRANCH(at);              \
  } while (0)

// A plain local, a triple and an operator on the two, stored back.
#define VM_TRIPLE_STORE(OP)                                                                              \
  {                                                                                                      \
    ScriptValue* left = LocalValue(*op);                                                                 \
    double right, value;                                                                                 \
    if (IsPlainReal(left) && TripleValue(op + 1, &right) && VMFast_Arith(OP, left->real, right, &value)) \
      VM_STORED_BACK(left, value, 6);                                                                    \
    goto* kHandlers[op->plain];                                                                          \
  }
tripleStoreAdd:
  VM_TRIPLE_STORE(kKindAdd)
tripleStoreSub:
  VM_TRIPLE_STORE(kKindSub)
tripleStoreMul:
  VM_TRIPLE_STORE(kKindMul)
tripleStoreDiv:
  VM_TRIPLE_STORE(kKindDiv)
tripleStoreRem:
  VM_TRIPLE_STORE(kKindRem)
tripleStoreMod:
  VM_TRIPLE_STORE(kKindMod)
#undef VM_TRIPLE_STORE

// A plain local read with an element of self under an operator, stored back.
localElementStore : {
  ScriptValue* left = LocalValue(*op);
  double at, value;
  if (IsPlainReal(left) && ElementIndex(op + 1, &at)) {
    const ScriptValue* right = ElementOf(op + 1, at);
    int32_t operation = op[1].spare + 2;
    if (IsPlainReal(right) && VMFast_Arith(op[operation].kind, left->real, right->real, &value)) {
      if (operation == 5) VM_STORED_BACK(left, value, 7);  // as VM_PAST_ELEMENT
      VM_STORED_BACK(left, value, operation + 2);
    }
  }
  goto* kHandlers[op->plain];
}
#undef VM_STORED_BACK
#undef VM_PAST_ELEMENT
#undef VM_READS_OP_N
#undef VM_NEXT_OR_BRANCH
#undef VM_LOOP_HEAD
#undef VM_STORE_LOCAL
#undef VM_STORE_LOCAL_READ
#undef VM_VALUE_OP
#undef VM_READS_OP
#undef VM_TEST_BRANCH

done:
  if (!exited_ && result != nullptr && sp > bottom_) {
    ScriptValue value;
    VMSlot_ToValue(sp - 1, &value);
    ScriptValue_Release(result);
    *result = value;
  }
stop:
  Unwind(sp);
  return !failed_;
}

bool Machine::ReadSelectorAndIndex(uint32_t word, uint32_t ref, VMSlot*& sp, int32_t* selector, int32_t* index) {
  *index = 0;
  if ((ref & kVMRefNoIndex) == 0) {
    if (sp <= bottom_ || sp[-1].type != kSlotInt) return false;
    *index = (--sp)->i;
  }
  if ((ref & kVMRefSelectorInWord) != 0) {
    *selector = static_cast<int16_t>(word & 0xFFFF);
  } else {
    if (sp <= bottom_ || sp[-1].type != kSlotInt) return false;
    *selector = (--sp)->i;
  }
  if ((ref & kVMRefInstanceId) != 0) *selector += kFirstInstanceId;
  return true;
}

VariableNode* Machine::FindSelfNodeUncached(int32_t id) {
  SelfNodeCache& cache = selfNode_;
  CVariableList* list = WorldSeam_Get().instanceVariables(self_);
  VariableNode* node = list == nullptr ? nullptr : list->FindWritable(id);
  if (node != nullptr) cache = SelfNodeCache{self_, g_worldSeamInstalls, id, g_variableNodeReturns, node};
  return node;
}

bool Machine::PushVariable(uint32_t word, uint32_t ref, VMSlot*& sp) {
  if (VM_IsPlainLocal(word, ref) && locals_ != nullptr) {
    const VariableNode* node = locals_->Find(static_cast<int32_t>(ref & kVMRefIdMask));
    if (node != nullptr && IsPlainReal(&node->value)) {
      g_variableIndexOutOfRange = 0;
      VMSlot_SetReal(sp++, node->value.real);
      return true;
    }
  }
  ShowArguments();
  int32_t selector = 0, index = 0;
  if (!ReadSelectorAndIndex(word, ref, sp, &selector, &index)) {
    Fail(kMalformed);
    return false;
  }
  int32_t id = static_cast<int32_t>(ref & kVMRefIdMask);
  ScriptValue value;
  g_variableIndexOutOfRange = 0;
  bool ok = true;
  switch (selector) {
    case kInstanceLocal: ok = locals_ != nullptr && locals_->GetValue(id, index, &value); break;
    case kInstanceNotSpecified:
      ok = Variable_IsGlobalVar(id) != 0 ? Variable_Global_Get(id, index, &value)
                                         : Variable_GetValue(self_, id, index, &value);
      break;
    case kInstanceGlobal: ok = Variable_Global_Get(id, index, &value); break;
    case kInstanceNoone: break;
    case kInstanceOther: ok = Variable_GetValue(other_, id, index, &value); break;
    case kInstanceSelf: ok = Variable_GetValue(self_, id, index, &value); break;
    default: ok = Variable_GetValueByTarget(selector, id, index, &value); break;
  }
  if (!ok) {
    FailGet(&value, id);
    return false;
  }
  VMSlot_FromValue(sp++, value);
  return true;
}

// Stores into a local that exists already by handing the popped value over,
// without the copy a store through the list makes.
bool Machine::PopPlainLocal(uint32_t word, uint32_t ref, VMSlot*& sp) {
  if (!VM_IsPlainLocal(word, ref) || locals_ == nullptr || sp <= bottom_) return false;
  uint8_t t2 = static_cast<uint8_t>((word >> 20) & 0xF);
  const VMSlot& top = sp[-1];
  if (!TagIs(top, t2) || t2 == kSlotFloat || t2 == kSlotShort) return false;
  if (top.type == kSlotVariant && top.kind != kValueString && (top.kind != kValueReal || top.text != nullptr))
    return false;  // odd kinds keep the list's own copying rules
  // The machine owns its locals list; the node is only reached through it.
  auto* node = const_cast<VariableNode*>(locals_->Find(static_cast<int32_t>(ref & kVMRefIdMask)));
  if (node == nullptr) return false;
  ScriptValue value;
  VMSlot_ToValue(--sp, &value);
  g_variableIndexOutOfRange = 0;
  ScriptValue_Release(&node->value);
  node->value = value;
  return true;
}

bool Machine::PopVariable(uint32_t word, uint32_t ref, VMSlot*& sp) {
  if (PopPlainLocal(word, ref, sp)) return true;
  ShowArguments();
  int32_t selector = 0, index = 0;
  if (!ReadSelectorAndIndex(word, ref, sp, &selector, &index) || sp <= bottom_) {
    Fail(kMalformed);
    return false;
  }
  uint8_t t2 = static_cast<uint8_t>((word >> 20) & 0xF);
  VMSlot* slot = --sp;
  if (!TagIs(*slot, t2) || t2 == kSlotFloat || t2 == kSlotShort) {
    VMSlot_Free(slot);
    Fail("Pop :: Execution Engine");
    return false;
  }
  ScriptValue value;
  VMSlot_ToValue(slot, &value);
  int32_t id = static_cast<int32_t>(ref & kVMRefIdMask);
  g_variableIndexOutOfRange = 0;
  bool ok = true;
  switch (selector) {
    case kInstanceLocal: WritableLocals()->SetValue(id, index, value); break;
    case kInstanceNotSpecified:
      if (Variable_IsGlobalVar(id) != 0)
        Variable_Global_Set(id, index, value);
      else
        ok = Variable_SetValue(self_, id, index, value);
      break;
    case kInstanceGlobal: Variable_Global_Set(id, index, value); break;
    case kInstanceNoone: break;
    case kInstanceOther: ok = Variable_SetValue(other_, id, index, value); break;
    case kInstanceSelf: ok = Variable_SetValue(self_, id, index, value); break;
    default: ok = Variable_SetValueByTarget(selector, id, index, value); break;
  }
  ScriptValue_Release(&value);
  if (g_variableIndexOutOfRange != 0) {
    FailName("Pop :: Execution Error - Variable index out of range %s", id);
    return false;
  }
  if (!ok) {
    FailName("Pop :: Execution Error - Variable set problem %s", id);
    return false;
  }
  return true;
}

}  // namespace machine

bool VM_Exec(const char* name, CInstance* self, CInstance* other, VMBuffer* code, ScriptValue* result, VMBuffer* debug,
             const char* source) {
  VM_TraceScript(name);
  if (code == nullptr || code->bytes == nullptr || code->size <= 0) return true;
  int32_t savedCount = g_argumentCount;
  if (machine::g_nesting >= kVMMaxNesting) {
    VMErrorState state;
    state.name = name;
    state.source = source;
    VM_RaiseError(state, machine::kOverflow);
    return false;
  }
  VMStack& stack = machine::StackAt(machine::g_nesting++);
  machine::Machine vm(stack, self, other);
  vm.top_ = VMUnit{VM_Decoded(code, code->size & ~3), code, debug, source, name, nullptr};
  bool ok = vm.Run(result);
  --machine::g_nesting;
  g_argumentCount = savedCount;
  return ok;
}

void VM_Install() { Code_SetVMExecutor(VM_Exec); }

void VM_SetStringSource(VMStringSource source) { machine::g_strings = source != nullptr ? source : machine::NoStrings; }

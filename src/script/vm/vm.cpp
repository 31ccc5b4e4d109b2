#include "script/vm/vm.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "runtime/fatal.h"
#include "runtime/numeric.h"
#include "runtime/run_flags.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_global_state.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "script/vm/breakpoints.h"
#include "script/vm/bytecode.h"
#include "script/vm/vm_decode.h"
#include "script/vm/vm_fast.h"
#include "script/vm/vm_machine.h"
#include "script/vm/vm_operators.h"

#if defined(__clang__)
#define KV_NO_SLP_VECTORIZE
#else
#define KV_NO_SLP_VECTORIZE __attribute__((optimize("no-tree-slp-vectorize")))
#endif

namespace {

constexpr const char* kMalformed = "Execution Error - Malformed bytecode";
constexpr const char* kOverflow = "Stack overflow...";

const char* NoStrings(const VMBuffer*, int32_t) { return nullptr; }
VMStringSource g_strings = NoStrings;
VMExtensionCaller g_extensionCaller = nullptr;

// A locals list with its index's table inside, so that a plain local's node
// lies one load past the list.
struct MachineLocals : CVariableList {
  MachineLocals() { SetSlotTable(table); }
  __attribute__((always_inline)) VariableNode* Find(uint8_t slot, int32_t id) {
    VariableNode* node = table[slot];
    return node != nullptr ? node : FillSlot(slot, id);
  }
  VariableNode* table[kSlots] = {};
};

// Locals pool by depth: one list per nesting level and script call depth at
// most, kept for reuse until the game ends. Every list the machine runs over
// comes from here.
constexpr int32_t kLocalsCapacity = kVMMaxNesting * (kVMFrameCapacity + 1);
CVariableList* g_localsPool[kLocalsCapacity];
int32_t g_localsDepth = 0;

inline CVariableList* TakeLocals() {
  if (g_localsDepth >= kLocalsCapacity) Fatal_InternalError("machine locals pool exhausted");
  CVariableList*& slot = g_localsPool[g_localsDepth++];
  if (slot == nullptr) slot = new MachineLocals();
  CVariableList* list = slot;
  if (list->Count() != 0) list->Clear();
  return list;
}

inline void ReleaseLocals() {
  if (g_localsDepth > 0) --g_localsDepth;
}

// What code runs over until it stores its first local: an empty list that is
// never written, so a call whose script keeps no locals takes no list from
// the pool and gives none back. Reads find nothing in it, as in a fresh list.
MachineLocals g_noLocals;

VMStack g_stacks[kVMMaxNesting];
int32_t g_nesting = 0;

VMStack& StackAt(int32_t level) {
  VMStack& stack = g_stacks[level];
  if (stack.slots == nullptr) {
    stack.slots = new VMSlot[kVMSlotCapacity];
    stack.capacity = kVMSlotCapacity;
    stack.frames = new VMFrame[kVMFrameCapacity];
    stack.frameCapacity = kVMFrameCapacity;
  }
  return stack;
}

inline uint32_t ReadWord(const uint8_t* p) {
  uint32_t word;
  std::memcpy(&word, p, 4);
  return word;  // little-endian host
}

inline bool TagIs(const VMSlot& slot, uint8_t type) {
  return slot.type == (type == kSlotShort ? static_cast<int32_t>(kSlotInt) : static_cast<int32_t>(type));
}

// Argument slots are always written and read as three 8-byte words: a
// slot written in pieces and read back whole (or the other way round) at
// the next call would stall the load until the stores retire. The empty asm
// keeps each word in a general register, so the copies are not merged into
// wider vector moves.
inline void StoreArgumentWords(ScriptValue* to, uint64_t head, uint64_t text, uint64_t real) {
  asm("" : "+r"(head), "+r"(text), "+r"(real));
  auto* words = reinterpret_cast<unsigned char*>(to);
  std::memcpy(words, &head, 8);
  std::memcpy(words + 8, &text, 8);
  std::memcpy(words + 16, &real, 8);
}

inline void CopyArgument(ScriptValue* to, const ScriptValue* from) {
  static_assert(sizeof(ScriptValue) == 24 && offsetof(ScriptValue, text) == 8 && offsetof(ScriptValue, real) == 16);
  uint64_t head, text, real;
  const auto* words = reinterpret_cast<const unsigned char*>(from);
  std::memcpy(&head, words, 8);
  std::memcpy(&text, words + 8, 8);
  std::memcpy(&real, words + 16, 8);
  StoreArgumentWords(to, head, text, real);
}

inline void ClearArgument(ScriptValue* to) { StoreArgumentWords(to, kValueReal, 0, 0); }

// A variant slot's value handed over to an argument slot.
inline void SetArgumentFromSlot(ScriptValue* to, const VMSlot& slot) {
  uint64_t text, real;
  std::memcpy(&text, &slot.text, 8);
  std::memcpy(&real, &slot.d, 8);
  StoreArgumentWords(to, static_cast<uint32_t>(slot.kind), text, real);
}

// Puts back the slots a frame's arguments displaced when they moved there;
// `extent` of the callee's may be set.
inline __attribute__((always_inline)) void RestoreArguments(const VMFrame& frame, int32_t extent) {
  for (int32_t i = 0; i < extent; ++i) {
    if (g_arguments[i].text != nullptr) ScriptValue_Release(&g_arguments[i]);
  }
  for (int32_t i = 0; i < frame.argumentExtent; ++i) CopyArgument(&g_arguments[i], &frame.saved[i]);
  for (int32_t i = frame.argumentExtent; i < extent; ++i) ClearArgument(&g_arguments[i]);
  g_argumentExtent = frame.argumentExtent;
  g_argumentCount = frame.savedCount;
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

bool FindPair(const VMBuffer* debug, int32_t pc, VMSourcePlace* place) {
  place->hasPair = false;
  if (debug == nullptr || debug->bytes == nullptr || debug->size < 8) return false;
  int32_t count = debug->size / 8, low = 0, high = count - 1, found = -1;
  while (low <= high) {
    int32_t mid = (low + high) / 2;
    int32_t offset = static_cast<int32_t>(ReadWord(debug->bytes + mid * 8));
    if (offset <= pc) {
      found = mid;
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  if (found < 0) return false;
  place->hasPair = true;
  place->position = static_cast<int32_t>(ReadWord(debug->bytes + found * 8 + 4));
  return true;
}

class Machine {
 public:
  Machine(VMStack& stack, CInstance* self, CInstance* other) : stack_(stack), self_(self), other_(other) {}
  // Built without joining neighbouring field copies into vector moves: a
  // frame read back right after it was written (a call that returns at once)
  // would wait for the narrower stores to land.
  KV_NO_SLP_VECTORIZE bool Run(ScriptValue* result);

  VMUnit top_;  // the code the machine starts with

 private:
  // Errors: the report, then (under debugger evaluation only) the run stops.
  void Fail(const char* message);
  void FailName(const char* format, int32_t id);
  void FailGet(ScriptValue* value, int32_t id);  // a read that failed

  bool CheckOverflow(VMSlot* sp);
  void UpdateSoftLimit() {
    SetLimits(kVMStackLimit - kVMStackReserve - depth_ * kVMFrameBytes -
              static_cast<int32_t>(stack_.withs.size()) * kVMWithBytes);
  }
  // `room`: the bytes the slots may take once frames and with loops are
  // counted. The running code's frame keeps the limits.
  void SetLimits(int32_t room) {
    VMFrame& frame = *frame_;
    frame.room = room;
    // Below this many slots no mix of value sizes can reach the limit.
    int32_t slots = std::max(room, 0) >> 4;  // room / 16, without a signed division
    frame.overflowLimit = stack_.slots + slots;
    // Fused records run up to three instructions past one check; with
    // breakpoints set every instruction is checked.
    frame.softLimit = breakpoints_ ? 0 : reinterpret_cast<uintptr_t>(stack_.slots + std::max(slots - 4, 0));
  }
  void Unwind(VMSlot* sp);
  void FreeSlots(VMSlot* from, VMSlot* to);
  void FreeWith(VMWith& with);

  bool PushVariable(uint32_t word, uint32_t ref, VMSlot*& sp);
  bool PopVariable(uint32_t word, uint32_t ref, VMSlot*& sp);
  bool PopPlainLocal(uint32_t word, uint32_t ref, VMSlot*& sp);
  __attribute__((always_inline)) inline ScriptValue* SelfElement(const VMRecord& op, VMSlot* sp, VMSlot** rest);
  __attribute__((always_inline)) inline ScriptValue* SelfElementAt(const VMRecord& op, int32_t selector, int32_t index);
  bool ReadSelectorAndIndex(uint32_t word, uint32_t ref, VMSlot*& sp, int32_t* selector, int32_t* index);
  // Where the loop goes on after a call enters a script or a script returns.
  struct Resume {
    VMSlot* sp;
    VMSlot* bottom;
    const VMRecord* op;
    uintptr_t limit;
  };
  __attribute__((always_inline)) inline VMSlot* Call(const VMRecord& op, VMSlot* sp, Resume* entered);
  bool CallBuiltin(int32_t id, int32_t argc, VMSlot*& sp);
  void CallExtension(int32_t index, int32_t argc, VMSlot*& sp);
  // Takes the argc values on top of the stack off it, in script order.
  ScriptValue* TakeArguments(int32_t argc, VMSlot*& sp);
  __attribute__((always_inline)) inline bool EnterScript(const VMRecord& op, const VMUnit* unit, int32_t argc,
                                                         VMSlot*& sp, Resume* entered);
  __attribute__((always_inline)) inline Resume LeaveScript(VMSlot* sp, VMSlot* value);
  bool PushEnv(const VMRecord& op, VMSlot*& sp, bool* jump);
  bool PopEnv(const VMRecord& op, bool* jump);

  VMStack& stack_;
  CInstance* self_;
  CInstance* other_;
  CVariableList* locals_ = nullptr;
  ScriptValue* arguments_ = g_arguments;  // the running code's arguments: the global slots or its frame's
  int32_t depth_ = 0;
  VMFrame* frame_ = nullptr;  // the running code's: depth_ frames on from the first
  VMSlot* bottom_ = nullptr;  // the running code's bottom slot, as its frame has it
  bool breakpoints_ = false;
  bool failed_ = false;
  bool exited_ = false;
  int32_t errorPc_ = 0;
  // The last of self's variables an element access found, while no node
  // has gone back to the pool since.
  struct SelfNodeCache {
    const CInstance* self = nullptr;
    uint32_t worldInstalls = 0;
    int32_t id = -1;
    uint64_t returns = 0;
    VariableNode* node = nullptr;
  } selfNode_;
  __attribute__((always_inline)) inline VariableNode* FindSelfNode(int32_t id);
  [[gnu::noinline]] VariableNode* FindSelfNodeUncached(int32_t id);
  MachineLocals* Locals() const { return static_cast<MachineLocals*>(locals_); }
  // The running code's own list, taken from the pool at its first store.
  CVariableList* WritableLocals() {
    if (locals_ == &g_noLocals) frame_->locals = locals_ = TakeLocals();
    return locals_;
  }
  // An argument slot of the running code, never null.
  __attribute__((always_inline)) const ScriptValue* Argument(uint8_t slot) const {
    const ScriptValue* argument = &arguments_[slot];
    if (argument == nullptr) __builtin_unreachable();
    return argument;
  }
  // The running script's arguments moved to the global slots, for code
  // outside the machine to see (and change) them there.
  void ShowArguments() {
    if (arguments_ != g_arguments) MoveArgumentsToSlots();
  }
  void MoveArgumentsToSlots();
  // The running script's arguments given up when it returns, wherever they
  // are, and the caller's back.
  __attribute__((always_inline)) void LeaveArguments(VMFrame& frame, const VMFrame& caller) {
    if (arguments_ == g_arguments) {
      RestoreArguments(frame, g_argumentExtent);
    } else if (frame.givenTexts) {
      for (int32_t i = 0; i < frame.given; ++i)
        if (frame.arguments[i].text != nullptr) ScriptValue_Release(&frame.arguments[i]);
    }
    arguments_ = caller.argumentsAt;
  }
  void GiveBackLocals() {
    if (locals_ != &g_noLocals) ReleaseLocals();
    locals_ = &g_noLocals;
  }
  // The value a plain local or argument push reads; null: no such local.
  __attribute__((always_inline)) const ScriptValue* PlainRead(const VMRecord& push) {
    if (push.plain == kKindPushArgument) return Argument(push.spare);
    const VariableNode* node = Locals()->Find(push.spare, push.id);
    return node != nullptr ? &node->value : nullptr;
  }
  __attribute__((always_inline)) ScriptValue* LocalValue(const VMRecord& local) {
    VariableNode* node = Locals()->Find(local.spare, local.id);
    return node != nullptr ? &node->value : nullptr;
  }
  // The index of a fused element record: a plain read or an arithmetic
  // triple; false when it is not a plain real.
  __attribute__((always_inline)) bool ElementIndex(const VMRecord* element, double* at) {
    if (element->spare != 3) return TripleValue(element + 1, at);
    const ScriptValue* read = PlainRead(element[1]);
    if (!IsPlainReal(read)) return false;
    *at = read->real;
    return true;
  }
  // The element a fused element record names, once its index is known; a
  // store into a local's array reaches past its end.
  __attribute__((always_inline)) ScriptValue* ElementOf(const VMRecord* element, double at) {
    const VMRecord& access = element[element->spare];
    int32_t index = VMFast_TruncInt32(at);
    if (element->kind < kKindLocalArrayRead) return SelfElementAt(access, element->value.i, index);
    return LocalElementAt(access, index, element->kind == kKindLocalArrayWrite);
  }
  // The element `index` of the local a push.v or pop.v names; null when
  // the local has no value yet, the index is negative, or (unless `grow`)
  // the element does not exist. Grown, the array reaches it as the plain
  // store would make it reach.
  __attribute__((always_inline)) ScriptValue* LocalElementAt(const VMRecord& access, int32_t index, bool grow) {
    if (index < 0) return nullptr;
    VariableNode* node = Locals()->Find(access.spare, access.id);
    if (node == nullptr) return nullptr;
    ScriptValue* element = ExistingElement(node, index);
    if (element == nullptr && grow) element = GrownElement(node, index);
    return element;
  }
  // What an arithmetic triple (a read, a constant or a second read, an
  // operator) would push, when its operands are plain reals and the
  // operator gives a value without the module; false leaves it to run.
  __attribute__((always_inline)) bool TripleValue(const VMRecord* triple, double* out) {
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
};

void Machine::Fail(const char* message) {
  if (failed_) return;
  std::vector<VMErrorFrame> frames(static_cast<size_t>(depth_));
  for (int32_t i = 0; i < depth_; ++i) {
    const VMFrame& frame = stack_.frames[depth_ - 1 - i];
    const VMUnit* caller = frame.code.unit;
    VMErrorFrame& shown = frames[static_cast<size_t>(i)];
    shown.name = caller->name == nullptr ? "" : caller->name;
    FindPair(caller->debug, VMCodeState_Pc(frame.code), &shown.place);
    shown.source = caller->source;
    shown.locals = frame.locals;
  }
  VMErrorState state;
  const VMCodeState& code = frame_->code;
  state.name = code.unit->name;
  FindPair(code.unit->debug, errorPc_, &state.place);
  state.source = code.unit->source;
  state.locals = locals_;
  state.selfVariables = WorldSeam_Get().instanceVariables(self_);
  state.currentLine = code.line;
  state.depth = depth_;
  state.frames = frames.data();
  VM_RaiseError(state, message);
  failed_ = true;
}

void Machine::FailGet(ScriptValue* value, int32_t id) {
  ScriptValue_Release(value);
  FailName(g_variableIndexOutOfRange != 0 ? "Push :: Execution Error - Variable Index out of range %s"
                                          : "Push :: Execution Error - Variable Get %s",
           id);
}

void Machine::FailName(const char* format, int32_t id) {
  char message[512];
  std::snprintf(message, sizeof message, format, Code_Variable_GetName(id));
  Fail(message);
}

bool Machine::CheckOverflow(VMSlot* sp) {
  int64_t used =
      static_cast<int64_t>(depth_) * kVMFrameBytes + static_cast<int64_t>(stack_.withs.size()) * kVMWithBytes;
  for (VMSlot* slot = stack_.slots; slot < sp; ++slot) used += VMSlot_Bytes(slot->type);
  if (used + kVMStackReserve <= kVMStackLimit && sp < stack_.slots + stack_.capacity - 8 &&
      depth_ < stack_.frameCapacity - 1)
    return true;
  Fail(kOverflow);
  return false;
}

void Machine::FreeSlots(VMSlot* from, VMSlot* to) {
  for (VMSlot* slot = from; slot < to; ++slot) VMSlot_Free(slot);
}

void Machine::FreeWith(VMWith& with) {
  if (with.array != nullptr) MemoryManager::Free(with.array);
  with.array = nullptr;
}

// Leaves every frame and with loop still open (the run's end or an error):
// texts, arrays and argument slots are put back as they were.
void Machine::Unwind(VMSlot* sp) {
  FreeSlots(stack_.slots, sp);
  for (VMWith& with : stack_.withs) FreeWith(with);
  stack_.withs.clear();
  while (depth_ > 0) {
    --depth_;
    VMFrame& frame = *frame_--;
    LeaveArguments(frame, *frame_);
    GiveBackLocals();
    locals_ = frame_->locals;
  }
  GiveBackLocals();
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
    char* joined =
        VMOp_JoinTexts(node->value.text, text.kind == kKindPushPoolString
                                             ? text.value.text
                                             : g_strings(frame_->code.unit->code, static_cast<int32_t>(text.operand)));
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

// A script's unit, made again if its code object is not the one it was made
// for. Making one again changes what the call records that found it would
// run; making the first (no owner yet) changes none.
const VMUnit* ScriptUnit(CCode* code) {
  VMBuffer* buffer = code->code;
  const VMDecoded* form = VM_DecodedFor(buffer, buffer->size);
  VMUnit& unit = form->unit;
  if (unit.owner != code || unit.debug != code->debug || unit.source != code->vmSource || unit.name != code->name) {
    if (unit.owner != nullptr) Code_Changed();
    unit = VMUnit{form, buffer, code->debug, code->vmSource, code->name, code};
  }
  return &unit;
}

inline VMSlot* Machine::Call(const VMRecord& op, VMSlot* sp, Resume* entered) {
  int32_t argc = static_cast<int32_t>(op.word & 0xFFFF);
  // Fewer values than arguments: the byte distance, so that no pointer
  // goes below the stack.
  auto tooFew = [this, sp, argc] {
    return reinterpret_cast<uintptr_t>(sp) - reinterpret_cast<uintptr_t>(bottom_) <
           static_cast<uintptr_t>(argc) * sizeof(VMSlot);
  };
  // A script this record found before, while no code has changed since:
  // its entry checks the arguments' types as it takes them. Only script
  // calls fill a cache, and the count of changes starts above a new cache's
  // 0, so no other call ever matches.
  VMCallCache& cache = *op.value.call;
  if (cache.version == g_codeVersion && !tooFew()) return EnterScript(op, cache.unit, argc, sp, entered) ? sp : nullptr;
  errorPc_ = op.at;
  auto id = static_cast<int32_t>(op.operand);
  if (tooFew()) {
    Fail(kMalformed);
    return nullptr;
  }
  for (VMSlot* slot = sp - argc; slot < sp; ++slot) {
    if (slot->type != kSlotVariant) {
      Fail(kMalformed);
      return nullptr;
    }
  }
  if (id >= 0 && id < kFirstScriptFunctionId) return CallBuiltin(id, argc, sp) ? sp : nullptr;
  if (static_cast<uint32_t>(id - kFirstScriptFunctionId) <
      static_cast<uint32_t>(kFirstExtensionFunctionId - kFirstScriptFunctionId)) {
    CScript* script = Script_Get(id - kFirstScriptFunctionId);
    CCode* code = script == nullptr ? nullptr : script->code;
    if (code != nullptr && code->code != nullptr && code->code->size > 0) {
      const VMUnit* unit = ScriptUnit(code);
      cache = VMCallCache{g_codeVersion, unit};
      return EnterScript(op, unit, argc, sp, entered) ? sp : nullptr;
    }
  } else if (id >= kFirstExtensionFunctionId && g_extensionCaller != nullptr) {
    CallExtension(id - kFirstExtensionFunctionId, argc, sp);
    return sp;
  }
  // Scripts without bytecode give real 0, and so do extension functions
  // until the game's are installed.
  FreeSlots(sp - argc, sp);
  sp -= argc;
  VMSlot_SetReal(sp++, 0.0);
  return sp;
}

ScriptValue* Machine::TakeArguments(int32_t argc, VMSlot*& sp) {
  // Only ever grown: the callee is given the count.
  std::vector<ScriptValue>& store = stack_.arguments;
  if (store.size() < static_cast<size_t>(argc)) store.resize(static_cast<size_t>(argc));
  ScriptValue* arguments = store.data();
  for (int32_t i = 0; i < argc; ++i) {
    const VMSlot& slot = sp[-1 - i];  // the first argument lies on top
    arguments[i] = ScriptValue{slot.kind, slot.text, slot.d};
  }
  sp -= argc;
  return arguments;
}

void ReleaseArguments(ScriptValue* arguments, int32_t argc) {
  for (int32_t i = 0; i < argc; ++i) ScriptValue_Release(&arguments[i]);
}

// A script-kind function cannot run here: the call gives real 0.
void Machine::CallExtension(int32_t index, int32_t argc, VMSlot*& sp) {
  ShowArguments();
  ScriptValue* arguments = TakeArguments(argc, sp);
  ScriptValue result;
  if (!g_extensionCaller(index, argc, arguments, &result)) ScriptValue_SetReal(&result, 0.0);
  ReleaseArguments(arguments, argc);
  VMSlot_FromValue(sp++, result);
}

bool Machine::CallBuiltin(int32_t id, int32_t argc, VMSlot*& sp) {
  BuiltinFunction handler = Function_GetHandler(id);
  if (handler == nullptr) {
    Fail(kMalformed);
    return false;
  }
  if (g_runFlags.bytecodeTrace) VM_TraceFunctionCall(Function_GetRecord(id)->name);
  ShowArguments();
  ScriptValue* arguments = TakeArguments(argc, sp);
  ScriptValue result;
  handler(&result, self_, other_, argc, arguments);
  ReleaseArguments(arguments, argc);
  VMSlot_FromValue(sp++, result);
  return true;
}

inline bool Machine::EnterScript(const VMRecord& op, const VMUnit* unit, int32_t argc, VMSlot*& sp, Resume* entered) {
  // The arguments are copied into the callee's frame (the frame array
  // holds one more than the deepest call) before anything is committed: a
  // value that is not a variant leaves everything as it was.
  auto malformed = [this, &op] {
    errorPc_ = op.at;
    Fail(kMalformed);
    return false;
  };
  VMFrame& frame = frame_[1];
  int32_t given = argc;
  if (__builtin_expect(argc > kArgumentSlots, 0)) {
    given = kArgumentSlots;
    for (int32_t i = kArgumentSlots; i < argc; ++i)
      if (sp[-1 - i].type != kSlotVariant) return malformed();
  }
  uintptr_t texts = 0;
  for (int32_t i = 0; i < given; ++i) {
    const VMSlot& slot = sp[-1 - i];
    if (slot.type != kSlotVariant) return malformed();
    SetArgumentFromSlot(&frame.arguments[i], slot);
    texts |= reinterpret_cast<uintptr_t>(slot.text);
  }
  frame.givenTexts = texts != 0;
  // The deepest call the frame array and the stack's accounting allow.
  constexpr int32_t kMaxDepth = std::min(kVMFrameCapacity - 1, (kVMStackLimit - kVMStackReserve) / kVMFrameBytes);
  if (depth_ >= kMaxDepth) {
    errorPc_ = op.at;
    Fail(kOverflow);
    return false;
  }
  if (g_runFlags.bytecodeTrace)
    VM_TraceScriptCall(Script_Get(static_cast<int32_t>(op.operand) - kFirstScriptFunctionId)->name);
  // The caller's frame keeps the rest of its state as it runs.
  VMFrame& caller = *frame_;
  caller.code.resume = &op + 1;
  ++depth_;
  frame_ = &frame;
  frame.argumentCount = argc;
  frame.given = given;
  if (__builtin_expect(argc > kArgumentSlots, 0))
    for (int32_t i = kArgumentSlots; i < argc; ++i) VMSlot_Free(&sp[-1 - i]);
  sp -= argc;
  bottom_ = frame.bottom = sp;
  frame.withBase = static_cast<int32_t>(stack_.withs.size());
  const VMRecord* records = unit->decoded->records;
  // Its `resume` is set when it calls in turn.
  frame.code.unit = unit;
  frame.code.records = records;
  frame.code.line = 0;
  // The slots past those given that the script's records read are empty.
  for (int32_t i = given; i < unit->decoded->argumentReach; ++i) ClearArgument(&frame.arguments[i]);
  arguments_ = frame.argumentsAt = frame.arguments;
  locals_ = frame.locals = &g_noLocals;
  // The limits depend only on the room left, which a call at this depth
  // with the same with loops open finds the same.
  int32_t room = caller.room - kVMFrameBytes;
  if (frame.room != room) SetLimits(room);
  *entered = Resume{sp, sp, records, frame.softLimit};
  return true;
}

// Return (value given) or frame end (real 0): the caller's state comes back
// and the value takes the place of the call's arguments.
inline Machine::Resume Machine::LeaveScript(VMSlot* sp, VMSlot* value) {
  // The value moves straight into the slot the call's arguments began at,
  // the callee's bottom slot.
  VMSlot* bottom = bottom_;
  if (value == nullptr) {
    FreeSlots(bottom, sp);
    VMSlot_SetReal(bottom, 0.0);
  } else {
    if (value->type != kSlotVariant) {
      ScriptValue converted;
      VMSlot_ToValue(value, &converted);
      VMSlot_FromValue(value, converted);
    }
    FreeSlots(bottom, value);
    if (value != bottom) {
      *bottom = *value;
      value->text = nullptr;
    }
  }
  --depth_;
  VMFrame& frame = *frame_--;
  VMFrame& caller = *frame_;
  // The callee's own with loops end here; the caller's, below its base,
  // stay open around the call. A with loop puts back at its end the pair it
  // found, so the pair the call began with is the one the outermost loop
  // still open found, or the pair as it stands when none is.
  auto withBase = static_cast<size_t>(frame.withBase);
  if (stack_.withs.size() != withBase) {
    self_ = stack_.withs[withBase].self;
    other_ = stack_.withs[withBase].other;
    for (size_t i = withBase; i < stack_.withs.size(); ++i) FreeWith(stack_.withs[i]);
    stack_.withs.resize(withBase);
  }
  GiveBackLocals();
  locals_ = caller.locals;
  bottom_ = caller.bottom;
  LeaveArguments(frame, caller);
  // The caller's depth and with loops are back as they were at the call,
  // and so are its limits.
  return Resume{bottom + 1, caller.bottom, caller.code.resume, caller.softLimit};
}

// What a call's entry once did at once: the caller's slots kept, the
// callee's arguments handed over to the global slots, the rest emptied.
void Machine::MoveArgumentsToSlots() {
  VMFrame& frame = *frame_;
  int32_t extent = g_argumentExtent;
  frame.argumentExtent = extent;
  frame.savedCount = g_argumentCount;
  g_argumentCount = frame.argumentCount;
  for (int32_t i = 0; i < extent; ++i) CopyArgument(&frame.saved[i], &g_arguments[i]);
  for (int32_t i = 0; i < frame.given; ++i) CopyArgument(&g_arguments[i], &frame.arguments[i]);
  for (int32_t i = frame.given; i < extent; ++i) ClearArgument(&g_arguments[i]);
  g_argumentExtent = frame.given;
  arguments_ = frame.argumentsAt = g_arguments;
}

// Collects the instances a `with` visits, skipping those marked for deletion.
class InstanceCollector final : public InstanceVisitor {
 public:
  explicit InstanceCollector(std::vector<CInstance*>& out) : out_(out) { out_.clear(); }
  bool Visit(CInstance* instance) override {
    if (instance != nullptr && !WorldSeam_Get().isMarkedForDeletion(instance)) out_.push_back(instance);
    return true;
  }

 private:
  std::vector<CInstance*>& out_;
};

std::vector<CInstance*> g_found;

bool Machine::PushEnv(const VMRecord& op, VMSlot*& sp, bool* jump) {
  if (op.target < 0 || sp <= bottom_ || sp[-1].type != kSlotInt) {
    Fail(kMalformed);
    return false;
  }
  int32_t selector = (--sp)->i;
  if (selector == kInstanceLocal) {
    Fail("Cannot use local in with statement");
    return false;
  }
  if (selector == kInstanceGlobal) {
    Fail("Cannot use global in with statement");
    return false;
  }
  stack_.withs.push_back(VMWith{self_, other_, nullptr, nullptr, 0});
  VMWith& with = stack_.withs.back();
  const WorldSeam& world = WorldSeam_Get();
  std::vector<CInstance*>& found = g_found;
  found.clear();
  switch (selector) {
    case kInstanceSelf:
    case kInstanceNotSpecified: other_ = self_; return true;
    case kInstanceOther:
      self_ = with.other;
      other_ = with.self;
      return true;
    case kInstanceAll: {
      InstanceCollector collector(found);
      world.visitRoomInstances(collector);
      break;
    }
    default:
      if (selector >= kFirstInstanceId) {
        CInstance* instance = world.findInstance(selector);
        if (instance != nullptr && !world.isMarkedForDeletion(instance)) found.push_back(instance);
      } else if (selector >= 0) {
        InstanceCollector collector(found);
        world.visitObjectInstances(selector, collector);
      }
      break;
  }
  if (found.empty()) {
    *jump = true;  // the popenv restores and goes on
    return true;
  }
  CInstance* first = found[0];
  other_ = with.self;
  size_t n = found.size();
  if (n == 1) {
    self_ = first;
  } else if (n == 2) {
    self_ = first;
    with.next = found[1];
  } else {
    // Three or more run from the last back to the first.
    with.array = static_cast<CInstance**>(KV_ALLOC((n - 1) * sizeof(CInstance*), false));
    std::memcpy(with.array, found.data(), (n - 1) * sizeof(CInstance*));
    with.cursor = static_cast<int32_t>(n - 1);
    self_ = found[n - 1];
  }
  return true;
}

bool Machine::PopEnv(const VMRecord& op, bool* jump) {
  if (static_cast<int32_t>(stack_.withs.size()) <= frame_->withBase) {
    Fail(kMalformed);
    return false;
  }
  VMWith& with = stack_.withs.back();
  if (op.word != kVMWithClose) {
    if (op.target < 0) {
      Fail(kMalformed);
      return false;
    }
    CInstance* next = nullptr;
    if (with.next != nullptr) {
      next = with.next;
      with.next = nullptr;
    } else if (with.array != nullptr && with.cursor > 0) {
      next = with.array[--with.cursor];
    }
    if (next != nullptr) {
      self_ = next;
      *jump = true;
      return true;
    }
  }
  FreeWith(with);
  self_ = with.self;
  other_ = with.other;
  stack_.withs.pop_back();
  return true;
}

}  // namespace

bool VM_Exec(const char* name, CInstance* self, CInstance* other, VMBuffer* code, ScriptValue* result, VMBuffer* debug,
             const char* source) {
  VM_TraceScript(name);
  if (code == nullptr || code->bytes == nullptr || code->size <= 0) return true;
  int32_t savedCount = g_argumentCount;
  if (g_nesting >= kVMMaxNesting) {
    VMErrorState state;
    state.name = name;
    state.source = source;
    VM_RaiseError(state, kOverflow);
    return false;
  }
  VMStack& stack = StackAt(g_nesting++);
  Machine machine(stack, self, other);
  machine.top_ = VMUnit{VM_Decoded(code, code->size & ~3), code, debug, source, name, nullptr};
  bool ok = machine.Run(result);
  --g_nesting;
  g_argumentCount = savedCount;
  return ok;
}

void VM_Install() { Code_SetVMExecutor(VM_Exec); }

void VM_SetStringSource(VMStringSource source) { g_strings = source != nullptr ? source : NoStrings; }

void VM_SetExtensionCaller(VMExtensionCaller caller) { g_extensionCaller = caller; }

int32_t VM_LocalsDepth() { return g_localsDepth; }

void VM_Shutdown() {
  for (CVariableList*& list : g_localsPool) {
    delete list;
    list = nullptr;
  }
  g_localsDepth = 0;
  for (VMStack& stack : g_stacks) {
    delete[] stack.slots;
    delete[] stack.frames;
    stack = VMStack();
  }
}

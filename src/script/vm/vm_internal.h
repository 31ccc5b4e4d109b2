// The machine's parts, shared by its files and included by nothing else: the
// dispatch loop and variable access (vm.cpp), calls and their arguments
// (vm_calls.cpp), frames, locals and the frame stack (vm_frames.cpp), and
// `with` loops (vm_with.cpp). What the loop runs for a call and a return is
// defined here, inline, so that the loop keeps it inlined.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/fatal.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "runtime/script_value.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/variables/variable_list.h"
#include "script/vm/bytecode.h"
#include "script/vm/vm.h"
#include "script/vm/vm_decode.h"
#include "script/vm/vm_error.h"
#include "script/vm/vm_machine.h"
#include "script/vm/vm_slot.h"

#if defined(__clang__)
#define KV_NO_SLP_VECTORIZE
#else
#define KV_NO_SLP_VECTORIZE __attribute__((optimize("no-tree-slp-vectorize")))
#endif

class CInstance;

namespace machine {

constexpr const char* kMalformed = "Execution Error - Malformed bytecode";
constexpr const char* kOverflow = "Stack overflow...";

extern VMStringSource g_strings;
extern VMExtensionCaller g_extensionCaller;

// ---- Locals and the frame stack (vm_frames.cpp) ------------------------------

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
extern CVariableList* g_localsPool[kLocalsCapacity];
extern int32_t g_localsDepth;

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
extern MachineLocals g_noLocals;

// Machines nested through built-ins, each on its own stack.
extern int32_t g_nesting;
VMStack& StackAt(int32_t level);

// The source position of the instruction at byte `pc`, from a code's pairs.
bool FindPair(const VMBuffer* debug, int32_t pc, VMSourcePlace* place);

// ---- Argument slots (vm_calls.cpp) -----------------------------------------

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

// A script's unit, made again if its code object is not the one it was made
// for.
const VMUnit* ScriptUnit(CCode* code);

inline void ReleaseArguments(ScriptValue* arguments, int32_t argc) {
  for (int32_t i = 0; i < argc; ++i) ScriptValue_Release(&arguments[i]);
}

// ---- The machine -------------------------------------------------------------

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
  void FreeSlots(VMSlot* from, VMSlot* to) {
    for (VMSlot* slot = from; slot < to; ++slot) VMSlot_Free(slot);
  }
  void FreeWith(VMWith& with) {
    if (with.array != nullptr) MemoryManager::Free(with.array);
    with.array = nullptr;
  }

  // Variables (vm.cpp).
  bool PushVariable(uint32_t word, uint32_t ref, VMSlot*& sp);
  bool PopVariable(uint32_t word, uint32_t ref, VMSlot*& sp);
  bool PopPlainLocal(uint32_t word, uint32_t ref, VMSlot*& sp);
  __attribute__((always_inline)) inline ScriptValue* SelfElement(const VMRecord& op, VMSlot* sp, VMSlot** rest);
  __attribute__((always_inline)) inline ScriptValue* SelfElementAt(const VMRecord& op, int32_t selector, int32_t index);
  bool ReadSelectorAndIndex(uint32_t word, uint32_t ref, VMSlot*& sp, int32_t* selector, int32_t* index);

  // Calls (below, and vm_calls.cpp).
  // Where the loop goes on after a call enters a script or a script returns.
  struct Resume {
    VMSlot* sp;
    VMSlot* bottom;
    const VMRecord* op;
    uintptr_t limit;
  };
  __attribute__((always_inline)) inline VMSlot* Call(const VMRecord& op, VMSlot* sp, Resume* entered);
  inline bool CallBuiltin(int32_t id, int32_t argc, VMSlot*& sp);
  void CallExtension(int32_t index, int32_t argc, VMSlot*& sp);
  // Takes the argc values on top of the stack off it, in script order.
  ScriptValue* TakeArguments(int32_t argc, VMSlot*& sp);
  __attribute__((always_inline)) inline bool EnterScript(const VMRecord& op, const VMUnit* unit, int32_t argc,
                                                         VMSlot*& sp, Resume* entered);
  __attribute__((always_inline)) inline Resume LeaveScript(VMSlot* sp, VMSlot* value);

  // `with` loops (vm_with.cpp).
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

  // The fused records' reads and elements (vm.cpp, beside the loop).
  // The value a plain local or argument push reads; null: no such local.
  __attribute__((always_inline)) inline const ScriptValue* PlainRead(const VMRecord& push);
  __attribute__((always_inline)) inline ScriptValue* LocalValue(const VMRecord& local);
  // The index of a fused element record: a plain read or an arithmetic
  // triple; false when it is not a plain real.
  __attribute__((always_inline)) inline bool ElementIndex(const VMRecord* element, double* at);
  // The element a fused element record names, once its index is known; a
  // store into a local's array reaches past its end.
  __attribute__((always_inline)) inline ScriptValue* ElementOf(const VMRecord* element, double at);
  // The element `index` of the local a push.v or pop.v names; null when
  // the local has no value yet, the index is negative, or (unless `grow`)
  // the element does not exist. Grown, the array reaches it as the plain
  // store would make it reach.
  __attribute__((always_inline)) inline ScriptValue* LocalElementAt(const VMRecord& access, int32_t index, bool grow);
  // What an arithmetic triple (a read, a constant or a second read, an
  // operator) would push, when its operands are plain reals and the
  // operator gives a value without the module; false leaves it to run.
  __attribute__((always_inline)) inline bool TripleValue(const VMRecord* triple, double* out);
};

// ---- A call's entry, a built-in's call and a script's return, inlined into
// the loop ----------------------------------------------------------------

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

inline bool Machine::CallBuiltin(int32_t id, int32_t argc, VMSlot*& sp) {
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

}  // namespace machine

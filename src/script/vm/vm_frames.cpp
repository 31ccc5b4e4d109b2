// The machine's frames and what it keeps by call depth and nesting: the
// locals pool, the stacks, the error report's frame list, the stack limit
// and the unwinding of every frame at a run's end.
#include <cstdio>
#include <vector>

#include "script/compiler/operators.h"
#include "script/variables/variable_names.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "script/vm/vm_internal.h"

namespace machine {

CVariableList* g_localsPool[kLocalsCapacity];
int32_t g_localsDepth = 0;
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

namespace {

inline uint32_t ReadWord(const uint8_t* p) {
  uint32_t word;
  std::memcpy(&word, p, 4);
  return word;  // little-endian host
}

}  // namespace

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
  if (message == kStringTooLong)
    VM_RaiseRuntimeError(state, message);
  else
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

}  // namespace machine

int32_t VM_LocalsDepth() { return machine::g_localsDepth; }

void VM_Shutdown() {
  using machine::g_localsPool;
  using machine::g_stacks;
  for (CVariableList*& list : g_localsPool) {
    delete list;
    list = nullptr;
  }
  machine::g_localsDepth = 0;
  for (VMStack& stack : g_stacks) {
    delete[] stack.slots;
    delete[] stack.frames;
    stack = VMStack();
  }
}

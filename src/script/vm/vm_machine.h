// The machine's inner state, shared by the loop and its handlers.
#pragma once

#include <cstdint>
#include <vector>

#include "script/compiler/code.h"
#include "script/vm/bytecode.h"
#include "script/vm/vm.h"
#include "script/vm/vm_decode.h"
#include "script/vm/vm_error.h"
#include "script/vm/vm_slot.h"

class CInstance;
class CVariableList;

// The running code and where the machine stands in it.
struct VMCodeState {
  const VMUnit* unit = nullptr;
  const VMRecord* records = nullptr;  // the unit's records, kept at hand for returns
  const VMRecord* resume = nullptr;   // the record to go on at when this code runs again (null: its first)
  int32_t line = 0;                   // the current line (breakpoints), 0 until one is known
};

// The byte offset after the instruction that left a code (a call): the
// place its "called from" line shows.
inline int32_t VMCodeState_Pc(const VMCodeState& state) {
  return state.resume != nullptr && state.resume > state.records ? state.resume[-1].next : 0;
}

// A script call: the caller's state, and the callee's arguments. The
// caller's self and other need no place here: the callee changes them only
// inside with loops, each of which keeps the pair it found.
//
// The callee's arguments stay in the frame while only the machine reads
// them (its argument records read them by slot). Before anything else could
// look at the global argument slots (a built-in, a variable read or store
// through the registry), they move there, and the slots they displace are
// kept in `saved` until the call returns.
struct VMFrame {
  VMCodeState caller;
  ScriptValue* callerArguments;  // where the caller reads its arguments
  int32_t argumentCount;
  int32_t given;           // the callee's arguments held in `arguments`
  bool givenTexts;         // whether any of them holds a text
  int32_t argumentExtent;  // once moved: the caller's slots from here on were empty, and are not saved
  int32_t room;            // the caller's stack limits
  uintptr_t softLimit;
  VMSlot* overflowLimit;
  CVariableList* locals;
  VMSlot* callerBottom;  // the caller's own bottom slot
  int32_t withBase;      // where the caller's own with records begin
  ScriptValue arguments[kArgumentSlots];
  ScriptValue saved[kArgumentSlots];
};

// One open `with` loop. Its size is a power of two, so counting the open
// loops (every script call does) takes no division.
struct alignas(64) VMWith {
  CInstance* self;
  CInstance* other;
  CInstance* next;    // the one instance still to come, or null
  CInstance** array;  // three or more: the instances before the last
  int32_t cursor;
};

// The stack of one machine nesting level, kept for reuse.
struct VMStack {
  VMSlot* slots = nullptr;
  int32_t capacity = 0;
  VMFrame* frames = nullptr;
  int32_t frameCapacity = 0;
  std::vector<VMWith> withs;
  std::vector<ScriptValue> arguments;  // a built-in call's arguments in order
};

constexpr int32_t kVMSlotCapacity = kVMStackLimit / 4 + 256;
constexpr int32_t kVMFrameCapacity = kVMStackLimit / kVMFrameBytes + 8;
constexpr int32_t kVMWithBytes = 20;

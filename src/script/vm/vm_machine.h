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
  const VMRecord* resume = nullptr;   // the record to go on at when the call it made returns
  int32_t line = 0;                   // the current line (breakpoints), 0 until one is known
};

// The byte offset after the instruction that left a code (a call): the
// place its "called from" line shows.
inline int32_t VMCodeState_Pc(const VMCodeState& state) {
  return state.resume != nullptr && state.resume > state.records ? state.resume[-1].next : 0;
}

// One code running at one call depth: the code a machine starts with at
// depth 0, then one per script call. A call writes only the callee's frame
// (and where its caller goes on); the caller's own frame keeps the caller's
// state, so a return puts back nothing but a few of the machine's copies.
//
// The callee's arguments stay in its frame while only the machine reads
// them (its argument records read them by slot). Before anything else could
// look at the global argument slots (a built-in, a variable read or store
// through the registry), they move there, and the slots they displace are
// kept in `saved` until the call returns. The global argument count moves
// with them.
struct VMFrame {
  VMCodeState code;          // `resume` set while this code waits for a call it made
  CVariableList* locals;     // this code's locals list, kept in step with the machine's
  ScriptValue* argumentsAt;  // where this code reads its arguments: the global slots or `arguments`
  VMSlot* bottom;            // this code's bottom slot
  int32_t withBase;          // where this code's own with records begin
  int32_t argumentCount;     // how many arguments the call gave, shown with them
  // The stack limits at this depth, for `room` bytes left to the slots;
  // they stay while the room does, so a call at the same depth and with the
  // same with loops open finds them made.
  int32_t room = INT32_MIN;
  uintptr_t softLimit = 0;
  VMSlot* overflowLimit = nullptr;
  int32_t given;           // the script's arguments held in `arguments`
  bool givenTexts;         // whether any of them holds a text
  int32_t argumentExtent;  // once moved: the caller's slots from here on were empty, and are not saved
  int32_t savedCount;      // once moved: the global argument count they displaced
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
  bool limitsForBreakpoints = false;   // what the frames' limits were made for
};

constexpr int32_t kVMSlotCapacity = kVMStackLimit / 4 + 256;
constexpr int32_t kVMFrameCapacity = kVMStackLimit / kVMFrameBytes + 8;
constexpr int32_t kVMWithBytes = 20;

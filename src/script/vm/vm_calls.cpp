// The machine's calls: built-ins, extension functions and the arguments
// they take off the stack, a script's unit, and a script's arguments moved
// to the global slots for code outside the machine. The call's entry and the
// script's return and a built-in's call, which the loop inlines, are in
// vm_internal.h.
#include <vector>

#include "script/compiler/code.h"
#include "script/vm/vm_internal.h"

namespace machine {

VMExtensionCaller g_extensionCaller = nullptr;

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

// A script-kind function cannot run here: the call gives real 0.
void Machine::CallExtension(int32_t index, int32_t argc, VMSlot*& sp) {
  ShowArguments();
  ScriptValue* arguments = TakeArguments(argc, sp);
  ScriptValue result;
  if (!g_extensionCaller(index, argc, arguments, &result)) ScriptValue_SetReal(&result, 0.0);
  ReleaseArguments(arguments, argc);
  VMSlot_FromValue(sp++, result);
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

}  // namespace machine

void VM_SetExtensionCaller(VMExtensionCaller caller) { machine::g_extensionCaller = caller; }

// The bytecode machine: runs one code object's instruction words for a pair
// of instances. Script calls inside the code push a frame on the machine's
// own stack and switch to the script's code, so a chain of script calls runs
// in one loop; built-ins that run code again nest a new machine.
#pragma once

#include <cstdint>

#include "runtime/script_value.h"
#include "script/compiler/code.h"

class CInstance;
class CVariableList;

// Runs `code` to its end. `result` (may be null) receives the value left on
// top by the code; an `exit` at the outermost level leaves it as it is.
// Errors are reported by the machine itself and end the process, except
// under debugger evaluation, where the run stops and the result is false.
bool VM_Exec(const char* name, CInstance* self, CInstance* other, VMBuffer* code, ScriptValue* result, VMBuffer* debug,
             const char* source);

// Hands VM_Exec to the code objects as their bytecode runner.
void VM_Install();

// Where push.s operands of code without its own string pool (precompiled
// code) find their text: the operand is an index that the
// game loader resolves. Null puts back a source that finds
// nothing (the text pushed is then the empty text).
using VMStringSource = const char* (*)(const VMBuffer* code, int32_t index);
void VM_SetStringSource(VMStringSource source);

// Calls extension function `index` with the arguments in script order;
// false when it is not a library function (the call then gives real 0).
// Until one is installed every extension call gives real 0.
using VMExtensionCaller = bool (*)(int32_t index, int32_t argc, ScriptValue* arguments, ScriptValue* result);
void VM_SetExtensionCaller(VMExtensionCaller caller);

// Machines nested through built-ins before "Stack overflow..." is reported.
constexpr int32_t kVMMaxNesting = 48;
// The stack accounting's sizes: the first value lies 16 bytes below the top,
// the stack grows in steps of 16384 bytes up to 131072, and an instruction
// needs 1024 bytes free.
constexpr int32_t kVMStackLimit = 131072;
constexpr int32_t kVMStackReserve = 1024 + 16;
constexpr int32_t kVMFrameBytes = 300;

// The locals pool: lists by machine nesting and script call depth.
int32_t VM_LocalsDepth();
// Game end: the pool's lists and the machines' stacks.
void VM_Shutdown();

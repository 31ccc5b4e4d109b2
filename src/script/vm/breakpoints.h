// The bytecode machine's breakpoints, set from the command line: at most
// 10, each a script name and a line counted from 0.
#pragma once

#include <cstdint>

struct Breakpoint {
  char* script;
  int32_t line;  // the given line - 1
  bool enabled;
};

constexpr int32_t kMaxBreakpoints = 10;

// Adds {name, line - 1, enabled} while fewer than 10 exist.
void VM_AddBreakpoint(const char* script, int32_t line);
int32_t VM_BreakpointCount();
const Breakpoint* VM_GetBreakpoint(int32_t index);
void VM_ClearBreakpoints();

// True when an enabled entry names exactly this code and this line.
bool VM_BreakpointMatches(const char* name, int32_t line);
// Whether a native debugger traces this process right now.
bool VM_DebuggerAttached();
// A matched breakpoint: stops in the attached debugger; without one the
// signal would end the process, so nothing happens then.
void VM_BreakpointBreak();

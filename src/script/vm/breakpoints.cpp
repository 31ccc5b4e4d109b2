#include "script/vm/breakpoints.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/memory.h"
#include "runtime/text.h"

namespace {

Breakpoint g_breakpoints[kMaxBreakpoints];
int32_t g_count = 0;

}  // namespace

void VM_AddBreakpoint(const char* script, int32_t line) {
  if (g_count >= kMaxBreakpoints) return;
  const int32_t zeroBased = line == INT32_MIN ? INT32_MIN : line - 1;
  g_breakpoints[g_count++] = {String_Duplicate(script == nullptr ? "" : script), zeroBased, true};
}

int32_t VM_BreakpointCount() { return g_count; }

const Breakpoint* VM_GetBreakpoint(int32_t index) {
  return index >= 0 && index < g_count ? &g_breakpoints[index] : nullptr;
}

void VM_ClearBreakpoints() {
  for (int32_t i = 0; i < g_count; ++i) MemoryManager::Free(g_breakpoints[i].script);
  g_count = 0;
}

// Code without line pairs (compiled from source at start) is at line -1,
// which no breakpoint names: "-bp name" without "@" stops nowhere rather
// than at every instruction.
bool VM_BreakpointMatches(const char* name, int32_t line) {
  if (name == nullptr || line < 0) return false;
  for (int32_t i = 0; i < g_count; ++i) {
    const Breakpoint& entry = g_breakpoints[i];
    if (entry.enabled && entry.line == line && std::strcmp(entry.script, name) == 0) return true;
  }
  return false;
}

namespace {

bool ReadTracerPid() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return false;
  char line[256];
  bool traced = false;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      traced = std::strtol(line + 10, nullptr, 10) != 0;
      break;
    }
  }
  std::fclose(status);
  return traced;
}

}  // namespace

bool VM_DebuggerAttached() { return ReadTracerPid(); }

void VM_BreakpointBreak() {
  if (VM_DebuggerAttached()) std::raise(SIGTRAP);
}

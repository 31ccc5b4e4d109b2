#include "script/vm/vm_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/fatal.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"

TErrStreamConsole::TErrStreamConsole() : capacity_(kInitialCapacity), length_(0) {
  text_ = static_cast<char*>(KV_ALLOC(static_cast<size_t>(capacity_), false));
  text_[0] = '\0';
}

TErrStreamConsole::~TErrStreamConsole() { MemoryManager::Free(text_); }

bool TErrStreamConsole::AlwaysTrue(int /*argument*/) { return true; }

// The whole formatted text is kept, however long: a report never loses the
// tail of a long variable value.
void TErrStreamConsole::Output(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int needed = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (needed < 0) {
    va_end(again);
    return;
  }
  if (needed < static_cast<int>(sizeof buffer)) {
    Append(buffer, needed);
  } else {
    auto* large = static_cast<char*>(KV_ALLOC(static_cast<size_t>(needed) + 1, false));
    std::vsnprintf(large, static_cast<size_t>(needed) + 1, format, again);
    Append(large, needed);
    MemoryManager::Free(large);
  }
  va_end(again);
}

void TErrStreamConsole::Append(const char* bytes, int32_t length) {
  if (capacity_ <= length_ + length + 2) {
    capacity_ += length + 1024;
    text_ = static_cast<char*>(KV_REALLOC(text_, static_cast<size_t>(capacity_)));
  }
  std::memcpy(text_ + length_, bytes, static_cast<size_t>(length));
  length_ += length;
  text_[length_] = '\0';
}

int32_t VM_SourceLine(const char* source, VMSourcePlace place) {
  if (!place.hasPair) return -1;
  if (source == nullptr) source = "";
  int32_t length = static_cast<int32_t>(std::strlen(source));
  int32_t p = place.position > length ? length - 1 : place.position;
  int32_t line = 0;
  for (int32_t i = 1; i <= p; ++i)
    if (source[i] == '\n') ++line;
  return line;
}

const char* VM_SourceLineText(const char* source, VMSourcePlace place) {
  static char buffer[256];
  if (!place.hasPair) return "<unknown source line>";
  if (source == nullptr) source = "";
  int32_t length = static_cast<int32_t>(std::strlen(source));
  int32_t walk = place.position < length - 1 ? place.position : length - 1;
  int32_t start = 0;
  for (int32_t i = 0; i < walk; ++i)
    if (source[i] == '\n') start = i + 1;
  int32_t n = 0;
  for (int32_t i = start; i < length && n < 255; ++i) {
    if (source[i] == '\r' || source[i] == '\n') break;
    buffer[n++] = source[i];
  }
  buffer[n] = '\0';
  return buffer;
}

namespace {

void WriteRule(tagIConsole* console) {
  char rule[93];
  std::memset(rule, '#', 92);
  rule[92] = '\0';
  console->Output("%s\n", rule);
}

void WriteList(tagIConsole* console, const char* heading, const CVariableList* list) {
  if (list == nullptr || list->Count() == 0) return;
  console->Output("%s", heading);
  list->Dump(console);
}

}  // namespace

void VM_WriteErrorReport(tagIConsole* console, const VMErrorState& state, const char* message) {
  const char* name = state.name == nullptr ? "" : state.name;
  WriteRule(console);
  console->Output("VMError!! Occurred - ");
  console->Output("%s\n", message);
  int32_t line = VM_SourceLine(state.source, state.place);
  console->Output(" at %s (line %d) - %s\n", name, line, VM_SourceLineText(state.source, state.place));
  WriteRule(console);
  if (state.locals != nullptr && state.locals->Count() != 0) {
    WriteRule(console);
    WriteList(console, "Local Variables : \n", state.locals);
  }
  WriteList(console, "Self Variables : \n", state.selfVariables);
  WriteList(console, "Global Variables : \n", Variable_Global_List());
  if (state.depth <= 0 || state.frames == nullptr) return;
  console->Output("stack frame is\n%s (line %d)\n", name, state.currentLine);
  for (int32_t i = 0; i < state.depth; ++i) {
    const VMErrorFrame& frame = state.frames[i];
    if (frame.name != nullptr) {
      int32_t frameLine = VM_SourceLine(frame.source, frame.place);
      console->Output("called from - %s (line %d) - %s\n", frame.name, frameLine,
                      VM_SourceLineText(frame.source, frame.place));
    }
    if (frame.locals != nullptr) frame.locals->Dump(console);
  }
}

bool VM_RaiseError(const VMErrorState& state, const char* message) {
  if (g_runFlags.debuggerEvaluating) {
    Error_SetOccurred(true);
    return false;
  }
  auto* console = new TErrStreamConsole();
  VM_WriteErrorReport(console, state, message);
  Error_Show(console->Text(), true);
  delete console;
  Fatal_ExitFromRunningCode(-1);
}

bool VM_RaiseRuntimeError(const VMErrorState& state, const char* message) {
  if (g_runFlags.debuggerEvaluating) {
    Error_SetOccurred(true);
    return false;
  }
  // Code without a table of source places (compiled at load) names no line.
  if (!state.place.hasPair) {
    Error_Show(message, false);
    return false;
  }
  Error_Show(Code_Error_Text(state.source, true, state.place.position, message).c_str(), false);
  return false;
}

void VM_TraceScript(const char* name) {
  if (g_runFlags.bytecodeTrace) g_debugConsole->Output("script = %s\n", name == nullptr ? "" : name);
}

void VM_TraceFunctionCall(const char* name) {
  if (g_runFlags.bytecodeTrace) g_debugConsole->Output("func call = %s\n", name == nullptr ? "" : name);
}

void VM_TraceScriptCall(const char* name) {
  if (g_runFlags.bytecodeTrace) g_debugConsole->Output("script call = %s\n", name == nullptr ? "" : name);
}

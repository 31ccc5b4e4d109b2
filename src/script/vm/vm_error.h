// The bytecode machine's error report, the mapping from a source position to
// its line, and the call trace.
#pragma once

#include <cstdint>

#include "runtime/console.h"

class CVariableList;

// A console that collects everything written to it in one growing text.
class TErrStreamConsole : public tagIConsole {
 public:
  static constexpr int32_t kInitialCapacity = 102400;
  TErrStreamConsole();
  ~TErrStreamConsole() override;
  TErrStreamConsole(const TErrStreamConsole&) = delete;
  TErrStreamConsole& operator=(const TErrStreamConsole&) = delete;

  bool AlwaysTrue(int argument) override;
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  const char* Text() const { return text_; }
  int32_t Length() const { return length_; }
  int32_t Capacity() const { return capacity_; }

 private:
  void Append(const char* bytes, int32_t length);

  int32_t capacity_;
  int32_t length_;
  char* text_;
};

// Where a program counter lies in its source, through its debug pair: the
// pair's source position when one was found. Positions count bytes.
struct VMSourcePlace {
  bool hasPair = false;
  int32_t position = 0;
};

// The 0-based line of a place (-1 without a pair): the line feeds among
// bytes 1 to the position, which is held to the text's last byte.
int32_t VM_SourceLine(const char* source, VMSourcePlace place);
// The text of the place's line, ending before CR or LF and at most 255
// bytes, in one shared buffer valid until the next call;
// "<unknown source line>" without a pair.
const char* VM_SourceLineText(const char* source, VMSourcePlace place);

// One script call on the machine's stack, as the report shows it.
struct VMErrorFrame {
  const char* name = nullptr;  // the caller's code name; null: no saved code
  VMSourcePlace place;         // the caller's program counter
  const char* source = nullptr;
  const CVariableList* locals = nullptr;
};

// What the report shows of the running machine.
struct VMErrorState {
  const char* name = nullptr;
  VMSourcePlace place;
  const char* source = nullptr;
  const CVariableList* locals = nullptr;
  const CVariableList* selfVariables = nullptr;
  int32_t currentLine = 0;
  int32_t depth = 0;
  const VMErrorFrame* frames = nullptr;  // innermost first, `depth` of them
};

// Writes the whole report for `message` (already formatted).
void VM_WriteErrorReport(tagIConsole* console, const VMErrorState& state, const char* message);
// The machine's error: under debugger evaluation it sets the error flag and
// returns false; otherwise the report goes to the error reporter as fatal
// and the process ends with status -1.
bool VM_RaiseError(const VMErrorState& state, const char* message);
// A runtime error the game goes on from, reported as the tree reports it
// (the line and position in the source, no machine report): the code stops
// and false comes back.
bool VM_RaiseRuntimeError(const VMErrorState& state, const char* message);

// Trace lines on the debug console while tracing is on.
void VM_TraceScript(const char* name);
void VM_TraceFunctionCall(const char* name);
void VM_TraceScriptCall(const char* name);

// What events need from code objects: build one from source text or from a
// compiled entry, compile it under a name, run it for an instance, and the
// error text of the last failed compile; and the program-wide relative flag
// of the running action. Code objects serve for every null member, run
// through the runner the engine joins; tests install a recording table.
#pragma once

#include <cstdint>
#include <string>

class CCode;
class CInstance;

struct EventCodeHooks {
  // A program (not an expression) over `text`, which the caller keeps alive.
  CCode* (*fromText)(const char* text) = nullptr;
  // A program from compiled entry `index` of the code table.
  CCode* (*fromIndex)(int32_t index) = nullptr;
  void (*free)(CCode* code) = nullptr;
  // CCode::Compile: false with the reason left in the compile error text.
  bool (*compile)(CCode* code, const char* name) = nullptr;
  std::string (*compileErrorText)() = nullptr;
  // The joined runner: runs the code, reporting a failure itself.
  bool (*execute)(CCode* code, CInstance* self, CInstance* other) = nullptr;
  bool (*relative)() = nullptr;
  void (*setRelative)(bool relative) = nullptr;
  // A fatal runtime error with a ready message (the place is added).
  void (*reportFatal)(const char* message) = nullptr;
};

// Replaces the whole table; a default-constructed one puts the code
// objects back.
void EventCode_Install(const EventCodeHooks& hooks);
const EventCodeHooks& EventCode_Get();

// How the code objects' `execute` runs a code object (the tree's
// Code_Execute_ShowError, joined by ScriptEngine_Join); running event code
// before one is set is a wiring fault.
using EventCodeRunner = bool (*)(CCode* code, CInstance* self, CInstance* other);
void EventCode_SetRunner(EventCodeRunner runner);

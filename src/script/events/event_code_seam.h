// What events need from code objects: build one from source text or from a
// compiled entry, compile it under a name, run it for an instance, and the
// error text of the last failed compile. Code objects serve by default;
// tests install a recording stand-in.
#pragma once

#include <cstdint>
#include <string>

class CCode;
class CInstance;

class IEventCode {
 public:
  virtual ~IEventCode() = default;
  // A program (not an expression) over `text`, which the caller keeps alive.
  virtual CCode* FromText(const char* text) = 0;
  // A program from compiled entry `index` of the code table.
  virtual CCode* FromIndex(int32_t index) = 0;
  virtual void Free(CCode* code) = 0;
  // CCode::Compile: false with the reason left in the compile error text.
  virtual bool Compile(CCode* code, const char* name) = 0;
  virtual std::string CompileErrorText() = 0;
  // Code_Execute_ShowError: runs the code, reporting a failure itself.
  virtual bool Execute(CCode* code, CInstance* self, CInstance* other) = 0;
  // The program-wide relative flag of the running action.
  virtual bool Relative() = 0;
  virtual void SetRelative(bool relative) = 0;
  // A fatal runtime error with a ready message (the place is added).
  virtual void ReportFatal(const char* message) = 0;
};

// Null puts the code objects back.
void EventCode_Install(IEventCode* code);
IEventCode& EventCode_Get();

// Small helpers shared by the data-structure tests.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/console.h"
#include "runtime/memory.h"
#include "runtime/script_value.h"

// A value that frees its own text.
struct TestValue {
  ScriptValue v;
  explicit TestValue(double real) { ScriptValue_SetReal(&v, real); }
  explicit TestValue(const char* text) { ScriptValue_SetString(&v, text); }
  ~TestValue() { ScriptValue_Release(&v); }
  TestValue(const TestValue&) = delete;
  TestValue& operator=(const TestValue&) = delete;
  const ScriptValue* operator&() const { return &v; }
};

// "r:<real>" or "s:<text>" so whole sequences compare in one expectation.
inline std::string Describe(const ScriptValue* value) {
  if (value == nullptr) return "none";
  if (value->kind == kValueString) return std::string("s:") + ScriptValue_Text(*value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "r:%g", value->real);
  return buffer;
}

// Takes an owned text and hands back a std::string.
inline std::string TakeText(char* text) {
  std::string copy = text == nullptr ? "<null>" : text;
  MemoryManager::Free(text);
  return copy;
}

// Collects what goes to a console while it is installed.
class CaptureConsole : public tagIConsole {
 public:
  explicit CaptureConsole(tagIConsole** slot) : m_slot(slot), m_old(*slot) { *slot = this; }
  ~CaptureConsole() override { *m_slot = m_old; }
  bool AlwaysTrue(int) override { return true; }
  void Output(const char* format, ...) override {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    lines += buffer;
  }
  std::string lines;

 private:
  tagIConsole** m_slot;
  tagIConsole* m_old;
};

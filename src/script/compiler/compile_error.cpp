#include "script/compiler/compile_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/memory.h"
#include "runtime/text.h"
#include "script/compiler/code.h"

char* g_errorText = nullptr;
const char* const kCodeNestedTooDeeply = "Code nested too deeply.";

namespace {

bool g_errorRecorded = false;
ErrorResetHook g_resetHook = nullptr;

struct LinePlace {
  int line = 1;
  int column = 0;  // characters since the last line feed
  int32_t lineStart = 0;
  int32_t lineEnd = 0;
};

// Line and column of a position; the column counts UTF-8 characters, so
// neither continuation bytes nor carriage returns add to it.
LinePlace Locate(const char* text, int32_t length, int32_t position) {
  LinePlace place;
  for (int32_t i = 0; i < position; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n') {
      ++place.line;
      place.column = 0;
      place.lineStart = i + 1;
    } else if (byte != '\r' && (byte & 0xC0) != 0x80) {
      ++place.column;
    }
  }
  place.lineEnd = place.lineStart;
  while (place.lineEnd < length && text[place.lineEnd] != '\n') ++place.lineEnd;
  return place;
}

char* Keep(const std::string& text) {
  auto* copy = static_cast<char*>(KV_ALLOC(text.size() + 1, false));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

std::string Error_Format(const char* format, ...) {
  std::string out;
  va_list args;
  va_start(args, format);
  String_FormatArgs(&out, format, args);
  va_end(args);
  return out;
}

void Code_Error_SetResetHook(ErrorResetHook hook) { g_resetHook = hook; }

void Code_Error_ApplyPendingReset() {
  if (g_resetHook != nullptr) g_resetHook();
}

void Code_Error_Clear() { g_errorRecorded = false; }

bool Code_Error_Recorded() { return g_errorRecorded; }

void Code_Error_Set(const CCode* code, int32_t position, const char* message) {
  Code_Error_ApplyPendingReset();
  if (g_errorRecorded) return;
  g_errorRecorded = true;
  if (g_errorText != nullptr) MemoryManager::Free(g_errorText);
  g_errorText = nullptr;

  g_errorText = Keep(Code_Error_Text(code == nullptr ? nullptr : code->source,
                                     code != nullptr && code->kind == kCodeProgram, position, message));
}

std::string Code_Error_Text(const char* source, bool program, int32_t position, const char* message) {
  if (source == nullptr) source = "";
  const char* text = message == nullptr ? "" : message;
  size_t fullLength = std::strlen(source);
  auto length = static_cast<int32_t>(fullLength > INT32_MAX ? INT32_MAX : fullLength);
  if (position < 0) position = 0;
  if (position > length) position = length;
  LinePlace place = Locate(source, length, position);
  if (!program) return Error_Format("Error in expression: %s\n position %d: %s", source, place.column + 1, text);
  std::string line(source + place.lineStart, static_cast<size_t>(place.lineEnd - place.lineStart));
  return Error_Format("Error in code at line %d:\n   %s\n\nat position %d: %s", place.line, line.c_str(),
                      place.column + 1, text);
}

void Code_Error_Prefix(const char* prefix, const char* body) {
  constexpr size_t kLimit = 1024;
  if (body == nullptr) body = g_errorText != nullptr ? g_errorText : "";
  std::string text = std::string(prefix == nullptr ? "" : prefix) + body;
  if (text.size() >= kLimit) return;
  size_t bytes = text.size() + 1;
  if (g_errorText == nullptr || MemoryManager::GetSize(g_errorText) < bytes) {
    if (g_errorText != nullptr) MemoryManager::Free(g_errorText);
    g_errorText = static_cast<char*>(KV_ALLOC(bytes, false));
  }
  std::memcpy(g_errorText, text.c_str(), bytes);
}

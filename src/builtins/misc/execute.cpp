#include "builtins/misc/execute.h"

#include <cstdio>
#include <cstring>

#include "files/file_layer.h"
#include "runtime/memory.h"
#include "script/compiler/code.h"
#include "script/compiler/compile_error.h"
#include "script/events/error_report.h"
#include "script/tree/interpreter.h"

namespace {

int32_t g_stringCounter = 0;
int32_t g_fileCounter = 0;

constexpr size_t kStringErrorBytes = 1024;
constexpr size_t kFileErrorBytes = 256;

// The 16 argument slots and the count as they were, put back when the run
// ends whichever way it ends.
class SavedArguments {
 public:
  SavedArguments() : count_(g_argumentCount) {
    for (int32_t i = 0; i < kArgumentSlots; ++i) ScriptValue_Copy(&slots_[i], &g_arguments[i]);
  }
  ~SavedArguments() {
    for (int32_t i = 0; i < kArgumentSlots; ++i) {
      Code_SetArgument(i, slots_[i]);
      ScriptValue_Release(&slots_[i]);
    }
    g_argumentCount = count_;
  }
  SavedArguments(const SavedArguments&) = delete;
  SavedArguments& operator=(const SavedArguments&) = delete;

 private:
  ScriptValue slots_[kArgumentSlots];
  int32_t count_;
};

struct TextKind {
  const char* namePrefix;
  int32_t* counter;
  const char* errorFormat;
  size_t errorBytes;
};

const TextKind kStringKind = {"Execute", &g_stringCounter, "COMPILATION ERROR in string to be executed\n%s",
                              kStringErrorBytes};
const TextKind kFileKind = {"ExecuteFile", &g_fileCounter, "COMPILATION ERROR in file to be executed\n%s",
                            kFileErrorBytes};

int32_t TakeNumber(int32_t* counter) {
  int32_t number = *counter;
  *counter = number == INT32_MAX ? 0 : number + 1;
  return number;
}

// Cut to `limit` bytes with the terminator, never inside a character.
void ReportCompileError(const TextKind& kind) {
  char text[kStringErrorBytes];
  const size_t limit = kind.errorBytes < sizeof text ? kind.errorBytes : sizeof text;
  std::snprintf(text, limit, kind.errorFormat, g_errorText == nullptr ? "" : g_errorText);
  size_t length = std::strlen(text);
  if (length + 1 == limit) {
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    text[length] = 0;
  }
  Error_Report(text, false);
  Code_Error_Clear();
}

// args[0] is the text or file name; the values after it fill the slots.
void Run(ScriptValue* result, CInstance* self, CInstance* other, const char* text, int32_t argc, ScriptValue* args,
         const TextKind& kind) {
  SavedArguments saved;
  for (int32_t i = 0; i < kArgumentSlots; ++i) {
    Code_SetArgument(i, i + 1 < argc ? args[i + 1] : ScriptValue());
  }
  char name[32];
  std::snprintf(name, sizeof name, "%s.%d", kind.namePrefix, TakeNumber(kind.counter));
  CCode code(text, false);
  if (code.Compile(name)) {
    Code_Execute_ShowError(self, other, &code, result);
  } else {
    ReportCompileError(kind);
  }
}

std::string ForwardSlashes(const char* path) {
  std::string text = path;
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return text;
}

}  // namespace

std::string Execute_JoinLines(const char* bytes, size_t size) {
  std::string text;
  size_t start = 0;
  while (start < size) {
    const void* found = std::memchr(bytes + start, '\n', size - start);
    size_t end = found == nullptr ? size : static_cast<size_t>(static_cast<const char*>(found) - bytes);
    size_t length = end - start;
    if (found != nullptr && length > 0 && bytes[end - 1] == '\r') --length;
    if (text.size() + length + 2 >= MemoryManager::kMaxSize) break;
    text.append(bytes + start, length);
    if (found != nullptr) text += '\n';
    text += '\n';
    start = found == nullptr ? size : end + 1;
  }
  return text;
}

void F_ExecuteString(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (in.Count() == 0) return;
  if (argc > kArgumentSlots) argc = kArgumentSlots;
  Run(result, self, other, in.Text(0), argc, args, kStringKind);
}

void F_ExecuteFile(KV_BUILTIN_PARAMS) {
  BuiltinArgs in(argc, args);
  if (in.Count() == 0) return;
  if (argc > kArgumentSlots) argc = kArgumentSlots;
  int32_t size = 0;
  uint8_t* bytes = LoadSave_ReadFile(ForwardSlashes(in.Text(0)).c_str(), &size);
  if (bytes == nullptr) {
    Builtin_Error("Trying to execute non-existing file.");
    return;
  }
  std::string text = Execute_JoinLines(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
  MemoryManager::Free(bytes);
  Run(result, self, other, text.c_str(), argc, args, kFileKind);
}

int32_t Execute_NextStringNumber() { return g_stringCounter; }
int32_t Execute_NextFileNumber() { return g_fileCounter; }

void Execute_ResetCounters() {
  g_stringCounter = 0;
  g_fileCounter = 0;
}

// Starting programs, the process's own command line and its environment.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "builtins/files/handlers.h"
#include "runtime/console.h"
#include "runtime/process.h"

namespace {

// A word of the command line keeps at most this many bytes.
constexpr int kWordBytes = 1023;

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A path naming an executable file, or a bare name found on PATH.
bool IsProgram(const std::string& name) {
  if (name.empty()) return false;
  if (name.find('/') != std::string::npos) return IsExecutableFile(name);
  const char* path = std::getenv("PATH");
  std::string folders = path == nullptr ? "" : path;
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = end > start ? folders.substr(start, end - start) : ".";
    if (IsExecutableFile(folder + "/" + name)) return true;
    start = end + 1;
  }
  return false;
}

void Answer(ScriptValue* result, bool started, const char* program) {
  if (!started) g_debugConsole->Output("Cannot execute %s\n", program);
  Result_SetReal(result, started ? 0 : -1);
}

// The process's own arguments, each cut on a code-point boundary.
std::vector<std::string> CommandWords() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> words;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    std::string word = all.substr(start, end - start);
    word.resize(static_cast<size_t>(Console_CutAtCodePoint(word.c_str(), static_cast<int>(word.size()), kWordBytes)));
    words.push_back(word);
    start = end + 1;
  }
  return words;
}

}  // namespace

void F_ExecuteProgram(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Answer(result, File_ExecuteProgram(a.Text(0), a.Text(1), nullptr, a.Bool(2)), a.Text(0));
}

// A program starts with its argument, not waited for; anything else (a
// document, a folder, an address) goes to the desktop's opener.
void F_ExecuteShell(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const char* target = a.Text(0);
  bool started = IsProgram(target) ? File_ExecuteProgram(target, a.Text(1), nullptr, false)
                                   : File_ShellExecute(target, a.Text(1), nullptr);
  Answer(result, started, target);
}

void F_ParameterCount(KV_BUILTIN_PARAMS) { Result_SetReal(result, static_cast<double>(CommandWords().size())); }

// Word 1 is the program's own path.
void F_ParameterString(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetEmptyText(result);
  std::vector<std::string> words = CommandWords();
  int32_t n = a.Int(0);
  if (n < 1 || static_cast<size_t>(n) > words.size()) return;
  const std::string& word = words[static_cast<size_t>(n) - 1];
  Result_SetText(result, word.data(), word.size());
}

void F_EnvironmentGetVariable(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const char* value = a.IsString(0) ? std::getenv(a.Text(0)) : nullptr;
  Result_SetText(result, value == nullptr ? "" : value);
}

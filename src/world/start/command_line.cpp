#include "world/start/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/files.h"
#include "platform/regular_file.h"
#include "runtime/memory.h"
#include "runtime/run_flags.h"
#include "runtime/text.h"
#include "script/vm/breakpoints.h"

char g_commandLine[kCommandLineBytes];
char g_token[kTokenBytes];
std::string g_gameFileName;

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

void ResetOptions() {
  g_debugMode = false;
  g_runFlags.extensionDebug = false;
  g_runFlags.recordInput = false;
  g_runFlags.playbackInput = false;
  g_runFlags.useBytecode = true;
  g_runFlags.noAudio = false;
  g_runFlags.inAWindow = false;
  g_runFlags.steamMode = false;
  g_runFlags.debuggerFlags = 0;
}

// "-bp name@line": the line is a decimal number, 0 without "@".
void AddBreakpoint(const char* argument) {
  const char* at = std::strchr(argument, '@');
  std::string name = at == nullptr ? std::string(argument) : std::string(argument, at);
  // Out-of-range numbers saturate instead of wrapping into another line.
  const long parsed = at == nullptr ? 0 : std::strtol(at + 1, nullptr, 10);
  const int32_t line = static_cast<int32_t>(std::clamp<long>(parsed, INT32_MIN, INT32_MAX));
  VM_AddBreakpoint(name.c_str(), line);
}

void SetRecordFile(const char* name) {
  MemoryManager::Free(g_runFlags.recordFileName);
  g_runFlags.recordFileName = String_Duplicate(name);
}

}  // namespace

std::string Runner_JoinArguments(int argc, const char* const* argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    std::string argument;
    bool quote = false;
    for (const char* c = argv[i]; *c != '\0'; ++c) {
      if (*c == '"') continue;
      quote = quote || IsBlank(*c);
      argument += *c;
    }
    if (i > 0) line += ' ';
    line += quote || argument.empty() ? "\"" + argument + "\"" : argument;
  }
  return line;
}

void Runner_SetCommandLine(const std::string& text) {
  size_t length = text.size() < kCommandLineBytes - 1 ? text.size() : kCommandLineBytes - 1;
  std::memcpy(g_commandLine, text.data(), length);
  g_commandLine[length] = '\0';
}

size_t Runner_NextToken(size_t position, const char* text) {
  size_t kept = 0;
  g_token[0] = '\0';
  if (text == nullptr) return position;
  while (text[position] != '\0' && IsBlank(text[position])) ++position;
  bool quoted = false;
  for (; text[position] != '\0'; ++position) {
    char c = text[position];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsBlank(c)) break;
    if (kept < kTokenBytes - 1) g_token[kept++] = c;
  }
  g_token[kept] = '\0';
  return position;
}

void Runner_ParseOptions(const char* text) {
  ResetOptions();
  if (text == nullptr || text[0] == '\0') return;
  size_t position = 0;
  while (text[position] != '\0') {
    position = Runner_NextToken(position, text);
    std::string option = g_token;
    if (option == "-debug") {
      g_debugMode = true;
      g_runFlags.debuggerFlags = 2;
      g_runFlags.overlayFlags = 2;
      g_runFlags.physicsDebugMessages = true;
    } else if (option == "-trace") {
      g_runFlags.bytecodeTrace = true;
    } else if (option == "-ext") {
      g_runFlags.extensionDebug = true;
    } else if (option == "-oldexec") {
      g_runFlags.useBytecode = false;
    } else if (option == "-noaudio") {
      g_runFlags.noAudio = true;
    } else if (option == "-inawindow") {
      g_runFlags.inAWindow = true;
    } else if (option == "-steam") {
      g_runFlags.steamMode = true;
    } else if (option == "-game") {
      position = Runner_NextToken(position, text);
      if (g_gameFileName.empty()) g_gameFileName = g_token;
    } else if (option == "-record" || option == "-playback") {
      position = Runner_NextToken(position, text);
      (option == "-record" ? g_runFlags.recordInput : g_runFlags.playbackInput) = true;
      SetRecordFile(g_token);
    } else if (option == "-bp") {
      position = Runner_NextToken(position, text);
      AddBreakpoint(g_token);
    }
  }
}

std::string Runner_DataWinBesideProgram() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  path[length] = '\0';
  std::string candidate(path);
  size_t slash = candidate.rfind('/');
  candidate = (slash == std::string::npos ? std::string() : candidate.substr(0, slash + 1)) + "data.win";
  const int file = RegularFile_Open(candidate.c_str());
  if (file < 0) return std::string();
  close(file);
  return candidate;
}

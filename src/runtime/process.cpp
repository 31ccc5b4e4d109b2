#include "runtime/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <system_error>
#include <thread>

extern char** environ;

namespace {

void NoPump() {}

MessagePump g_pump = NoPump;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The first word: no escapes, a leading quote runs to the next quote.
const char* ReadProgramWord(const char* s, std::string* word) {
  if (*s == '"') {
    ++s;
    while (*s != '\0' && *s != '"') word->push_back(*s++);
    if (*s == '"') ++s;
    return s;
  }
  while (*s != '\0' && !IsBlank(*s)) word->push_back(*s++);
  return s;
}

const char* ReadArgumentWord(const char* s, std::string* word) {
  bool quoted = false;
  for (;;) {
    size_t slashes = 0;
    while (*s == '\\') {
      ++slashes;
      ++s;
    }
    if (*s == '"') {
      word->append(slashes / 2, '\\');
      if (slashes % 2 == 1) {
        word->push_back('"');
        ++s;
      } else if (quoted && s[1] == '"') {
        word->push_back('"');
        s += 2;
      } else {
        quoted = !quoted;
        ++s;
      }
      continue;
    }
    word->append(slashes, '\\');
    if (*s == '\0' || (IsBlank(*s) && !quoted)) return s;
    word->push_back(*s++);
  }
}

void SleepMilliseconds(long milliseconds) {
  timespec wanted{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (nanosleep(&wanted, &wanted) != 0 && errno == EINTR) {}
}

// True once the child has ended and been collected (or is not ours to wait
// for any more).
bool ChildEnded(pid_t child) {
  pid_t result;
  do {
    result = waitpid(child, nullptr, WNOHANG);
  } while (result < 0 && errno == EINTR);
  return result != 0;
}

void WaitWhilePumping(pid_t child) {
  while (!ChildEnded(child)) {
    Runner_ProcessMessages();
    SleepMilliseconds(50);
  }
}

// A child nobody waits for is collected by a small thread of its own.
void CollectLater(pid_t child) {
  try {
    std::thread([child] {
      while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {}
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child is left for the system to collect at exit.
  }
}

bool Spawn(const std::vector<std::string>& words, const char* directory, pid_t* child) {
  if (words.empty() || words[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  // The signals the player ignores for itself (a closed console, the size
  // limit) act on the program as they would anywhere else.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGXFSZ);
  int result = posix_spawnattr_setsigdefault(&attributes, &defaults);
  if (result == 0) result = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  if (result == 0 && directory != nullptr && directory[0] != '\0') {
    result = posix_spawn_file_actions_addchdir_np(&actions, directory);
  }
  if (result == 0) {
    result = posix_spawnp(child, argv[0], &actions, &attributes, argv.data(), environ);
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return result == 0;
}

bool SpawnAndFollow(const std::vector<std::string>& words, const char* directory, bool wait, pid_t* childId) {
  pid_t child = 0;
  if (!Spawn(words, directory, &child)) return false;
  if (childId != nullptr) *childId = child;
  if (wait) {
    WaitWhilePumping(child);
  } else {
    CollectLater(child);
  }
  return true;
}

}  // namespace

void Runner_ProcessMessages() { g_pump(); }

void Runner_SetMessagePump(MessagePump pump) { g_pump = pump == nullptr ? NoPump : pump; }

std::vector<std::string> Process_SplitCommandLine(const char* commandLine) {
  std::vector<std::string> words;
  if (commandLine == nullptr) return words;
  const char* s = commandLine;
  while (IsBlank(*s)) ++s;
  if (*s == '\0') return words;
  words.emplace_back();
  s = ReadProgramWord(s, &words.back());
  for (;;) {
    while (IsBlank(*s)) ++s;
    if (*s == '\0') return words;
    words.emplace_back();
    s = ReadArgumentWord(s, &words.back());
  }
}

bool Process_Run(const char* commandLine, const char* directory, bool wait, pid_t* childId) {
  return SpawnAndFollow(Process_SplitCommandLine(commandLine), directory, wait, childId);
}

bool File_ExecuteProgram(const char* program, const char* arguments, const char* directory, bool wait) {
  std::string line = program == nullptr ? "" : program;
  line += ' ';
  line += arguments == nullptr ? "" : arguments;
  return Process_Run(line.c_str(), directory, wait, nullptr);
}

bool File_ShellExecute(const char* file, const char* parameters, const char* directory) {
  (void)parameters;
  if (file == nullptr || file[0] == '\0') return false;
  return SpawnAndFollow({"xdg-open", file}, directory, false, nullptr);
}

// Helpers shared by the unit tests: scratch folders, raw file access and
// a console that records what it is given.
#pragma once

#include <string>
#include <vector>

#include "runtime/console.h"

namespace testsupport {

// A fresh folder under the temporary folder (canonical path), removed with
// everything in it, without following links, when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* prefix = "kv_test");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes bytes to a file, making its folders.
void WriteRaw(const std::string& path, const std::string& bytes);
// The whole file, or "" when it cannot be read.
std::string ReadRaw(const std::string& path);

// The path of an executable program found on the search path, or "".
std::string FindProgram(const char* name);

// A console that keeps each Output call as one entry.
class RecordingConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  // Every entry joined.
  std::string Text() const;
  std::vector<std::string> lines;
};

// Points g_debugConsole (or another console pointer) at a recording console
// for one scope.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(tagIConsole** slot = &g_debugConsole) : slot_(slot), saved_(*slot) { *slot_ = &console_; }
  ~ConsoleCapture() { *slot_ = saved_; }
  const std::vector<std::string>& Lines() const { return console_.lines; }
  std::string Text() const { return console_.Text(); }

 private:
  RecordingConsole console_;
  tagIConsole** slot_;
  tagIConsole* saved_;
};

}  // namespace testsupport

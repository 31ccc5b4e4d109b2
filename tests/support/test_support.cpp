#include "support/test_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const char* prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "_XXXXXX")).string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = fs::canonical(pattern).string();
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string FindProgram(const char* name) {
  const char* path = std::getenv("PATH");
  const std::string paths = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= paths.size()) {
    size_t end = paths.find(':', start);
    if (end == std::string::npos) end = paths.size();
    const std::string candidate = paths.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

void RecordingConsole::Output(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string line(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  std::vsnprintf(line.data(), line.size() + 1, format, args);
  va_end(args);
  lines.push_back(line);
}

std::string RecordingConsole::Text() const {
  std::string all;
  for (const std::string& line : lines) all += line;
  return all;
}

}  // namespace testsupport

// Runs a fuzz target over saved inputs without the fuzzing engine, so the
// normal build and the sanitizer build check every corpus file and every
// past crash input as a plain test. Arguments are files or folders (every
// file directly inside); a crash or a sanitizer report fails the run.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string path = folder + "/" + entry->d_name;
      if (entry->d_name[0] != '.' && !IsFolder(path)) files.push_back(path);
    }
    closedir(dir);
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Replay(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // An empty vector has no data pointer; the engine always hands one over.
  const uint8_t none = 0;
  LLVMFuzzerTestOneInput(bytes.empty() ? &none : bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::vector<std::string> files = IsFolder(argument) ? FilesIn(argument) : std::vector<std::string>{argument};
    for (const std::string& file : files) {
      if (!Replay(file)) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
        return 1;
      }
      ++count;
    }
  }
  std::printf("replay: %zu inputs\n", count);
  return 0;
}

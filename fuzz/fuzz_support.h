// What several fuzz targets share: consoles that swallow every line, and a
// scratch folder of their own to put an input in as a file.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/console.h"

class QuietConsole final : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

inline void Fuzz_SilenceConsoles() {
  static QuietConsole quiet;
  g_debugConsole = &quiet;
  g_releaseConsole = &quiet;
}

// Made once per process (under /tmp), left for the system to clean.
inline const std::string& Fuzz_ScratchFolder() {
  static const std::string folder = [] {
    char name[] = "/tmp/kv_fuzz_XXXXXX";
    return std::string(mkdtemp(name) == nullptr ? "/tmp" : name);
  }();
  return folder;
}

// The bytes as the whole file `name` of the scratch folder.
inline void Fuzz_WriteScratchFile(const char* name, const uint8_t* data, size_t size) {
  FILE* file = std::fopen((Fuzz_ScratchFolder() + "/" + name).c_str(), "wb");
  if (file == nullptr) return;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

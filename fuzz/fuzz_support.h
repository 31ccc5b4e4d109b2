// What several fuzz targets share: consoles that swallow every line.
#pragma once

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

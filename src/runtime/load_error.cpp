#include "runtime/load_error.h"

#include <cstdarg>
#include <cstdio>

#include "runtime/console.h"

bool LoadError_Report(const char* chunk, const char* format, ...) {
  char what[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(what, sizeof what, format, args);
  va_end(args);
  g_debugConsole->Output("Game file damaged: %s: %s\n", chunk, what);
  return false;
}

#include "runtime/fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void Fatal_InternalError(const char* format, ...) {
  std::fflush(stdout);
  std::fputs("INTERNAL ERROR: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  std::abort();
}

#include "runtime/fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define KV_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KV_LEAK_CHECKED 1
#endif
#endif
#ifdef KV_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

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

void Fatal_ExitFromRunningCode(int status) {
  std::fflush(nullptr);
#ifdef KV_LEAK_CHECKED
  __lsan_do_leak_check();
#endif
  std::exit(status);
}

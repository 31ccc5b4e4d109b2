#include "runtime/fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "runtime/runtime_error.h"

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

void Fatal_OutOfMemory(size_t size) {
  static bool reporting = false;
  char text[96];
  if (size != 0)
    std::snprintf(text, sizeof text, "Out of memory allocating %zu bytes.", size);
  else
    std::snprintf(text, sizeof text, "Out of memory.");
  if (!reporting && RuntimeError_Installed()) {
    reporting = true;
    RuntimeError_Show(text, true);
  } else {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text);
  }
  Fatal_ExitFromRunningCode(255);
}

void Fatal_ExitFromRunningCode(int status) {
  std::fflush(nullptr);
#ifdef KV_LEAK_CHECKED
  __lsan_do_leak_check();
#endif
  std::exit(status);
}

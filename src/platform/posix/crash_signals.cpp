// Only async-signal-safe calls run in the handler: write, backtrace (loaded
// once at installation, so that it allocates nothing later),
// backtrace_symbols_fd, sigaction and raise.
#include <execinfo.h>
#include <signal.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/crash_signals.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KV_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define KV_SANITIZED 1
#endif
#endif

#ifndef KV_SANITIZED
namespace {

struct CrashSignal {
  int number;
  const char* name;
};
constexpr CrashSignal kCrashSignals[] = {
    {SIGSEGV, "SIGSEGV"}, {SIGILL, "SIGILL"}, {SIGBUS, "SIGBUS"}, {SIGFPE, "SIGFPE"}};
constexpr int kMostFrames = 64;
constexpr size_t kAlternateStackBytes = 64 * 1024;

alignas(16) unsigned char g_alternateStack[kAlternateStackBytes];

void Put(const char* text) {
  size_t left = std::strlen(text);
  while (left > 0) {
    const ssize_t written = write(STDERR_FILENO, text, left);
    if (written <= 0) return;
    text += written;
    left -= static_cast<size_t>(written);
  }
}

// Digits of value in the base (10 or 16), without allocating.
void PutNumber(uintptr_t value, unsigned base) {
  char digits[2 * sizeof value + 1];
  char* at = digits + sizeof digits - 1;
  *at = '\0';
  do {
    *--at = "0123456789abcdef"[value % base];
    value /= base;
  } while (value != 0);
  Put(at);
}

void OnCrash(int number, siginfo_t* info, void* /*context*/) {
  const char* name = "a fault";
  for (const CrashSignal& s : kCrashSignals) {
    if (s.number == number) name = s.name;
  }
  Put("korvalith: died by signal ");
  PutNumber(static_cast<uintptr_t>(number), 10);
  Put(" (");
  Put(name);
  Put(") at address 0x");
  PutNumber(reinterpret_cast<uintptr_t>(info != nullptr ? info->si_addr : nullptr), 16);
  Put("; the stack, innermost first:\n");
  void* frames[kMostFrames];
  const int count = backtrace(frames, kMostFrames);
  backtrace_symbols_fd(frames, count, STDERR_FILENO);
  // The default action again; the signal, blocked while this runs, is
  // delivered once the handler returns (a fault also comes again).
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  sigaction(number, &plain, nullptr);
  raise(number);
}

}  // namespace
#endif

bool CrashSignals_Supported() {
#ifdef KV_SANITIZED
  return false;
#else
  return true;
#endif
}

bool CrashSignals_Install() {
#ifdef KV_SANITIZED
  return false;
#else
  void* warm[1];
  backtrace(warm, 1);
  stack_t alternate{};
  alternate.ss_sp = g_alternateStack;
  alternate.ss_size = sizeof g_alternateStack;
  if (sigaltstack(&alternate, nullptr) != 0) return false;
  struct sigaction action {};
  action.sa_sigaction = OnCrash;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  bool all = true;
  for (const CrashSignal& s : kCrashSignals) {
    struct sigaction before {};
    sigaction(s.number, nullptr, &before);
    const bool plain = (before.sa_flags & SA_SIGINFO) == 0 && before.sa_handler == SIG_DFL;
    if (!plain || sigaction(s.number, &action, nullptr) != 0) all = false;
  }
  return all;
#endif
}

// Deaths by a fault in child processes: each names its signal, lists the
// stack and ends by the same signal, an overflowed stack included.
#include "platform/crash_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <climits>
#include <csignal>
#include <string>

namespace {

struct CrashCase {
  const char* name;
  int number;
  void (*crash)();
  const char* line;  // the pattern standard error must hold
};

// Deep enough to pass any stack the tests run with.
volatile int g_depth = 0;
int Recurse(int n) {
  if (n == INT_MAX) return 0;
  volatile char pad[4096];
  pad[0] = static_cast<char>(n);
  g_depth = n;
  return Recurse(n + 1) + pad[0];
}

const CrashCase kCases[] = {
    {"SIGSEGV", SIGSEGV, [] { std::raise(SIGSEGV); }, "died by signal 11 \\(SIGSEGV\\)"},
    {"SIGILL", SIGILL, [] { std::raise(SIGILL); }, "died by signal 4 \\(SIGILL\\)"},
    {"SIGBUS", SIGBUS, [] { std::raise(SIGBUS); }, "died by signal 7 \\(SIGBUS\\)"},
    {"SIGFPE", SIGFPE, [] { std::raise(SIGFPE); }, "died by signal 8 \\(SIGFPE\\)"},
    {"a write through null", SIGSEGV, [] { *static_cast<volatile int*>(nullptr) = 1; }, "SIGSEGV\\) at address 0x0;"},
    {"an overflowed stack", SIGSEGV, [] { Recurse(0); }, "SIGSEGV\\) at address 0x[0-9a-f]+; the stack"},
};

TEST(CrashSignals, EachFaultNamesItselfListsTheStackAndEndsByItsSignal) {
  if (!CrashSignals_Supported()) GTEST_SKIP() << "a sanitizer reports these deaths itself";
  for (const CrashCase& c : kCases) {
    EXPECT_EXIT(
        {
          if (!CrashSignals_Install()) _exit(99);
          c.crash();
          _exit(98);
        },
        testing::KilledBySignal(c.number), std::string(c.line) + "[^\n]*\n(.*\n)+")
        << c.name;
  }
}

}  // namespace

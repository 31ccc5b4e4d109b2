// The system calls an operation makes, for tests and benchmarks that hold
// a cost to a count.
#pragma once

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace testsupport {

// The system calls operation makes, counted by tracing a forked copy of the
// process: the copy runs the operation once between two marker calls, and
// every call the kernel sees between them is counted (calls made in the
// vDSO, such as clock reads, are not system calls and do not count). The
// operation should have run before, so that what a first use does (opening
// the save folder, registering the exit handler) is not counted.

// The memory allocator's own calls are not counted: they come at the
// allocator's moments (a sanitizer's most of all), not the operation's.
inline bool AllocatorCall(long number) {
  return number == SYS_mmap || number == SYS_munmap || number == SYS_mremap || number == SYS_madvise ||
         number == SYS_mprotect || number == SYS_brk;
}

// The count (of the calls numbered only, when given), or -1 when the copy
// cannot be traced here.
inline long CountSystemCalls(const std::function<void()>& operation, long only = -1) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(2);
    raise(SIGSTOP);
    syscall(SYS_getppid);
    operation();
    syscall(SYS_getppid);
    _exit(0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status) ||
      ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) != 0) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
  }
  long count = 0;
  int markers = 0;
  int signal = 0;
  while (ptrace(PTRACE_SYSCALL, child, nullptr, signal) == 0 && waitpid(child, &status, 0) == child &&
         WIFSTOPPED(status)) {
    signal = 0;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      signal = WSTOPSIG(status);
      continue;
    }
    __ptrace_syscall_info info{};
    if (ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info) <= 0 || info.op != PTRACE_SYSCALL_INFO_ENTRY) {
      continue;
    }
    if (info.entry.nr == SYS_getppid) {
      ++markers;
    } else if (markers == 1 && !AllocatorCall(static_cast<long>(info.entry.nr)) &&
               (only < 0 || static_cast<long>(info.entry.nr) == only)) {
      ++count;
    }
  }
  waitpid(child, &status, 0);
  return markers == 2 ? count : -1;
}

}  // namespace testsupport

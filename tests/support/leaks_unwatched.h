// Leak checking switched off around work whose leftovers are not ours: a
// library that keeps a block for the life of the process, or a process that
// ends in the middle of a run (a death test's child).
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace testsupport {

inline void StopWatchingLeaks() {
#if defined(__SANITIZE_ADDRESS__)
  __lsan_disable();
#endif
}

inline void WatchLeaksAgain() {
#if defined(__SANITIZE_ADDRESS__)
  __lsan_enable();
#endif
}

}  // namespace testsupport

// What a write costs, beside time: the system calls one operation makes,
// and a folder on a memory file system to measure on, where fsync costs
// nothing and what shows is the rest of the work.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <functional>

#include "support/system_calls.h"

namespace benchsupport {

// /dev/shm when it is a memory file system, else /tmp.
inline const char* MemoryFolderBase() {
  struct statfs info;
  constexpr long kTmpfs = 0x01021994;
  return statfs("/dev/shm", &info) == 0 && info.f_type == kTmpfs ? "/dev/shm" : "/tmp";
}

using testsupport::CountSystemCalls;

// Times rewrite, which writes a file over and says whether it could, and
// counts one rewrite's system calls as "calls". It runs twice first, so that
// the count is of a rewrite, not of a first write.
inline void MeasureRewrite(benchmark::State& state, const std::function<bool()>& rewrite) {
  if (!rewrite() || !rewrite()) {
    state.SkipWithError("not written");
    return;
  }
  state.counters["calls"] = static_cast<double>(CountSystemCalls([&] { rewrite(); }));
  for (auto _ : state) {
    if (!rewrite()) state.SkipWithError("not written");
  }
}

}  // namespace benchsupport

// Internal errors that mean the program itself is broken (a damaged heap
// block): reported on standard error, then the process aborts.
#pragma once

#include <cstddef>

[[noreturn]] void Fatal_InternalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the process from inside running code (a bytecode-machine error, a
// start that cannot go on) with `status`, through exit's usual steps. What
// the game holds is left to the process's end, as nothing may be freed under
// the code still running; under the leak checker the check runs first, while
// all of it is still reachable, so that only real leaks are reported and the
// status stays this one.
[[noreturn]] void Fatal_ExitFromRunningCode(int status);

// Memory that cannot be had (a block larger than a block may be, or one the
// heap refuses; 0 when the size is not known): the run ends as a machine
// error ends it, the error reported as fatal with its place ("Out of memory
// allocating N bytes."), the end-of-run writes made, status 255. Without a
// reporter installed, or when the report itself runs out, the line goes to
// standard error alone.
[[noreturn]] void Fatal_OutOfMemory(size_t size);

// Internal errors that mean the program itself is broken (a damaged heap
// block, exhausted memory): reported on standard error, then the process aborts.
#pragma once

[[noreturn]] void Fatal_InternalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Ends the process from inside running code (a bytecode-machine error, a
// start that cannot go on) with `status`, through exit's usual steps. What
// the game holds is left to the process's end, as nothing may be freed under
// the code still running; under the leak checker the check runs first, while
// all of it is still reachable, so that only real leaks are reported and the
// status stays this one.
[[noreturn]] void Fatal_ExitFromRunningCode(int status);

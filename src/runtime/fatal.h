// Internal errors that mean the program itself is broken (a damaged heap
// block, exhausted memory): reported on standard error, then the process aborts.
#pragma once

[[noreturn]] void Fatal_InternalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

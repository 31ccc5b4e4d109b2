// Compiling and running script text at run time, from a string or from a
// file. The text sees the values after it as argument0 onwards; the argument
// slots are put back afterwards, also when the text did not compile.
#pragma once

#include <cstdint>
#include <string>

#include "builtins/builtin_args.h"

void F_ExecuteString(KV_BUILTIN_PARAMS);
void F_ExecuteFile(KV_BUILTIN_PARAMS);

// The numbers the next string and the next file will be compiled under
// ("Execute.<n>", "ExecuteFile.<n>"); each compile takes the next one.
int32_t Execute_NextStringNumber();
int32_t Execute_NextFileNumber();
// Tests only: both counters back to 0.
void Execute_ResetCounters();

// The program text of a file's bytes: every line (up to and including its
// line feed, or up to the end) followed by one more line break. A carriage
// return before a line feed is dropped, as a file read as text would.
std::string Execute_JoinLines(const char* bytes, size_t size);

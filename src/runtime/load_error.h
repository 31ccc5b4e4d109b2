// How a damaged game file is reported: one console line naming the chunk
// and what was wrong; the load then fails.
#pragma once

// Prints "Game file damaged: <chunk>: <what>" and answers false.
bool LoadError_Report(const char* chunk, const char* format, ...) __attribute__((format(printf, 2, 3)));

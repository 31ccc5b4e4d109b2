// Starting other programs: opening a document with the desktop's handler and
// running a program from a command line, optionally waiting for its end while
// the game keeps answering its window.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

// The window message pump. The game loop installs the real pump; until then
// (and in tests) it is a hook that does nothing unless one is set.
using MessagePump = void (*)();
void Runner_ProcessMessages();
// Installs the pump; null restores the one that does nothing.
void Runner_SetMessagePump(MessagePump pump);

// Opens file (a document, folder or URL) with xdg-open, started in directory
// (null or empty: the current one). The handler gets no parameters: xdg-open
// takes one target only. True when the opener could be started.
bool File_ShellExecute(const char* file, const char* parameters, const char* directory);

// Runs "program arguments" (a null text counts as empty), split as a Windows
// command line, in directory (null or empty: the current one), without a
// shell. False when the program cannot be started. With wait it returns only
// after the program ended, pumping messages every 50 ms meanwhile; the exit
// status does not matter. A program not waited for is still collected when it
// ends, so it never lingers as a zombie.
bool File_ExecuteProgram(const char* program, const char* arguments, const char* directory, bool wait);

// The same, from a whole command line; *childId (when given) receives the
// started process's id.
bool Process_Run(const char* commandLine, const char* directory, bool wait, pid_t* childId);

// Splits a command line the way Windows programs read theirs: the first word
// ends at the first blank (a quoted first word at its closing quote, without
// escapes); later words honour quotes, "" inside quotes is a quote, and
// backslashes are literal except before a quote (2n backslashes and a quote
// give n backslashes and toggle quoting; 2n + 1 give n and a literal quote).
std::vector<std::string> Process_SplitCommandLine(const char* commandLine);

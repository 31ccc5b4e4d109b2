// The program's command line: one text rebuilt from the arguments, its
// tokens, and the options read from them.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kCommandLineBytes = 8192;
constexpr size_t kTokenBytes = 4096;

// The command-line copy (cut to 8191 characters) and the token buffer.
extern char g_commandLine[kCommandLineBytes];
extern char g_token[kTokenBytes];
// The game file to run: "data.win" beside the program, or "-game".
extern std::string g_gameFileName;

// argv joined by blanks, program path first; an argument holding a blank or
// control character is put in double quotes, quotes inside are dropped.
std::string Runner_JoinArguments(int argc, const char* const* argv);
// Copies a command line into g_commandLine, cut to 8191 characters.
void Runner_SetCommandLine(const std::string& text);

// Reads the token starting at `position` into g_token and returns the
// position of the character that ended it. A token longer than the buffer
// keeps its first 4095 bytes; the scan goes on to its end.
size_t Runner_NextToken(size_t position, const char* text);

// Resets the option flags, then reads the options of a text (null: reset only).
void Runner_ParseOptions(const char* text);

// The "data.win" beside the program, or "" when there is none.
std::string Runner_DataWinBesideProgram();

// The compile and run error text of script code: the first error of a
// compilation or execution is written, with its line and column, into
// g_errorText; later ones are dropped until the flag is cleared.
#pragma once

#include <cstdint>
#include <string>

class CCode;

// The last error text (owned; null before the first error).
extern char* g_errorText;

// Writes the error of `code` at a byte position of its source, unless an
// error is already recorded.
void Code_Error_Set(const CCode* code, int32_t position, const char* message);
// The text Code_Error_Set writes, for a program's source (else an
// expression's) and a byte position in it.
std::string Code_Error_Text(const char* source, bool program, int32_t position, const char* message);
// Called where a compilation or an execution starts, and once the error has
// been shown.
void Code_Error_Clear();
// Sets the error text to prefix followed by body (by the current error text
// when body is null). A text of 1024 bytes or more leaves the error text as
// it was, so that the message itself survives a deep chain of calls.
void Code_Error_Prefix(const char* prefix, const char* body = nullptr);
bool Code_Error_Recorded();

// Hook applying a pending display reset before anything is reported.
using ErrorResetHook = void (*)();
void Code_Error_SetResetHook(ErrorResetHook hook);
void Code_Error_ApplyPendingReset();

// The message every phase gives when source or tree nesting is too deep.
extern const char* const kCodeNestedTooDeeply;

// printf into a string of the needed length.
std::string Error_Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Functions of native libraries, defined by library, symbol, calling
// convention, argument kinds and result kind, then called by definition id
// with script values. A definition loads its library (or shares the handle
// of an earlier definition of the same library) and prepares its native
// call once; a call passes reals as doubles and strings as pointers to
// their text, and reads back a double or a text pointer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/script_value.h"

constexpr int32_t kDllConventionCdecl = 0;
constexpr int32_t kDllConventionStdcall = 1;
constexpr int32_t kDllKindReal = 0;
constexpr int32_t kDllKindString = 1;
constexpr int32_t kDllMaxArguments = 16;
// Above this many arguments every argument must be a real.
constexpr int32_t kDllMaxMixedArguments = 4;
// Longest library path, in bytes.
constexpr size_t kDllMaxPath = 1024;

// A definition id, or -1 when it is refused: more than 16 arguments, a
// string among five or more, a library that does not load or a symbol it
// does not export. kinds holds argumentCount entries (null for none).
int32_t DLL_Define(const char* library, const char* name, int32_t convention, int32_t argumentCount,
                   const int32_t* kinds, bool resultIsString);
// Calls a definition into *result, which is real 0 unless the call is made
// and answers: an unknown id, a wrong argument count, a freed library or the
// extension-debug switch leave it so.
void DLL_Call(int32_t id, int32_t argumentCount, const ScriptValue* values, ScriptValue* result);
// Frees the library that definitions were made from, named by its resolved
// path or by the name given when defining (exact, case-sensitive), once;
// every definition of it becomes unusable.
void DLL_Free(const char* library);
void DLL_FreeAll();

// The files a library name is looked for as, in order: a name ending in
// ".dll" (any case) as given, then with ".so" in its place, then with "lib"
// before its file name and ".so"; any other name only as given.
std::vector<std::string> DLL_Candidates(const char* library);
// Where a candidate is loaded from: the save folder's copy when there is
// one; else the name as given when the program folder has no such file (the
// system's library search then applies); else the program folder's. False
// for a path longer than kDllMaxPath.
bool DLL_ResolvePath(const std::string& candidate, std::string* path);

// The resolved path of a definition ("" for an unknown id), for tests.
std::string DLL_PathOf(int32_t id);
int32_t DLL_Count();
// Forgets every definition (libraries are not freed): tests only.
void DLL_Clear();

// Extension packages: named groups of files the game brings, each file a
// native library whose functions scripts call by name, or a file of
// script-kind functions, with functions to run at game start and end. The
// store is read from the game file, prepared once before the game starts
// (library functions defined, script-kind functions compiled) and answers
// the script engine's lookups and calls by function id.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/game_image.h"
#include "runtime/script_value.h"

class CCode;
class CInstance;

constexpr int32_t kExtensionFileLibrary = 1;
constexpr int32_t kExtensionFileScript = 2;
constexpr int32_t kExtensionKindString = 1;
constexpr int32_t kExtensionKindReal = 2;
constexpr int32_t kExtensionConventionCdecl = 12;
constexpr int32_t kExtensionKeptKinds = 16;
// Ids above this would overflow once made into function ids.
constexpr int32_t kExtensionMaxFunctionId = INT32_MAX - 500000;

struct CExtensionFunction {
  std::string name;
  std::string externalName;  // the library's symbol
  int32_t convention = 0;    // 12 cdecl, anything else stdcall
  int32_t id = 0;
  int32_t argumentCount = -1;  // as the record says, even above 16
  int32_t kinds[kExtensionKeptKinds] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
  int32_t resultKind = kExtensionKindReal;
  std::string code;  // script-kind source; the game file carries none
};

struct CExtensionFile {
  std::string fileName;
  int32_t kind = 0;
  std::string initName;
  std::string finalName;
  std::vector<CExtensionFunction> functions;
};

struct CExtensionPackage {
  std::string name;
  std::string folder;
  std::vector<CExtensionFile> files;
};

// The packages in chunk order; a dropped package is an empty slot. Each
// call drops the lookups' index, which the next lookup builds again: a
// change made through the answer is seen when made before that lookup.
std::vector<std::unique_ptr<CExtensionPackage>>& Extension_Packages();

bool Extension_Load(const GameImage& image, uint64_t data, uint32_t size);
// Empties the store and the prepared tables (library definitions stay).
void Extension_Clear();
// Defines every library function, compiles every script-kind function;
// false after a compile error, which is reported as fatal.
bool Extension_Prepare();

// The id of the first function of that exact name (id 0 or more), or -1.
int32_t Extension_FindFunction(const char* name);
// -100 when no function has that id.
int32_t Extension_GetArgCount(int32_t id);
// Null when no function with a name has that id.
const char* Extension_GetName(int32_t id);
bool Extension_IsScript(int32_t id);
CCode* Extension_GetCode(int32_t id);

// The tree interpreter's call: false for an id out of range or a
// script-kind function that cannot run.
bool Extension_Call(int32_t id, CInstance* self, CInstance* other, int32_t argc, ScriptValue* args,
                    ScriptValue* result);
// The bytecode machine's call: library functions only.
bool Extension_CallDLL(int32_t id, int32_t argc, ScriptValue* args, ScriptValue* result);

// Game start and end: each file's initialisation (finalisation) function,
// a script of that name or a library function of the same package. False,
// with a fatal error, when one cannot be found or its script fails.
bool Extension_RunInit();
bool Extension_RunFinal();

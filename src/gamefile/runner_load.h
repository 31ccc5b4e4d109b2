// Finding and reading the game file, its options file and its debug
// information at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/game_image.h"

class CIniFile;
struct PrecompiledEntry;

// The debug-information file kept for the run: per code entry its pairs of
// (bytecode offset, source position), and the source texts of the code.
struct DebugInfo {
  GameImage image;
  std::vector<uint32_t> infoOffsets;    // DBGI entries
  std::vector<uint32_t> scriptOffsets;  // SCPT entries
  bool loaded = false;
  bool attached = false;  // matched the code table
};

extern std::string g_gamePath;
extern CIniFile* g_optionsIni;
extern DebugInfo g_debugInfo;

// Hooks for what other subsystems take from the options file.
using OptionsIniHook = void (*)(CIniFile* ini);
void Runner_SetVirtualButtonsHook(OptionsIniHook hook);

// Steps 1 to 6 of the load: the path, the options INI, the debug file, the
// game file itself into g_gameData. Returns false when the path is empty or
// the game file cannot be read, the system's reason on the console (the
// caller ends the process with status 1).
bool RunnerLoadGame(const char* path);

// The options file's DEFAULT keys.
void ReadOptionsIni(CIniFile* ini);

// The INI and debug-file names derived from a game path ("" when none).
std::string Runner_IniPath(const std::string& gamePath);
std::string Runner_DebugPath(const std::string& gamePath);

// Reads a debug-information image; false (with a console line) when it is
// damaged or does not match `codeCount` entries.
bool DebugInfo_Load(DebugInfo* info, std::vector<uint8_t> bytes);

// After the code table is known: a debug file whose tables do not have one
// entry per code entry is dropped with a console line; a matching one gives
// precompiled code its source text and debug pairs.
void DebugInfo_Attach();
// Precompiled code from the code table, with the attached debug file's
// source text and pairs.
bool DebugInfo_Lookup(int32_t index, PrecompiledEntry* entry);

// Orientation settings have no effect on this platform.
void Runner_SetOrientations(int32_t landscape, int32_t portrait, int32_t landscapeFlipped, int32_t portraitFlipped);

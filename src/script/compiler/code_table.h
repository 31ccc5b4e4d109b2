// The game file's compiled code: the CODE chunk's entries, each a name and
// a stream of instruction words, kept as offsets into the loaded image.
#pragma once

#include <cstdint>
#include <vector>

struct CodeEntry {
  const char* name = nullptr;
  uint64_t instructions = 0;  // file offset of the first instruction word
  uint32_t length = 0;        // bytes of instruction words
};

// True once the game file holds a CODE chunk: scripts and events then name
// compiled entries instead of carrying source text.
extern bool g_hasBytecode;
extern std::vector<CodeEntry> g_codeTable;

void CodeTable_Clear();

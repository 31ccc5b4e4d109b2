// The game file's container: "FORM" (or "MROF"), a size word, then chunks
// of {id, size, data}. The walk clears every store and hands each chunk to
// its reader in file order.
#pragma once

#include <cstdint>

#include "runtime/chunk_readers.h"
#include "runtime/game_image.h"

struct ChunkHeader {
  uint32_t id;
  uint32_t size;
};

// Checks the container: magic, size word, that every chunk lies inside the
// file, and that no chunk the readers know comes twice (the header chunks
// count as one kind). False (with a console line) for anything else.
bool GameFile_CheckContainer(const GameImage& image);

// Calls visit(id, data offset, size) for every chunk of a checked container.
template <typename Visit>
void GameFile_ForEachChunk(const GameImage& image, Visit visit) {
  uint64_t offset = 8;
  while (offset + 8 <= image.Size()) {
    ImageReader r(image, offset, image.Size());
    uint32_t id = r.U32();
    uint32_t size = r.U32();
    visit(id, offset + 8, size);
    offset += 8 + uint64_t{size};
  }
}

// Clears all stores and reads every chunk, each through the reader installed
// for it from above (runtime/chunk_readers.h) when there is one; false when
// the file is damaged or holds an unknown chunk (the walk still reads the
// rest).
bool LoadGameChunks(GameImage& image);
// "LoadGameData()" then the walk over g_gameData.
bool LoadGameData();

// The string table: the text of STRG entry n, null when out of range.
const char* StringTable_Get(uint32_t index);
uint32_t StringTable_Count();
void StringTable_Clear();
bool StringTable_Load(const GameImage& image, uint64_t data, uint32_t size);

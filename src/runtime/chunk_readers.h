// The readers of game-file chunks whose stores live above the game-file
// reader (objects, rooms, sounds): each such store installs the reader of its chunk
// and the clearing of its store here, and the game file's walk
// (gamefile/chunk_walk.h) calls them in its own order.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

// Four letters of a chunk id, first letter in the lowest byte.
constexpr uint32_t ChunkId(const char (&name)[5]) {
  return uint32_t(uint8_t(name[0])) | uint32_t(uint8_t(name[1])) << 8 | uint32_t(uint8_t(name[2])) << 16 |
         uint32_t(uint8_t(name[3])) << 24;
}

using ChunkReaderFn = bool (*)(GameImage& image, uint64_t data, uint32_t size);
using StoreClearFn = void (*)();
// A later install for the same chunk replaces the earlier one.
void ChunkWalk_InstallReader(const char (&id)[5], ChunkReaderFn reader, StoreClearFn clear);
// The reader installed for the chunk, null when none is.
ChunkReaderFn ChunkWalk_InstalledReader(uint32_t id);
// Clears the store of the chunk's installed reader, if it has one.
void ChunkWalk_ClearInstalled(uint32_t id);

// The object store filled from an object chunk written by the shared
// chunk builders.
#pragma once

#include <vector>

#include "gamefile/game_header.h"
#include "gamefile/object_test_support.h"
#include "world/object/object.h"

// Loads objects written in `format`, read with that format version.
inline bool LoadObjects(const std::vector<ObjectSpec>& shapes, int format = 9) {
  ChunkData chunk = ObjectChunk(shapes, format);
  int32_t saved = g_formatVersion;
  g_formatVersion = format;
  bool loaded = Object_Load(chunk.image, chunk.data, chunk.size);
  g_formatVersion = saved;
  return loaded;
}

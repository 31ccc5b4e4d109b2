// A SOND chunk in a game image, for the sound store's tests.
#pragma once

#include <cstdint>
#include <vector>

#include "gamefile/image_builder.h"

struct SoundChunk {
  GameImage image;
  uint64_t data = 0;
  uint32_t size = 0;
};

// Whole records named in order; a null name leaves the slot absent.
// `claimedCount` above the names' count makes the table run past the chunk;
// `cutLast` ends the file inside the last record.
inline SoundChunk SoundChunk_Build(const std::vector<const char*>& names, uint32_t claimedCount = 0,
                                   bool cutLast = false) {
  constexpr uint32_t kRecordWords = 9;
  ImageBuilder b;
  size_t at = b.Chunk("SOND");
  SoundChunk out;
  out.data = b.Here();
  b.U32(claimedCount != 0 ? claimedCount : static_cast<uint32_t>(names.size()));
  size_t table = b.Here();
  for (size_t i = 0; i < names.size(); ++i) b.U32(0);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == nullptr) continue;
    size_t nameAt = b.Here();
    b.Text(names[i]);
    b.Patch(table + 4 * i, static_cast<uint32_t>(b.Here()));
    b.U32(static_cast<uint32_t>(nameAt));
    uint32_t rest = cutLast && i + 1 == names.size() ? 2 : kRecordWords - 1;
    for (uint32_t w = 0; w < rest; ++w) b.U32(0);
  }
  b.EndChunk(at);
  out.size = static_cast<uint32_t>(b.Here() - out.data);
  out.image = b.Finish();
  return out;
}

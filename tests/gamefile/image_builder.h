// Builds small game-file images byte by byte for the reader tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/game_image.h"

class ImageBuilder {
 public:
  ImageBuilder() { Tag("FORM").U32(0); }
  ImageBuilder& Tag(const char* four) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(four[i]));
    return *this;
  }
  ImageBuilder& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  ImageBuilder& Text(const std::string& t) {
    for (char c : t) bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(0);
    return *this;
  }
  size_t Here() const { return bytes.size(); }
  // Starts a chunk; EndChunk patches its size.
  size_t Chunk(const char* id) {
    Tag(id);
    size_t at = Here();
    U32(0);
    return at;
  }
  void EndChunk(size_t at) { Patch(at, static_cast<uint32_t>(Here() - at - 4)); }
  void Patch(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  GameImage Finish(bool fixSize = true) {
    if (fixSize) Patch(4, static_cast<uint32_t>(bytes.size() - 8));
    GameImage image;
    image.Assign(bytes);
    return image;
  }
  // A format-8 header with the given room order, names pointing at `nameAt`.
  void Header(int format, const std::vector<int32_t>& rooms, uint32_t nameAt = 0) {
    size_t at = Chunk("GEN8");
    size_t base = Here();
    U32(1u | (static_cast<uint32_t>(format) << 8)).U32(nameAt).U32(nameAt).U32(100005).U32(10000007).U32(42);
    while (Here() < base + (format <= 7 ? 36 : format == 10 ? 104 : 100)) U32(0);
    if (format >= 8) {
      Patch(base + 40, nameAt);
      Patch(base + 60, 320);
      Patch(base + 64, 240);
      Patch(base + 68, 0x40);
    }
    U32(static_cast<uint32_t>(rooms.size()));
    for (int32_t r : rooms) U32(static_cast<uint32_t>(r));
    EndChunk(at);
  }
  std::vector<uint8_t> bytes;
};

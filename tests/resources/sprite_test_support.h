// Encoded images and SPRT chunks built in memory for the sprite and bitmap
// tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamefile/image_builder.h"
#include "runtime/game_image.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "support/image_writer.h"

namespace spritetest {

// Pixels 0xAARRGGBB, row by row, as a PNG with alpha.
inline std::string Png(int32_t width, int32_t height, const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> rgba;
  for (uint32_t p : pixels) {
    rgba.insert(rgba.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
  }
  std::string out;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
      },
      &out, width, height, 4, rgba.data(), width * 4);
  return out;
}

// A GIF of 4 palette colours (black, red, green, blue) with one frame per
// list of colour indices. Each pixel follows a clear code, so every code
// stays 3 bits wide and no compression is needed.
inline std::string Gif(int32_t width, int32_t height, const std::vector<std::vector<uint8_t>>& frames) {
  std::string g = "GIF89a";
  auto word = [&g](int32_t v) { g += char(v & 0xFF), g += char(v >> 8 & 0xFF); };
  word(width);
  word(height);
  g += {char(0x81), 0, 0};
  g += std::string("\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF", 12);
  for (const auto& indices : frames) {
    g += char(0x2C);
    word(0), word(0), word(width), word(height);
    g += {char(0), char(2)};
    std::vector<uint8_t> bytes;
    uint32_t buffer = 0, bits = 0;
    auto code = [&](uint32_t c) {
      buffer |= c << bits;
      bits += 3;
      while (bits >= 8) bytes.push_back(uint8_t(buffer)), buffer >>= 8, bits -= 8;
    };
    for (uint8_t index : indices) code(4), code(index);
    code(5);
    if (bits > 0) bytes.push_back(uint8_t(buffer));
    for (size_t at = 0; at < bytes.size(); at += 255) {
      const size_t n = std::min<size_t>(255, bytes.size() - at);
      g += char(n);
      g.append(reinterpret_cast<const char*>(bytes.data() + at), n);
    }
    g += char(0);
  }
  g += char(0x3B);
  return g;
}

struct SpriteRecord {
  std::string name = "spr";
  int32_t width = 8, height = 8;
  int32_t left = 0, right = 7, bottom = 7, top = 0;
  uint32_t transparent = 1, smooth = 0, preload = 1;
  int32_t mode = 0;
  uint32_t precise = 1;
  int32_t xorigin = 0, yorigin = 0;
  std::vector<uint32_t> pages;
  int32_t maskCount = 0;
  std::vector<uint8_t> maskBytes;  // bit rows as stored
  bool present = true;
};

struct SpriteChunk {
  GameImage image;
  uint64_t data = 0;
  uint32_t size = 0;
};

// A container with one SPRT chunk; extraTail pads the chunk's end and
// cutTail takes bytes off it (to make records run past it).
inline SpriteChunk BuildSpriteChunk(const std::vector<SpriteRecord>& records, size_t cutTail = 0) {
  ImageBuilder b;
  const size_t sizeAt = b.Chunk("SPRT");
  const size_t data = b.Here();
  b.U32(uint32_t(records.size()));
  const size_t table = b.Here();
  for (size_t i = 0; i < records.size(); ++i) b.U32(0);
  for (size_t i = 0; i < records.size(); ++i) {
    const SpriteRecord& r = records[i];
    if (!r.present) continue;
    const size_t nameAt = b.Here();
    b.Text(r.name);
    b.Patch(table + 4 * i, uint32_t(b.Here()));
    b.U32(uint32_t(nameAt)).U32(uint32_t(r.width)).U32(uint32_t(r.height));
    b.U32(uint32_t(r.left)).U32(uint32_t(r.right)).U32(uint32_t(r.bottom)).U32(uint32_t(r.top));
    b.U32(r.transparent).U32(r.smooth).U32(r.preload).U32(uint32_t(r.mode)).U32(r.precise);
    b.U32(uint32_t(r.xorigin)).U32(uint32_t(r.yorigin)).U32(uint32_t(r.pages.size()));
    for (uint32_t p : r.pages) b.U32(p);
    b.U32(uint32_t(r.maskCount));
    b.bytes.insert(b.bytes.end(), r.maskBytes.begin(), r.maskBytes.end());
  }
  b.bytes.resize(b.bytes.size() - cutTail);
  b.EndChunk(sizeAt);
  SpriteChunk chunk;
  chunk.size = uint32_t(b.Here() - data);
  chunk.data = data;
  chunk.image = b.Finish();
  return chunk;
}

}  // namespace spritetest

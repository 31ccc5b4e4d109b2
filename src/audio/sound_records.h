// The game file's sound records (SOND) and embedded audio images (AUDO),
// read into plain structs. Every record and image lies inside its chunk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/game_image.h"

struct SoundRecord {
  std::optional<std::string> name;  // absent when the record has no name text
  int32_t kind = 0;
  std::string type;
  std::optional<std::string> fileName;
  int32_t effects = 0;
  float volume = 1.0f;
  float pan = 0.0f;
  bool preload = true;
  int32_t imageIndex = -1;
};

// One entry per sound number; an absent sound is empty.
using SoundRecords = std::vector<std::optional<SoundRecord>>;
bool SoundRecords_Read(const GameImage& image, uint64_t data, uint32_t size, SoundRecords* records);

// A WAV (or other) file image kept inside the game file.
struct AudioImage {
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
};
// One entry per image; an absent entry has no bytes.
bool AudioImages_Read(const GameImage& image, uint64_t data, uint32_t size, std::vector<AudioImage>* images);

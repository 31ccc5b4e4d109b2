// The game's option set from the "OPTN" chunk: 35 words with their
// defaults, the load image, the game version and the user constants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/game_image.h"

enum OptionWord {
  kOptionFullScreen = 0,
  kOptionNewAudio = 2,
  kOptionShowCursor = 4,
  kOptionWindowColour = 8,
  kOptionSetResolution = 9,
  kOptionColourDepth = 10,
  kOptionResolution = 11,
  kOptionFrequency = 12,
  kOptionAltEnter = 15,
  kOptionFreezeOnLostFocus = 22,
  kOptionShowLoadBar = 23,
  kOptionLoadImage = 26,
  kOptionErrorDialog = 30,
  kOptionErrorsFatal = 32,
  kOptionUnsetVariableError = 33,
  kOptionCreateBeforeCode = 34,
  kOptionWordCount = 35,
};

struct GameOptions {
  int32_t word[kOptionWordCount] = {};
  uint64_t loadImage = 0;  // file offset of the load image's texture-page record; 0 none
  int32_t versionMajor = 0;
  int32_t versionMinor = 0;
  // User constants, names and value texts indexed alike ("" where the file has none).
  std::vector<std::string> constantNames;
  std::vector<std::string> constantValues;
};

extern GameOptions g_options;

// The full-screen word reads off when "-inawindow" was given.

inline bool Option_On(OptionWord word) { return g_options.word[word] != 0; }

void Option_Defaults();
// Hands the options that the script engine and the window read to them.
void Option_Apply();
bool Option_Load(const GameImage& image, uint64_t data, uint32_t size);

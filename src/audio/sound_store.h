// The legacy sound store: one CSound per sound number, read from the game
// file or added at run time, with a parallel array of names. The names also
// serve the audio system, which keeps no CSound: Sound_Find answers from
// whichever store read the game's sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/sound_records.h"
#include "runtime/game_image.h"

class CSound {
 public:
  void Reset();
  void LoadFromRecord(const SoundRecord& record);
  // False when no readable file has the name.
  bool LoadFromFile(const char* file, int32_t kind, bool preload);
  // Loads the sound into the hardware layer (sound_restore); nothing when
  // it is loaded already.
  void Prepare();
  // Lets the hardware sound go; the next use loads it again (sound_discard).
  void Discard();
  // Prepares first when the sound is not loaded.
  int32_t GetHardwareId();

  int32_t kind = -1;
  std::string type;
  std::optional<std::string> fileName;
  std::vector<uint8_t> data;  // the whole file, for sounds added from one
  bool hasData = false;
  bool preload = true;
  int32_t effects = 0;
  double volume = 1.0;
  double pan = 0.0;
  int32_t hardwareId = -1;
  AudioImage image;
  int32_t imageIndex = -1;
};

// The names of the game's sounds alone (the audio system's reader).
void Sound_SetNames(std::vector<std::optional<std::string>> names);
// The SOND reader of the legacy store; a damaged chunk fails the load.
bool Sound_Init(const GameImage& image, uint64_t data, uint32_t size);
// The AUDO reader: every present sound takes its embedded image.
bool Wave_Init(const GameImage& image, uint64_t data, uint32_t size);
// Loads every sound marked for preloading.
bool Sound_PrepareAll();
// Empties the store (before a game file is read, and at the end).
void Sound_FreeAll();

int32_t Sound_Count();
bool Sound_Exists(int32_t index);
CSound* Sound_Get(int32_t index);
// The name; "<undefined>" for no sound.
std::string Sound_GetName(int32_t index);
// The first present sound with exactly this name; -1 when there is none.
int32_t Sound_Find(const char* name);
// The new number, or -1 when the file is not there (the slot stays).
int32_t Sound_Add(const char* file, int32_t kind, bool preload);
bool Sound_Replace(int32_t index, const char* file, int32_t kind, bool preload);
bool Sound_Delete(int32_t index);

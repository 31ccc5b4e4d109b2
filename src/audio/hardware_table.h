// The hardware sounds the legacy sound store has made, by hardware id. The
// sound hardware's tick walks it for fades. Records stay in use for the run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/openal/sound_hardware.h"

struct HardwareRecord {
  bool inUse = false;
  int32_t kind = 0;  // 3 (multimedia) is kept as 1 (music)
  HardwareSound* sound = nullptr;
};

// The sound hardware object, made by Sound_Prepare; null before it.
SoundHardware* SoundHardware_Get();

// Takes the first record not in use, else appends one; returns its index.
int32_t Sound_AddHardware(int32_t kind);
// As Sound_AddHardware, and loads the image unless the kind is music.
int32_t Sound_AddHardwareFromImage(const uint8_t* image, uint32_t length, int32_t kind);
// As Sound_AddHardware, and loads the bytes whatever the kind.
int32_t Sound_AddHardwareFromStream(const uint8_t* bytes, size_t length, int32_t kind);

// Lets the record's hardware sound go (its sources and buffer); the record
// stays in use with no sound, so plays of it do nothing.
void HardwareTable_Release(int32_t index);

int32_t HardwareTable_Count();
const HardwareRecord& HardwareTable_Get(int32_t index);
void HardwareTable_Free();

// Makes the sound hardware, opens the device, empties the table and makes
// the audio system's sources. False, as the preparation expects of it.
bool Sound_Prepare();
// Closes the device at program end.
bool Sound_End();

// Which audio mode a sound built-in acts in. g_newAudio selects the audio
// system: the legacy functions then do nothing (no message, result 0), and
// without it the audio system's plays and emitter changes answer their
// "nothing" (-1, false, no effect). The CD functions, MCI_command, a few
// legacy 3D functions and the audio asset, emitter, falloff and music
// queries work in both.
#pragma once

#include <cstdint>
#include <iterator>

#include "runtime/run_flags.h"

enum class SoundMode : uint8_t { kLegacyOnly, kNewAudioOnly, kBothModes };

struct SoundModeRow {
  const char* name;
  SoundMode mode;
};

inline bool SoundMode_Acts(SoundMode mode) {
  switch (mode) {
    case SoundMode::kLegacyOnly: return g_newAudio == 0;
    case SoundMode::kNewAudioOnly: return g_newAudio != 0;
    case SoundMode::kBothModes: return true;
  }
  return true;
}

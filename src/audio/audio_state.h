// The audio system's records, shared by its files.
#pragma once

#include <AL/al.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/sound_records.h"

class SoundHardware;

// The most channels a game may ask for: the device keeps the rest of its
// sources for the legacy sounds and the music.
constexpr int32_t kAudioChannelBudget = 1024;

struct AudioAsset {
  std::string fileName;
  float volume = 1.0f;
  bool streamed = false;
  AudioImage image;
  int32_t imageIndex = -1;
  ALuint buffer = 0;
};

struct AudioVoice {
  bool loop = false;
  bool active = false;
  bool evicted = false;
  int32_t slot = -1;
  int32_t playId = 0;
  int32_t asset = 0;
  float priority = 1.0f;
};

// A voice an emitter plays, by pool place and the play id it had then: a
// record reused for another play no longer belongs to the emitter.
struct EmitterVoice {
  size_t voice;
  int32_t playId;
};

struct AudioEmitter {
  float position[3] = {};
  float velocity[3] = {};
  bool inUse = false;
  float falloffReference = 100.0f;
  float falloffMaximum = 100000.0f;
  float falloffFactor = 1.0f;
  float gain = 1.0f;
  float pitch = 1.0f;
  std::vector<EmitterVoice> voices;
};

struct AudioListener {
  float position[3] = {};
  float velocity[3] = {};
  float orientation[6] = {0, 0, 1, 0, 1, 0};
};

struct AudioState {
  std::vector<std::unique_ptr<AudioAsset>> assets;
  std::vector<std::unique_ptr<AudioVoice>> voices;
  std::vector<std::unique_ptr<AudioEmitter>> emitters;
  std::optional<AudioListener> listener;
  std::vector<ALuint> sources;
  bool poolMade = false;
  int32_t channelCount = 128;
  SoundHardware* hardware = nullptr;
};

AudioState& Audio_State();
// The asset at index, null when absent.
AudioAsset* Audio_Asset(int32_t index);
// The active voice of a play id, null when none.
AudioVoice* Audio_FindPlay(int32_t playId);
bool Audio_VoiceLive(const AudioVoice& voice);
ALint Audio_SourceState(ALuint source);
// Picks a source slot for a play of this priority, maybe evicting; -1 when none.
int32_t Audio_ChooseSource(float priority);
// Takes a voice record and starts it on slot; returns its place in the pool.
size_t Audio_StartVoice(int32_t slot, int32_t asset, int32_t loop, float priority);
// Hands the listener to OpenAL.
void Audio_ApplyListener(const AudioListener& listener);
// Logs a pending OpenAL error with this format (one %d for the code, or none).
void Audio_LogError(const char* format);

// The source pool and the voices that play on it: choosing, stopping,
// pausing and asking after plays.
#include "audio/audio_state.h"
#include "audio/audio_system.h"
#include "audio/openal/sound_hardware.h"
#include "runtime/console.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"

namespace {

ALuint SourceOf(const AudioVoice& voice) { return Audio_State().sources[static_cast<size_t>(voice.slot)]; }

bool HasSource(const AudioVoice& voice) {
  return voice.slot >= 0 && static_cast<size_t>(voice.slot) < Audio_State().sources.size();
}

// The candidate for eviction: the first voice of the lowest priority below
// the request; a voice of equal priority is never taken.
AudioVoice* LowestBelow(float priority) {
  AudioVoice* candidate = nullptr;
  float best = priority;
  for (auto& voice : Audio_State().voices) {
    if (voice->active && !voice->evicted && voice->priority < best) {
      candidate = voice.get();
      best = voice->priority;
    }
  }
  return candidate;
}

void GenerateSources(int32_t count) {
  AudioState& state = Audio_State();
  state.sources.assign(static_cast<size_t>(count > 0 ? count : 0), 0);
  alGetError();
  if (count > 0) alGenSources(count, state.sources.data());
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    g_debugConsole->Output("Error creating audio sources %d\n", error);
    state.sources.clear();
  }
}

// Stops a voice's source unless it was taken; error lines name `label`.
void StopVoice(AudioVoice& voice, int32_t label) {
  if (!voice.evicted && HasSource(voice)) {
    alSourceStop(SourceOf(voice));
    ALenum error = alGetError();
    if (error != AL_NO_ERROR) g_debugConsole->Output("Error stopping sound %d error code %d\n", label, error);
  }
  voice.active = false;
  voice.evicted = false;
}

void PauseVoice(AudioVoice& voice, int32_t label) {
  if (!HasSource(voice) || Audio_SourceState(SourceOf(voice)) != AL_PLAYING) return;
  alSourcePause(SourceOf(voice));
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) g_debugConsole->Output("Error pausing sound %d error code %d\n", label, error);
}

void ResumeVoice(AudioVoice& voice, int32_t label) {
  if (!HasSource(voice) || Audio_SourceState(SourceOf(voice)) != AL_PAUSED) return;
  alSourcePlay(SourceOf(voice));
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) g_debugConsole->Output("Error resuming sound %d error code %d\n", label, error);
}

// Calls act on the live voices x names: every voice of asset x, or the one
// voice of play id x; the label is x.
template <typename Act>
void ForVoicesOf(int32_t x, Act act) {
  if (x >= kAudioPlayIdBase) {
    AudioVoice* voice = Audio_FindPlay(x);
    if (voice != nullptr && !voice->evicted) act(*voice, x);
    return;
  }
  for (auto& voice : Audio_State().voices) {
    if (Audio_VoiceLive(*voice) && voice->asset == x) act(*voice, x);
  }
}

template <typename Act>
void ForAllLive(Act act) {
  auto& voices = Audio_State().voices;
  for (size_t i = 0; i < voices.size(); ++i) {
    if (Audio_VoiceLive(*voices[i])) act(*voices[i], static_cast<int32_t>(i));
  }
}

}  // namespace

bool Audio_VoiceLive(const AudioVoice& voice) { return voice.active && !voice.evicted; }

ALint Audio_SourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

void Audio_LogError(const char* format) {
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) g_debugConsole->Output(format, error);
}

AudioVoice* Audio_FindPlay(int32_t playId) {
  for (auto& voice : Audio_State().voices) {
    if (voice->active && voice->playId == playId) return voice.get();
  }
  return nullptr;
}

int32_t Audio_SlotOfPlay(int32_t playId) {
  const AudioVoice* voice = Audio_FindPlay(playId);
  return voice != nullptr && !voice->evicted ? voice->slot : -1;
}

void Audio_CreateSources(SoundHardware* hardware) {
  AudioState& state = Audio_State();
  state.hardware = hardware;
  if (SoundHardware_Off()) {
    g_newAudio = 0;
    return;
  }
  if (g_newAudio == 0) return;
  if (!state.listener.has_value()) state.listener.emplace();
  GenerateSources(state.channelCount);
  state.poolMade = true;
  alDistanceModel(AL_INVERSE_DISTANCE);
  *state.listener = AudioListener();
  Audio_ApplyListener(*state.listener);
}

int32_t Audio_ChooseSource(float priority) {
  Audio_LogError("Error prior to getting sound source %d\n");
  AudioState& state = Audio_State();
  for (size_t slot = 0; slot < state.sources.size(); ++slot) {
    ALint sourceState = Audio_SourceState(state.sources[slot]);
    if (sourceState != AL_STOPPED && sourceState != AL_INITIAL) continue;
    for (auto& voice : state.voices) {
      if (!voice->active || voice->slot != static_cast<int32_t>(slot)) continue;
      voice->active = false;
      voice->evicted = false;
    }
    return static_cast<int32_t>(slot);
  }
  AudioVoice* candidate = LowestBelow(priority);
  if (candidate == nullptr || !HasSource(*candidate)) return -1;
  alSourceStop(SourceOf(*candidate));
  Audio_LogError("Error stopping sample %d\n");
  candidate->evicted = true;
  return candidate->slot;
}

size_t Audio_StartVoice(int32_t slot, int32_t asset, int32_t loop, float priority) {
  auto& voices = Audio_State().voices;
  size_t place = 0;
  while (place < voices.size() && voices[place]->active) ++place;
  if (place == voices.size()) voices.push_back(std::make_unique<AudioVoice>());
  AudioVoice& voice = *voices[place];
  voice.active = true;
  voice.evicted = false;
  voice.playId = g_audioPlayIdCounter++;
  voice.slot = slot;
  voice.asset = asset;
  voice.loop = loop > 0;
  voice.priority = priority;
  return place;
}

void Audio_StopSound(int32_t x) {
  if (g_newAudio == 0) return;
  if (x >= kAudioPlayIdBase) {
    AudioVoice* voice = Audio_FindPlay(x);
    if (voice != nullptr) StopVoice(*voice, x);
    return;
  }
  auto& voices = Audio_State().voices;
  for (size_t i = 0; i < voices.size(); ++i) {
    if (voices[i]->active && voices[i]->asset == x) StopVoice(*voices[i], static_cast<int32_t>(i));
  }
}

void Audio_StopAll() {
  if (g_newAudio == 0) return;
  auto& voices = Audio_State().voices;
  for (size_t i = 0; i < voices.size(); ++i) {
    if (voices[i]->active) StopVoice(*voices[i], static_cast<int32_t>(i));
  }
}

void Audio_PauseSound(int32_t x) {
  if (g_newAudio != 0) ForVoicesOf(x, PauseVoice);
}
void Audio_ResumeSound(int32_t x) {
  if (g_newAudio != 0) ForVoicesOf(x, ResumeVoice);
}
void Audio_PauseAll() {
  if (g_newAudio != 0) ForAllLive(PauseVoice);
}
void Audio_ResumeAll() {
  if (g_newAudio != 0) ForAllLive(ResumeVoice);
}

bool Audio_IsPlaying(int32_t x) {
  if (g_newAudio == 0) return false;
  if (x < kAudioPlayIdBase) {
    const AudioAsset* asset = Audio_Asset(x);
    if (asset == nullptr) return false;
    if (asset->streamed) {
      SoundHardware* hardware = Audio_State().hardware;
      return hardware != nullptr && asset->fileName.size() >= 4 &&
             asset->fileName.compare(asset->fileName.size() - 4, 4, ".mp3") == 0 &&
             asset->fileName == SoundHardware_MusicName() && hardware->PlayingMP3();
    }
  }
  bool playing = false;
  ForVoicesOf(x, [&](AudioVoice& voice, int32_t) {
    playing = playing || (HasSource(voice) && Audio_SourceState(SourceOf(voice)) == AL_PLAYING);
  });
  return playing;
}

void Audio_SetChannelCount(int32_t n) {
  if (g_newAudio == 0) return;
  AudioState& state = Audio_State();
  if (n < 0 || n > kAudioChannelBudget) {
    g_debugConsole->Output("Audio_SetChannelCount: %d channels are out of range (0 to %d)\n", n, kAudioChannelBudget);
    return;
  }
  // No voice may address a source that is about to go.
  for (auto& voice : state.voices) voice->active = false;
  if (state.poolMade) {
    if (!state.sources.empty()) alDeleteSources(static_cast<ALsizei>(state.sources.size()), state.sources.data());
    GenerateSources(n);
  }
  state.channelCount = n;
}

int32_t Audio_ChannelCount() { return Audio_State().channelCount; }

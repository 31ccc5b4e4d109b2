// The three plays: simple, at a position, and on an emitter. Each checks
// its asset before it chooses a source, so a play that cannot sound never
// silences another.
#include "audio/audio_state.h"
#include "audio/audio_system.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

constexpr float kPlainMaxDistance = 100000.0f;

AudioVoice& Voice(size_t place) { return *Audio_State().voices[place]; }

ALuint SourceOf(const AudioVoice& voice) { return Audio_State().sources[static_cast<size_t>(voice.slot)]; }

// The asset's buffer, or nothing when the asset is absent.
bool AssetBuffer(int32_t asset, ALuint* buffer, float* volume) {
  const AudioAsset* a = Audio_Asset(asset);
  if (a == nullptr) return false;
  *buffer = a->buffer;
  *volume = a->volume;
  return true;
}

void AddVoice(AudioEmitter& emitter, size_t place, int32_t playId) {
  const auto& voices = Audio_State().voices;
  for (EmitterVoice& ref : emitter.voices) {
    const AudioVoice& old = *voices[ref.voice];
    if (!old.active || old.playId != ref.playId) {
      ref = {place, playId};
      return;
    }
  }
  emitter.voices.push_back({place, playId});
}

}  // namespace

int32_t Audio_PlaySoundSimple(int32_t asset, double priority, int32_t loop) {
  if (g_newAudio == 0) return -1;
  ALuint buffer = 0;
  float volume = 1.0f;
  // The asset first: a play that cannot sound must not silence another.
  if (!AssetBuffer(asset, &buffer, &volume)) return -1;
  int32_t slot = Audio_ChooseSource(static_cast<float>(priority));
  if (slot < 0) return -1;
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error before playing sample\n");
  AudioVoice& voice = Voice(Audio_StartVoice(slot, asset, loop, static_cast<float>(priority)));
  ALuint source = SourceOf(voice);
  alSourcef(source, AL_MAX_DISTANCE, kPlainMaxDistance);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
  alSourcei(source, AL_LOOPING, loop >= 1 ? AL_TRUE : AL_FALSE);
  alSourcef(source, AL_GAIN, volume);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0, 0, 0);
  alSource3f(source, AL_VELOCITY, 0, 0, 0);
  alSourcePlay(source);
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error playing simple sound\n");
  return voice.playId;
}

int32_t Audio_PlaySoundAt(int32_t asset, double x, double y, double z, double falloffReference,
                          double falloffMaximum, double falloffFactor, int32_t loop, double priority) {
  if (g_newAudio == 0) return -1;
  ALuint buffer = 0;
  float volume = 1.0f;
  if (!AssetBuffer(asset, &buffer, &volume)) return -1;
  int32_t slot = Audio_ChooseSource(static_cast<float>(priority));
  if (slot < 0) return -1;
  AudioVoice& voice = Voice(Audio_StartVoice(slot, asset, loop, static_cast<float>(priority)));
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error prior to playing sample\n");
  ALuint source = SourceOf(voice);
  alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
  alSourcef(source, AL_GAIN, volume);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error setting sample buffer\n");
  alSourcePlay(source);
  alSourcef(source, AL_MAX_DISTANCE, static_cast<float>(falloffMaximum));
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error playing sample\n");
  alSourcef(source, AL_REFERENCE_DISTANCE, static_cast<float>(falloffReference));
  alSourcef(source, AL_ROLLOFF_FACTOR, static_cast<float>(falloffFactor));
  alSource3f(source, AL_POSITION, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  alSourcei(source, AL_LOOPING, loop >= 1 ? AL_TRUE : AL_FALSE);
  alSource3f(source, AL_VELOCITY, 0, 0, 0);
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error updating sample position\n");
  return voice.playId;
}

int32_t Audio_PlaySound(int32_t index, int32_t asset, int32_t loop, double priority) {
  if (g_newAudio == 0) return -1;
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error prior to playing sample 2\n");
  auto& emitters = Audio_State().emitters;
  if (index < 0 || static_cast<size_t>(index) >= emitters.size()) return -1;
  AudioEmitter* emitter = emitters[static_cast<size_t>(index)].get();
  if (emitter == nullptr || !emitter->inUse) {
    g_debugConsole->Output("Audio_PlaySound Attempting to play sound on inactive emitter %d\n", index);
    return -1;
  }
  const AudioAsset* found = Audio_Asset(asset);
  if (found == nullptr) return -1;
  int32_t slot = Audio_ChooseSource(static_cast<float>(priority));
  if (slot < 0) return -1;
  size_t place = Audio_StartVoice(slot, asset, loop, static_cast<float>(priority));
  const AudioVoice& voice = *Audio_State().voices[place];
  AddVoice(*emitter, place, voice.playId);
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error prior to playing sample\n");
  ALuint source = Audio_State().sources[static_cast<size_t>(slot)];
  alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
  alSourcef(source, AL_MAX_DISTANCE, emitter->falloffMaximum);
  alSourcef(source, AL_GAIN, emitter->gain * found->volume);
  alSourcef(source, AL_PITCH, emitter->pitch);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(found->buffer));
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error setting sample buffer\n");
  alSourcei(source, AL_LOOPING, loop >= 1 ? AL_TRUE : AL_FALSE);
  alSourcePlay(source);
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error playing sample\n");
  alSourcef(source, AL_REFERENCE_DISTANCE, emitter->falloffReference);
  alSourcef(source, AL_ROLLOFF_FACTOR, emitter->falloffFactor);
  return voice.playId;
}

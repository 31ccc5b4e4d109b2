// The three plays: simple, at a position, and on an emitter. Each checks
// its asset before it chooses a source, so a play that cannot sound never
// silences another.
#include "audio/audio_state.h"
#include "audio/audio_system.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

constexpr float kPlainMaxDistance = 100000.0f;

// A play under way: its voice's place in the pool, its asset, source and id.
struct Started {
  size_t place;
  const AudioAsset* asset;
  ALuint source;
  int32_t playId;
};

// The asset first, then a source (maybe evicting), then a voice; a pending
// OpenAL error is written as `pendingError`. False when the play cannot start.
bool StartPlay(int32_t asset, double priority, int32_t loop, const char* pendingError, Started* out) {
  const AudioAsset* found = Audio_Asset(asset);
  if (found == nullptr) return false;
  int32_t slot = Audio_ChooseSource(static_cast<float>(priority));
  if (slot < 0) return false;
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("%s", pendingError);
  size_t place = Audio_StartVoice(slot, asset, loop, static_cast<float>(priority));
  *out = {place, found, Audio_State().sources[static_cast<size_t>(slot)], Audio_State().voices[place]->playId};
  return true;
}

void LogError(const char* line) {
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("%s", line);
}

ALint Looping(int32_t loop) { return loop >= 1 ? AL_TRUE : AL_FALSE; }

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
  Started play;
  if (g_newAudio == 0 || !StartPlay(asset, priority, loop, "Error before playing sample\n", &play)) return -1;
  ALuint source = play.source;
  alSourcef(source, AL_MAX_DISTANCE, kPlainMaxDistance);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(play.asset->buffer));
  alSourcei(source, AL_LOOPING, Looping(loop));
  alSourcef(source, AL_GAIN, play.asset->volume);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0, 0, 0);
  alSource3f(source, AL_VELOCITY, 0, 0, 0);
  alSourcePlay(source);
  LogError("Error playing simple sound\n");
  return play.playId;
}

int32_t Audio_PlaySoundAt(int32_t asset, double x, double y, double z, double falloffReference, double falloffMaximum,
                          double falloffFactor, int32_t loop, double priority) {
  Started play;
  if (g_newAudio == 0 || !StartPlay(asset, priority, loop, "Error prior to playing sample\n", &play)) return -1;
  ALuint source = play.source;
  alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
  alSourcef(source, AL_GAIN, play.asset->volume);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(play.asset->buffer));
  LogError("Error setting sample buffer\n");
  alSourcePlay(source);
  alSourcef(source, AL_MAX_DISTANCE, static_cast<float>(falloffMaximum));
  LogError("Error playing sample\n");
  alSourcef(source, AL_REFERENCE_DISTANCE, static_cast<float>(falloffReference));
  alSourcef(source, AL_ROLLOFF_FACTOR, static_cast<float>(falloffFactor));
  alSource3f(source, AL_POSITION, static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  alSourcei(source, AL_LOOPING, Looping(loop));
  alSource3f(source, AL_VELOCITY, 0, 0, 0);
  LogError("Error updating sample position\n");
  return play.playId;
}

int32_t Audio_PlaySound(int32_t index, int32_t asset, int32_t loop, double priority) {
  if (g_newAudio == 0) return -1;
  LogError("Error prior to playing sample 2\n");
  auto& emitters = Audio_State().emitters;
  if (index < 0 || static_cast<size_t>(index) >= emitters.size()) return -1;
  AudioEmitter* emitter = emitters[static_cast<size_t>(index)].get();
  if (emitter == nullptr || !emitter->inUse) {
    g_debugConsole->Output("Audio_PlaySound Attempting to play sound on inactive emitter %d\n", index);
    return -1;
  }
  Started play;
  if (!StartPlay(asset, priority, loop, "Error prior to playing sample\n", &play)) return -1;
  AddVoice(*emitter, play.place, play.playId);
  ALuint source = play.source;
  alSourcei(source, AL_SOURCE_RELATIVE, AL_FALSE);
  alSourcef(source, AL_MAX_DISTANCE, emitter->falloffMaximum);
  alSourcef(source, AL_GAIN, emitter->gain * play.asset->volume);
  alSourcef(source, AL_PITCH, emitter->pitch);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(play.asset->buffer));
  LogError("Error setting sample buffer\n");
  alSourcei(source, AL_LOOPING, Looping(loop));
  alSourcePlay(source);
  LogError("Error playing sample\n");
  alSourcef(source, AL_REFERENCE_DISTANCE, emitter->falloffReference);
  alSourcef(source, AL_ROLLOFF_FACTOR, emitter->falloffFactor);
  return play.playId;
}

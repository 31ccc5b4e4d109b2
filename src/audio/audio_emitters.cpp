// Emitters, the listener, the global settings and the per-frame update.
#include "audio/audio_state.h"
#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "audio/openal/sound_hardware.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

constexpr int32_t kEmitterGrowth = 8;
constexpr int32_t kMasterGainFadeMs = 10;

// The emitter at i when it may be changed: audio on, inside the table, present.
AudioEmitter* Changeable(int32_t i) {
  auto& emitters = Audio_State().emitters;
  if (g_newAudio == 0 || i < 0 || static_cast<size_t>(i) >= emitters.size()) return nullptr;
  return emitters[static_cast<size_t>(i)].get();
}

void Store(float* target, double x, double y, double z) {
  target[0] = static_cast<float>(x);
  target[1] = static_cast<float>(y);
  target[2] = static_cast<float>(z);
}

// Calls act(voice, source) for each voice the emitter still plays that
// holds a source.
template <typename Act>
void ForEmitterVoices(AudioEmitter& emitter, Act act) {
  AudioState& state = Audio_State();
  for (const EmitterVoice& ref : emitter.voices) {
    if (ref.voice >= state.voices.size()) continue;
    AudioVoice& voice = *state.voices[ref.voice];
    if (!Audio_VoiceLive(voice) || voice.playId != ref.playId || voice.slot < 0 ||
        static_cast<size_t>(voice.slot) >= state.sources.size()) {
      continue;
    }
    act(voice, state.sources[static_cast<size_t>(voice.slot)]);
  }
}

ALint CheckedState(ALuint source) {
  alGetError();
  ALint state = Audio_SourceState(source);
  if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error getting source state\n");
  return state;
}

}  // namespace

void Audio_ApplyListener(const AudioListener& l) {
  alGetError();
  alListener3f(AL_POSITION, l.position[0], l.position[1], l.position[2]);
  Audio_LogError("Error setting listener position %d\n");
  alListener3f(AL_VELOCITY, l.velocity[0], l.velocity[1], l.velocity[2]);
  Audio_LogError("Error setting listener velocity %d\n");
  alListenerfv(AL_ORIENTATION, l.orientation);
  Audio_LogError("Error setting listener orientation %d\n");
}

int32_t Audio_EmitterCreate() {
  if (g_newAudio == 0) return -1;
  auto& emitters = Audio_State().emitters;
  for (size_t i = 0; i < emitters.size(); ++i) {
    if (emitters[i] == nullptr) emitters[i] = std::make_unique<AudioEmitter>();
    if (emitters[i]->inUse) continue;
    emitters[i]->inUse = true;
    return static_cast<int32_t>(i);
  }
  size_t first = emitters.size();
  emitters.resize(first + kEmitterGrowth);
  emitters[first] = std::make_unique<AudioEmitter>();
  emitters[first]->inUse = true;
  return static_cast<int32_t>(first);
}

void Audio_EmitterFree(int32_t i) {
  if (AudioEmitter* e = Changeable(i)) e->inUse = false;
}

bool Audio_EmitterExists(int32_t i) {
  auto& emitters = Audio_State().emitters;
  return i >= 0 && static_cast<size_t>(i) < emitters.size() && emitters[static_cast<size_t>(i)] != nullptr;
}

void Audio_EmitterPosition(int32_t i, double x, double y, double z) {
  if (AudioEmitter* e = Changeable(i)) Store(e->position, x, y, z);
}

void Audio_EmitterVelocity(int32_t i, double x, double y, double z) {
  if (AudioEmitter* e = Changeable(i)) Store(e->velocity, x, y, z);
}

void Audio_EmitterGain(int32_t i, double gain) {
  AudioEmitter* e = Changeable(i);
  if (e != nullptr && gain >= 0) e->gain = static_cast<float>(gain);
}

void Audio_EmitterPitch(int32_t i, double pitch) {
  AudioEmitter* e = Changeable(i);
  if (e != nullptr && pitch >= 0) e->pitch = static_cast<float>(pitch);
}

void Audio_EmitterFalloff(int32_t i, double reference, double maximum, double factor) {
  AudioEmitter* e = Changeable(i);
  if (e == nullptr) return;
  e->falloffReference = static_cast<float>(reference);
  e->falloffMaximum = static_cast<float>(maximum);
  e->falloffFactor = static_cast<float>(factor);
  ForEmitterVoices(*e, [&](AudioVoice&, ALuint source) {
    if (CheckedState(source) == AL_STOPPED) return;
    alSourcef(source, AL_MAX_DISTANCE, e->falloffMaximum);
    alSourcef(source, AL_REFERENCE_DISTANCE, e->falloffReference);
    alSourcef(source, AL_ROLLOFF_FACTOR, e->falloffFactor);
    if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error updating emitter\n");
  });
}

void Audio_ListenerPosition(double x, double y, double z) {
  auto& listener = Audio_State().listener;
  if (listener.has_value()) Store(listener->position, x, y, z);
}

void Audio_ListenerVelocity(double x, double y, double z) {
  auto& listener = Audio_State().listener;
  if (listener.has_value()) Store(listener->velocity, x, y, z);
}

void Audio_ListenerOrientation(double atX, double atY, double atZ, double upX, double upY, double upZ) {
  auto& listener = Audio_State().listener;
  if (!listener.has_value()) return;
  Store(listener->orientation, atX, atY, atZ);
  Store(listener->orientation + 3, upX, upY, upZ);
}

void Audio_SetFalloffModel(int32_t model) {
  static constexpr ALenum kModels[] = {AL_NONE,
                                       AL_INVERSE_DISTANCE,
                                       AL_INVERSE_DISTANCE_CLAMPED,
                                       AL_LINEAR_DISTANCE,
                                       AL_LINEAR_DISTANCE_CLAMPED,
                                       AL_EXPONENT_DISTANCE,
                                       AL_EXPONENT_DISTANCE_CLAMPED};
  if (model < 0 || model >= static_cast<int32_t>(std::size(kModels))) {
    g_debugConsole->Output("Attempting to set audio falloff to unknown model\n");
    return;
  }
  if (!SoundHardware_Off()) alDistanceModel(kModels[model]);
}

void Audio_SetMasterGain(double gain) {
  if (g_newAudio == 0) return;
  float g = gain < 0 ? 0.0f : static_cast<float>(gain);
  alListenerf(AL_GAIN, g);
  SoundHardware* hardware = Audio_State().hardware;
  if (hardware != nullptr) hardware->SetVolume({nullptr, true}, g, kMasterGainFadeMs);
}

void Audio_UpdateEmitters() {
  if (g_newAudio == 0) return;
  AudioState& state = Audio_State();
  if (state.listener.has_value()) Audio_ApplyListener(*state.listener);
  for (auto& emitter : state.emitters) {
    if (emitter == nullptr || !emitter->inUse) continue;
    ForEmitterVoices(*emitter, [&](AudioVoice& voice, ALuint source) {
      if (CheckedState(source) == AL_STOPPED) {
        voice.active = false;
        voice.evicted = false;
        return;
      }
      alSource3f(source, AL_POSITION, emitter->position[0], emitter->position[1], emitter->position[2]);
      alSource3f(source, AL_VELOCITY, emitter->velocity[0], emitter->velocity[1], emitter->velocity[2]);
      if (alGetError() != AL_NO_ERROR) g_debugConsole->Output("Error updating emitter\n");
    });
  }
}

void Audio_FrameUpdate() {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware != nullptr) hardware->Tick();
  Audio_UpdateEmitters();
}

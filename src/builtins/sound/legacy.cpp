// The legacy sound functions over the sound store and its play layer.
#include "audio/hardware_table.h"
#include "audio/sound_play.h"
#include "audio/sound_store.h"
#include "builtins/sound/handlers.h"
#include "builtins/sound/sound_modes.h"

namespace {

// The sound the first argument names, or null: while the audio system is
// selected (no message), or after reporting an unknown sound.
CSound* LegacySound(const BuiltinArgs& a, SoundMode mode = SoundMode::kLegacyOnly) {
  if (!SoundMode_Acts(mode)) return nullptr;
  CSound* sound = Sound_Get(a.Int(0));
  if (sound == nullptr) Builtin_Error("Sound does not exist.");
  return sound;
}

void Play(int32_t argc, const ScriptValue* args, bool loop) {
  CSound* sound = LegacySound(BuiltinArgs(argc, args));
  if (sound == nullptr) return;
  const int32_t id = sound->GetHardwareId();
  Sound_Play(sound->fileName, id, loop);
  // Over one frame from the hardware sound's volume to the stored one.
  Sound_SetVolume(id, static_cast<float>(sound->volume), 1);
}

}  // namespace

void F_SoundPlay(KV_BUILTIN_PARAMS) { Play(argc, args, false); }

void F_SoundLoop(KV_BUILTIN_PARAMS) { Play(argc, args, true); }

void F_SoundStop(KV_BUILTIN_PARAMS) {
  CSound* sound = LegacySound(BuiltinArgs(argc, args));
  if (sound != nullptr) Sound_Stop(sound->fileName, sound->GetHardwareId());
}

void F_SoundStopAll(KV_BUILTIN_PARAMS) {
  if (SoundMode_Acts(SoundMode::kLegacyOnly)) Sound_StopAll();
}

void F_SoundIsPlaying(KV_BUILTIN_PARAMS) {
  CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  const bool playing = sound != nullptr && Sound_IsPlaying(sound->fileName, sound->GetHardwareId());
  Result_SetReal(result, playing ? 1.0 : 0.0);
}

void F_SoundVolume(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSound* sound = LegacySound(a);
  if (sound == nullptr) return;
  sound->volume = a.Real(1);
  Sound_SetVolume(sound->GetHardwareId(), static_cast<float>(sound->volume), 1);
}

// The stored volume stays: the next play fades back to it.
void F_SoundFade(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  CSound* sound = LegacySound(a);
  if (sound != nullptr) Sound_SetVolume(sound->GetHardwareId(), static_cast<float>(a.Real(1)), a.Int(2));
}

void F_SoundLoadOnly(KV_BUILTIN_PARAMS) {
  CSound* sound = LegacySound(BuiltinArgs(argc, args));
  if (sound != nullptr) sound->GetHardwareId();
}

void F_SoundLoadOnlyBothModes(KV_BUILTIN_PARAMS) {
  CSound* sound = LegacySound(BuiltinArgs(argc, args), SoundMode::kBothModes);
  if (sound != nullptr) sound->GetHardwareId();
}

void F_SoundNoEffect(KV_BUILTIN_PARAMS) {}

void F_SoundGlobalVolume(KV_BUILTIN_PARAMS) {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware != nullptr && SoundMode_Acts(SoundMode::kLegacyOnly)) {
    hardware->SetMasterVolume(static_cast<float>(BuiltinArgs(argc, args).Real(0)));
  }
}

// Sound actions. With the audio system a sound plays by its kind (0 a
// sound, 1 music, other kinds nothing); otherwise through the legacy store.
#include "audio/audio_system.h"
#include "audio/sound_play.h"
#include "audio/sound_store.h"
#include "builtins/actions/handlers.h"
#include "builtins/actions/support.h"
#include "builtins/sound/sound_modes.h"

namespace {

constexpr int32_t kKindSound = 0;
constexpr int32_t kKindMusic = 1;
constexpr double kActionPriority = 1.0;

bool NewAudio() { return SoundMode_Acts(SoundMode::kNewAudioOnly); }

}  // namespace

void F_ActionSound(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const int32_t index = a.Int(0);
  const bool loop = a.Bool(1);
  if (NewAudio()) {
    const int32_t kind = Audio_GetType(index);
    if (kind == kKindSound) Audio_PlaySoundSimple(index, kActionPriority, loop ? 1 : 0);
    if (kind == kKindMusic) Audio_PlayMusic(index, loop);
    return;
  }
  CSound* sound = Sound_Get(index);
  if (sound == nullptr) {
    Builtin_Error("Trying to play non-existing sound.");
    return;
  }
  Sound_Play(sound->fileName, sound->GetHardwareId(), loop);
}

void F_ActionEndSound(KV_BUILTIN_PARAMS) {
  const int32_t index = BuiltinArgs(argc, args).Int(0);
  if (NewAudio()) {
    const int32_t kind = Audio_GetType(index);
    if (kind == kKindSound) Audio_StopSound(index);
    if (kind == kKindMusic) Audio_StopMusic();
    return;
  }
  CSound* sound = Sound_Get(index);
  if (sound == nullptr) {
    Builtin_Error("Trying to stop non-existing sound.");
    return;
  }
  Sound_Stop(sound->fileName, sound->GetHardwareId());
}

void F_ActionIfSound(KV_BUILTIN_PARAMS) {
  const int32_t index = BuiltinArgs(argc, args).Int(0);
  if (NewAudio()) {
    actions::SetBool(result, Audio_IsPlaying(index));
    return;
  }
  CSound* sound = Sound_Get(index);
  actions::SetBool(result, sound != nullptr && Sound_IsPlaying(sound->fileName, sound->GetHardwareId()));
}

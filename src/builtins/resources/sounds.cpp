// The sound resource functions over the legacy sound store. While the audio
// system serves the game's sounds they do nothing: that system has its own
// functions.
#include "audio/audio_system.h"
#include "audio/sound_store.h"
#include "builtins/resources/handlers.h"
#include "builtins/resources/support.h"
#include "builtins/sound/sound_modes.h"

namespace {

bool LegacyActs() { return SoundMode_Acts(SoundMode::kLegacyOnly); }

}  // namespace

// The legacy system always answers 0 here; only the audio system's store
// is asked.
KV_BUILTIN(F_SoundExists) {
  const int32_t index = BuiltinArgs(argc, args).Int(0);
  Result_SetReal(result, 0.0);
  if (SoundMode_Acts(SoundMode::kNewAudioOnly)) Resource_SetFlag(result, Audio_Exists(index) || Sound_Exists(index));
}

KV_BUILTIN(F_SoundName) { Resource_SetName(result, Sound_GetName(BuiltinArgs(argc, args).Int(0)).c_str()); }

KV_BUILTIN(F_SoundGetKind) {
  const CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, sound != nullptr, sound != nullptr ? sound->kind : 0);
}

KV_BUILTIN(F_SoundGetPreload) {
  const CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, sound != nullptr, sound != nullptr && sound->preload ? 1 : 0);
}

KV_BUILTIN(F_SoundDiscard) {
  CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  if (LegacyActs() && sound != nullptr) sound->Discard();
}

KV_BUILTIN(F_SoundRestore) {
  CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  if (LegacyActs() && sound != nullptr) sound->Prepare();
}

KV_BUILTIN(F_SoundAdd) {
  if (!LegacyActs()) return;
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Sound_Add(a.Text(0), a.Int(1), a.Bool(2)));
}

KV_BUILTIN(F_SoundReplace) {
  if (!LegacyActs()) return;
  BuiltinArgs a(argc, args);
  if (!Resource_Check(Sound_Exists, a, 0, "Trying to replace non-existing sound.")) return;
  Resource_SetFlag(result, Sound_Replace(a.Int(0), a.Text(1), a.Int(2), a.Bool(3)));
}

KV_BUILTIN(F_SoundDelete) {
  if (LegacyActs()) {
    Resource_Delete(result, BuiltinArgs(argc, args), Sound_Exists, Sound_Delete, "Trying to delete non-existing sound.");
  }
}

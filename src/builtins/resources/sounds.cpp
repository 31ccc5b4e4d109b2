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
void F_SoundExists(KV_BUILTIN_PARAMS) {
  const int32_t index = BuiltinArgs(argc, args).Int(0);
  Result_SetReal(result, 0.0);
  if (SoundMode_Acts(SoundMode::kNewAudioOnly)) Resource_SetFlag(result, Audio_Exists(index) || Sound_Exists(index));
}

void F_SoundName(KV_BUILTIN_PARAMS) { Resource_SetName(result, Sound_GetName(BuiltinArgs(argc, args).Int(0)).c_str()); }

void F_SoundGetKind(KV_BUILTIN_PARAMS) {
  const CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, sound != nullptr, sound != nullptr ? sound->kind : 0);
}

void F_SoundGetPreload(KV_BUILTIN_PARAMS) {
  const CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  Resource_SetQuery(result, sound != nullptr, sound != nullptr && sound->preload ? 1 : 0);
}

void F_SoundDiscard(KV_BUILTIN_PARAMS) {
  CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  if (LegacyActs() && sound != nullptr) sound->Discard();
}

void F_SoundRestore(KV_BUILTIN_PARAMS) {
  CSound* sound = Sound_Get(BuiltinArgs(argc, args).Int(0));
  if (LegacyActs() && sound != nullptr) sound->Prepare();
}

void F_SoundAdd(KV_BUILTIN_PARAMS) {
  if (!LegacyActs()) return;
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Sound_Add(a.Text(0), a.Int(1), a.Bool(2)));
}

void F_SoundReplace(KV_BUILTIN_PARAMS) {
  if (!LegacyActs()) return;
  BuiltinArgs a(argc, args);
  if (!Resource_Check(Sound_Exists, a, 0, "Trying to replace non-existing sound.")) return;
  Resource_SetFlag(result, Sound_Replace(a.Int(0), a.Text(1), a.Int(2), a.Bool(3)));
}

void F_SoundDelete(KV_BUILTIN_PARAMS) {
  if (LegacyActs()) {
    Resource_Delete(result, BuiltinArgs(argc, args), Sound_Exists, Sound_Delete,
                    "Trying to delete non-existing sound.");
  }
}

// The audio system's functions; the system itself answers "nothing" while
// the legacy sounds are selected.
#include "audio/audio_system.h"
#include "builtins/sound/handlers.h"

namespace {

void SetFlag(ScriptValue* result, bool flag) { Result_SetReal(result, flag ? 1.0 : 0.0); }

}  // namespace

KV_BUILTIN(F_AudioListenerPosition) {
  BuiltinArgs a(argc, args);
  Audio_ListenerPosition(a.Real(0), a.Real(1), a.Real(2));
}

KV_BUILTIN(F_AudioListenerVelocity) {
  BuiltinArgs a(argc, args);
  Audio_ListenerVelocity(a.Real(0), a.Real(1), a.Real(2));
}

KV_BUILTIN(F_AudioListenerOrientation) {
  BuiltinArgs a(argc, args);
  Audio_ListenerOrientation(a.Real(0), a.Real(1), a.Real(2), a.Real(3), a.Real(4), a.Real(5));
}

KV_BUILTIN(F_AudioEmitterPosition) {
  BuiltinArgs a(argc, args);
  Audio_EmitterPosition(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

KV_BUILTIN(F_AudioEmitterVelocity) {
  BuiltinArgs a(argc, args);
  Audio_EmitterVelocity(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

KV_BUILTIN(F_AudioEmitterCreate) { Result_SetReal(result, Audio_EmitterCreate()); }
KV_BUILTIN(F_AudioEmitterFree) { Audio_EmitterFree(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_AudioPlaySound) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySoundSimple(a.Int(0), a.Real(1), a.Int(2)));
}

KV_BUILTIN(F_AudioPlaySoundOn) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySound(a.Int(0), a.Int(1), a.Int(2), a.Real(3)));
}

KV_BUILTIN(F_AudioPlaySoundAt) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySoundAt(a.Int(0), a.Real(1), a.Real(2), a.Real(3), a.Real(4), a.Real(5),
                                           a.Real(6), a.Int(7), a.Real(8)));
}

KV_BUILTIN(F_AudioFalloffSetModel) { Audio_SetFalloffModel(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_AudioStopSound) { Audio_StopSound(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_AudioPauseSound) { Audio_PauseSound(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_AudioResumeSound) { Audio_ResumeSound(BuiltinArgs(argc, args).Int(0)); }
KV_BUILTIN(F_AudioPauseAll) { Audio_PauseAll(); }
KV_BUILTIN(F_AudioResumeAll) { Audio_ResumeAll(); }
KV_BUILTIN(F_AudioIsPlaying) { SetFlag(result, Audio_IsPlaying(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_AudioExists) { SetFlag(result, Audio_Exists(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_AudioMasterGain) { Audio_SetMasterGain(BuiltinArgs(argc, args).Real(0)); }
KV_BUILTIN(F_AudioEmitterExists) { SetFlag(result, Audio_EmitterExists(BuiltinArgs(argc, args).Int(0))); }
KV_BUILTIN(F_AudioGetType) { Result_SetReal(result, Audio_GetType(BuiltinArgs(argc, args).Int(0))); }

KV_BUILTIN(F_AudioEmitterGain) {
  BuiltinArgs a(argc, args);
  Audio_EmitterGain(a.Int(0), a.Real(1));
}

KV_BUILTIN(F_AudioEmitterPitch) {
  BuiltinArgs a(argc, args);
  Audio_EmitterPitch(a.Int(0), a.Real(1));
}

KV_BUILTIN(F_AudioEmitterFalloff) {
  BuiltinArgs a(argc, args);
  Audio_EmitterFalloff(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

KV_BUILTIN(F_AudioChannelNum) { Audio_SetChannelCount(BuiltinArgs(argc, args).Int(0)); }

KV_BUILTIN(F_AudioPlayMusic) {
  BuiltinArgs a(argc, args);
  Audio_PlayMusic(a.Int(0), a.Int(1) > 0);
}

KV_BUILTIN(F_AudioStopMusic) { Audio_StopMusic(); }
KV_BUILTIN(F_AudioPauseMusic) { Audio_PauseMusic(); }
KV_BUILTIN(F_AudioResumeMusic) { Audio_ResumeMusic(); }
KV_BUILTIN(F_AudioStopAll) { Audio_StopAll(); }
KV_BUILTIN(F_AudioSoundLength) { Result_SetReal(result, Audio_SoundLength(BuiltinArgs(argc, args).Int(0))); }

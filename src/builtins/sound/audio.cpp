// The audio system's functions; the system itself answers "nothing" while
// the legacy sounds are selected.
#include "audio/audio_system.h"
#include "builtins/sound/handlers.h"

namespace {

void SetFlag(ScriptValue* result, bool flag) { Result_SetReal(result, flag ? 1.0 : 0.0); }

}  // namespace

void F_AudioListenerPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_ListenerPosition(a.Real(0), a.Real(1), a.Real(2));
}

void F_AudioListenerVelocity(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_ListenerVelocity(a.Real(0), a.Real(1), a.Real(2));
}

void F_AudioListenerOrientation(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_ListenerOrientation(a.Real(0), a.Real(1), a.Real(2), a.Real(3), a.Real(4), a.Real(5));
}

void F_AudioEmitterPosition(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_EmitterPosition(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

void F_AudioEmitterVelocity(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_EmitterVelocity(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

void F_AudioEmitterCreate(KV_BUILTIN_PARAMS) { Result_SetReal(result, Audio_EmitterCreate()); }
void F_AudioEmitterFree(KV_BUILTIN_PARAMS) { Audio_EmitterFree(BuiltinArgs(argc, args).Int(0)); }

void F_AudioPlaySound(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySoundSimple(a.Int(0), a.Real(1), a.Int(2)));
}

void F_AudioPlaySoundOn(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySound(a.Int(0), a.Int(1), a.Int(2), a.Real(3)));
}

void F_AudioPlaySoundAt(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Result_SetReal(result, Audio_PlaySoundAt(a.Int(0), a.Real(1), a.Real(2), a.Real(3), a.Real(4), a.Real(5), a.Real(6),
                                           a.Int(7), a.Real(8)));
}

void F_AudioFalloffSetModel(KV_BUILTIN_PARAMS) { Audio_SetFalloffModel(BuiltinArgs(argc, args).Int(0)); }
void F_AudioStopSound(KV_BUILTIN_PARAMS) { Audio_StopSound(BuiltinArgs(argc, args).Int(0)); }
void F_AudioPauseSound(KV_BUILTIN_PARAMS) { Audio_PauseSound(BuiltinArgs(argc, args).Int(0)); }
void F_AudioResumeSound(KV_BUILTIN_PARAMS) { Audio_ResumeSound(BuiltinArgs(argc, args).Int(0)); }
void F_AudioPauseAll(KV_BUILTIN_PARAMS) { Audio_PauseAll(); }
void F_AudioResumeAll(KV_BUILTIN_PARAMS) { Audio_ResumeAll(); }
void F_AudioIsPlaying(KV_BUILTIN_PARAMS) { SetFlag(result, Audio_IsPlaying(BuiltinArgs(argc, args).Int(0))); }
void F_AudioExists(KV_BUILTIN_PARAMS) { SetFlag(result, Audio_Exists(BuiltinArgs(argc, args).Int(0))); }
void F_AudioMasterGain(KV_BUILTIN_PARAMS) { Audio_SetMasterGain(BuiltinArgs(argc, args).Real(0)); }
void F_AudioEmitterExists(KV_BUILTIN_PARAMS) { SetFlag(result, Audio_EmitterExists(BuiltinArgs(argc, args).Int(0))); }
void F_AudioGetType(KV_BUILTIN_PARAMS) { Result_SetReal(result, Audio_GetType(BuiltinArgs(argc, args).Int(0))); }

void F_AudioEmitterGain(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_EmitterGain(a.Int(0), a.Real(1));
}

void F_AudioEmitterPitch(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_EmitterPitch(a.Int(0), a.Real(1));
}

void F_AudioEmitterFalloff(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_EmitterFalloff(a.Int(0), a.Real(1), a.Real(2), a.Real(3));
}

void F_AudioChannelNum(KV_BUILTIN_PARAMS) { Audio_SetChannelCount(BuiltinArgs(argc, args).Int(0)); }

void F_AudioPlayMusic(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Audio_PlayMusic(a.Int(0), a.Int(1) > 0);
}

void F_AudioStopMusic(KV_BUILTIN_PARAMS) { Audio_StopMusic(); }
void F_AudioPauseMusic(KV_BUILTIN_PARAMS) { Audio_PauseMusic(); }
void F_AudioResumeMusic(KV_BUILTIN_PARAMS) { Audio_ResumeMusic(); }
void F_AudioStopAll(KV_BUILTIN_PARAMS) { Audio_StopAll(); }
void F_AudioSoundLength(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, Audio_SoundLength(BuiltinArgs(argc, args).Int(0)));
}

// The sound family's handlers: the legacy sound functions over the sound
// store, the CD functions, MCI_command and the audio system's functions.
#pragma once

#include "builtins/builtin_args.h"

KV_BUILTIN(F_SoundPlay);
KV_BUILTIN(F_SoundLoop);
KV_BUILTIN(F_SoundStop);
KV_BUILTIN(F_SoundStopAll);
KV_BUILTIN(F_SoundIsPlaying);
KV_BUILTIN(F_SoundVolume);
KV_BUILTIN(F_SoundFade);
KV_BUILTIN(F_SoundLoadOnly);
KV_BUILTIN(F_SoundNoEffect);
KV_BUILTIN(F_SoundGlobalVolume);
KV_BUILTIN(F_SoundLoadOnlyBothModes);
KV_BUILTIN(F_CdInit);
KV_BUILTIN(F_CdPresent);
KV_BUILTIN(F_CdNumber);
KV_BUILTIN(F_CdPlaying);
KV_BUILTIN(F_CdPaused);
KV_BUILTIN(F_CdTrack);
KV_BUILTIN(F_CdLength);
KV_BUILTIN(F_CdTrackLength);
KV_BUILTIN(F_CdPosition);
KV_BUILTIN(F_CdTrackPosition);
KV_BUILTIN(F_CdPlay);
KV_BUILTIN(F_CdStop);
KV_BUILTIN(F_CdPause);
KV_BUILTIN(F_CdResume);
KV_BUILTIN(F_CdSetPosition);
KV_BUILTIN(F_CdSetTrackPosition);
KV_BUILTIN(F_CdOpenDoor);
KV_BUILTIN(F_CdCloseDoor);
KV_BUILTIN(F_MciCommand);
KV_BUILTIN(F_AudioListenerPosition);
KV_BUILTIN(F_AudioListenerVelocity);
KV_BUILTIN(F_AudioListenerOrientation);
KV_BUILTIN(F_AudioEmitterPosition);
KV_BUILTIN(F_AudioEmitterVelocity);
KV_BUILTIN(F_AudioEmitterCreate);
KV_BUILTIN(F_AudioEmitterFree);
KV_BUILTIN(F_AudioPlaySound);
KV_BUILTIN(F_AudioPlaySoundOn);
KV_BUILTIN(F_AudioPlaySoundAt);
KV_BUILTIN(F_AudioFalloffSetModel);
KV_BUILTIN(F_AudioStopSound);
KV_BUILTIN(F_AudioPauseSound);
KV_BUILTIN(F_AudioResumeSound);
KV_BUILTIN(F_AudioPauseAll);
KV_BUILTIN(F_AudioResumeAll);
KV_BUILTIN(F_AudioIsPlaying);
KV_BUILTIN(F_AudioExists);
KV_BUILTIN(F_AudioMasterGain);
KV_BUILTIN(F_AudioEmitterExists);
KV_BUILTIN(F_AudioGetType);
KV_BUILTIN(F_AudioEmitterGain);
KV_BUILTIN(F_AudioEmitterPitch);
KV_BUILTIN(F_AudioEmitterFalloff);
KV_BUILTIN(F_AudioChannelNum);
KV_BUILTIN(F_AudioPlayMusic);
KV_BUILTIN(F_AudioStopMusic);
KV_BUILTIN(F_AudioPauseMusic);
KV_BUILTIN(F_AudioResumeMusic);
KV_BUILTIN(F_AudioStopAll);
KV_BUILTIN(F_AudioSoundLength);

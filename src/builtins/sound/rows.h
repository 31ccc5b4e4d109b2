// The sound family, in registration order: the legacy sound functions, the
// CD functions and MCI_command, then the audio system's. The effect, pan and
// 3D functions share one handler that only loads the sound.
#pragma once

#include "builtins/builtin_row.h"
#include "builtins/sound/handlers.h"
#include "builtins/sound/sound_modes.h"

inline constexpr BuiltinRow kSoundRows[] = {
    {"sound_play", F_SoundPlay, 1, "snd", "nothing",
     "Plays the sound once at its stored volume, in the older sound mode; an unknown sound is reported. Music of kind "
     "1 "
     "(background music) plays at full volume whatever its stored volume; of kind 3 (multimedia), at its stored "
     "volume. With the audio system selected it does nothing."},
    {"sound_loop", F_SoundLoop, 1, "snd", "nothing",
     "Plays the sound over and over at its stored volume, in the older sound mode; an unknown sound is reported. Music "
     "of kind 1 (background music) plays at full volume whatever its stored volume; of kind 3 (multimedia), at its "
     "stored volume. With the audio system selected it does nothing."},
    {"sound_stop", F_SoundStop, 1, "snd", "nothing",
     "Stops the sound, in the older sound mode; an unknown sound is reported. With the audio system selected it does "
     "nothing."},
    {"sound_stop_all", F_SoundStopAll, 0, "", "nothing",
     "Stops every sound and the music, in the older sound mode. With the audio system selected it does nothing."},
    {"sound_isplaying", F_SoundIsPlaying, 1, "snd", "bool: 1 when the sound is playing",
     "Asks the older sound mode's store, in both modes; while the audio system is selected it holds none of the game's "
     "own sounds. An unknown sound answers 0."},
    {"sound_volume", F_SoundVolume, 2, "snd, value", "nothing",
     "Sets the sound's volume, 0 to 1, now and for later plays, in the older sound mode; an unknown sound is reported. "
     "Music of kind 1 (background music) stays at full volume; give music whose volume the game sets kind 3. With the "
     "audio system selected it does nothing."},
    {"sound_fade", F_SoundFade, 3, "snd, value, time", "nothing",
     "Fades the sound to volume value (0 to 1) over time milliseconds, in the older sound mode; its stored volume "
     "stays, and the next play comes back to it. Music of kind 1 (background music) does not fade; music of kind 3 "
     "does. With the audio system selected it does nothing."},
    {"sound_pan", F_SoundLoadOnly, 2, "snd, value", "nothing",
     "Only loads the sound in the older sound mode: panning is not supported here. An unknown sound is reported."},
    {"sound_background_tempo", F_SoundNoEffect, 1, "factor", "nothing",
     "Does nothing: the music's tempo cannot be changed here."},
    {"sound_global_volume", F_SoundGlobalVolume, 1, "value", "nothing",
     "Sets the master volume, 0 to 1, in the older sound mode; it applies from each sound's next play or fade step. "
     "With the audio system selected it does nothing."},
    {"sound_set_search_directory", F_SoundNoEffect, 1, "dir", "nothing",
     "Does nothing: sounds are not looked for in other folders here."},
    {"sound_effect_set", F_SoundLoadOnly, 2, "snd, effect", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_chorus", F_SoundLoadOnly, 8, "snd, arg1, arg2, arg3, arg4, arg5, arg6, arg7", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_compressor", F_SoundLoadOnly, 7, "snd, arg1, arg2, arg3, arg4, arg5, arg6", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_echo", F_SoundLoadOnly, 6, "snd, arg1, arg2, arg3, arg4, arg5", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_flanger", F_SoundLoadOnly, 8, "snd, arg1, arg2, arg3, arg4, arg5, arg6, arg7", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_gargle", F_SoundLoadOnly, 3, "snd, arg1, arg2", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_equalizer", F_SoundLoadOnly, 4, "snd, arg1, arg2, arg3", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_effect_reverb", F_SoundLoadOnly, 5, "snd, arg1, arg2, arg3, arg4", "nothing",
     "Only loads the sound in the older sound mode: sound effects are not supported here. An unknown sound is "
     "reported."},
    {"sound_3d_set_sound_position", F_SoundLoadOnly, 4, "snd, x, y, z", "nothing",
     "Only loads the sound in the older sound mode: a 3D sound plays as a plain one here. An unknown sound is "
     "reported."},
    {"sound_3d_set_sound_velocity", F_SoundLoadOnlyBothModes, 4, "snd, x, y, z", "nothing",
     "Only loads the sound in either mode: a 3D sound plays as a plain one here. An unknown sound is reported, and "
     "while the audio system is selected the game's own sounds count as unknown."},
    {"sound_3d_set_sound_distance", F_SoundLoadOnlyBothModes, 3, "snd, mindist, maxdist", "nothing",
     "Only loads the sound in either mode: a 3D sound plays as a plain one here. An unknown sound is reported, and "
     "while the audio system is selected the game's own sounds count as unknown."},
    {"sound_3d_set_sound_cone", F_SoundLoadOnlyBothModes, 7, "snd, x, y, z, inner, outer, volume", "nothing",
     "Only loads the sound in either mode: a 3D sound plays as a plain one here. An unknown sound is reported, and "
     "while the audio system is selected the game's own sounds count as unknown."},
    {"cd_init", F_CdInit, 0, "", "nothing",
     "Opens the CD device afresh; this system has no CD device, so nothing happens."},
    {"cd_present", F_CdPresent, 0, "", "bool: 1 when an audio CD is in the drive",
     "Asks for a disc; this system has no CD device, so it answers 0."},
    {"cd_number", F_CdNumber, 0, "", "real: the number of tracks, 0 without a disc",
     "Counts the disc's tracks; this system has no CD device, so it answers 0."},
    {"cd_playing", F_CdPlaying, 0, "", "bool: 1 when the CD is playing",
     "Asks whether the CD plays; this system has no CD device, so it answers 0."},
    {"cd_paused", F_CdPaused, 0, "", "bool: 1 when the CD is paused or stopped",
     "Asks whether the CD is halted; this system has no CD device, so it answers 0."},
    {"cd_track", F_CdTrack, 0, "", "real: the current track, 0 without a disc",
     "Tells which track plays; this system has no CD device, so it answers 0."},
    {"cd_length", F_CdLength, 0, "", "real: the disc's length in milliseconds",
     "Measures the whole disc; this system has no CD device, so it answers 0."},
    {"cd_track_length", F_CdTrackLength, 1, "track", "real: the track's length in milliseconds, 0 for no such track",
     "Measures one track, counted from 1; this system has no CD device, so it answers 0."},
    {"cd_position", F_CdPosition, 0, "", "real: the position on the disc in milliseconds",
     "Tells how far the disc has played; this system has no CD device, so it answers 0."},
    {"cd_track_position", F_CdTrackPosition, 0, "", "real: the position in the current track in milliseconds",
     "Tells how far the current track has played, in milliseconds counted only to the whole second; this system has "
     "no CD device, so it answers 0."},
    {"cd_play", F_CdPlay, 2, "first, last", "nothing",
     "Plays the tracks from first to last (first below 1 counts as 1; last before first plays nothing); this system "
     "has no CD device, so nothing happens."},
    {"cd_stop", F_CdStop, 0, "", "nothing", "Stops the CD; this system has no CD device, so nothing happens."},
    {"cd_pause", F_CdPause, 0, "", "nothing", "Pauses the CD; this system has no CD device, so nothing happens."},
    {"cd_resume", F_CdResume, 0, "", "nothing",
     "Resumes the paused CD; this system has no CD device, so nothing happens."},
    {"cd_set_position", F_CdSetPosition, 1, "position", "nothing",
     "Moves to position milliseconds on the disc, playing on when it was playing; this system has no CD device, so "
     "nothing happens."},
    {"cd_set_track_position", F_CdSetTrackPosition, 1, "position", "nothing",
     "Moves to position milliseconds (whole seconds) in the current track; this system has no CD device, so nothing "
     "happens."},
    {"cd_open_door", F_CdOpenDoor, 0, "", "nothing",
     "Opens the drive's tray; this system has no CD device, so nothing happens."},
    {"cd_close_door", F_CdCloseDoor, 0, "", "nothing",
     "Closes the drive's tray; this system has no CD device, so nothing happens."},
    {"MCI_command", F_MciCommand, 1, "str", "string: the reply, empty when there is none",
     "Sends a media command text; only the commands of this player's music playback are understood (open a file as "
     "`mpegvideo`, play, pause, resume, seek, stop, setaudio, status, close), and errors are not reported."},
    {"audio_listener_position", F_AudioListenerPosition, 3, "x, y, z", "nothing",
     "Moves the listener that hears positioned sounds; the change applies at the next frame. While the older sound "
     "mode is selected it does nothing."},
    {"audio_listener_velocity", F_AudioListenerVelocity, 3, "vx, vy, vz", "nothing",
     "Sets the listener's velocity, which shifts the pitch of sounds it moves against; applied at the next frame. "
     "While the older sound mode is selected it does nothing."},
    {"audio_listener_orientation", F_AudioListenerOrientation, 6, "lookat_x, lookat_y, lookat_z, up_x, up_y, up_z",
     "nothing",
     "Sets which way the listener faces and which way is up for it; applied at the next frame. While the older sound "
     "mode is selected it does nothing."},
    {"audio_emitter_position", F_AudioEmitterPosition, 4, "emitter, x, y, z", "nothing",
     "Moves the emitter; its sounds follow at the next frame. While the older sound mode is selected it does nothing."},
    {"audio_emitter_velocity", F_AudioEmitterVelocity, 4, "emitter, vx, vy, vz", "nothing",
     "Sets the emitter's velocity, passed to its sounds at the next frame. While the older sound mode is selected it "
     "does nothing."},
    {"audio_emitter_create", F_AudioEmitterCreate, 0, "", "id: the new emitter, -1 in the older sound mode",
     "Makes an emitter, a point that sounds play from; a freed one is handed out again with the settings it had."},
    {"audio_emitter_free", F_AudioEmitterFree, 1, "emitter", "nothing",
     "Gives the emitter back for reuse; sounds it plays go on but no longer follow it."},
    {"audio_play_sound", F_AudioPlaySound, 3, "index, priority, loop", "id: the play, -1 when it cannot start",
     "Plays the sound, looping when loop rounds to 1 or more; when every channel is busy it takes the one of the "
     "lowest-priority play below priority. Answers -1 in the older sound mode."},
    {"audio_play_sound_on", F_AudioPlaySoundOn, 4, "emitter, index, loop, priority",
     "id: the play, -1 when it cannot start",
     "Plays the sound from the emitter, following its position, gain, pitch and falloff; -1 for an emitter that is "
     "free or unknown, and in the older sound mode."},
    {"audio_play_sound_at", F_AudioPlaySoundAt, 9,
     "index, x, y, z, falloff_ref, falloff_max, falloff_factor, loop, priority",
     "id: the play, -1 when it cannot start",
     "Plays the sound at a fixed point, quieter with the listener's distance beyond falloff_ref up to falloff_max, by "
     "falloff_factor; -1 in the older sound mode."},
    {"audio_falloff_set_model", F_AudioFalloffSetModel, 1, "model", "nothing",
     "Chooses how distance lowers volume: 0 not at all, 1 inverse, 2 inverse clamped, 3 linear, 4 linear clamped, 5 "
     "exponent, 6 exponent clamped; other values are ignored."},
    {"audio_stop_sound", F_AudioStopSound, 1, "index", "nothing",
     "Stops plays: a value of 200000 or more names one play, a smaller one every play of that sound. While the older "
     "sound mode is selected it does nothing."},
    {"audio_pause_sound", F_AudioPauseSound, 1, "index", "nothing",
     "Pauses plays that are sounding: a value of 200000 or more names one play, a smaller one every play of that "
     "sound. While the older sound mode is selected it does nothing."},
    {"audio_resume_sound", F_AudioResumeSound, 1, "index", "nothing",
     "Resumes paused plays: a value of 200000 or more names one play, a smaller one every play of that sound. While "
     "the older sound mode is selected it does nothing."},
    {"audio_pause_all", F_AudioPauseAll, 0, "", "nothing",
     "Pauses every play of the audio system (not the music). While the older sound mode is selected it does nothing."},
    {"audio_resume_all", F_AudioResumeAll, 0, "", "nothing",
     "Resumes every paused play of the audio system. While the older sound mode is selected it does nothing."},
    {"audio_is_playing", F_AudioIsPlaying, 1, "index", "bool: 1 when it is sounding",
     "Asks about plays (a value of 200000 or more names one play, a smaller one every play of that sound); a paused "
     "play is not sounding, a music sound asks the music player, and the older sound mode answers 0."},
    {"audio_exists", F_AudioExists, 1, "index", "bool: 1 when the audio system has the sound",
     "Tells whether the sound exists in the audio system; in the older sound mode it has none."},
    {"audio_master_gain", F_AudioMasterGain, 1, "gain", "nothing",
     "Sets the volume of everything the audio system plays and of the music (1 normal, negative as 0). While the older "
     "sound mode is selected it does nothing."},
    {"audio_emitter_exists", F_AudioEmitterExists, 1, "emitter", "bool: 1 when the emitter was made",
     "Tells whether the emitter was ever made; a freed one still exists."},
    {"audio_get_type", F_AudioGetType, 1, "index", "real: 0 a sound, 1 music, -1 no such sound",
     "Tells how the audio system plays the sound: 0 from memory, 1 as music from its file; in the older sound mode it "
     "has no sounds."},
    {"audio_emitter_gain", F_AudioEmitterGain, 2, "emitter, gain", "nothing",
     "Sets the emitter's volume factor for the plays started on it afterward; a negative gain is ignored. While the "
     "older sound mode is selected it does nothing."},
    {"audio_emitter_pitch", F_AudioEmitterPitch, 2, "emitter, pitch", "nothing",
     "Sets the emitter's pitch factor (1 normal) for the plays started on it afterward; a negative pitch is ignored. "
     "While the older sound mode is selected it does nothing."},
    {"audio_emitter_falloff", F_AudioEmitterFalloff, 4, "emitter, falloff_ref, falloff_max, falloff_factor", "nothing",
     "Sets how the emitter's sounds fade with distance, for its plays now sounding too. While the older sound mode is "
     "selected it does nothing."},
    {"audio_channel_num", F_AudioChannelNum, 1, "num", "nothing",
     "Sets how many sounds can play at once (128 at start; 0 to 1024 accepted, others ignored); the plays under way "
     "are cut off. While the older sound mode is selected it does nothing."},
    {"audio_play_music", F_AudioPlayMusic, 2, "index, loop", "nothing",
     "Plays a sound's `.mp3` file as the music, looping when loop rounds above 0; a `.mid` or `.midi` name plays the "
     "`.mp3` file of the same name, and other files nothing. In the older sound mode the audio system holds no "
     "sounds, so nothing plays; `sound_play` plays a music sound there."},
    {"audio_stop_music", F_AudioStopMusic, 0, "", "nothing", "Stops the music; works in both modes."},
    {"audio_pause_music", F_AudioPauseMusic, 0, "", "nothing", "Pauses the music; works in both modes."},
    {"audio_resume_music", F_AudioResumeMusic, 0, "", "nothing", "Resumes the paused music; works in both modes."},
    {"audio_stop_all", F_AudioStopAll, 0, "", "nothing",
     "Stops every play of the audio system (not the music). While the older sound mode is selected it does nothing."},
    {"audio_sound_length", F_AudioSoundLength, 1, "index", "real: the length in seconds, -1 when unknown",
     "Measures a sound, or the sound of a play id; music sounds and the older sound mode answer -1."},
};

// What each of them does in each audio mode, in the same order.
inline constexpr SoundModeRow kSoundModes[] = {
    {"sound_play", SoundMode::kLegacyOnly},
    {"sound_loop", SoundMode::kLegacyOnly},
    {"sound_stop", SoundMode::kLegacyOnly},
    {"sound_stop_all", SoundMode::kLegacyOnly},
    {"sound_isplaying", SoundMode::kBothModes},
    {"sound_volume", SoundMode::kLegacyOnly},
    {"sound_fade", SoundMode::kLegacyOnly},
    {"sound_pan", SoundMode::kLegacyOnly},
    {"sound_background_tempo", SoundMode::kLegacyOnly},
    {"sound_global_volume", SoundMode::kLegacyOnly},
    {"sound_set_search_directory", SoundMode::kLegacyOnly},
    {"sound_effect_set", SoundMode::kLegacyOnly},
    {"sound_effect_chorus", SoundMode::kLegacyOnly},
    {"sound_effect_compressor", SoundMode::kLegacyOnly},
    {"sound_effect_echo", SoundMode::kLegacyOnly},
    {"sound_effect_flanger", SoundMode::kLegacyOnly},
    {"sound_effect_gargle", SoundMode::kLegacyOnly},
    {"sound_effect_equalizer", SoundMode::kLegacyOnly},
    {"sound_effect_reverb", SoundMode::kLegacyOnly},
    {"sound_3d_set_sound_position", SoundMode::kLegacyOnly},
    {"sound_3d_set_sound_velocity", SoundMode::kBothModes},
    {"sound_3d_set_sound_distance", SoundMode::kBothModes},
    {"sound_3d_set_sound_cone", SoundMode::kBothModes},
    {"cd_init", SoundMode::kBothModes},
    {"cd_present", SoundMode::kBothModes},
    {"cd_number", SoundMode::kBothModes},
    {"cd_playing", SoundMode::kBothModes},
    {"cd_paused", SoundMode::kBothModes},
    {"cd_track", SoundMode::kBothModes},
    {"cd_length", SoundMode::kBothModes},
    {"cd_track_length", SoundMode::kBothModes},
    {"cd_position", SoundMode::kBothModes},
    {"cd_track_position", SoundMode::kBothModes},
    {"cd_play", SoundMode::kBothModes},
    {"cd_stop", SoundMode::kBothModes},
    {"cd_pause", SoundMode::kBothModes},
    {"cd_resume", SoundMode::kBothModes},
    {"cd_set_position", SoundMode::kBothModes},
    {"cd_set_track_position", SoundMode::kBothModes},
    {"cd_open_door", SoundMode::kBothModes},
    {"cd_close_door", SoundMode::kBothModes},
    {"MCI_command", SoundMode::kBothModes},
    {"audio_listener_position", SoundMode::kBothModes},
    {"audio_listener_velocity", SoundMode::kBothModes},
    {"audio_listener_orientation", SoundMode::kBothModes},
    {"audio_emitter_position", SoundMode::kNewAudioOnly},
    {"audio_emitter_velocity", SoundMode::kNewAudioOnly},
    {"audio_emitter_create", SoundMode::kNewAudioOnly},
    {"audio_emitter_free", SoundMode::kNewAudioOnly},
    {"audio_play_sound", SoundMode::kNewAudioOnly},
    {"audio_play_sound_on", SoundMode::kNewAudioOnly},
    {"audio_play_sound_at", SoundMode::kNewAudioOnly},
    {"audio_falloff_set_model", SoundMode::kBothModes},
    {"audio_stop_sound", SoundMode::kNewAudioOnly},
    {"audio_pause_sound", SoundMode::kNewAudioOnly},
    {"audio_resume_sound", SoundMode::kNewAudioOnly},
    {"audio_pause_all", SoundMode::kNewAudioOnly},
    {"audio_resume_all", SoundMode::kNewAudioOnly},
    {"audio_is_playing", SoundMode::kNewAudioOnly},
    {"audio_exists", SoundMode::kBothModes},
    {"audio_master_gain", SoundMode::kNewAudioOnly},
    {"audio_emitter_exists", SoundMode::kBothModes},
    {"audio_get_type", SoundMode::kBothModes},
    {"audio_emitter_gain", SoundMode::kNewAudioOnly},
    {"audio_emitter_pitch", SoundMode::kNewAudioOnly},
    {"audio_emitter_falloff", SoundMode::kNewAudioOnly},
    {"audio_channel_num", SoundMode::kNewAudioOnly},
    {"audio_play_music", SoundMode::kBothModes},
    {"audio_stop_music", SoundMode::kBothModes},
    {"audio_pause_music", SoundMode::kBothModes},
    {"audio_resume_music", SoundMode::kBothModes},
    {"audio_stop_all", SoundMode::kNewAudioOnly},
    {"audio_sound_length", SoundMode::kNewAudioOnly},
};

static_assert(std::size(kSoundRows) == std::size(kSoundModes));

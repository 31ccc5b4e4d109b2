// The legacy play layer: a sound is named by its file name and its hardware
// id. Files ending in ".mp3", ".mid" or ".midi" go to the music player by
// name; everything else plays its hardware record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

void Sound_Play(const std::optional<std::string>& fileName, int32_t hardwareId, bool loop);
void Sound_Stop(const std::optional<std::string>& fileName, int32_t hardwareId);
bool Sound_IsPlaying(const std::optional<std::string>& fileName, int32_t hardwareId);
// Stops every hardware sound and the music; the current music name stays.
void Sound_StopAll();
void Sound_SetVolume(int32_t hardwareId, float volume, int32_t milliseconds);
// The file name of the music Sound_Play last started; empty when none.
std::optional<std::string> Sound_CurrentMusic();

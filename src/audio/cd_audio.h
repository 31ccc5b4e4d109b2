// Audio CD playback through the media layer's "cdaudio" device. Linux has
// none, so every command fails with an empty reply: the queries answer 0 or
// false and the actions do nothing. A device registered under that type
// (tests) sees every command. Main thread only: one reply buffer is shared.
#pragma once

#include <cstdint>

void CD_Init();
bool CD_Present();
int32_t CD_GetTrackCount();
bool CD_Playing();
bool CD_Paused();
int32_t CD_GetTrack();
int32_t CD_GetLength();
int32_t CD_GetTrackLength(int32_t track);
int32_t CD_GetPosition();
int32_t CD_GetTrackPosition();
void CD_Play(int32_t first, int32_t last);
void CD_Stop();
void CD_Pause();
void CD_Resume();
void CD_SetPosition(int32_t milliseconds);
void CD_SetTrackPosition(int32_t milliseconds);
void CD_OpenDoor();
void CD_CloseDoor();

// An optional sign and the leading digits; 0 when there are none.
int32_t CD_ReadInteger(const char* text);

// The sound engine games select in their options: one asset per sound,
// plays on a fixed pool of sources chosen by priority, emitters the script
// moves, one listener. While g_newAudio is clear the plays, stops, queries
// of plays and emitter changes do nothing and answer their "nothing".
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

class SoundHardware;

// Values of this or more name plays; smaller ones name assets.
constexpr int32_t kAudioPlayIdBase = 200000;

// Chunk readers, chosen while the game file loads when g_newAudio is set.
bool Audio_Load(const GameImage& image, uint64_t data, uint32_t size);
bool Audio_WAVs(const GameImage& image, uint64_t data, uint32_t size);
void Audio_FreeAll();
// Everything back to its state before the first load: assets, voices,
// emitters, the listener, the sources and 128 channels (program end).
void Audio_Reset();
void Audio_CreateSources(SoundHardware* hardware);
void Audio_PrepareBuffers();
void Audio_FrameUpdate();
void Audio_UpdateEmitters();

int32_t Audio_PlaySoundSimple(int32_t asset, double priority, int32_t loop);
int32_t Audio_PlaySoundAt(int32_t asset, double x, double y, double z, double falloffReference, double falloffMaximum,
                          double falloffFactor, int32_t loop, double priority);
int32_t Audio_PlaySound(int32_t emitter, int32_t asset, int32_t loop, double priority);

void Audio_StopSound(int32_t x);
void Audio_PauseSound(int32_t x);
void Audio_ResumeSound(int32_t x);
void Audio_PauseAll();
void Audio_ResumeAll();
void Audio_StopAll();
bool Audio_IsPlaying(int32_t x);
float Audio_SoundLength(int32_t x);

bool Audio_Exists(int32_t index);
int32_t Audio_GetType(int32_t index);
int32_t Audio_GetBuffer(int32_t index);
float Audio_GetVolume(int32_t index);

int32_t Audio_EmitterCreate();
void Audio_EmitterFree(int32_t i);
bool Audio_EmitterExists(int32_t i);
void Audio_EmitterPosition(int32_t i, double x, double y, double z);
void Audio_EmitterVelocity(int32_t i, double x, double y, double z);
void Audio_EmitterFalloff(int32_t i, double reference, double maximum, double factor);
void Audio_EmitterGain(int32_t i, double gain);
void Audio_EmitterPitch(int32_t i, double pitch);

void Audio_ListenerPosition(double x, double y, double z);
void Audio_ListenerVelocity(double x, double y, double z);
void Audio_ListenerOrientation(double atX, double atY, double atZ, double upX, double upY, double upZ);
void Audio_SetFalloffModel(int32_t model);
void Audio_SetMasterGain(double gain);
void Audio_SetChannelCount(int32_t n);
int32_t Audio_ChannelCount();

void Audio_PlayMusic(int32_t asset, bool loop);
void Audio_StopMusic();
void Audio_PauseMusic();
void Audio_ResumeMusic();

// The source slot a play id sounds on, -1 when none (tests).
int32_t Audio_SlotOfPlay(int32_t playId);

// The lowest sound layer: the one OpenAL device, WAV images as hardware
// sounds (one buffer, four sources taking turns), fades, the master volume,
// and one music file at a time through the media layer. When audio is off
// for the run every operation returns at once.
#pragma once

#include <cstddef>
#include <cstdint>

struct HardwareSound {
  uint32_t buffer = 0;
  uint32_t sources[4] = {};
  int32_t nextSource = 0;
  float volume = 1.0f;
  float fadeStep = 0.0f;
  int32_t fadeFramesLeft = 0;
};

// Where a fade goes: a hardware sound, or the music.
struct VolumeTarget {
  HardwareSound* sound = nullptr;
  bool music = false;
};

class SoundHardware {
 public:
  // Opens the device; when that fails, audio is off for the run.
  void Init();
  void Quit();

  // Null (after a console line) when the image cannot be read.
  HardwareSound* Load(const uint8_t* bytes, size_t length);
  void Play(HardwareSound* sound, bool loop);
  void Stop(HardwareSound* sound);
  bool Playing(HardwareSound* sound);
  // Stops the sound and gives back its sources and buffer; the pointer is
  // dangling afterwards.
  void Release(HardwareSound* sound);
  void SetMasterVolume(float volume) { masterVolume_ = volume; }
  float MasterVolume() const { return masterVolume_; }
  void SetVolume(VolumeTarget target, float volume, int32_t milliseconds);

  void PlayMP3(const char* name, bool loop);
  void PlayMIDI(const char* name, bool loop);
  void StopMusic();
  void PauseMusic();
  void ResumeMusic();
  bool PlayingMP3();

  void Tick();

 private:
  void SetMusicVolume(float volume, int32_t milliseconds);
  void TickMusic();

  float masterVolume_ = 1.0f;
};

// True when audio is off for the run ("-noaudio", or no device).
bool SoundHardware_Off();
// The current room's speed, or 0 without a room: fades count frames by it.
void SoundHardware_SetRoomSpeedSource(int32_t (*speed)());
// The frames a fade of this many milliseconds lasts.
int32_t SoundHardware_FadeFrames(int32_t milliseconds);
// Every hardware sound made, freed (program end).
void SoundHardware_FreeSounds();

// Music state, program-wide.
const char* SoundHardware_MusicName();
float SoundHardware_MusicVolume();
// Back to no music, full volume and no alias opened (tests).
void SoundHardware_ResetMusic();

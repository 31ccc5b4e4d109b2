#include "audio/openal/sound_hardware.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alut.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "audio/openal/al_check.h"
#include "audio/openal/rendered_output.h"
#include "audio/openal/wav_check.h"
#include "platform/media_control.h"
#include "platform/switches.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

constexpr int32_t kNoRoomSpeed = 30;
// Legacy sounds take four sources each; the default mono budget runs out
// after 64 of them.
constexpr ALCint kMonoSources = 4096;

int32_t (*g_roomSpeed)() = nullptr;
ALCdevice* g_device = nullptr;
ALCcontext* g_context = nullptr;
std::vector<std::unique_ptr<HardwareSound>> g_sounds;

// Off for the run: later calls answer as with "-noaudio".
void FailOpen(ALenum alutError) {
  g_debugConsole->Output("ALUT Error : %s\n", alutGetErrorString(alutError));
  if (g_context != nullptr) alcDestroyContext(g_context);
  if (g_device != nullptr) alcCloseDevice(g_device);
  g_context = nullptr;
  g_device = nullptr;
  alutExit();
  g_runFlags.noAudio = true;
}

// A process that ends without the shutdown (std::exit after a fatal error)
// still closes the device, or the library's own clean-up complains after
// the error report. Nothing else is released: the end must not fail. The
// media streams stop first (the media layer is never destroyed, and its
// feeder would go on filling the device's sources).
void CloseDeviceAtExit() {
  if (g_device == nullptr) return;
  Media_CloseAll();
  RenderedOutput_Close();
  alcMakeContextCurrent(nullptr);
  if (g_context != nullptr) alcDestroyContext(g_context);
  alcCloseDevice(g_device);
  g_context = nullptr;
  g_device = nullptr;
}

void LoadError(ALenum code) {
  g_debugConsole->Output("ALUT error on load %08x(%d) : %s\n", code, code, alutGetErrorString(code));
}

void SetGains(HardwareSound* sound, float gain) {
  for (ALuint source : sound->sources) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    SoundHardware_CheckError();
    if (state != AL_PLAYING) continue;
    alSourcef(source, AL_GAIN, gain);
    SoundHardware_CheckError();
  }
}

}  // namespace

bool SoundHardware_Off() { return g_runFlags.noAudio; }

void SoundHardware_SetRoomSpeedSource(int32_t (*speed)()) { g_roomSpeed = speed; }

int32_t SoundHardware_FadeFrames(int32_t milliseconds) {
  int32_t speed = g_roomSpeed != nullptr ? g_roomSpeed() : 0;
  int32_t frameMs = 1000 / (speed > 0 ? speed : kNoRoomSpeed);
  if (frameMs < 1) frameMs = 1;
  int32_t frames = milliseconds / frameMs;
  return frames < 1 ? 1 : frames;
}

void SoundHardware::Init() {
  if (SoundHardware_Off()) return;
  SoundHardware_ResetMusic();
  if (Switches_Get().headless && std::getenv("ALSOFT_DRIVERS") == nullptr) setenv("ALSOFT_DRIVERS", "null", 1);
  if (!alutInitWithoutContext(nullptr, nullptr)) {
    FailOpen(alutGetError());
    return;
  }
  const ALCint attributes[] = {ALC_MONO_SOURCES, kMonoSources, 0};
  if (RenderedOutput_Wanted()) {
    // Without a file to mix into, the run keeps the sound it would have on
    // the machine's device: none when that cannot be opened.
    if (!RenderedOutput_ToFile()) {
      ALCdevice* probe = alcOpenDevice(nullptr);
      if (probe == nullptr) return FailOpen(ALUT_ERROR_OPEN_DEVICE);
      alcCloseDevice(probe);
    }
    g_device = RenderedOutput_Open(attributes, &g_context);
    if (g_device == nullptr) return FailOpen(ALUT_ERROR_OPEN_DEVICE);
  } else {
    g_device = alcOpenDevice(nullptr);
    if (g_device == nullptr) return FailOpen(ALUT_ERROR_OPEN_DEVICE);
    g_context = alcCreateContext(g_device, attributes);
  }
  if (g_context == nullptr) return FailOpen(ALUT_ERROR_CREATE_CONTEXT);
  if (!alcMakeContextCurrent(g_context)) return FailOpen(ALUT_ERROR_MAKE_CONTEXT_CURRENT);
  static const bool closedAtExit = std::atexit(CloseDeviceAtExit) == 0;
  (void)closedAtExit;
  SoundHardware_CheckError();
}

void SoundHardware::Quit() {
  if (SoundHardware_Off()) return;
  Media_CloseAll();
  SoundHardware_FreeSounds();
  RenderedOutput_Close();
  alcMakeContextCurrent(nullptr);
  if (g_context != nullptr) alcDestroyContext(g_context);
  if (g_device != nullptr) alcCloseDevice(g_device);
  g_context = nullptr;
  g_device = nullptr;
  alutExit();
}

HardwareSound* SoundHardware::Load(const uint8_t* bytes, size_t length) {
  if (SoundHardware_Off() || bytes == nullptr) return nullptr;
  if (!Wav_LengthsFit(bytes, length)) {
    LoadError(ALUT_ERROR_CORRUPT_OR_TRUNCATED_DATA);
    return nullptr;
  }
  ALuint buffer = alutCreateBufferFromFileImage(bytes, static_cast<ALsizei>(length));
  ALenum alutError = alutGetError();
  if (alutError != ALUT_ERROR_NO_ERROR) {
    LoadError(alutError);
    return nullptr;
  }
  ALenum error = alGetError();
  if (error != AL_NO_ERROR) {
    g_debugConsole->Output("AL error on load %08x(%d)\n", error, error);
    return nullptr;
  }
  auto sound = std::make_unique<HardwareSound>();
  sound->buffer = buffer;
  alGenSources(4, sound->sources);
  SoundHardware_CheckError();
  for (ALuint source : sound->sources) {
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    SoundHardware_CheckError();
  }
  g_sounds.push_back(std::move(sound));
  return g_sounds.back().get();
}

void SoundHardware::Play(HardwareSound* sound, bool loop) {
  if (SoundHardware_Off() || sound == nullptr) return;
  ALuint source = sound->sources[sound->nextSource];
  sound->nextSource = (sound->nextSource + 1) % 4;
  alSourcef(source, AL_GAIN, sound->volume * masterVolume_);
  SoundHardware_CheckError();
  alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  SoundHardware_CheckError();
  alSourcePlay(source);
  SoundHardware_CheckError();
}

void SoundHardware::Stop(HardwareSound* sound) {
  if (SoundHardware_Off() || sound == nullptr) return;
  for (ALuint source : sound->sources) {
    alSourceStop(source);
    SoundHardware_CheckError();
  }
}

bool SoundHardware::Playing(HardwareSound* sound) {
  if (SoundHardware_Off() || sound == nullptr) return false;
  for (ALuint source : sound->sources) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    SoundHardware_CheckError();
    if (state == AL_PLAYING) return true;
  }
  return false;
}

void SoundHardware::Release(HardwareSound* sound) {
  if (sound == nullptr) return;
  for (auto it = g_sounds.begin(); it != g_sounds.end(); ++it) {
    if (it->get() != sound) continue;
    if (!SoundHardware_Off()) {
      alSourceStopv(4, sound->sources);
      alDeleteSources(4, sound->sources);
      alDeleteBuffers(1, &sound->buffer);
      SoundHardware_CheckError();
    }
    g_sounds.erase(it);
    return;
  }
}

void SoundHardware::SetVolume(VolumeTarget target, float volume, int32_t milliseconds) {
  if (SoundHardware_Off()) return;
  if (target.music) return SetMusicVolume(volume, milliseconds);
  HardwareSound* sound = target.sound;
  if (sound == nullptr) return;
  int32_t frames = SoundHardware_FadeFrames(milliseconds);
  sound->fadeStep = (volume - sound->volume) / static_cast<float>(frames);
  sound->fadeFramesLeft = frames;
}

void SoundHardware::Tick() {
  if (SoundHardware_Off()) return;
  SoundHardware_CheckError();
  for (auto& owned : g_sounds) {
    HardwareSound* sound = owned.get();
    if (sound->fadeFramesLeft <= 0) continue;
    float volume = sound->volume + sound->fadeStep;
    sound->volume = volume < 0.0f ? 0.0f : volume > 1.0f ? 1.0f : volume;
    --sound->fadeFramesLeft;
    SetGains(sound, sound->volume * masterVolume_);
  }
  TickMusic();
}

void SoundHardware_FreeSounds() {
  for (auto& sound : g_sounds) {
    alDeleteSources(4, sound->sources);
    alDeleteBuffers(1, &sound->buffer);
  }
  g_sounds.clear();
  alGetError();
}

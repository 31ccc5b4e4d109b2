// The audio system's frame with 64 emitters of two voices each and 20
// fading legacy sounds, beside the same OpenAL calls made directly; and an
// MP3 stream's start (decode and queue four buffers) beside mpg123 decoding
// the same bytes. Runs on the null device.
#include <AL/al.h>
#include <benchmark/benchmark.h>
#include <mpg123.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "audio/openal/sound_hardware.h"
#include "audio/sound_game.h"
#include "platform/media/mp3_stream.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"

namespace {

constexpr int kEmitters = 64;
constexpr int kFading = 20;
constexpr float kFar = 1000000.0f;

struct AudioScene {
  audiotest::SoundGame game;
  std::vector<HardwareSound*> fading;

  AudioScene() {
    setenv("ALSOFT_DRIVERS", "null", 0);
    g_runFlags.noAudio = false;
    g_newAudio = 1;
    g_audioPlayIdCounter = kAudioPlayIdBase;
    game = audiotest::BuildSoundGame({{"loop"}}, {audiotest::Wave(22050, 1, 0.5)});
    Audio_Load(game.image, game.sond, game.sondSize);
    Audio_WAVs(game.image, game.audo, game.audoSize);
    Sound_Prepare();
    Audio_PrepareBuffers();
    for (int e = 0; e < kEmitters; ++e) {
      int32_t emitter = Audio_EmitterCreate();
      Audio_EmitterPosition(emitter, e, 0, 0);
      Audio_PlaySound(emitter, 0, 1, 1);
      Audio_PlaySound(emitter, 0, 1, 1);
    }
    std::vector<uint8_t> wave = audiotest::Wave(22050, 1, 0.5);
    for (int i = 0; i < kFading; ++i) {
      HardwareSound* sound = HardwareTable_Get(Sound_AddHardwareFromStream(wave.data(), wave.size(), 0)).sound;
      SoundHardware_Get()->Play(sound, true);
      fading.push_back(sound);
    }
  }
  ~AudioScene() {
    Sound_End();
    g_newAudio = 0;
  }
  // Fades that never end during the run.
  void KeepFading() {
    for (HardwareSound* sound : fading) {
      sound->volume = 0.5f;
      sound->fadeStep = 0.0f;
      sound->fadeFramesLeft = 1 << 30;
    }
  }
};

void BM_AudioFrameUpdate(benchmark::State& state) {
  AudioScene scene;
  scene.KeepFading();
  for (auto _ : state) Audio_FrameUpdate();
}
BENCHMARK(BM_AudioFrameUpdate);

// The calls a frame makes, without the records around them.
void BM_AudioFrameDirect(benchmark::State& state) {
  AudioScene scene;
  std::vector<ALuint> sources(kEmitters * 2);
  alGenSources(static_cast<ALsizei>(sources.size()), sources.data());
  for (ALuint s : sources) alSourcePlay(s);
  const float orientation[6] = {0, 0, 1, 0, 1, 0};
  for (auto _ : state) {
    alGetError();
    alListener3f(AL_POSITION, 0, 0, 0);
    alGetError();
    alListener3f(AL_VELOCITY, 0, 0, 0);
    alGetError();
    alListenerfv(AL_ORIENTATION, orientation);
    alGetError();
    for (HardwareSound* sound : scene.fading) {
      for (ALuint source : sound->sources) {
        ALint st = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &st);
        alGetError();
        if (st == AL_PLAYING) alSourcef(source, AL_GAIN, 0.5f);
        alGetError();
      }
    }
    for (ALuint source : sources) {
      ALint st = 0;
      alGetError();
      alGetSourcei(source, AL_SOURCE_STATE, &st);
      alGetError();
      alSource3f(source, AL_POSITION, kFar, 0, 0);
      alSource3f(source, AL_VELOCITY, 0, 0, 0);
      alGetError();
    }
  }
  alDeleteSources(static_cast<ALsizei>(sources.size()), sources.data());
}
BENCHMARK(BM_AudioFrameDirect);

std::string MakeMp3() {
  static const std::string path = [] {
    std::string wav = "/tmp/kv_audio_bench.wav", mp3 = "/tmp/kv_audio_bench.mp3";
    std::string make = "sox -n -r 44100 -c 2 " + wav + " synth 2 sine 660 && lame --quiet " + wav + " " + mp3;
    return std::system(make.c_str()) == 0 ? mp3 : std::string();
  }();
  return path;
}

void BM_Mp3StreamStart(benchmark::State& state) {
  AudioScene scene;
  std::string mp3 = MakeMp3();
  if (mp3.empty()) return state.SkipWithError("no sox or lame");
  for (auto _ : state) {
    Mp3Stream stream(mp3);
    stream.Play(false);
    stream.Stop();
  }
}
BENCHMARK(BM_Mp3StreamStart);

// Four 16 KB buffers of samples, decoded into memory.
void BM_Mp3PlainDecode(benchmark::State& state) {
  std::string mp3 = MakeMp3();
  if (mp3.empty()) return state.SkipWithError("no sox or lame");
  std::vector<unsigned char> bytes(4 * 16384);
  for (auto _ : state) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    mpg123_open(decoder, mp3.c_str());
    size_t filled = 0;
    while (filled < bytes.size()) {
      size_t done = 0;
      int result = mpg123_read(decoder, bytes.data() + filled, bytes.size() - filled, &done);
      if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;
      filled += done;
    }
    benchmark::DoNotOptimize(bytes.data());
    mpg123_close(decoder);
    mpg123_delete(decoder);
  }
}
BENCHMARK(BM_Mp3PlainDecode);

}  // namespace

// The assets, the chunk readers that make them, their buffers and music.
#include <AL/alut.h>

#include <cstring>

#include "audio/audio_state.h"
#include "audio/audio_system.h"
#include "audio/openal/sound_hardware.h"
#include "audio/openal/wav_check.h"
#include "audio/sound_store.h"
#include "runtime/console.h"
#include "runtime/run_flags.h"

namespace {

bool EndsWith(const std::string& text, const char* ending) {
  size_t length = std::strlen(ending);
  return text.size() >= length && text.compare(text.size() - length, length, ending) == 0;
}

}  // namespace

AudioState& Audio_State() {
  static AudioState& state = *new AudioState;
  return state;
}

AudioAsset* Audio_Asset(int32_t index) {
  auto& assets = Audio_State().assets;
  if (index < 0 || static_cast<size_t>(index) >= assets.size()) return nullptr;
  return assets[static_cast<size_t>(index)].get();
}

bool Audio_Load(const GameImage& image, uint64_t data, uint32_t size) {
  g_debugConsole->Output("Audio_Load()\n");
  SoundRecords records;
  if (!SoundRecords_Read(image, data, size, &records)) return false;
  auto& assets = Audio_State().assets;
  assets.clear();
  assets.resize(records.size());
  std::vector<std::optional<std::string>> names(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!records[i].has_value()) continue;
    const SoundRecord& record = *records[i];
    names[i] = record.name.value_or("");
    auto asset = std::make_unique<AudioAsset>();
    asset->fileName = record.fileName.value_or("");
    asset->volume = record.volume;
    asset->streamed = record.kind > 0;
    asset->imageIndex = record.imageIndex;
    assets[i] = std::move(asset);
  }
  Sound_SetNames(std::move(names));
  return true;
}

bool Audio_WAVs(const GameImage& image, uint64_t data, uint32_t size) {
  g_debugConsole->Output("Audio_WAVs()\n");
  std::vector<AudioImage> images;
  if (!AudioImages_Read(image, data, size, &images)) return false;
  for (auto& asset : Audio_State().assets) {
    if (asset == nullptr) continue;
    bool inside = asset->imageIndex >= 0 && static_cast<size_t>(asset->imageIndex) < images.size();
    asset->image = inside ? images[static_cast<size_t>(asset->imageIndex)] : AudioImage();
  }
  return true;
}

void Audio_FreeAll() {
  for (auto& asset : Audio_State().assets) {
    if (asset != nullptr && asset->buffer != 0) alDeleteBuffers(1, &asset->buffer);
  }
  Audio_State().assets.clear();
}

void Audio_Reset() {
  Audio_FreeAll();
  AudioState& state = Audio_State();
  if (!state.sources.empty()) alDeleteSources(static_cast<ALsizei>(state.sources.size()), state.sources.data());
  state = AudioState();
  alGetError();
}

void Audio_PrepareBuffers() {
  if (g_newAudio == 0) return;
  for (auto& asset : Audio_State().assets) {
    if (asset == nullptr || asset->streamed || asset->image.bytes == nullptr) continue;
    if (!Wav_LengthsFit(asset->image.bytes, asset->image.length)) continue;
    ALuint buffer = alutCreateBufferFromFileImage(asset->image.bytes, static_cast<ALsizei>(asset->image.length));
    if (alutGetError() == ALUT_ERROR_NO_ERROR && alGetError() == AL_NO_ERROR) asset->buffer = buffer;
  }
}

bool Audio_Exists(int32_t index) { return Audio_Asset(index) != nullptr; }

int32_t Audio_GetType(int32_t index) {
  const AudioAsset* asset = Audio_Asset(index);
  if (asset == nullptr) return -1;
  return asset->streamed ? 1 : 0;
}

int32_t Audio_GetBuffer(int32_t index) {
  const AudioAsset* asset = Audio_Asset(index);
  return asset != nullptr ? static_cast<int32_t>(asset->buffer) : -1;
}

float Audio_GetVolume(int32_t index) {
  const AudioAsset* asset = Audio_Asset(index);
  return asset != nullptr ? asset->volume : 1.0f;
}

float Audio_SoundLength(int32_t x) {
  if (g_newAudio == 0) return -1.0f;
  int32_t index = x;
  if (x >= kAudioPlayIdBase) {
    const AudioVoice* voice = Audio_FindPlay(x);
    if (voice == nullptr) return -1.0f;
    index = voice->asset;
  }
  const AudioAsset* asset = Audio_Asset(index);
  if (asset == nullptr || asset->buffer == 0) return -1.0f;
  alGetError();
  ALint size = 0, bits = 0, channels = 0, frequency = 0;
  alGetBufferi(asset->buffer, AL_SIZE, &size);
  alGetBufferi(asset->buffer, AL_BITS, &bits);
  alGetBufferi(asset->buffer, AL_CHANNELS, &channels);
  alGetBufferi(asset->buffer, AL_FREQUENCY, &frequency);
  if (alGetError() != AL_NO_ERROR || channels <= 0 || bits < 8 || frequency <= 0) return -1.0f;
  uint32_t frames = static_cast<uint32_t>(size) / static_cast<uint32_t>(channels) / static_cast<uint32_t>(bits / 8);
  return static_cast<float>(static_cast<double>(frames) / frequency);
}

void Audio_PlayMusic(int32_t index, bool loop) {
  SoundHardware* hardware = Audio_State().hardware;
  const AudioAsset* asset = Audio_Asset(index);
  if (hardware == nullptr || asset == nullptr || asset->fileName.empty()) return;
  if (EndsWith(asset->fileName, ".mp3")) {
    hardware->PlayMP3(asset->fileName.c_str(), loop);
  } else if (EndsWith(asset->fileName, ".mid") || EndsWith(asset->fileName, ".midi")) {
    hardware->PlayMIDI(asset->fileName.c_str(), loop);
  }
}

void Audio_StopMusic() {
  if (Audio_State().hardware != nullptr) Audio_State().hardware->StopMusic();
}

void Audio_PauseMusic() {
  if (Audio_State().hardware != nullptr) Audio_State().hardware->PauseMusic();
}

void Audio_ResumeMusic() {
  if (Audio_State().hardware != nullptr) Audio_State().hardware->ResumeMusic();
}

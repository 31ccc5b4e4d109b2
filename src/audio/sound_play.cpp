#include "audio/sound_play.h"

#include "audio/hardware_table.h"

namespace {

constexpr int32_t kKindMusic = 1;

std::optional<std::string> g_currentMusic;

bool EndsWith(const std::string& text, const char* ending) {
  const std::string tail(ending);
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

const HardwareRecord* Record(int32_t id) {
  if (id < 0 || id >= HardwareTable_Count()) return nullptr;
  return &HardwareTable_Get(id);
}

bool IsCurrentMusic(const std::optional<std::string>& fileName) {
  return g_currentMusic.has_value() && fileName.has_value() && *g_currentMusic == *fileName;
}

}  // namespace

void Sound_Play(const std::optional<std::string>& fileName, int32_t hardwareId, bool loop) {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware == nullptr) return;
  if (fileName.has_value()) {
    const std::string& name = *fileName;
    const bool mp3 = EndsWith(name, ".mp3");
    if (mp3 || EndsWith(name, ".mid") || EndsWith(name, ".midi")) {
      g_currentMusic = name;
      if (mp3) return hardware->PlayMP3(name.c_str(), loop);
      return hardware->PlayMIDI(name.c_str(), loop);
    }
  }
  if (const HardwareRecord* record = Record(hardwareId)) hardware->Play(record->sound, loop);
}

void Sound_Stop(const std::optional<std::string>& fileName, int32_t hardwareId) {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware == nullptr) return;
  if (IsCurrentMusic(fileName)) {
    hardware->StopMusic();
    g_currentMusic.reset();
    return;
  }
  if (const HardwareRecord* record = Record(hardwareId)) hardware->Stop(record->sound);
}

bool Sound_IsPlaying(const std::optional<std::string>& fileName, int32_t hardwareId) {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware == nullptr) return false;
  if (IsCurrentMusic(fileName)) return hardware->PlayingMP3();
  const HardwareRecord* record = Record(hardwareId);
  return record != nullptr && hardware->Playing(record->sound);
}

void Sound_StopAll() {
  SoundHardware* hardware = SoundHardware_Get();
  if (hardware == nullptr) return;
  for (int32_t i = 0; i < HardwareTable_Count(); ++i) hardware->Stop(HardwareTable_Get(i).sound);
  hardware->StopMusic();
}

void Sound_SetVolume(int32_t hardwareId, float volume, int32_t milliseconds) {
  SoundHardware* hardware = SoundHardware_Get();
  const HardwareRecord* record = Record(hardwareId);
  if (hardware == nullptr || record == nullptr) return;
  VolumeTarget target;
  if (record->kind == kKindMusic) {
    target.music = true;
  } else {
    target.sound = record->sound;
  }
  hardware->SetVolume(target, volume, milliseconds);
}

std::optional<std::string> Sound_CurrentMusic() { return g_currentMusic; }

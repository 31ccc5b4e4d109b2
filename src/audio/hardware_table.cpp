#include "audio/hardware_table.h"

#include <memory>
#include <vector>

#include "audio/audio_system.h"

namespace {

constexpr int32_t kKindMusic = 1;
constexpr int32_t kKindMultimedia = 3;

std::vector<HardwareRecord> g_hardwareSounds;
std::unique_ptr<SoundHardware> g_soundHardware;

}  // namespace

SoundHardware* SoundHardware_Get() { return g_soundHardware.get(); }

int32_t Sound_AddHardware(int32_t kind) {
  size_t index = 0;
  while (index < g_hardwareSounds.size() && g_hardwareSounds[index].inUse) ++index;
  if (index == g_hardwareSounds.size()) g_hardwareSounds.emplace_back();
  g_hardwareSounds[index] = {true, kind == kKindMultimedia ? kKindMusic : kind, nullptr};
  return static_cast<int32_t>(index);
}

int32_t Sound_AddHardwareFromImage(const uint8_t* image, uint32_t length, int32_t kind) {
  int32_t index = Sound_AddHardware(kind);
  HardwareRecord& record = g_hardwareSounds[static_cast<size_t>(index)];
  if (record.kind != kKindMusic && g_soundHardware != nullptr) record.sound = g_soundHardware->Load(image, length);
  return index;
}

int32_t Sound_AddHardwareFromStream(const uint8_t* bytes, size_t length, int32_t kind) {
  int32_t index = Sound_AddHardware(kind);
  if (g_soundHardware != nullptr)
    g_hardwareSounds[static_cast<size_t>(index)].sound = g_soundHardware->Load(bytes, length);
  return index;
}

void HardwareTable_Release(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_hardwareSounds.size()) return;
  HardwareRecord& record = g_hardwareSounds[static_cast<size_t>(index)];
  if (record.sound != nullptr && g_soundHardware != nullptr) g_soundHardware->Release(record.sound);
  record.sound = nullptr;
}

int32_t HardwareTable_Count() { return static_cast<int32_t>(g_hardwareSounds.size()); }

const HardwareRecord& HardwareTable_Get(int32_t index) { return g_hardwareSounds[static_cast<size_t>(index)]; }

void HardwareTable_Free() { g_hardwareSounds.clear(); }

bool Sound_Prepare() {
  g_soundHardware = std::make_unique<SoundHardware>();
  g_soundHardware->Init();
  HardwareTable_Free();
  Audio_CreateSources(g_soundHardware.get());
  return false;
}

bool Sound_End() {
  Audio_Reset();
  if (g_soundHardware != nullptr) g_soundHardware->Quit();
  HardwareTable_Free();
  return true;
}

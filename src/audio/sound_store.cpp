#include "audio/sound_store.h"

#include <cstdio>
#include <cstring>

#include "audio/hardware_table.h"
#include "audio/sound_play.h"
#include "files/file_layer.h"
#include "runtime/console.h"
#include "runtime/memory.h"

namespace {

constexpr int32_t kKindMultimedia = 3;

std::vector<std::unique_ptr<CSound>> g_sounds;
// A present sound always has a name entry; an unnamed one holds "".
std::vector<std::optional<std::string>> g_names;

bool InRange(int32_t index) { return index >= 0 && static_cast<size_t>(index) < g_names.size(); }

// Save folder first, then the program folder, as every file a script names.
bool ReadWholeFile(const char* file, std::vector<uint8_t>* bytes) {
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadSaveFile(file, &size);
  if (data == nullptr) data = LoadSave_ReadProgramFile(file, &size);
  if (data == nullptr) {
    LoadSave_TellNotRegular(file);
    return false;
  }
  bytes->assign(data, data + size);
  MemoryManager::Free(data);
  return true;
}

std::string FileNamePart(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Extension(const std::string& name) {
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The record goes with the sound: a discarded or deleted sound must not
// keep its sources for the rest of the run.
void ForgetHardware(CSound* sound) {
  if (sound->hardwareId >= 0) HardwareTable_Release(sound->hardwareId);
  sound->hardwareId = -1;
}

}  // namespace

void CSound::Reset() {
  ForgetHardware(this);
  *this = CSound();
}

void CSound::LoadFromRecord(const SoundRecord& record) {
  Reset();
  kind = record.kind;
  type = record.type;
  fileName = record.fileName;
  effects = record.effects;
  volume = record.volume;
  pan = record.pan;
  preload = record.preload;
  imageIndex = record.imageIndex;
}

bool CSound::LoadFromFile(const char* file, int32_t newKind, bool newPreload) {
  Reset();
  if (file == nullptr || !ReadWholeFile(file, &data)) return false;
  hasData = true;
  fileName = FileNamePart(file);
  type = Extension(*fileName);
  kind = newKind;
  preload = newPreload;
  if (preload) Prepare();
  return true;
}

// A sound that is loaded already stays as it is: a second record would
// hold sources that nothing uses again.
void CSound::Prepare() {
  if (hardwareId >= 0) return;
  if (kind == kKindMultimedia) {
    hardwareId = Sound_AddHardwareFromImage(nullptr, 0, kKindMultimedia);
  } else if (kind >= 0) {
    if (image.bytes != nullptr) {
      hardwareId = Sound_AddHardwareFromImage(image.bytes, image.length, kind);
    } else if (hasData) {
      hardwareId = Sound_AddHardwareFromStream(data.data(), data.size(), kind);
    }
  }
  // Effects and pan have nothing to act on here.
  if (hardwareId >= 0) Sound_SetVolume(hardwareId, static_cast<float>(volume), 0);
}

void CSound::Discard() { ForgetHardware(this); }

int32_t CSound::GetHardwareId() {
  if (hardwareId < 0) Prepare();
  return hardwareId;
}

void Sound_SetNames(std::vector<std::optional<std::string>> names) {
  Sound_FreeAll();
  g_names = std::move(names);
}

bool Sound_Init(const GameImage& image, uint64_t data, uint32_t size) {
  g_debugConsole->Output("Sound_Init()\n");
  Sound_FreeAll();
  SoundRecords records;
  if (!SoundRecords_Read(image, data, size, &records)) return false;
  g_sounds.resize(records.size());
  g_names.resize(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!records[i].has_value()) continue;
    g_sounds[i] = std::make_unique<CSound>();
    g_sounds[i]->LoadFromRecord(*records[i]);
    g_names[i] = records[i]->name.value_or("");
  }
  return true;
}

bool Wave_Init(const GameImage& image, uint64_t data, uint32_t size) {
  g_debugConsole->Output("Wave_Init()\n");
  std::vector<AudioImage> images;
  if (!AudioImages_Read(image, data, size, &images)) return false;
  for (auto& sound : g_sounds) {
    if (sound == nullptr || sound->imageIndex < 0 || static_cast<size_t>(sound->imageIndex) >= images.size()) continue;
    sound->image = images[static_cast<size_t>(sound->imageIndex)];
  }
  return true;
}

bool Sound_PrepareAll() {
  for (auto& sound : g_sounds) {
    if (sound != nullptr && sound->preload) sound->Prepare();
  }
  return true;
}

void Sound_FreeAll() {
  for (auto& sound : g_sounds) {
    if (sound != nullptr) sound->Reset();
  }
  g_sounds.clear();
  g_names.clear();
}

int32_t Sound_Count() { return static_cast<int32_t>(g_sounds.size()); }

bool Sound_Exists(int32_t index) { return Sound_Get(index) != nullptr; }

CSound* Sound_Get(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_sounds.size()) return nullptr;
  return g_sounds[static_cast<size_t>(index)].get();
}

std::string Sound_GetName(int32_t index) {
  if (!Sound_Exists(index)) return "<undefined>";
  return g_names[static_cast<size_t>(index)].value_or("");
}

int32_t Sound_Find(const char* name) {
  if (name == nullptr) return -1;
  for (size_t i = 0; i < g_names.size(); ++i) {
    if (g_names[i].has_value() && *g_names[i] == name) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t Sound_Add(const char* file, int32_t kind, bool preload) {
  g_sounds.resize(g_names.size());
  const int32_t index = static_cast<int32_t>(g_sounds.size());
  char name[256];
  std::snprintf(name, sizeof name, "__newsound%d", index);
  g_sounds.push_back(std::make_unique<CSound>());
  g_names.emplace_back(name);
  return g_sounds.back()->LoadFromFile(file, kind, preload) ? index : -1;
}

bool Sound_Replace(int32_t index, const char* file, int32_t kind, bool preload) {
  if (!InRange(index) || static_cast<size_t>(index) >= g_sounds.size()) return false;
  auto& slot = g_sounds[static_cast<size_t>(index)];
  if (slot != nullptr) slot->Reset();
  slot = std::make_unique<CSound>();
  return slot->LoadFromFile(file, kind, preload);
}

bool Sound_Delete(int32_t index) {
  CSound* sound = Sound_Get(index);
  if (sound == nullptr) return false;
  sound->Reset();
  g_sounds[static_cast<size_t>(index)].reset();
  g_names[static_cast<size_t>(index)].reset();
  return true;
}

#include "audio/sound_store.h"

#include "audio/sound_records.h"

namespace {

// A present sound always has a name entry; an unnamed one holds "".
std::vector<std::optional<std::string>> g_names;

}  // namespace

void Sound_SetNames(std::vector<std::optional<std::string>> names) { g_names = std::move(names); }

bool Sound_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Sound_FreeAll();
  SoundRecords records;
  if (!SoundRecords_Read(image, data, size, &records)) return false;
  std::vector<std::optional<std::string>> names(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].has_value()) names[i] = records[i]->name.value_or("");
  }
  Sound_SetNames(std::move(names));
  return true;
}

void Sound_FreeAll() { g_names.clear(); }

int32_t Sound_Count() { return static_cast<int32_t>(g_names.size()); }

bool Sound_Exists(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < g_names.size() && g_names[static_cast<size_t>(index)].has_value();
}

int32_t Sound_Find(const char* name) {
  if (name == nullptr) return -1;
  for (size_t i = 0; i < g_names.size(); ++i) {
    if (g_names[i].has_value() && *g_names[i] == name) return static_cast<int32_t>(i);
  }
  return -1;
}

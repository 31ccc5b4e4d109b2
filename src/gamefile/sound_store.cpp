#include "gamefile/sound_store.h"

#include <optional>
#include <string>
#include <vector>

#include "runtime/load_error.h"

namespace {

// Name, kind, type, file name, effects, volume, pan, preload, audio index.
constexpr uint64_t kRecordBytes = 9 * 4;

// An absent sound has no name.
std::vector<std::optional<std::string>> g_names;

}  // namespace

bool Sound_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Sound_FreeAll();
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("SOND", "the sound count runs past the chunk");
  g_names.resize(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] == 0) continue;
    if (!image.Contains(offsets[i], kRecordBytes)) {
      return LoadError_Report("SOND", "sound %zu: its record runs past the file", i);
    }
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    const char* name = record.Text();
    if (record.Failed()) return LoadError_Report("SOND", "sound %zu: its name lies outside the file", i);
    g_names[i] = name != nullptr ? name : "";
  }
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

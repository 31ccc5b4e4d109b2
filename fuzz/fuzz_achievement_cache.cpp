// Achievement caches from arbitrary bytes: the load keeps whole entries
// only, never more than the queue holds, and the file it writes back reads
// again as the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/memory.h"
#include "world/services/achievement_queue.h"

namespace {

const uint8_t* g_input = nullptr;
size_t g_inputSize = 0;
std::vector<uint8_t> g_written;

uint8_t* ReadInput(int32_t* size) {
  auto* data = static_cast<uint8_t*>(KV_ALLOC(g_inputSize + 1, true));
  if (g_inputSize > 0) std::memcpy(data, g_input, g_inputSize);
  *size = static_cast<int32_t>(g_inputSize);
  return data;
}

bool KeepWrite(const void* data, int32_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  g_written.assign(bytes, bytes + size);
  return true;
}

struct Entry {
  int32_t kind;
  std::string name;
  uint32_t value;
  bool operator==(const Entry&) const = default;
};

void Collect(void* context, int32_t kind, const char* name, uint32_t value) {
  static_cast<std::vector<Entry>*>(context)->push_back({kind, name, value});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz_SilenceConsoles();
  if (size > INT32_MAX) return 0;
  g_input = data;
  g_inputSize = size;
  g_written.clear();
  AchievementQueue_SetFile(ReadInput, KeepWrite);
  AchievementQueue_Clear();
  AchievementQueue_Load();
  if (AchievementQueue_Count() > kAchievementQueueLimit + 1) std::abort();

  std::vector<Entry> queued;
  for (const AchievementEntry* e = AchievementQueue_Head(); e != nullptr; e = e->next) {
    queued.push_back({e->kind, e->name, e->value});
  }
  // Every whole entry of the input up to the limit, in order.
  std::vector<Entry> parsed;
  AchievementCache_Parse(data, size, Collect, &parsed);
  if (parsed.size() > queued.size()) parsed.resize(queued.size());
  if (parsed != queued) std::abort();

  AchievementQueue_Save();
  std::vector<Entry> reread;
  if (AchievementCache_Parse(g_written.data(), g_written.size(), Collect, &reread) != queued.size()) std::abort();
  if (reread != queued) std::abort();
  AchievementQueue_Clear();
  return 0;
}

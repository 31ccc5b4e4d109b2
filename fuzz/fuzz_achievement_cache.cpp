// Achievement caches from arbitrary bytes: the load keeps whole entries
// only, never more than the queue holds, and the file it writes back reads
// again as the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// Walks the queue beside a parse: each entry handed over must be the next
// one queued. Entries past the queue's end are not looked at.
struct Walk {
  const AchievementEntry* next = AchievementQueue_Head();
  int32_t matched = 0;
  size_t handed = 0;
};

void Match(void* context, int32_t kind, const char* name, uint32_t value) {
  auto* walk = static_cast<Walk*>(context);
  ++walk->handed;
  const AchievementEntry* e = walk->next;
  if (e == nullptr) return;
  if (e->kind != kind || std::strcmp(e->name, name) != 0 || e->value != value) std::abort();
  walk->next = e->next;
  ++walk->matched;
}

// Every entry queued, in order, from the start of the bytes (and nothing
// more when `only`).
void CheckQueued(const uint8_t* data, size_t size, bool only) {
  Walk walk;
  AchievementCache_Parse(data, size, Match, &walk);
  if (walk.matched != AchievementQueue_Count()) std::abort();
  if (only && walk.handed != static_cast<size_t>(walk.matched)) std::abort();
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

  // Every whole entry of the input up to the limit, and the file written
  // back holds exactly them.
  CheckQueued(data, size, false);
  AchievementQueue_Save();
  CheckQueued(g_written.data(), g_written.size(), true);
  AchievementQueue_Clear();
  return 0;
}

// Achievement caches from arbitrary bytes: the load keeps whole entries
// only, never more than the queue holds, and the file it writes back reads
// again as the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files/file_layer.h"
#include "fuzz_support.h"
#include "runtime/memory.h"
#include "world/services/achievement_queue.h"

namespace {

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
  LoadSave_SetSaveDirectory(Fuzz_ScratchFolder().c_str());
  Fuzz_WriteScratchFile(kAchievementCacheFile, data, size);
  AchievementQueue_Clear();
  AchievementQueue_Load();
  if (AchievementQueue_Count() > kAchievementQueueLimit + 1) std::abort();

  // Every whole entry of the input up to the limit, and the file written
  // back holds exactly them.
  CheckQueued(data, size, false);
  if (!AchievementQueue_Save()) std::abort();
  int32_t writtenSize = 0;
  uint8_t* written = LoadSave_ReadSaveFile(kAchievementCacheFile, &writtenSize);
  if (written == nullptr) std::abort();
  CheckQueued(written, static_cast<size_t>(writtenSize), true);
  MemoryManager::Free(written);
  AchievementQueue_Clear();
  return 0;
}

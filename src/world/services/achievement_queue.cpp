#include "world/services/achievement_queue.h"

#include <cstring>

#include "files/file_layer.h"
#include "platform/achievement_service.h"
#include "platform/backends.h"
#include "runtime/memory.h"

uint8_t g_achievementsAvailable = 0;

namespace {

struct Queue {
  AchievementEntry* head = nullptr;
  AchievementEntry* tail = nullptr;
  int32_t count = 0;
  bool dirty = false;
  int32_t state = kAchievementIdle;
  AchievementEntry* current = nullptr;
  int32_t countdown = 0;
};

Queue g_queue;

AchievementEntry* NewEntry(int32_t kind, const char* name, uint32_t value) {
  const size_t length = std::strlen(name);
  auto* entry = static_cast<AchievementEntry*>(KV_ALLOC(sizeof(AchievementEntry) + length, true));
  entry->kind = kind;
  entry->value = value;
  std::memcpy(entry->name, name, length + 1);
  return entry;
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  out.insert(out.end(), bytes, bytes + 4);
}

uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Appends an entry unless the queue is full; answers whether it did.
bool Take(int32_t kind, const char* name, uint32_t value) {
  if (g_queue.count > kAchievementQueueLimit) return false;
  AchievementQueue_Append(NewEntry(kind, name == nullptr ? "" : name, value));
  return true;
}

void TakeFromFile(void* taken, int32_t kind, const char* name, uint32_t value) {
  if (Take(kind, name, value)) *static_cast<bool*>(taken) = true;
}

// The head leaves the queue for good.
void DropCurrent(AchievementEntry* entry) {
  AchievementQueue_Remove(entry);
  MemoryManager::Free(entry);
  AchievementQueue_Save();
}

float FloatOf(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void Send(AchievementEntry* entry) {
  g_queue.current = entry;
  g_queue.state = kAchievementSending;
  const AchievementService& service = AchievementQueue_Service();
  switch (entry->kind) {
    case 1:
    case 4: service.sendInteger(entry->kind, entry->name, static_cast<int32_t>(entry->value)); break;
    case 2:
    case 3: service.sendFloat(entry->kind, entry->name, FloatOf(entry->value)); break;
    default:
      // A kind no service knows would block the queue for ever.
      g_queue.current = nullptr;
      DropCurrent(entry);
      g_queue.countdown = kAchievementRetrySteps;
      g_queue.state = kAchievementResting;
      break;
  }
}

}  // namespace

const AchievementService& AchievementQueue_Service() {
  const AchievementService* fake = PlatformBackends_Get().achievements;
  return fake != nullptr ? *fake : AchievementService_Null();
}

void AchievementQueue_Clear() {
  for (AchievementEntry* entry = g_queue.head; entry != nullptr;) {
    AchievementEntry* next = entry->next;
    MemoryManager::Free(entry);
    entry = next;
  }
  g_queue = Queue();
}

size_t AchievementCache_Parse(const uint8_t* data, size_t size, AchievementCacheVisit visit, void* context) {
  size_t position = 0, entries = 0;
  while (data != nullptr && size - position >= 4) {
    const uint8_t* name = data + position + 4;
    const auto* end = static_cast<const uint8_t*>(std::memchr(name, 0, size - position - 4));
    if (end == nullptr) break;
    const size_t after = static_cast<size_t>(end - data) + 1;
    if (size - after < 4) break;
    visit(context, static_cast<int32_t>(GetU32(data + position)), reinterpret_cast<const char*>(name),
          GetU32(data + after));
    position = after + 4;
    ++entries;
  }
  return entries;
}

std::vector<uint8_t> AchievementCache_Bytes() {
  size_t size = 0;
  for (const AchievementEntry* entry = g_queue.head; entry != nullptr; entry = entry->next) {
    size += 9 + std::strlen(entry->name);
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(size);
  for (const AchievementEntry* entry = g_queue.head; entry != nullptr; entry = entry->next) {
    PutU32(bytes, static_cast<uint32_t>(entry->kind));
    const size_t length = std::strlen(entry->name);
    bytes.insert(bytes.end(), entry->name, entry->name + length + 1);
    PutU32(bytes, entry->value);
  }
  return bytes;
}

// The file is read whole before any of it is taken, so a cut entry at its
// end is seen as cut rather than read past. It is written once after the
// last entry taken, as a rewrite after each add would leave it: a full
// queue's file rewritten per entry is thousands of writes of up to 20 KB.
bool AchievementQueue_Load() {
  if (g_queue.count != 0) return false;
  int32_t size = 0;
  uint8_t* data = LoadSave_ReadSaveFile(kAchievementCacheFile, &size);
  if (data == nullptr) return false;
  bool taken = false;
  AchievementCache_Parse(data, size > 0 ? static_cast<size_t>(size) : 0, TakeFromFile, &taken);
  MemoryManager::Free(data);
  if (taken) AchievementQueue_Save();
  return false;
}

void AchievementQueue_Add(int32_t kind, const char* name, uint32_t value) {
  if (Take(kind, name, value)) AchievementQueue_Save();
}

void AchievementQueue_Post(int32_t kind, const char* name, uint32_t value) {
  AchievementQueue_Load();
  AchievementQueue_Add(kind, name, value);
}

bool AchievementQueue_Save() {
  const std::vector<uint8_t> bytes = AchievementCache_Bytes();
  g_queue.dirty = false;
  return LoadSave_WriteFile(kAchievementCacheFile, bytes.data(), static_cast<int32_t>(bytes.size()));
}

void AchievementQueue_Remove(AchievementEntry* entry) {
  (entry->previous != nullptr ? entry->previous->next : g_queue.head) = entry->next;
  (entry->next != nullptr ? entry->next->previous : g_queue.tail) = entry->previous;
  entry->next = entry->previous = nullptr;
  --g_queue.count;
  g_queue.dirty = true;
}

void AchievementQueue_Append(AchievementEntry* entry) {
  entry->next = nullptr;
  entry->previous = g_queue.tail;
  (g_queue.tail != nullptr ? g_queue.tail->next : g_queue.head) = entry;
  g_queue.tail = entry;
  ++g_queue.count;
  g_queue.dirty = true;
}

void AchievementQueue_SetState(int32_t state) { g_queue.state = state; }

void AchievementQueue_Process() {
  if (g_achievementsAvailable == 0 || g_queue.head == nullptr) return;
  AchievementEntry* current = g_queue.current;
  switch (g_queue.state) {
    case kAchievementIdle: Send(g_queue.head); break;
    case kAchievementSent:
      // A report with nothing sent only ends the wait.
      g_queue.current = nullptr;
      g_queue.state = kAchievementIdle;
      if (current != nullptr) DropCurrent(current);
      break;
    case kAchievementFailed:
      g_queue.current = nullptr;
      if (current == nullptr) {
        g_queue.state = kAchievementIdle;
        break;
      }
      g_queue.countdown = kAchievementRetrySteps;
      g_queue.state = kAchievementResting;
      AchievementQueue_Remove(current);
      AchievementQueue_Append(current);
      AchievementQueue_Save();
      break;
    case kAchievementResting:
      if (g_queue.countdown > 0) {
        --g_queue.countdown;
      } else {
        g_queue.state = kAchievementIdle;
      }
      break;
    default: break;
  }
}

bool AchievementQueue_Shutdown() { return AchievementQueue_Save(); }

int32_t AchievementQueue_Count() { return g_queue.count; }
const AchievementEntry* AchievementQueue_Head() { return g_queue.head; }
const AchievementEntry* AchievementQueue_Current() { return g_queue.current; }
int32_t AchievementQueue_State() { return g_queue.state; }
bool AchievementQueue_Dirty() { return g_queue.dirty; }

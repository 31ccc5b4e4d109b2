// Achievement and score posts waiting to be sent to the platform's
// achievement service, kept in order and mirrored in "achievementcache.dat"
// in the save folder so that they outlive the program. Once per step the
// queue hands its head to the service and waits for the service's report;
// a failed send goes to the tail and the queue rests for 600 steps.
//
// The file: the entries from head to tail, each a little-endian u32 kind,
// the name's bytes with a terminating zero, and a u32 value (an integer for
// kinds 1 and 4, the bits of a float for kinds 2 and 3). No header, no
// count; an empty queue is an empty file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct AchievementService;

constexpr const char* kAchievementCacheFile = "achievementcache.dat";
// Adds are ignored once the count is above this, so at most one more waits.
constexpr int32_t kAchievementQueueLimit = 2048;
constexpr int32_t kAchievementRetrySteps = 600;

// The processing state; the service reports a send's end with kSent or
// kFailed through AchievementQueue_SetState.
enum AchievementState : int32_t {
  kAchievementIdle = 0,
  kAchievementSending = 1,
  kAchievementSent = 2,
  kAchievementFailed = 3,
  kAchievementResting = 4,
};

// One waiting post; one block holds the record and its name.
struct AchievementEntry {
  AchievementEntry* next;
  AchievementEntry* previous;
  int32_t kind;
  uint32_t value;
  char name[1];
};

// Set by the service's start: posts may be sent.
extern uint8_t g_achievementsAvailable;

// The service the queue sends through: the platform's own, unless a test
// chose another (platform/backends.h).
const AchievementService& AchievementQueue_Service();

// Frees every entry and puts the processing state back to its start.
void AchievementQueue_Clear();
// When the queue is empty: reads the file whole and adds its whole entries
// in order, up to the limit, then rewrites the file once when it took any.
// A cut entry ends the load. Always false.
bool AchievementQueue_Load();
void AchievementQueue_Add(int32_t kind, const char* name, uint32_t value);
// What the service's post operations call to queue a post: the file first
// when nothing waits, then the add.
void AchievementQueue_Post(int32_t kind, const char* name, uint32_t value);
// Writes the file; answers whether the whole file was written.
bool AchievementQueue_Save();
// Unlinks an entry (not freed) / links one at the tail.
void AchievementQueue_Remove(AchievementEntry* entry);
void AchievementQueue_Append(AchievementEntry* entry);
void AchievementQueue_SetState(int32_t state);
// Once per step.
void AchievementQueue_Process();
// At program end: the queue is written.
bool AchievementQueue_Shutdown();

int32_t AchievementQueue_Count();
const AchievementEntry* AchievementQueue_Head();
const AchievementEntry* AchievementQueue_Current();
int32_t AchievementQueue_State();
bool AchievementQueue_Dirty();

// The file form. Parse hands over the whole entries of the bytes in order
// and stops at the first cut one; it answers how many it handed over.
using AchievementCacheVisit = void (*)(void* context, int32_t kind, const char* name, uint32_t value);
size_t AchievementCache_Parse(const uint8_t* data, size_t size, AchievementCacheVisit visit, void* context);
// The file the queue writes as it stands.
std::vector<uint8_t> AchievementCache_Bytes();

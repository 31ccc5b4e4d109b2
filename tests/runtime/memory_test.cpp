#include "runtime/memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

struct Counters {
  uint32_t bytes, a, b, blocks;
  static Counters Now() {
    return {MemoryManager::BytesInUse(), MemoryManager::TotalA(), MemoryManager::TotalB(), MemoryManager::BlockCount()};
  }
  bool operator==(const Counters&) const = default;
};

TEST(Memory, ZeroSizesGiveNullAndCountNothing) {
  Counters before = Counters::Now();
  EXPECT_EQ(KV_ALLOC(0, true), nullptr);
  EXPECT_EQ(KV_REALLOC(nullptr, 0), nullptr);
  EXPECT_EQ(MemoryManager::GetSize(nullptr), 0u);
  MemoryManager::Free(nullptr);
  EXPECT_EQ(Counters::Now(), before);
}

TEST(Memory, CountersReturnAfterMixedUse) {
  Counters before = Counters::Now();
  void* a = KV_ALLOC(100, false);
  void* b = KV_REALLOC(nullptr, 7);
  a = KV_REALLOC(a, 300);
  b = KV_REALLOC(b, 3);
  void* c = KV_ALLOC(4096, true);
  EXPECT_EQ(MemoryManager::BytesInUse() - before.bytes, 300u + 3u + 4096u);
  EXPECT_EQ(MemoryManager::BlockCount() - before.blocks, 3u);
  EXPECT_EQ(MemoryManager::TotalA(), MemoryManager::TotalB());
  EXPECT_EQ(KV_REALLOC(b, 0), nullptr);
  MemoryManager::Free(a);
  MemoryManager::Free(c);
  EXPECT_EQ(Counters::Now(), before);
}

TEST(Memory, ReAllocKeepsTheCommonPartAndZeroesGrowth) {
  auto* p = static_cast<unsigned char*>(KV_ALLOC(10, false));
  std::memset(p, 0xAB, 10);
  auto* grown = static_cast<unsigned char*>(KV_REALLOC(p, 20));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(grown[i], 0xAB) << i;
  for (int i = 10; i < 20; ++i) EXPECT_EQ(grown[i], 0) << i;
  EXPECT_EQ(KV_REALLOC(grown, 20), grown);  // same size: same block
  auto* shrunk = static_cast<unsigned char*>(KV_REALLOC(grown, 10));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(shrunk[i], 0xAB) << i;
  EXPECT_EQ(MemoryManager::GetSize(shrunk), 10u);
  MemoryManager::Free(shrunk);
  void* page = KV_ALLOC(4096, true);
  EXPECT_EQ(MemoryManager::GetSize(page), 4096u);
  MemoryManager::Free(page);
}

TEST(MemoryDeathTest, ForeignBlocksAndImpossibleSizesAreFatal) {
  // A block that did not come from the manager: room for a header in front,
  // but no guard words.
  alignas(16) static unsigned char foreign[64] = {};
  EXPECT_DEATH(MemoryManager::Free(foreign + 16), "INTERNAL ERROR");
  EXPECT_DEATH(KV_REALLOC(foreign + 16, 8), "INTERNAL ERROR");
  // Memory that cannot be had ends the run with a machine error's status,
  // through exit (and so the end-of-run writes), never by an abort.
  EXPECT_EXIT(KV_ALLOC(SIZE_MAX - 8, false), testing::ExitedWithCode(255), "Out of memory allocating");
  EXPECT_EXIT(KV_ALLOC(MemoryManager::kMaxSize + 1, false), testing::ExitedWithCode(255),
              "Out of memory allocating 2147483632 bytes\\.");
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/containers.h"
#include "runtime/hash.h"
#include "runtime/memory.h"

namespace {

// Counts its destructions so a test can see each element die exactly once.
struct Counted {
  explicit Counted(int* deaths) : deaths(deaths) {}
  virtual ~Counted() { ++*deaths; }
  int* deaths;
};

struct Blocks {
  uint32_t bytes = MemoryManager::BytesInUse();
  uint32_t blocks = MemoryManager::BlockCount();
  bool Balanced() const { return bytes == MemoryManager::BytesInUse() && blocks == MemoryManager::BlockCount(); }
};

std::vector<uintptr_t> Walk(const Hash& hash, int32_t from = 0) {
  std::vector<uintptr_t> seen;
  HashIterator it;
  for (void* v = it.Start(&hash, from); v != nullptr; v = it.Next()) {
    seen.push_back(reinterpret_cast<uintptr_t>(v));
  }
  EXPECT_EQ(it.bucket, -1);
  EXPECT_EQ(it.node, nullptr);
  EXPECT_EQ(it.Value(), nullptr);
  return seen;
}

void* V(uintptr_t n) { return reinterpret_cast<void*>(n); }

TEST(Hash, DuplicateKeysAreKeptAndDeletedFirstFirst) {
  Hash hash(512);
  hash.Insert(7, V(1));
  hash.Insert(7, V(2));
  EXPECT_EQ(hash.Count(), 2);
  EXPECT_EQ(hash.Find(7), V(1));
  EXPECT_TRUE(hash.Remove(7));
  EXPECT_EQ(hash.Find(7), V(2));
  EXPECT_TRUE(hash.Delete(7, kHashKeepValue));
  EXPECT_EQ(hash.Find(7), nullptr);
  EXPECT_FALSE(hash.Remove(7));
  EXPECT_EQ(hash.Count(), 0);
}

TEST(Hash, KeysSharingABucketStayApart) {
  Hash hash(512);
  hash.Insert(5, V(50));
  hash.Insert(517, V(5170));
  hash.Insert(0xFFFFFE05u, V(99));  // same low nine bits as 5
  EXPECT_EQ(hash.Mask(), 511);
  EXPECT_EQ(hash.Find(5), V(50));
  EXPECT_EQ(hash.Find(517), V(5170));
  EXPECT_EQ(hash.Find(0xFFFFFE05u), V(99));
  EXPECT_EQ(hash.Find(1029), nullptr);
  const HashBucket* bucket = hash.Bucket(5);
  ASSERT_NE(bucket->first, nullptr);
  EXPECT_EQ(bucket->first->key, 5u);
  EXPECT_EQ(bucket->first->next->key, 517u);
  EXPECT_EQ(bucket->last->key, 0xFFFFFE05u);
  // Unlinking the middle node keeps the chain whole in both directions.
  EXPECT_TRUE(hash.Remove(517));
  EXPECT_EQ(bucket->first->next, bucket->last);
  EXPECT_EQ(bucket->last->previous, bucket->first);
  EXPECT_EQ(hash.Find(0xFFFFFE05u), V(99));
  hash.Clear(kHashKeepValue);
}

TEST(Hash, ClearTreatsValuesByMode) {
  Blocks before;
  int deaths = 0;
  {
    Hash hash(8, &Hash_DeleteObject<Counted>);
    hash.Insert(1, new Counted(&deaths));
    hash.Insert(9, new Counted(&deaths));
    hash.Insert(2, new Counted(&deaths));
    hash.Clear(kHashDeleteValue);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(hash.Count(), 0);
    EXPECT_EQ(hash.Find(1), nullptr);
    EXPECT_EQ(hash.BucketCount(), 8);  // the buckets stay

    Counted survivor(&deaths);
    hash.Insert(3, &survivor);
    hash.Clear(kHashKeepValue);
    EXPECT_EQ(deaths, 3);

    hash.Insert(4, KV_ALLOC(32, false));
    hash.Insert(4, KV_ALLOC(16, false));
    EXPECT_TRUE(hash.Delete(4, kHashFreeValue));
    hash.Clear(kHashFreeValue);
  }
  EXPECT_EQ(deaths, 4);  // the survivor, at the end of its scope
  EXPECT_TRUE(before.Balanced());
}

TEST(Hash, IteratesBucketsInOrderAndInsertionOrderWithin) {
  Hash hash(4);
  EXPECT_TRUE(Walk(hash).empty());
  hash.Insert(6, V(1));
  hash.Insert(1, V(2));
  hash.Insert(2, V(3));
  hash.Insert(5, V(4));
  EXPECT_EQ(Walk(hash), (std::vector<uintptr_t>{2, 4, 1, 3}));
  EXPECT_EQ(Walk(hash, 2), (std::vector<uintptr_t>{1, 3}));
  EXPECT_TRUE(Walk(hash, 3).empty());
  hash.Release(kHashKeepValue);
  EXPECT_TRUE(Walk(hash).empty());  // no buckets at all
  EXPECT_EQ(hash.Find(6), nullptr);
}

TEST(HashDeathTest, MisuseIsFatal) {
  EXPECT_DEATH(Hash(100), "INTERNAL ERROR");
  EXPECT_DEATH(Hash().Insert(1, nullptr), "INTERNAL ERROR");
  EXPECT_DEATH(
      {
        int deaths = 0;
        Hash hash(2);
        hash.Insert(1, new Counted(&deaths));
        hash.Delete(1, kHashDeleteValue);
      },
      "INTERNAL ERROR");
}

TEST(Arrays, MemoryArrayGrowsWithNullSlotsAndFreesOnZero) {
  Blocks before;
  {
    cARRAY_MEMORY<char> array;
    array.SetLength(2);
    array[0] = static_cast<char*>(KV_ALLOC(10, false));
    array[1] = static_cast<char*>(KV_ALLOC(20, false));
    array.SetLength(5);
    EXPECT_EQ(array.length, 5);
    EXPECT_EQ(MemoryManager::GetSize(array[1]), 20u);
    for (int i = 2; i < 5; ++i) EXPECT_EQ(array[i], nullptr) << i;
    array[4] = static_cast<char*>(KV_ALLOC(30, false));
    array.SetLength(0);
    EXPECT_EQ(array.length, 0);
    EXPECT_EQ(array.array, nullptr);
    EXPECT_TRUE(before.Balanced());
    array.SetLength(1);
    array[0] = static_cast<char*>(KV_ALLOC(5, false));
  }
  EXPECT_TRUE(before.Balanced());  // the destructor frees the rest
}

struct Record {
  int32_t a, b, c, d;
};

TEST(Arrays, StructureArrayKeepsRecordsAndZeroesNewOnes) {
  Blocks before;
  {
    cARRAY_STRUCTURE<Record> records;
    records.SetLength(1);
    records[0] = {1, 2, 3, 4};
    records.SetLength(3);
    EXPECT_EQ(records[0].d, 4);
    EXPECT_EQ(records[2].a, 0);
    EXPECT_EQ(records[2].d, 0);
  }
  EXPECT_TRUE(before.Balanced());
}

TEST(Arrays, ClassArrayDeletesOnlyItsNonNullElements) {
  Blocks before;
  int deaths = 0;
  {
    cARRAY_CLASS<Counted> objects;
    objects.SetLength(4);
    objects[0] = new Counted(&deaths);
    objects[2] = new Counted(&deaths);
    objects.SetLength(0);
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(objects.length, 0);
    objects.SetLength(0);
    EXPECT_EQ(deaths, 2);
    objects.SetLength(1);
    objects[0] = new Counted(&deaths);
  }
  EXPECT_EQ(deaths, 3);
  EXPECT_TRUE(before.Balanced());
}

TEST(ArraysDeathTest, NegativeLengthIsFatal) {
  cARRAY_STRUCTURE<int32_t> numbers;
  EXPECT_DEATH(numbers.SetLength(-1), "INTERNAL ERROR");
}

}  // namespace

#include "runtime/ds_map.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/ds_pool.h"
#include "runtime/ds_test_support.h"

namespace {

std::vector<std::string> Walk(const CDS_Map& map) {
  std::vector<std::string> keys;
  for (const ScriptValue* k = map.FindFirst(); k != nullptr; k = map.FindNext(k)) {
    keys.push_back(Describe(k));
  }
  return keys;
}

TEST(DSMap, AddReplaceDeleteAndFind) {
  CDS_Map map;
  TestValue key("k"), one(1.0), two(2.0);
  EXPECT_TRUE(map.Add(&key, &one));
  EXPECT_FALSE(map.Add(&key, &two));
  EXPECT_EQ(Describe(map.FindValue(&key)), "r:1");
  EXPECT_TRUE(map.Replace(&key, &two));
  EXPECT_EQ(Describe(map.FindValue(&key)), "r:2");
  EXPECT_FALSE(map.Replace(&one, &key));
  EXPECT_EQ(Describe(map.FindValue(&one)), "s:k");
  EXPECT_EQ(map.Size(), 2);
  EXPECT_TRUE(map.Delete(&key));
  EXPECT_FALSE(map.Delete(&key));
  EXPECT_FALSE(map.Exists(&key));
  EXPECT_EQ(map.FindValue(&key), nullptr);
  map.Clear();
  EXPECT_TRUE(map.Empty());
  EXPECT_EQ(map.FindFirst(), nullptr);
  EXPECT_EQ(map.FindLast(), nullptr);
}

TEST(DSMap, KeysWithTheSameCrcStayApart) {
  TestValue a("k97872"), b("k15860000"), va("first"), vb("second");
  ASSERT_EQ(DS_MapKeyHash(a.v), DS_MapKeyHash(b.v));
  CDS_Map map;
  EXPECT_TRUE(map.Add(&a, &va));
  EXPECT_TRUE(map.Add(&b, &vb));
  EXPECT_EQ(Describe(map.FindValue(&a)), "s:first");
  EXPECT_EQ(Describe(map.FindValue(&b)), "s:second");
  EXPECT_TRUE(map.Delete(&b));
  EXPECT_EQ(Describe(map.FindValue(&a)), "s:first");
  // Kind and bytes decide: 0.0 and -0.0 are two keys, and "1" is not 1.
  TestValue zero(0.0), minusZero(-0.0), textOne("1"), realOne(1.0);
  EXPECT_TRUE(map.Add(&zero, &va));
  EXPECT_TRUE(map.Add(&minusZero, &vb));
  EXPECT_TRUE(map.Add(&textOne, &va));
  EXPECT_TRUE(map.Add(&realOne, &vb));
  EXPECT_EQ(map.Size(), 5);
}

TEST(DSMap, WalkGoesBucketByBucketThenInInsertionOrder) {
  CDS_Map map;
  TestValue a("a"), b("b"), c("c"), v(0.0);
  map.Add(&a, &v);
  map.Add(&b, &v);
  map.Add(&c, &v);
  EXPECT_EQ(Walk(map), (std::vector<std::string>{"s:b", "s:c", "s:a"}));
  EXPECT_EQ(Describe(map.FindLast()), "s:a");
  EXPECT_EQ(map.FindNext(&a), nullptr);
  EXPECT_EQ(map.FindPrevious(&b), nullptr);
  EXPECT_EQ(Describe(map.FindPrevious(&a)), "s:c");
  TestValue absent("z");
  EXPECT_EQ(map.FindNext(&absent), nullptr);

  CDS_Map copy;
  copy.Copy(&map);
  copy.Copy(&copy);
  EXPECT_EQ(Walk(copy), Walk(map));
}

// The walk order worked out the plain way: one list per bucket of the
// CRC's low 12 bits, each in insertion order.
class BucketModel {
 public:
  void Add(const TestValue& key) { buckets_[Bucket(key)].push_back(Describe(&key.v)); }
  void Delete(const TestValue& key) {
    std::vector<std::string>& bucket = buckets_[Bucket(key)];
    bucket.erase(std::find(bucket.begin(), bucket.end(), Describe(&key.v)));
  }
  void Clear() {
    for (auto& bucket : buckets_) bucket.clear();
  }
  std::vector<std::string> Walk() const {
    std::vector<std::string> keys;
    for (const auto& bucket : buckets_) keys.insert(keys.end(), bucket.begin(), bucket.end());
    return keys;
  }

 private:
  static uint32_t Bucket(const TestValue& key) { return DS_MapKeyHash(key.v) % CDS_Map::kBuckets; }
  std::vector<std::string> buckets_[CDS_Map::kBuckets];
};

std::vector<std::string> WalkBackwards(const CDS_Map& map) {
  std::vector<std::string> keys;
  for (const ScriptValue* k = map.FindLast(); k != nullptr; k = map.FindPrevious(k)) keys.push_back(Describe(k));
  std::reverse(keys.begin(), keys.end());
  return keys;
}

// Half the keys are texts, half reals, so both kinds of hash fill buckets.
TestValue NumberedKey(int i) {
  return i % 2 == 0 ? TestValue(("key" + std::to_string(i)).c_str()) : TestValue(i * 0.5);
}

void ExpectSameWalk(const CDS_Map& map, const BucketModel& model) {
  std::vector<std::string> expected = model.Walk();
  EXPECT_EQ(map.Size(), static_cast<int32_t>(expected.size()));
  EXPECT_TRUE(Walk(map) == expected);
  EXPECT_TRUE(WalkBackwards(map) == expected);
}

constexpr int kManyKeys = 100000;

// Calls each(key) for the numbered keys first, first + step, ... that lie
// in 0 .. kManyKeys - 1.
template <typename Each>
void ForEveryKey(int first, int step, Each each) {
  for (int i = first; i >= 0 && i < kManyKeys; i += step) {
    TestValue key = NumberedKey(i);
    each(key);
  }
}

TEST(DSMap, WalkOrderHoldsAcrossAHundredThousandAddsDeletesAndClears) {
  CDS_Map map;
  BucketModel model;
  TestValue value(1.0);
  auto add = [&](const TestValue& key) {
    ASSERT_TRUE(map.Add(&key, &value));
    model.Add(key);
  };
  ForEveryKey(0, 1, add);
  ExpectSameWalk(map, model);

  // Deleting every third key, then adding some back, moves those to the
  // ends of their buckets.
  ForEveryKey(0, 3, [&](const TestValue& key) {
    ASSERT_TRUE(map.Delete(&key));
    model.Delete(key);
  });
  ForEveryKey(0, 6, [&](const TestValue& key) {
    EXPECT_FALSE(map.Replace(&key, &value));
    model.Add(key);
  });
  ExpectSameWalk(map, model);
  ForEveryKey(1, 3, [&](const TestValue& key) { EXPECT_TRUE(map.Exists(&key)); });
  TestValue gone = NumberedKey(3);
  EXPECT_FALSE(map.Exists(&gone));

  map.Clear();
  model.Clear();
  ExpectSameWalk(map, model);
  ForEveryKey(kManyKeys - 1, -7, add);
  ExpectSameWalk(map, model);
}

// Few keys leave most buckets of a group empty, so the buckets that hold
// entries come and go in between the others.
TEST(DSMap, WalkOrderHoldsInSmallMapsThroughChurn) {
  for (int keys : {3, 40, 300}) {
    SCOPED_TRACE(keys);
    CDS_Map map;
    BucketModel model;
    TestValue value(2.0);
    std::vector<bool> held(keys);
    uint32_t seed = 7;
    for (int step = 0; step < 4000; ++step) {
      seed = seed * 1103515245u + 12345u;
      const int i = static_cast<int>((seed >> 8) % static_cast<uint32_t>(keys));
      TestValue key = NumberedKey(i);
      if (held[i]) {
        ASSERT_TRUE(map.Delete(&key));
        model.Delete(key);
      } else {
        ASSERT_TRUE(map.Add(&key, &value));
        model.Add(key);
      }
      held[i] = !held[i];
      if (step % 97 == 0) ExpectSameWalk(map, model);
    }
    ExpectSameWalk(map, model);
  }
}

TEST(DSMap, KeysKnownToBeNewAreTakenOverWithoutACopy) {
  CDS_Map map;
  BucketModel model;
  TestValue one = NumberedKey(1), value(1.0);
  map.Add(&one, &value);
  model.Add(one);
  map.Reserve(500);
  for (int i = 2; i < 502; ++i) {
    TestValue key = NumberedKey(i);
    ScriptValue k, v;
    ScriptValue_Copy(&k, &key.v);
    ScriptValue_SetString(&v, "taken");
    const char* handed = v.text;
    map.AddNewTaking(&k, &v);
    EXPECT_TRUE(k.text == nullptr && k.kind == kValueReal && v.text == nullptr && v.kind == kValueReal);
    ASSERT_NE(map.FindValue(&key), nullptr);
    EXPECT_EQ(map.FindValue(&key)->text, handed);
    model.Add(key);
  }
  ExpectSameWalk(map, model);
  // Ordinary adds go on past what was reserved.
  for (int i = 502; i < 1500; ++i) {
    TestValue key = NumberedKey(i);
    map.Add(&key, &value);
    model.Add(key);
  }
  ExpectSameWalk(map, model);
}

TEST(DSMap, EmptyMapsCostAFewDozenBytes) {
  constexpr int kMaps = 10000;
  // Signed: a heap that shrank elsewhere must not wrap round.
  auto inUse = [] { return static_cast<int64_t>(mallinfo2().uordblks); };
  int64_t before = inUse();
  std::vector<CDS_Map*> maps;
  for (int i = 0; i < kMaps; ++i) maps.push_back(new CDS_Map());
  int64_t used = inUse() - before;
  // A map emptied by Clear gives its buckets back.
  TestValue key("k"), value(1.0);
  for (CDS_Map* map : maps) {
    map->Add(&key, &value);
    map->Clear();
  }
  int64_t afterClear = inUse() - before;
  for (CDS_Map* map : maps) delete map;
  EXPECT_LT(used, int64_t{kMaps} * 100);
  EXPECT_LT(afterClear, int64_t{kMaps} * 100);
}

// A map keeps room only for the groups that hold entries: a few keys cost a
// few hundred bytes, not a pointer for every group.
TEST(DSMap, SmallMapsCostAFewHundredBytes) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator does not show in mallinfo2";
#endif
  struct Case {
    int keys;
    bool reserved;
    int64_t bytesPerMap;
  };
  const Case cases[] = {{1, false, 600}, {1, true, 600}, {5, false, 1450}, {5, true, 1450}};
  constexpr int kMaps = 2000;
  auto inUse = [] { return static_cast<int64_t>(mallinfo2().uordblks); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    std::vector<CDS_Map*> maps;
    TestValue value(1.0);
    const int64_t before = inUse();
    for (int i = 0; i < kMaps; ++i) {
      maps.push_back(new CDS_Map());
      if (c.reserved) maps.back()->Reserve(c.keys);
      for (int k = 0; k < c.keys; ++k) {
        TestValue key = NumberedKey(k);
        ASSERT_TRUE(maps.back()->Add(&key, &value));
      }
    }
    const int64_t used = inUse() - before;
    EXPECT_EQ(Walk(*maps.front()), Walk(*maps.back()));
    for (CDS_Map* map : maps) delete map;
    EXPECT_LT(used, int64_t{kMaps} * c.bytesPerMap);
    EXPECT_GT(used, int64_t{kMaps} * c.keys * 40);  // the entries at least
  }
}

TEST(DSMap, TextFormWritesKindKeyAndValueInHex) {
  CDS_Map map;
  TestValue one(1.0), ab("ab");
  map.Add(&one, &ab);
  EXPECT_EQ(TakeText(map.WriteText()), "2:3FF0:6162");
  TestValue zero(0.0), minusZero(-0.0), key("k");
  CDS_Map more;
  more.Add(&key, &zero);
  more.Add(&minusZero, &one);
  std::string text = TakeText(more.WriteText());
  CDS_Map back;
  ASSERT_TRUE(back.ReadText(text.c_str()));
  EXPECT_EQ(TakeText(back.WriteText()), text);
  EXPECT_EQ(Describe(back.FindValue(&key)), "r:0");
  EXPECT_EQ(Describe(back.FindValue(&minusZero)), "r:1");
  EXPECT_FALSE(back.Exists(&zero));

  CDS_Map empty;
  EXPECT_EQ(TakeText(empty.WriteText()), "");
  EXPECT_TRUE(back.ReadText(""));
  EXPECT_TRUE(back.Empty());
}

TEST(DSMap, TextReaderKeepsCompleteEntriesAndNeverOverruns) {
  CDS_Map map;
  TestValue keep("keep"), one(1.0);
  map.Add(&keep, &one);
  EXPECT_FALSE(map.ReadText(nullptr));
  EXPECT_TRUE(map.Exists(&keep));

  struct Case {
    const char* text;
    int size;
    bool whole;
  };
  const Case cases[] = {
      {"0:3FF0:4000,1:6B:", 2, true},                    // an empty real is 0
      {"0:3FF0:4000,", 1, false},                        // separator then nothing
      {"0:3FF0:4000,9:00:00", 1, false},                 // bad kind digit
      {"0:3FF0:4000,0:3FF:1", 1, false},                 // odd digit count
      {"0:3FF0:4000,3:6B:6G", 1, false},                 // not a digit
      {"0:3FF0:4000,0:001122334455667788:1", 1, false},  // more than 8 bytes
      {"0:3FF0:4000:12", 0, false},                      // value followed by a colon
      {"2", 0, false},
      {"1:6B6B", 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(map.ReadText(c.text), c.whole) << c.text;
    EXPECT_EQ(map.Size(), c.size) << c.text;
  }
  // Entries are stored as written, equal keys included.
  EXPECT_TRUE(map.ReadText("1:6B:01,1:6B:02"));
  EXPECT_EQ(map.Size(), 2);
  TestValue k("k");
  uint64_t bits = 0x0100000000000000ull;
  double expected;
  std::memcpy(&expected, &bits, 8);
  EXPECT_EQ(map.FindValue(&k)->real, expected);
}

TEST(DSPool, SlotsAreReusedLowestFirstAndGrowBy16) {
  DSPool<CDS_Stack> pool;
  EXPECT_EQ(pool.Add(new CDS_Stack), 0);
  pool.Destroy(0);
  EXPECT_EQ(pool.Get(0), nullptr);
  EXPECT_EQ(pool.Add(new CDS_Stack), 0);
  EXPECT_EQ(pool.Add(new CDS_Stack), 1);
  for (int i = 2; i < 17; ++i) pool.Add(new CDS_Stack);
  EXPECT_EQ(pool.count, 17);
  EXPECT_EQ(pool.capacity, 32);
  pool.Destroy(5);
  pool.Destroy(3);
  pool.Destroy(99);
  EXPECT_EQ(pool.NewSlot(), 3);
  EXPECT_EQ(pool.Get(-1), nullptr);
  pool.Release();
  EXPECT_EQ(pool.count, 0);
}

// The block under the slots grows faster than the capacity scripts count on.
TEST(DSPool, ManyStructuresStillStepTheCapacityBy16) {
  DSPool<CDS_Stack> pool;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(pool.Add(new CDS_Stack), i);
  EXPECT_EQ(pool.capacity, 1008);
  for (int i = 0; i < 1000; i += 37) EXPECT_NE(pool.Get(i), nullptr) << i;
  EXPECT_EQ(pool.Get(1000), nullptr);
  pool.Release();
}

TEST(DSPool, MapFromPairsTakesTheFirstFreeMapSlot) {
  int32_t taken = g_dsMaps.Add(new CDS_Map);
  int32_t freed = g_dsMaps.Add(new CDS_Map);
  g_dsMaps.Destroy(freed);
  int32_t id = DS_CreateMapFromPairs(3, "id", 4.0, static_cast<const char*>(nullptr), "status", 0.0, "ok",
                                     static_cast<const char*>(nullptr), 1.0, static_cast<const char*>(nullptr));
  EXPECT_EQ(id, freed);
  CDS_Map* map = g_dsMaps.Get(id);
  ASSERT_NE(map, nullptr);
  TestValue idKey("id"), statusKey("status"), emptyKey("");
  EXPECT_EQ(Describe(map->FindValue(&idKey)), "r:4");
  EXPECT_EQ(Describe(map->FindValue(&statusKey)), "s:ok");
  EXPECT_EQ(Describe(map->FindValue(&emptyKey)), "r:1");
  int32_t listSlot = DS_NewListSlot();
  EXPECT_EQ(listSlot, g_dsLists.count - 1);
  g_dsMaps.Destroy(id);
  g_dsMaps.Destroy(taken);
}

}  // namespace

#include "world/object/event_lists.h"

#include <gtest/gtest.h>

#include "gamefile/game_header.h"
#include "support/test_support.h"
#include "world/object_store_support.h"

namespace {

class EventLists : public testing::Test {
 protected:
  void SetUp() override { Object_Init(); }
  void TearDown() override {
    Object_FreeEventLists();
    Object_Shutdown();
  }
  static std::vector<int32_t> List(int32_t type, int32_t subtype) {
    const int32_t* objects = EventList_Objects(type, subtype);
    return std::vector<int32_t>(objects, objects + EventList_Count(type, subtype));
  }
  static std::vector<std::pair<int32_t, int32_t>> Pairs() {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (int32_t i = 0; i < g_collisionPairs.count; ++i)
      pairs.emplace_back(g_collisionPairs.pairs[i].owner, g_collisionPairs.pairs[i].other);
    return pairs;
  }
  RecordingCode code_;
  testsupport::ConsoleCapture console_;
};

TEST_F(EventLists, ObjectsAreListedForOwnAndInheritedEventsInTheListedRanges) {
  ASSERT_TRUE(LoadObjects({{"parent", -1, {{3, 0, "step"}, {2, 12, "a12"}, {2, 13, "a13"}}},
                           {"child", 0, {{5, 128, "k128"}, {5, 129, "k129"}, {11, 0, "t11"}}},
                           {},
                           {"other", -1, {{8, 0, "draw"}}}}));
  Object_BuildEventLists();
  EXPECT_EQ(List(3, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(List(2, 12), (std::vector<int32_t>{0, 1}));
  EXPECT_TRUE(List(2, 13).empty());
  EXPECT_EQ(List(5, 128), (std::vector<int32_t>{1}));
  EXPECT_TRUE(List(5, 129).empty());
  EXPECT_TRUE(List(11, 0).empty());
  EXPECT_EQ(List(8, 0), (std::vector<int32_t>{3}));
  EXPECT_EQ(EventList_Count(12, 0), 0);
  EXPECT_EQ(EventList_Count(3, -1), 0);

  // A rebuild after a deletion refills the lists from nothing.
  Object_Delete(0);
  Object_BuildEventLists();
  EXPECT_TRUE(List(3, 0).empty());
  EXPECT_EQ(List(5, 128), (std::vector<int32_t>{1}));
}

TEST_F(EventLists, ListsGrowFiveEntriesAtATime) {
  std::vector<ObjectSpec> shapes;
  for (int i = 0; i < 6; ++i) shapes.push_back({"o" + std::to_string(i), -1, {{0, 0, "create"}}});
  ASSERT_TRUE(LoadObjects(shapes));
  Object_BuildEventLists();
  EXPECT_EQ(g_eventObjectLists[0].capacity, 10);
  EXPECT_EQ(EventList_Count(0, 0), 6);
  Object_Delete(5);
  Object_BuildEventLists();
  EXPECT_EQ(g_eventObjectLists[0].capacity, 10);
  EXPECT_EQ(EventList_Count(0, 0), 5);
  Object_FreeEventLists();
  EXPECT_EQ(g_eventObjectLists[0].capacity, 0);
  EXPECT_EQ(g_eventObjectLists[0].objects, nullptr);
}

TEST_F(EventLists, AListKeptFromAnEarlierBuildGrowsByFivesToWhatItNeeds) {
  // 23 objects after a build that left room for 10: three steps of five
  // from 10, never a step past what the list needs.
  std::vector<ObjectSpec> shapes;
  for (int i = 0; i < 23; ++i) shapes.push_back({"o" + std::to_string(i), -1, {{0, 0, "create"}}});
  ASSERT_TRUE(LoadObjects(shapes));
  for (int i = 10; i < 23; ++i) Object_Delete(i);
  Object_BuildEventLists();
  EXPECT_EQ(g_eventObjectLists[0].capacity, 10);
  ASSERT_TRUE(LoadObjects(shapes));
  Object_BuildEventLists();
  EXPECT_EQ(g_eventObjectLists[0].capacity, 25);
  std::vector<int32_t> all(23);
  for (int i = 0; i < 23; ++i) all[i] = i;
  EXPECT_EQ(List(0, 0), all);
}

TEST_F(EventLists, ManyCollidingObjectsListEachPairOnceInOrder) {
  // Every one of 40 objects collides with every other and itself: each
  // unordered pair once, owner first in the order the objects are walked.
  std::vector<ObjectSpec> shapes;
  for (int i = 0; i < 40; ++i) {
    ObjectSpec shape{"o" + std::to_string(i), -1, {}};
    for (uint32_t j = 0; j < 40; ++j) shape.events.push_back({4, j, "hit"});
    shapes.push_back(shape);
  }
  ASSERT_TRUE(LoadObjects(shapes));
  Object_BuildEventLists();
  std::vector<std::pair<int32_t, int32_t>> expected;
  for (int32_t o = 0; o < 40; ++o)
    for (int32_t j = o; j < 40; ++j) expected.emplace_back(o, j);
  EXPECT_EQ(Pairs(), expected);
  EXPECT_EQ(g_collisionPairs.capacity, 820);
}

TEST_F(EventLists, EachCollidingPairIsListedOnceWithItsOwnerFirst) {
  // 2 and 5 both define the collision; 6 only through 5's parent 4; 7 hits
  // itself; 9 alone defines a collision with 8.
  ASSERT_TRUE(LoadObjects({{},
                           {},
                           {"a", -1, {{4, 5, "a-b"}}},
                           {},
                           {"base"},
                           {"b", 4, {{4, 2, "b-a"}}},
                           {"c", -1, {{4, 4, "c-base"}}},
                           {"self", -1, {{4, 7, "self"}}},
                           {"d"},
                           {"e", -1, {{4, 8, "e-d"}}}}));
  Object_BuildEventLists();
  EXPECT_EQ(Pairs(), (std::vector<std::pair<int32_t, int32_t>>{{2, 5}, {6, 4}, {6, 5}, {7, 7}, {9, 8}}));
  BuildCollisionPairs();
  EXPECT_EQ(g_collisionPairs.count, 5);
  EXPECT_EQ(g_collisionPairs.capacity, 5);
}

}  // namespace

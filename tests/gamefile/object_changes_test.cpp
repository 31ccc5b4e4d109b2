// Objects changed while a game runs: new parents with the instance lists
// that follow them, events removed, and deletions whose leftovers wait
// until nothing can be running them.
#include <gtest/gtest.h>

#include <vector>

#include "gamefile/event_lists.h"
#include "gamefile/game_header.h"
#include "gamefile/object.h"
#include "gamefile/object_test_support.h"
#include "support/test_support.h"

namespace {

class ObjectChanges : public testing::Test {
 protected:
  void SetUp() override {
    savedFormat_ = g_formatVersion;
    g_formatVersion = 9;
    Object_Init();
  }
  void TearDown() override {
    Object_FreeEventLists();
    Object_Shutdown();
    g_formatVersion = savedFormat_;
  }
  static std::vector<const CInstance*> Members(const ObjectInstanceList& list) {
    std::vector<const CInstance*> members;
    for (const ObjectInstanceNode* node = list.head; node != nullptr; node = node->next) {
      members.push_back(node->instance);
    }
    return members;
  }
  static std::vector<int32_t> Listed(int32_t type, int32_t subtype) {
    const int32_t* objects = EventList_Objects(type, subtype);
    return std::vector<int32_t>(objects, objects + EventList_Count(type, subtype));
  }
  RecordingCode code_;
  FakeWorld world_;
  testsupport::ConsoleCapture console_;
  int32_t savedFormat_ = 0;
};

TEST_F(ObjectChanges, ANewParentMovesTheWholeSubtreesInstancesBetweenAncestors) {
  // 0 <- 1 <- 2 (2 below 1 below 0); 3 <- 4; 5 alone.
  ASSERT_TRUE(LoadObjects({{"top", -1, {{3, 0, "top step"}}}, {"mid", 0}, {"low", 1}, {"other"}, {"below", 3},
                           {"alone"}}));
  FakeInstance m{1}, l{2}, o{3}, b{4};
  for (auto [object, fake] : {std::pair{1, &m}, {2, &l}, {3, &o}, {4, &b}}) {
    Object_Get(object)->AddInstance(AsInstance(fake));
  }
  ASSERT_EQ(Object_Get(0)->descendants.count, 2);
  Object_BuildEventLists();
  ASSERT_EQ(Listed(3, 0), (std::vector<int32_t>{0, 1, 2}));

  EXPECT_EQ(Object_SetParent(1, 4), ParentChange::kDone);
  EXPECT_EQ(Object_Get(1)->parent, 4);
  EXPECT_EQ(Object_Get(1)->parentObject, Object_Get(4));
  EXPECT_TRUE(Members(Object_Get(0)->descendants).empty());
  EXPECT_EQ(Members(Object_Get(3)->descendants),
            (std::vector<const CInstance*>{AsInstance(&o), AsInstance(&b), AsInstance(&m), AsInstance(&l)}));
  EXPECT_EQ(Members(Object_Get(4)->descendants),
            (std::vector<const CInstance*>{AsInstance(&b), AsInstance(&m), AsInstance(&l)}));
  EXPECT_EQ(Object_Get(1)->descendants.count, 2);
  // The lists were rebuilt: 1 and 2 had the step from 0, no ancestor now.
  EXPECT_EQ(Listed(3, 0), (std::vector<int32_t>{0}));

  EXPECT_EQ(Object_SetParent(1, -7), ParentChange::kDone);
  EXPECT_EQ(Object_Get(1)->parent, -1);
  EXPECT_EQ(Object_Get(1)->parentObject, nullptr);
  EXPECT_EQ(Members(Object_Get(3)->descendants), (std::vector<const CInstance*>{AsInstance(&o), AsInstance(&b)}));

  // Removing the instances later still finds them where they now are.
  EXPECT_TRUE(Object_Get(2)->RemoveInstance(AsInstance(&l)));
  EXPECT_EQ(Members(Object_Get(1)->descendants), (std::vector<const CInstance*>{AsInstance(&m)}));
  EXPECT_TRUE(Object_Get(1)->RemoveInstance(AsInstance(&m)));
  EXPECT_TRUE(Object_Get(4)->RemoveInstance(AsInstance(&b)));
  EXPECT_TRUE(Object_Get(3)->RemoveInstance(AsInstance(&o)));
}

TEST_F(ObjectChanges, RefusedParentsChangeNothing) {
  ASSERT_TRUE(LoadObjects({{"a"}, {"b", 0}, {"c", 1}}));
  FakeInstance c{2};
  Object_Get(2)->AddInstance(AsInstance(&c));
  EXPECT_EQ(Object_SetParent(0, 0), ParentChange::kCycle);
  EXPECT_EQ(Object_SetParent(0, 2), ParentChange::kCycle);
  EXPECT_EQ(Object_SetParent(2, 99), ParentChange::kNoParent);
  EXPECT_EQ(Object_SetParent(99, 0), ParentChange::kNoObject);
  EXPECT_EQ(Object_SetParent(99, -1), ParentChange::kNoObject);
  EXPECT_EQ(Object_Get(0)->parent, -1);
  EXPECT_EQ(Object_Get(2)->parent, 1);
  EXPECT_EQ(Object_Get(0)->descendants.count, 1);
  EXPECT_TRUE(Object_Get(2)->RemoveInstance(AsInstance(&c)));
}

TEST_F(ObjectChanges, AClearedEventFallsBackOnTheParentsAndStaysReadableUntilReleased) {
  ASSERT_TRUE(LoadObjects({{"parent", -1, {{3, 0, "parent step"}}},
                           {"child", 0, {{3, 0, "child step"}, {4, 1, "child hits child"}}}}));
  Object_BuildEventLists();
  CEvent* own = Object_Get(1)->GetOwnEvent(3, 0);
  ASSERT_NE(own, nullptr);
  EXPECT_FALSE(Object_ClearEvent(0, 3, 1));
  EXPECT_FALSE(Object_ClearEvent(7, 3, 0));
  EXPECT_FALSE(Object_ClearEvent(1, 99, 0));

  EXPECT_TRUE(Object_ClearEvent(1, 3, 0));
  EXPECT_EQ(Object_Get(1)->GetOwnEvent(3, 0), nullptr);
  int32_t definer = -1;
  EXPECT_NE(GetEvent(1, 3, 0, &definer), nullptr);
  EXPECT_EQ(definer, 0);
  EXPECT_EQ(Listed(3, 0), (std::vector<int32_t>{0, 1}));
  // The event may be the one running: it lives on until the release.
  EXPECT_TRUE(own->HasCode());
  EXPECT_FALSE(Object_ClearEvent(1, 3, 0));

  ASSERT_EQ(g_collisionPairs.count, 1);
  EXPECT_TRUE(Object_ClearEvent(1, 4, 1));
  EXPECT_EQ(g_collisionPairs.count, 0);
  Object_ReleaseRetired();
}

TEST_F(ObjectChanges, ADeletedObjectIsGoneAtOnceButItsEventsAndListsLastUntilReleased) {
  ASSERT_TRUE(LoadObjects({{"top"}, {"gone", 0, {{3, 0, "gone step"}}}}));
  FakeInstance first{1}, second{1};
  CObject* gone = Object_Get(1);
  gone->AddInstance(AsInstance(&first));
  gone->AddInstance(AsInstance(&second));
  // As a pass stands on the first instance, holding the next node.
  ObjectInstanceNode* next = gone->instances.head->next;
  CEvent* running = gone->GetOwnEvent(3, 0);

  EXPECT_TRUE(Object_Delete(1));
  EXPECT_FALSE(Object_Exists(1));
  EXPECT_EQ(GetEvent(1, 3, 0), nullptr);
  EXPECT_EQ(Object_Get(0)->descendants.count, 0);
  EXPECT_EQ(next->instance, AsInstance(&second));
  EXPECT_EQ(next->next, nullptr);
  EXPECT_TRUE(running->HasCode());
  EXPECT_EQ(first.object, -1);
  Object_ReleaseRetired();
}

TEST_F(ObjectChanges, AWithOverAnAncestorSurvivesItsMembersLeaving) {
  ASSERT_TRUE(LoadObjects({{"top"}, {"a", 0}, {"b", 0}}));
  FakeInstance a1{1}, a2{1}, b1{2};
  Object_Get(1)->AddInstance(AsInstance(&a1));
  Object_Get(1)->AddInstance(AsInstance(&a2));
  Object_Get(2)->AddInstance(AsInstance(&b1));
  // Standing on a1, holding a2's node, when all of 1 leaves the ancestor.
  ObjectInstanceNode* held = Object_Get(0)->descendants.head->next;
  ASSERT_EQ(held->instance, AsInstance(&a2));
  ASSERT_EQ(Object_SetParent(1, -1), ParentChange::kDone);
  EXPECT_EQ(held->instance, AsInstance(&a2));
  ASSERT_NE(held->next, nullptr);
  EXPECT_EQ(held->next->instance, AsInstance(&b1));
  EXPECT_EQ(Members(Object_Get(0)->descendants), (std::vector<const CInstance*>{AsInstance(&b1)}));
  Object_ReleaseRetired();
  EXPECT_TRUE(Object_Get(1)->RemoveInstance(AsInstance(&a1)));
  EXPECT_TRUE(Object_Get(1)->RemoveInstance(AsInstance(&a2)));
  EXPECT_TRUE(Object_Get(2)->RemoveInstance(AsInstance(&b1)));
}

}  // namespace

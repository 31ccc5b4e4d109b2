#include "world/object/object.h"

#include <gtest/gtest.h>

#include <vector>

#include "gamefile/chunk_walk.h"
#include "gamefile/game_header.h"
#include "script/events/event_names.h"
#include "support/script_host_fake.h"
#include "support/test_support.h"
#include "world/object/event_lists.h"
#include "world/object_store_support.h"

namespace {

class Objects : public testing::Test {
 protected:
  void SetUp() override {
    savedFormat_ = g_formatVersion;
    g_formatVersion = 9;
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  }
  void TearDown() override {
    Object_FreeEventLists();
    Object_Shutdown();
    g_formatVersion = savedFormat_;
  }
  RecordingCode code_;
  FakeWorld world_;
  testsupport::ConsoleCapture console_;
  int32_t savedFormat_ = 0;
};

class ObjectFormats : public Objects, public testing::WithParamInterface<int> {};

TEST_P(ObjectFormats, FieldsPhysicsAndEventsSitWhereTheFormatPutsThem) {
  int format = GetParam();
  g_formatVersion = format;
  ObjectSpec request{"obj_a", -1, {{0, 0, "create"}, {2, 3, "alarm"}}, {{1.5f, 2.5f}, {-3.0f, 4.0f}}};
  ASSERT_TRUE(LoadObjects({request}, format));
  CObject* o = Object_Get(0);
  ASSERT_NE(o, nullptr);
  EXPECT_STREQ(o->name, "obj_a");
  EXPECT_EQ(o->sprite, 7);
  EXPECT_EQ(o->depth, -10);
  EXPECT_EQ(o->mask, -1);
  EXPECT_EQ(o->flags, kObjectVisible);
  ASSERT_NE(o->GetOwnEvent(2, 3), nullptr);
  EXPECT_STREQ(o->GetOwnEvent(2, 3)->text, "alarm");
  EXPECT_EQ(o->GetOwnEvent(2, 2), nullptr);
  const ObjectPhysics& p = o->physics;
  if (format < 6) {
    EXPECT_FALSE(p.usesPhysics);
    EXPECT_EQ(p.points.length, 0);
    return;
  }
  EXPECT_TRUE(p.usesPhysics);
  EXPECT_EQ(p.shapeKind, 2);
  EXPECT_EQ(p.collisionGroup, 3);
  EXPECT_FLOAT_EQ(p.restitution, 0.25f);
  EXPECT_FLOAT_EQ(p.friction, format >= 9 ? 0.75f : 0.2f);
  EXPECT_EQ(p.awake, format < 9);
  EXPECT_EQ(p.kinematic, format >= 9);
  ASSERT_EQ(p.points.length, 2);
  EXPECT_FLOAT_EQ(p.points[1].x, -3.0f);
  EXPECT_FLOAT_EQ(p.points[1].y, 4.0f);
}

INSTANTIATE_TEST_SUITE_P(Formats, ObjectFormats, testing::Values(5, 8, 9));

TEST_F(Objects, IndicesAreSparseAndNeverReused) {
  ASSERT_TRUE(LoadObjects({{"obj_a"}, {}, {}, {"obj_d"}, {}}));
  EXPECT_TRUE(Object_Exists(0));
  EXPECT_FALSE(Object_Exists(1));
  EXPECT_TRUE(Object_Exists(3));
  EXPECT_FALSE(Object_Exists(-1));
  EXPECT_EQ(Object_Find("obj_d"), 3);
  EXPECT_EQ(Object_Find("obj_x"), -1);
  EXPECT_EQ(Object_Add(), 5);
  EXPECT_STREQ(Object_GetName(5), "__newobject5");
  EXPECT_TRUE(Object_Delete(3));
  EXPECT_STREQ(Object_GetName(3), "<undefined>");
  EXPECT_EQ(Object_Find("obj_d"), -1);
  EXPECT_EQ(Object_Add(), 6);
}

TEST_F(Objects, TwoObjectsPlacedAtOneIndexAnswerTheFirstUntilItGoes) {
  CObject* first = Object_Place(7);
  CObject* second = Object_Place(7);
  EXPECT_EQ(Object_Get(7), first);
  EXPECT_TRUE(Object_Delete(7));
  EXPECT_EQ(Object_Get(7), second);
  EXPECT_TRUE(Object_Delete(7));
  EXPECT_EQ(Object_Get(7), nullptr);
  CObject* third = Object_Place(7);
  EXPECT_EQ(Object_Get(7), third);
}

TEST_F(Objects, NameLookupFollowsRenamesAdditionsAndTheFirstOfEqualNames) {
  ASSERT_TRUE(LoadObjects({{"obj_a", -1, {}}, {"obj_b", -1, {}}, {"obj_a", -1, {}}}));
  EXPECT_EQ(Object_Find("obj_a"), 0);
  EXPECT_EQ(Object_Find("obj_b"), 1);
  Object_Get(0)->SetName("obj_z");
  EXPECT_EQ(Object_Find("obj_a"), 2);
  EXPECT_EQ(Object_Find("obj_z"), 0);
  EXPECT_EQ(Object_Find("__newobject3"), -1);
  EXPECT_EQ(Object_Add(), 3);
  EXPECT_EQ(Object_Find("__newobject3"), 3);
  EXPECT_TRUE(Object_Delete(2));
  EXPECT_EQ(Object_Find("obj_a"), -1);
  Object_Shutdown();
  EXPECT_EQ(Object_Find("obj_b"), -1);
}

TEST_F(Objects, RepeatedSubtypeFeedsOneEventAndTheLastCodeWins) {
  ASSERT_TRUE(LoadObjects({{"obj_a", -1, {{3, 0, "first"}, {3, 0, "second"}}}}));
  CObject* o = Object_Get(0);
  EXPECT_EQ(o->events[3].length, 1);
  EXPECT_STREQ(o->GetOwnEvent(3, 0)->text, "second");
}

TEST_F(Objects, ParentsOutsideTheStoreLeaveNoLink) {
  ASSERT_TRUE(LoadObjects({{"top"}, {"child", 0}, {"loose", -1}, {"far", 100000}}));
  EXPECT_EQ(Object_Get(1)->parentObject, Object_Get(0));
  EXPECT_EQ(Object_Get(2)->parentObject, nullptr);
  EXPECT_EQ(Object_Get(3)->parentObject, nullptr);
  FakeInstance a, b;
  Object_Get(1)->AddInstance(AsInstance(&a));
  Object_Get(3)->AddInstance(AsInstance(&b));
  EXPECT_EQ(Object_Get(0)->descendants.count, 1);
  EXPECT_EQ(Object_Get(0)->instances.count, 0);
  EXPECT_EQ(Object_Get(3)->descendants.count, 1);
  EXPECT_TRUE(Object_Get(1)->RemoveInstance(AsInstance(&a)));
  EXPECT_EQ(Object_Get(0)->descendants.count, 0);
  EXPECT_FALSE(Object_Get(1)->RemoveInstance(AsInstance(&a)));
}

TEST_F(Objects, DamagedRecordsFailTheLoadNamingTheObject) {
  g_formatVersion = 9;
  ObjectSpec good{"obj_ok", -1, {{0, 0, "x"}}};
  auto expectRefused = [&](ChunkData chunk, const char* what) {
    EXPECT_FALSE(Object_Load(chunk.image, chunk.data, chunk.size)) << what;
    EXPECT_NE(console_.Text().find("obj_bad"), std::string::npos) << what << ": " << console_.Text();
  };
  {
    ImageBuilder b;
    uint32_t code = 0;
    uint32_t record = WriteObjectRecord(b, {"obj_bad"}, 9, code, 13);
    size_t chunk = b.Chunk("OBJT");
    b.U32(1).U32(record);
    b.EndChunk(chunk);
    expectRefused({b.Finish(), chunk + 4, 8}, "13 event types");
  }
  expectRefused(ObjectChunk({good, {"obj_bad", -1, {{2, 65536, "x"}}}}), "subtype 65536");
  {
    ImageBuilder b;
    uint32_t code = 0;
    uint32_t record = WriteObjectRecord(b, {"obj_bad"}, 9, code);
    b.Patch(record + 16 * 4, 0x10000000);  // point count
    size_t chunk = b.Chunk("OBJT");
    b.U32(1).U32(record);
    b.EndChunk(chunk);
    expectRefused({b.Finish(), chunk + 4, 8}, "point count");
  }
  expectRefused(ObjectChunk({{"obj_bad", 1}, {"obj_other", 0}}), "two-object cycle");
  expectRefused(ObjectChunk({{"obj_bad", 0}}), "own parent");
}

// A whole file of a header and, when objects are given, an object chunk
// holding its records.
GameImage GameWithObjects(const std::vector<ObjectSpec>& shapes) {
  ImageBuilder b;
  b.Header(9, {});
  if (!shapes.empty()) {
    size_t chunk = b.Chunk("OBJT");
    b.U32(static_cast<uint32_t>(shapes.size()));
    size_t table = b.Here();
    for (size_t i = 0; i < shapes.size(); ++i) b.U32(0);
    uint32_t code = 0;
    for (size_t i = 0; i < shapes.size(); ++i) b.Patch(table + 4 * i, WriteObjectRecord(b, shapes[i], 9, code));
    b.EndChunk(chunk);
  }
  return b.Finish();
}

TEST_F(Objects, TheChunkWalkEmptiesTheStoreAndReadsEachFilesObjectChunk) {
  ObjectChunk_Install();
  struct File {
    std::vector<ObjectSpec> objects;
    bool read;
    std::vector<const char*> present;  // by index
  };
  const File files[] = {
      {{{"obj_a"}, {"obj_b", 0}}, true, {"obj_a", "obj_b"}},
      {{}, true, {}},
      {{{"obj_c"}}, true, {"obj_c"}},
      {{{"obj_bad", 0}}, false, {}},
  };
  for (const File& file : files) {
    SCOPED_TRACE(file.objects.empty() ? "no object chunk" : file.objects.front().name);
    GameImage image = GameWithObjects(file.objects);
    EXPECT_EQ(LoadGameChunks(image), file.read) << console_.Text();
    for (size_t i = 0; i < file.present.size(); ++i) {
      EXPECT_STREQ(Object_GetName(static_cast<int32_t>(i)), file.present[i]);
    }
    if (file.read) {
      EXPECT_FALSE(Object_Exists(static_cast<int32_t>(file.present.size())));
    }
  }
  EXPECT_NE(console_.Text().find("OBJT"), std::string::npos);
}

TEST_F(Objects, SetParentRefusesACycle) {
  ASSERT_TRUE(LoadObjects({{"a"}, {"b", 0}, {"c", 1}}));
  EXPECT_FALSE(Object_Get(0)->SetParent(2));
  EXPECT_FALSE(Object_Get(0)->SetParent(0));
  EXPECT_EQ(Object_Get(0)->parent, -1);
  EXPECT_TRUE(Object_Get(2)->SetParent(0));
  EXPECT_TRUE(Object_Get(0)->SetParent(-1));
}

TEST_F(Objects, DeletingAParentLeavesNothingPointingAtIt) {
  ASSERT_TRUE(LoadObjects({{"grand"}, {"parent", 0}, {"child", 1}}));
  FakeInstance own{1}, below{2};
  Object_Get(1)->AddInstance(AsInstance(&own));
  Object_Get(2)->AddInstance(AsInstance(&below));
  ASSERT_EQ(Object_Get(0)->descendants.count, 2);

  Object_Delete(1);
  EXPECT_TRUE(own.objectForgotten);
  EXPECT_FALSE(below.objectForgotten);
  EXPECT_EQ(Object_Get(0)->descendants.count, 0);
  CObject* child = Object_Get(2);
  EXPECT_EQ(child->parentObject, nullptr);
  EXPECT_EQ(child->parent, 1);
  // The child's instances come and go without touching the deleted object.
  FakeInstance later{2};
  child->AddInstance(AsInstance(&later));
  EXPECT_TRUE(child->RemoveInstance(AsInstance(&later)));
  EXPECT_TRUE(child->RemoveInstance(AsInstance(&below)));
  EXPECT_EQ(child->descendants.count, 0);
  Object_LinkParents();
  EXPECT_EQ(child->parentObject, nullptr);
}

TEST_F(Objects, LookupFollowsTheChainAndTheOtherSidesAncestors) {
  // 0 and 1: the own side (1 under 0); 2, 3, 4: the other side (4 under 3 under 2).
  ASSERT_TRUE(LoadObjects({{"own_top", -1, {{4, 2, "own_top vs 2"}, {3, 0, "step"}}},
                           {"own", 0, {{4, 3, "own vs 3"}}},
                           {"o2"},
                           {"o3", 2},
                           {"o4", 3}}));
  int32_t definer = -1;
  CEvent* step = GetEvent(1, 3, 0, &definer);
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(definer, 0);
  EXPECT_TRUE(Object_Get(1)->HasEvent(3, 0));
  EXPECT_FALSE(Object_Get(1)->HasEvent(4, 4));
  // Against 4: its parent 3 is tried along the whole own chain before 2.
  CEvent* hit = GetEvent(1, 4, 4, &definer);
  ASSERT_NE(hit, nullptr);
  EXPECT_STREQ(hit->text, "own vs 3");
  EXPECT_EQ(definer, 1);
  EXPECT_STREQ(GetEvent(0, 4, 4, &definer)->text, "own_top vs 2");
  EXPECT_EQ(GetEvent(1, 4, 5), nullptr);
  EXPECT_EQ(GetEvent(7, 3, 0), nullptr);
}

TEST_F(Objects, CompiledEventsNameTheirEntryAndNeedNoCompile) {
  g_hasBytecode = true;
  ASSERT_TRUE(LoadObjects({{"obj_a", -1, {{0, 0, "ignored"}, {3, 2, "ignored too"}}}}));
  CEvent* step = Object_Get(0)->GetOwnEvent(3, 2);
  ASSERT_NE(step, nullptr);
  EXPECT_STREQ(step->text, "");
  EXPECT_EQ(reinterpret_cast<RecordingCode::Piece*>(step->code)->index, 1);
  EXPECT_TRUE(Object_Prepare());
  EXPECT_TRUE(code_.compiled.empty());
}

TEST_F(Objects, AnOwnEventWithEmptyCodeHidesTheParents) {
  ASSERT_TRUE(LoadObjects({{"parent", -1, {{0, 0, "parent create"}}}, {"child", 0, {{0, 0, ""}}}}));
  int32_t definer = -1;
  ASSERT_NE(GetEvent(1, 0, 0, &definer), nullptr);
  EXPECT_EQ(definer, 1);
}

TEST_F(Objects, PrepareCompilesEveryEventUnderItsNameAndStopsAtAFailure) {
  ASSERT_TRUE(LoadObjects({{"obj_a", -1, {{0, 0, "c"}, {2, 0, "a"}, {3, 1, "s"}, {9, 65, "k"}}}}));
  ASSERT_TRUE(Object_Prepare());
  EXPECT_EQ(console_.Lines().at(0), "Preparing 1 objects:\n");
  EXPECT_EQ(console_.Lines().at(1), "\tObjects 0: obj_a\n");
  EXPECT_EQ(code_.compiled, (std::vector<std::string>{"Object.obj_a.Create.0", "Object.obj_a.Alarm 0.0",
                                                      "Object.obj_a.BeginStep.0", "Object.obj_a.press A-key.0"}));

  ASSERT_TRUE(LoadObjects({{"obj_b", -1, {{0, 0, "fail"}, {3, 0, "never"}}}}));
  EXPECT_FALSE(Object_Prepare());
  ASSERT_EQ(code_.fatal.size(), 1u);
  EXPECT_EQ(code_.fatal[0], "COMPILATION ERROR in code action\nunexpected symbol");
  EXPECT_EQ(code_.compiled.back(), "Object.obj_b.Create.0");
}

TEST_F(Objects, CollisionNamesCarryTheOtherObjectsName) {
  ASSERT_TRUE(LoadObjects({{"obj_a"}, {"obj_wall"}}));
  EXPECT_EQ(Event_Names(4, 1), " Step Eventobj_wall");
  EXPECT_EQ(Event_ShortName(4, 1), "obj_wall");
  EXPECT_EQ(Event_ShortName(4, 2), "<undefined>");
}

// A new parent while a game runs: the instance lists follow it.
std::vector<const CInstance*> Members(const ObjectInstanceList& list) {
  std::vector<const CInstance*> members;
  for (const ObjectInstanceNode* node = list.head; node != nullptr; node = node->next)
    members.push_back(node->instance);
  return members;
}

std::vector<int32_t> Listed(int32_t type, int32_t subtype) {
  const int32_t* objects = EventList_Objects(type, subtype);
  return std::vector<int32_t>(objects, objects + EventList_Count(type, subtype));
}

TEST_F(Objects, ANewParentMovesTheWholeSubtreesInstancesBetweenAncestors) {
  // 0 <- 1 <- 2 (2 below 1 below 0); 3 <- 4; 5 alone.
  ASSERT_TRUE(
      LoadObjects({{"top", -1, {{3, 0, "top step"}}}, {"mid", 0}, {"low", 1}, {"other"}, {"below", 3}, {"alone"}}));
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
  // The lists were rebuilt: 1 and 2 had the step from 0, no ancestor now.
  EXPECT_EQ(Listed(3, 0), (std::vector<int32_t>{0}));

  EXPECT_EQ(Object_SetParent(1, -7), ParentChange::kDone);
  EXPECT_EQ(Object_Get(1)->parent, -1);
  EXPECT_EQ(Object_Get(1)->parentObject, nullptr);
  EXPECT_EQ(Members(Object_Get(3)->descendants), (std::vector<const CInstance*>{AsInstance(&o), AsInstance(&b)}));

  // Removing an instance later still finds it where it now is.
  EXPECT_TRUE(Object_Get(2)->RemoveInstance(AsInstance(&l)));
  EXPECT_EQ(Members(Object_Get(1)->descendants), (std::vector<const CInstance*>{AsInstance(&m)}));
}

TEST_F(Objects, AWithOverAnAncestorSurvivesItsMembersLeaving) {
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
}

}  // namespace

namespace {

std::vector<CInstance*> Listed(const ObjectInstanceList& list) {
  std::vector<CInstance*> out;
  for (const ObjectInstanceNode* node = list.head; node != nullptr; node = node->next) out.push_back(node->instance);
  return out;
}

int32_t NodesOf(const ObjectLinks& links) {
  int32_t count = 0;
  for (const ObjectInstanceNode* node = links.first; node != nullptr; node = node->sameInstance) ++count;
  return count;
}

// Instances that keep their links leave each list by their own nodes: the
// first node of the instance in each list goes, across parent changes, and
// a deleted object's lists outlive or are outlived by the links safely.
TEST_F(Objects, LinkedInstancesLeaveEveryListByTheirOwnNodes) {
  ASSERT_TRUE(LoadObjects({{"grand"}, {"child", 0}}));
  CObject* grand = Object_Get(0);
  CObject* child = Object_Get(1);
  FakeInstance fa{1}, fb{1}, fc{1};
  CInstance *a = AsInstance(&fa), *b = AsInstance(&fb), *c = AsInstance(&fc);
  ObjectLinks la, lb, lc;
  child->AddInstance(a, &la);
  child->AddInstance(b, &lb);
  child->AddInstance(c, &lc);
  child->AddInstance(a, &la);  // twice: the older node leaves first
  EXPECT_EQ(NodesOf(la), 6);

  struct Expect {
    const char* after;
    std::vector<CInstance*> own, below, above;
  };
  auto check = [&](const Expect& e) {
    SCOPED_TRACE(e.after);
    EXPECT_EQ(Listed(child->instances), e.own);
    EXPECT_EQ(Listed(child->descendants), e.below);
    EXPECT_EQ(Listed(grand->descendants), e.above);
  };
  EXPECT_TRUE(child->RemoveInstance(a, &la));
  check({"a once", {b, c, a}, {b, c, a}, {b, c, a}});
  EXPECT_EQ(NodesOf(la), 3);
  EXPECT_TRUE(child->RemoveInstance(b, &lb));
  check({"b", {c, a}, {c, a}, {c, a}});
  EXPECT_EQ(Object_SetParent(1, -1), ParentChange::kDone);
  check({"no parent", {c, a}, {c, a}, {}});
  EXPECT_EQ(NodesOf(lc), 2);
  EXPECT_TRUE(child->RemoveInstance(a, &la));
  EXPECT_EQ(Object_SetParent(1, 0), ParentChange::kDone);
  check({"parent again", {c}, {c}, {c}});
  EXPECT_EQ(NodesOf(lc), 3);
  EXPECT_FALSE(child->RemoveInstance(a, &la));
  {
    ObjectLinks ld;
    child->AddInstance(a, &ld);
  }  // links gone first: the nodes forget them
  Object_Delete(1);
  EXPECT_EQ(Listed(grand->descendants), std::vector<CInstance*>{});
  EXPECT_EQ(NodesOf(lc), 2);  // its own lists go with the object
  Object_ReleaseRetired();
  EXPECT_EQ(NodesOf(lc), 0);
}

}  // namespace

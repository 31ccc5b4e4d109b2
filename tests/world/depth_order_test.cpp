// The room's active list finds depth places through its search tree. Every
// case here runs the same changes on a plain model that finds each place by
// walking from the head, and the two must agree after each change, with the
// tree itself sound (InstanceList_Check).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "script/variables/variable_registry.h"
#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/variables_world.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The list as a vector, places found by the walk from the head.
struct WalkModel {
  std::vector<CInstance*> order;

  void InsertByDepth(CInstance* instance) {
    auto at = order.begin();
    while (at != order.end() && (*at)->depth <= instance->depth) ++at;
    order.insert(at, instance);
  }
  void Remove(CInstance* instance) { order.erase(std::find(order.begin(), order.end(), instance)); }
  CInstance* After(CInstance* instance) const {
    auto at = std::find(order.begin(), order.end(), instance);
    return at == order.end() || at + 1 == order.end() ? nullptr : *(at + 1);
  }
};

std::vector<CInstance*> Links(const InstanceList& list) {
  std::vector<CInstance*> out;
  for (CInstance* i = list.head; i != nullptr; i = i->next) out.push_back(i);
  return out;
}

struct DepthPool {
  const char* name;
  std::vector<float> depths;
};

const DepthPool kPools[] = {
    {"spread", {-3.0f, 0.0f, 2.5f, 7.0f, -100.0f, 40.0f, 1.0f}},
    {"equal", {4.0f}},
    {"signed zeros", {0.0f, -0.0f}},
    {"infinite and huge", {kInf, -kInf, 3.4e38f, -3.4e38f, 0.0f}},
    {"NaN among numbers", {kNaN, 1.0f, -2.0f, 5.0f, 1.0f}},
    {"mostly NaN", {kNaN, kNaN, kNaN, 0.0f}},
};

// Inserts, unlinks, depths changed in place (as a change of object does)
// and appends, drawn from a pool; the tree must place every newcomer where
// the walk does, also once the list is out of depth order.
TEST(DepthOrder, InsertionPlacesMatchTheWalkFromTheHead) {
  for (const DepthPool& pool : kPools) {
    SCOPED_TRACE(pool.name);
    InstanceList list;
    WalkModel model;
    std::vector<CInstance*> made;
    uint32_t seed = 12345;
    auto next = [&](uint32_t bound) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 8) % bound;
    };
    auto depth = [&] { return pool.depths[next(static_cast<uint32_t>(pool.depths.size()))]; };
    for (int step = 0; step < 600; ++step) {
      const uint32_t kind = model.order.empty() ? 0 : next(10);
      if (kind < 5) {
        made.push_back(new CInstance(0, 0, 0, -1, false));
        made.back()->depth = depth();
        InstanceList_InsertByDepth(&list, made.back());
        model.InsertByDepth(made.back());
      } else if (kind < 7) {
        CInstance* gone = model.order[next(static_cast<uint32_t>(model.order.size()))];
        InstanceList_Unlink(&list, gone);
        model.Remove(gone);
      } else if (kind < 9) {
        CInstance* changed = model.order[next(static_cast<uint32_t>(model.order.size()))];
        changed->depth = depth();
        DepthOrder_Refresh(changed);
      } else {
        made.push_back(new CInstance(0, 0, 0, -1, false));
        made.back()->depth = depth();
        InstanceList_Append(&list, made.back());
        model.order.push_back(made.back());
      }
      ASSERT_EQ(Links(list), model.order) << "step " << step;
      ASSERT_TRUE(InstanceList_Check(list)) << "step " << step;
    }
    for (CInstance* i : made) delete i;
  }
}

TEST(DepthOrder, AnInstanceOfAnotherListIsNotUnlinked) {
  InstanceList a, b;
  CInstance one(0, 0, 0, -1, false), two(0, 0, 0, -1, false), three(0, 0, 0, -1, false);
  InstanceList_Append(&a, &one);
  InstanceList_Append(&a, &two);
  InstanceList_Append(&b, &three);
  InstanceList_Unlink(&b, &two);
  InstanceList_Unlink(&a, &three);
  EXPECT_EQ(Links(a), (std::vector<CInstance*>{&one, &two}));
  EXPECT_EQ(Links(b), (std::vector<CInstance*>{&three}));
  EXPECT_TRUE(InstanceList_Check(a));
  EXPECT_TRUE(InstanceList_Check(b));
  InstanceList_Unlink(&a, &one);
  InstanceList_Unlink(&a, &two);
  InstanceList_Unlink(&b, &three);
}

// What a handler does to the room while an event walks the active list.
enum class Act { kNone, kDepthSelf, kDepthNext, kCreate, kDestroySelf, kChangeObject };
struct Handler {
  Act act;
  float depth;
};

struct WalkCase {
  const char* name;
  std::vector<float> start;       // the instances' depths, in creation order
  std::vector<Handler> handlers;  // by visit, cycling
};

const WalkCase kWalks[] = {
    {"each moves itself to the back", {0, 1, 2, 3, 4}, {{Act::kDepthSelf, 10}}},
    {"each moves itself to the front", {0, 1, 2, 3, 4}, {{Act::kDepthSelf, -10}}},
    {"depth = -y style", {5, 3, 8, 1, 9, 2}, {{Act::kDepthSelf, -4}, {Act::kDepthSelf, 6}, {Act::kNone, 0}}},
    {"the next one moves behind", {0, 0, 0, 0}, {{Act::kDepthNext, 1}, {Act::kNone, 0}}},
    {"the next one moves ahead", {1, 2, 3, 4, 5}, {{Act::kDepthNext, -1}}},
    {"creations among equals", {0, 0, 1, 1}, {{Act::kCreate, 0}, {Act::kCreate, 1}, {Act::kCreate, -1}}},
    {"destroy and create", {0, 1, 2, 3}, {{Act::kDestroySelf, 0}, {Act::kCreate, 2}}},
    {"NaN depths", {0, 1, 2, 3}, {{Act::kDepthSelf, kNaN}, {Act::kCreate, 1}, {Act::kDepthNext, kNaN}}},
    {"object changes keep the place", {0, 1, 2}, {{Act::kChangeObject, 0}, {Act::kCreate, 3}}},
};

class DepthOrderInRoom : public testing::Test {
 protected:
  void SetUp() override { VariablesWorld_Start(); }
  void TearDown() override { VariablesWorld_End(); }

  static void SetDepth(CInstance* instance, float depth) {
    ScriptValue value;
    ScriptValue_SetReal(&value, depth);
    ASSERT_TRUE(Variable_SetValue(instance, Variable_BuiltIn_Find("depth"), 0, value));
  }
  // A new depth moves the instance unless it equals the old (NaN never does).
  static void MoveTo(CInstance* instance, WalkModel* model, float depth) {
    if (instance->depth == depth) return;
    model->Remove(instance);
    SetDepth(instance, depth);
    model->InsertByDepth(instance);
  }
  // A new instance of object 0 (depth 0) that sets its depth at once.
  static void Create(CRoom* room, WalkModel* model, float depth) {
    CInstance* made = room->AddInstance(0, 0, 0);
    model->InsertByDepth(made);
    MoveTo(made, model, depth);
  }
};

// The next instance is taken before each handler runs, on the room and on
// the model alike; the instances visited and the final order must agree.
TEST_F(DepthOrderInRoom, AWalkWhoseHandlersMoveCreateAndDestroySeesTheWalkOrder) {
  Object_Place(0);
  Object_Place(1)->depth = 50;
  Object_SetCount(2);
  g_roomOrder.push_back(Room_Add());
  ASSERT_TRUE(StartGame());
  for (const WalkCase& c : kWalks) {
    SCOPED_TRACE(c.name);
    CRoom* room = g_currentRoom;
    while (room->active.head != nullptr) room->RemoveInstance(room->active.head);
    WalkModel model;
    for (float depth : c.start) Create(room, &model, depth);
    ASSERT_EQ(Links(room->active), model.order);
    std::vector<CInstance*> seen, seenByModel;
    size_t visit = 0;
    for (CInstance *at = room->active.head, *modelAt = model.order.front(); at != nullptr && visit < 40; ++visit) {
      seen.push_back(at);
      seenByModel.push_back(modelAt);
      CInstance* next = at->next;
      CInstance* modelNext = model.After(modelAt);
      const Handler& h = c.handlers[visit % c.handlers.size()];
      CInstance* target = h.act == Act::kDepthNext ? next : at;
      if (h.act == Act::kDepthSelf || (h.act == Act::kDepthNext && target != nullptr)) {
        MoveTo(target, &model, h.depth);
      } else if (h.act == Act::kCreate) {
        Create(room, &model, h.depth);
      } else if (h.act == Act::kDestroySelf) {
        model.Remove(at);
        room->RemoveInstance(at);
      } else if (h.act == Act::kChangeObject) {
        Run_ChangeInstance(at, at->object_index == 0 ? 1 : 0, false);
      }
      ASSERT_EQ(Links(room->active), model.order) << "visit " << visit;
      ASSERT_TRUE(InstanceList_Check(room->active)) << "visit " << visit;
      at = next;
      modelAt = modelNext;
    }
    EXPECT_EQ(seen, seenByModel);
  }
}

// Activation one call at a time and in groups, with depth changes and
// copies between: both lists and the object's list must come out as the
// walk over both lists (deactivated ones waking first, in their order, to
// their place by depth; then active ones going to sleep, in their order, to
// the end) leaves them.
enum class Turn { kSleep, kWake, kSleepAll, kWakeAll, kSleepObject, kWakeObject, kDepth, kCopy, kDestroy };
struct ActivationStep {
  Turn turn;
  int32_t which;  // an instance by creation (kSleepObject/kWakeObject: an object)
  float depth;
};

struct ActivationCase {
  const char* name;
  std::vector<float> start;
  std::vector<ActivationStep> steps;
};

const ActivationCase kActivations[] = {
    {"one at a time, back in reverse",
     {0, 0, 1, 1, 2},
     {{Turn::kSleep, 1, 0},
      {Turn::kSleep, 3, 0},
      {Turn::kSleep, 0, 0},
      {Turn::kWake, 0, 0},
      {Turn::kWake, 3, 0},
      {Turn::kWake, 1, 0}}},
    {"a sleeper's depth changes while it sleeps",
     {0, 5, 5, 10},
     {{Turn::kSleep, 1, 0},
      {Turn::kDepth, 1, 10},
      {Turn::kDepth, 2, 10},
      {Turn::kWake, 1, 0},
      {Turn::kSleep, 3, 0},
      {Turn::kDepth, 0, 10},
      {Turn::kWake, 3, 0}}},
    {"all asleep, then woken in groups",
     {3, 1, 2, 1, 3},
     {{Turn::kSleepAll, 0, 0}, {Turn::kWakeObject, 1, 0}, {Turn::kDepth, 0, 1}, {Turn::kWakeAll, 0, 0}}},
    {"groups and single calls mixed",
     {2, 2, 2, 2, 2, 2},
     {{Turn::kSleepObject, 1, 0},
      {Turn::kSleep, 0, 0},
      {Turn::kWake, 3, 0},
      {Turn::kDepth, 2, 1},
      {Turn::kWakeAll, 0, 0},
      {Turn::kSleepObject, 0, 0},
      {Turn::kWake, 4, 0},
      {Turn::kWakeObject, 0, 0}}},
    {"a sleeper's copy sleeps at the next call",
     {0, 1, 2},
     {{Turn::kSleep, 1, 0}, {Turn::kCopy, 1, 0}, {Turn::kWake, 1, 0}, {Turn::kCopy, 2, 0}, {Turn::kSleep, 0, 0}}},
    {"an object's list out of depth order",
     {5, 0, 3, 0, 1, 0},
     {{Turn::kSleepObject, 0, 0}, {Turn::kWakeObject, 0, 0}, {Turn::kSleepObject, 0, 0}}},
    {"queued copies, one destroyed before they sleep",
     {0, 1, 2},
     {{Turn::kSleep, 1, 0},
      {Turn::kCopy, 1, 0},
      {Turn::kCopy, 1, 0},
      {Turn::kCopy, 1, 0},
      {Turn::kDestroy, 3, 0},
      {Turn::kSleep, 0, 0}}},
    {"NaN depths",
     {kNaN, 1, kNaN, 0},
     {{Turn::kSleep, 0, 0}, {Turn::kSleep, 2, 0}, {Turn::kDepth, 3, kNaN}, {Turn::kWake, 2, 0}, {Turn::kWake, 0, 0}}},
};

// Both lists by the walk, and the order of each object's list.
struct ActivationModel {
  WalkModel active;
  std::vector<CInstance*> asleep;
  std::vector<CInstance*> objectOrder[2];

  void Settle() {
    for (CInstance* i : std::vector<CInstance*>(asleep)) {
      if (i->deactivated != 0) continue;
      asleep.erase(std::find(asleep.begin(), asleep.end(), i));
      active.InsertByDepth(i);
      objectOrder[i->object_index].push_back(i);
    }
    for (CInstance* i : std::vector<CInstance*>(active.order)) {
      if (i->deactivated == 0) continue;
      active.Remove(i);
      asleep.push_back(i);
      auto& own = objectOrder[i->object_index];
      own.erase(std::find(own.begin(), own.end(), i));
    }
  }
};

std::vector<CInstance*> ObjectOrder(int32_t object) {
  std::vector<CInstance*> out;
  for (ObjectInstanceNode* node = Object_Get(object)->instances.head; node != nullptr; node = node->next) {
    out.push_back(node->instance);
  }
  return out;
}

TEST_F(DepthOrderInRoom, ActivationKeepsTheOrderOfTheWalkOverBothLists) {
  Object_Place(0);
  Object_Place(1);
  Object_SetCount(2);
  g_roomOrder.push_back(Room_Add());
  ASSERT_TRUE(StartGame());
  CRoom* room = g_currentRoom;
  for (const ActivationCase& c : kActivations) {
    SCOPED_TRACE(c.name);
    Run_ActivateAll();
    while (room->active.head != nullptr) room->RemoveInstance(room->active.head);
    ActivationModel model;
    std::vector<CInstance*> made;
    for (size_t k = 0; k < c.start.size(); ++k) {
      made.push_back(room->AddInstance(0, 0, static_cast<int32_t>(k % 2)));
      model.active.InsertByDepth(made.back());
      model.objectOrder[k % 2].push_back(made.back());
      MoveTo(made.back(), &model.active, c.start[k]);
    }
    for (size_t s = 0; s < c.steps.size(); ++s) {
      const ActivationStep& step = c.steps[s];
      CInstance* one = made[static_cast<size_t>(step.which) % made.size()];
      switch (step.turn) {
        case Turn::kSleep: Run_DeactivateSelected(one->id); break;
        case Turn::kWake: Run_ActivateSelected(one->id); break;
        case Turn::kSleepAll: Run_DeactivateAll(nullptr); break;
        case Turn::kWakeAll: Run_ActivateAll(); break;
        case Turn::kSleepObject: Run_DeactivateSelected(step.which); break;
        case Turn::kWakeObject: Run_ActivateSelected(step.which); break;
        case Turn::kDepth:
          if (one->deactivated != 0) {
            SetDepth(one, step.depth);
          } else {
            MoveTo(one, &model.active, step.depth);
          }
          break;
        case Turn::kCopy:
          made.push_back(Run_CopyInstance(one, false));
          model.active.InsertByDepth(made.back());
          model.objectOrder[one->object_index].push_back(made.back());
          break;
        case Turn::kDestroy:
          model.active.Remove(one);
          std::erase(model.objectOrder[one->object_index], one);
          room->RemoveInstance(one);
          break;
      }
      if (step.turn < Turn::kDepth) model.Settle();
      ASSERT_EQ(Links(room->active), model.active.order) << "step " << s;
      ASSERT_EQ(Links(room->deactivated), model.asleep) << "step " << s;
      ASSERT_EQ(ObjectOrder(0), model.objectOrder[0]) << "step " << s;
      ASSERT_EQ(ObjectOrder(1), model.objectOrder[1]) << "step " << s;
      ASSERT_TRUE(InstanceList_Check(room->active)) << "step " << s;
      ASSERT_TRUE(InstanceList_Check(room->deactivated)) << "step " << s;
    }
  }
}

// Persistent instances arrive in a room whose own instances share their
// depths, some under the same ids (the room they were placed in, entered
// again): each takes the place of the first of its id or else goes in by
// depth, as a walk of the list finds them.
TEST_F(DepthOrderInRoom, CarriedInstancesTakeThePlacesTheWalkFinds) {
  struct Placed {
    int32_t object;
    float depth;
  };
  const std::vector<Placed> placed = {{0, 1}, {1, 1}, {0, 0}, {1, 2}, {1, 1}, {0, 1}, {1, 0}};
  Object_Place(0)->flags = kObjectVisible | kObjectPersistent;
  Object_Place(1)->depth = 1;
  Object_SetCount(2);
  const int32_t first = Room_Add(), second = Room_Add();
  g_roomOrder = {first, second};
  for (const Placed& p : placed) Room_AddInstanceEntry(first, 0, 0, p.object);
  for (int k = 0; k < 3; ++k) Room_AddInstanceEntry(second, 0, 0, 1);
  // Two of the room's own share an id with a carried one: the one made
  // first is first in the list in one pair, second in the other.
  std::vector<RoomInstanceEntry>& entries = Room_Get(first)->record->instances;
  entries[3].id = entries[0].id;
  entries[1].id = entries[5].id;
  ASSERT_TRUE(StartGame());
  size_t k = 0;
  for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next, ++k) i->depth = placed[k].depth;
  for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) DepthOrder_Refresh(i);
  for (int32_t room : {second, first}) {
    SCOPED_TRACE(room);
    struct Carried {
      int32_t id;
      float depth;
    };
    std::vector<Carried> carried;
    for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) {
      if (i->persistent != 0) carried.push_back({i->id, i->depth});
    }
    ASSERT_TRUE(Run_ChangeRoom(room));
    // The model starts from the room's own instances as they were made.
    std::vector<std::pair<int32_t, float>> model;
    for (const RoomInstanceEntry& e : Room_Get(room)->record->instances) {
      auto at = model.begin();
      while (at != model.end() && at->second <= Object_Get(e.object)->depth) ++at;
      model.insert(at, {e.id, static_cast<float>(Object_Get(e.object)->depth)});
    }
    for (const Carried& c : carried) {
      auto same = std::find_if(model.begin(), model.end(), [&](const auto& m) { return m.first == c.id; });
      if (same != model.end()) model.erase(same);
      auto at = model.begin();
      while (at != model.end() && at->second <= c.depth) ++at;
      model.insert(at, {c.id, c.depth});
    }
    std::vector<std::pair<int32_t, float>> seen;
    for (CInstance* i = g_currentRoom->active.head; i != nullptr; i = i->next) seen.emplace_back(i->id, i->depth);
    EXPECT_EQ(seen, model);
    EXPECT_TRUE(InstanceList_Check(g_currentRoom->active));
  }
}

}  // namespace

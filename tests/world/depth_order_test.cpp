// The room's active list finds depth places through its search tree. Every
// case here runs the same changes on a plain model that finds each place by
// walking from the head, and the two must agree after each change, with the
// tree itself sound (InstanceList_Check).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "gamefile/object.h"
#include "script/variables/variable_registry.h"
#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
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

}  // namespace

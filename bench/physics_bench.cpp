// One world of 500 dynamic boxes in a static container, stepped at 60 a
// second: the library stepped by itself, and the whole physics stage with
// write-back, contact records and collision events that do nothing. Also
// binding many instances, which should grow about linearly.
#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <vector>

#include "physics/physics_fixture.h"
#include "physics/physics_world.h"
#include "runtime/console.h"
#include "runtime/globals.h"
#include "support/script_host_fake.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"
#include "world/room/physics_binding.h"
#include "world/room/physics_step.h"
#include "world/room/room.h"

namespace {

constexpr int32_t kBoxes = 500;
constexpr int32_t kColumns = 25;
constexpr float kWall = 40.0f;  // metres inside the container
constexpr float kScale = 0.1f;

struct Quiet final : tagIConsole {
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

// Where box i starts, in metres.
b2Vec2 BoxPlace(int32_t i) { return b2Vec2(2.0f + 1.4f * (i % kColumns), 2.0f + 1.4f * (i / kColumns)); }

// The container's four walls, as corner lists going clockwise on screen.
const float kWalls[4][4] = {
    {0, kWall - 1, kWall, kWall}, {0, 0, 1, kWall}, {kWall - 1, 0, kWall, kWall}, {0, 0, kWall, 1}};

void BM_PhysicsRaw(benchmark::State& state) {
  b2World world(b2Vec2(0.0f, 10.0f));
  world.SetAutoClearForces(false);
  b2BodyDef groundDef;
  b2Body* ground = world.CreateBody(&groundDef);
  for (const auto& w : kWalls) {
    b2PolygonShape shape;
    shape.SetAsBox((w[2] - w[0]) / 2, (w[3] - w[1]) / 2, b2Vec2((w[0] + w[2]) / 2, (w[1] + w[3]) / 2), 0.0f);
    ground->CreateFixture(&shape, 0.0f);
  }
  b2PolygonShape box;
  box.SetAsBox(0.5f, 0.5f);
  for (int32_t i = 0; i < kBoxes; ++i) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position = BoxPlace(i);
    world.CreateBody(&def)->CreateFixture(&box, 1.0f);
  }
  for (auto _ : state) {
    world.Step(1.0f / 60.0f, 10, 10);
    world.ClearForces();
  }
}
// The same 10 simulated seconds for both, so that they compare.
BENCHMARK(BM_PhysicsRaw)->Iterations(600)->Unit(benchmark::kMicrosecond);

class BoxRoom {
 public:
  BoxRoom() {
    g_debugConsole = &quiet_;
    Object_Init();
    FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
    if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
    FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
    Physics_InstallInstanceHooks();
    Object_Place(0);
    Object_Place(1);
    Object_Get(1)->MakeOwnEvent(4, 0);
    Object_Get(1)->MakeOwnEvent(4, 1);
    Object_Get(0)->MakeOwnEvent(4, 1);
    Object_SetCount(2);
    Object_LinkParents();
    Object_BuildEventLists();
    room_.physicsWorld = new CPhysicsWorld(kScale, 60);
  }
  ~BoxRoom() {
    delete room_.physicsWorld;
    room_.physicsWorld = nullptr;
    Object_FreeEventLists();
    Object_Shutdown();
    g_debugConsole = &g_defaultConsole;
  }

  void AddContainer() {
    CInstance* container = room_.AddInstance(0, 0, 0);
    for (const auto& w : kWalls) {
      CPhysicsFixture wall;
      wall.SetPolygon();
      wall.AddPoint(w[0], w[1]);
      wall.AddPoint(w[2], w[1]);
      wall.AddPoint(w[2], w[3]);
      wall.AddPoint(w[0], w[3]);
      Physics_BindInstance(room_.physicsWorld, wall, container);
    }
  }
  // The instances first: the room keeps its list in depth order.
  std::vector<CInstance*> AddBoxInstances(int32_t count) {
    std::vector<CInstance*> boxes;
    for (int32_t i = 0; i < count; ++i) {
      b2Vec2 at = BoxPlace(i);
      boxes.push_back(room_.AddInstance(at.x / kScale, at.y / kScale, 1));
    }
    return boxes;
  }
  int32_t BindBoxes(const std::vector<CInstance*>& boxes) {
    CPhysicsFixture box;
    box.SetBox(0.5f, 0.5f);
    box.density = 1.0f;
    int32_t bound = 0;
    for (CInstance* instance : boxes) bound += Physics_BindInstance(room_.physicsWorld, box, instance) ? 1 : 0;
    return bound;
  }
  CRoom& Room() { return room_; }

 private:
  Quiet quiet_;
  CRoom room_;
};

void BM_PhysicsWorldStep(benchmark::State& state) {
  BoxRoom room;
  room.AddContainer();
  state.counters["bodies"] = room.BindBoxes(room.AddBoxInstances(kBoxes));
  for (auto _ : state) PhysicsWorldStep(&room.Room(), 60);
}
BENCHMARK(BM_PhysicsWorldStep)->Iterations(600)->Unit(benchmark::kMicrosecond);

void BM_PhysicsBind(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      BoxRoom room;
      std::vector<CInstance*> boxes = room.AddBoxInstances(static_cast<int32_t>(state.range(0)));
      state.ResumeTiming();
      benchmark::DoNotOptimize(room.BindBoxes(boxes));
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PhysicsBind)->RangeMultiplier(2)->Range(125, 1000)->Complexity()->Unit(benchmark::kMicrosecond);

}  // namespace

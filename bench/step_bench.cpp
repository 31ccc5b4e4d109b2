// Steps over 1,000 instances of 10 objects that each have Begin Step, Step
// and End Step events whose code only counts: the cost of dispatch itself
// (lists, eligibility, the current event) apart from any script. One
// benchmark times a single Step pass, the other a whole step with motion,
// boundary tests and animation.
#include <benchmark/benchmark.h>

#include "platform/fake/fake_joystick.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "script/events/event_code_seam.h"
#include "support/script_host_fake.h"
#include "world/input/input.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/loop/dispatch.h"
#include "world/loop/game_loop.h"
#include "world/object/event_lists.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"
#include "world/start/service_list.h"

namespace {

constexpr int32_t kInstances = 1000;
constexpr int32_t kObjects = 10;

// Every event's code is one token that counts its runs.
int64_t g_runs = 0;
CCode* Token(const char*) { return reinterpret_cast<CCode*>(&g_runs); }
CCode* TokenAt(int32_t) { return reinterpret_cast<CCode*>(&g_runs); }
void FreeNothing(CCode*) {}
bool Compiles(CCode*, const char*) { return true; }
bool Count(CCode*, CInstance*, CInstance*) {
  ++g_runs;
  return true;
}
EventCodeHooks CountingCode() {
  EventCodeHooks hooks;
  hooks.fromText = Token;
  hooks.fromIndex = TokenAt;
  hooks.free = FreeNothing;
  hooks.compile = Compiles;
  hooks.execute = Count;
  return hooks;
}

CRoom* MakeWorld() {
  // A whole step reports to the frame profiler, which the service list installs.
  ServiceList_Install();
  // No joystick: the step reads them, and the desktop's would be polled
  // through SDL in every measured step.
  FakeJoysticks_Install();
  EventCode_Install(CountingCode());
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  Sprite_Init();
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
  Room_Init();
  IO_Init();
  const int32_t sprite = Sprite_AddEmpty();
  CSprite* s = Sprite_Get(sprite);
  s->bbox = {0, 0, 15, 15};
  s->width = s->height = 16;
  s->frameCount = 4;
  for (int32_t i = 0; i < kObjects; ++i) {
    CObject* object = Object_Place(i);
    object->sprite = sprite;
    object->depth = i;
    for (int32_t kind : {0, 1, 2}) object->MakeOwnEvent(3, kind)->code = EventCode_Get().fromText("");
  }
  Object_SetCount(kObjects);
  Object_BuildEventLists();
  auto* room = new CRoom;
  g_currentRoom = room;
  for (int32_t i = 0; i < kInstances; ++i) {
    CInstance* instance =
        room->AddInstance(static_cast<float>(i % 600), static_cast<float>(i / 600 * 20), i % kObjects);
    instance->image_speed = 0.25f;
    instance->SetHSpeed(0.0f);
  }
  g_newRoom = kRoomChangeNone;
  return room;
}

void FreeWorld(CRoom* room) {
  g_currentRoom = nullptr;
  delete room;
  Object_FreeEventLists();
  Sprite_Shutdown();
  Object_Shutdown();
  IO_Free();
  EventCode_Install(EventCodeHooks{});
}

void BM_StepEventPass(benchmark::State& state) {
  CRoom* room = MakeWorld();
  for (auto _ : state) Run_DispatchStep(0);
  state.SetItemsProcessed(state.iterations() * kInstances);
  FreeWorld(room);
}
BENCHMARK(BM_StepEventPass)->Unit(benchmark::kMicrosecond);

void BM_WholeStep(benchmark::State& state) {
  CRoom* room = MakeWorld();
  for (auto _ : state) Run_Step();
  state.SetItemsProcessed(state.iterations() * kInstances);
  FreeWorld(room);
}
BENCHMARK(BM_WholeStep)->Unit(benchmark::kMicrosecond);

}  // namespace

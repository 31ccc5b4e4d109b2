// A room start with 10,000 instance entries spread over 100 depths: the
// runtime copy, depth insertion, the id map, and the creation runs.
#include <benchmark/benchmark.h>

#include "gamefile/game_header.h"
#include "runtime/globals.h"
#include "support/script_host_fake.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"

namespace {

constexpr int32_t kInstances = 10000;
constexpr int32_t kObjects = 100;

void MakeWorld() {
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
  Room_Init();
  for (int32_t i = 0; i < kObjects; ++i) Object_Place(i)->depth = (i * 37) % kObjects;
  int32_t room = Room_Add();
  for (int32_t i = 0; i < kInstances; ++i) Room_AddInstanceEntry(room, 0.0f, 0.0f, i % kObjects);
  g_roomOrder.assign(1, room);
}

void BM_RoomStart(benchmark::State& state) {
  MakeWorld();
  for (auto _ : state) {
    Run_StartRoom(0, false);
    benchmark::DoNotOptimize(g_currentRoom->active.count);
    state.PauseTiming();
    Run_EndGame();
    state.ResumeTiming();
  }
  Room_Shutdown();
  Object_Shutdown();
}
BENCHMARK(BM_RoomStart)->Unit(benchmark::kMillisecond);

}  // namespace

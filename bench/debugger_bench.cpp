// One refresh of the debugger form with ten watches and the instances pane
// over 1,000 instances, to set beside BM_WholeStep (step_bench.cpp) over as
// many instances: a refresh should cost no more than the step it follows.
#include <benchmark/benchmark.h>

#include "debugger/debug_form.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "runtime/run_flags.h"
#include "support/script_host_fake.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/run/run_state.h"

namespace {

constexpr int32_t kInstances = 1000;

void BM_DebuggerRefresh(benchmark::State& state) {
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  Sprite_Init();
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
  Room_Init();
  for (int32_t i = 0; i < 10; ++i) Object_Place(i);
  Object_SetCount(10);
  auto* room = new CRoom;
  g_currentRoom = room;
  for (int32_t i = 0; i < kInstances; ++i)
    room->AddInstance(static_cast<float>(i % 600), static_cast<float>(i / 600 * 20), i % 10);
  const bool debugMode = g_debugMode;
  g_debugMode = true;
  g_running = 1;
  auto* form = new CDebugForm;
  form->Create();
  form->Refresh();
  for (int32_t i = 0; i < 10; ++i) form->watches.push_back({"1 + 2 * " + std::to_string(i), ""});
  form->panes[kPaneInstances].visible = 1;
  for (auto _ : state) form->Refresh();
  state.SetItemsProcessed(state.iterations() * kInstances);
  delete form;
  g_running = 0;
  g_debugMode = debugMode;
  g_currentRoom = nullptr;
  delete room;
  Sprite_Shutdown();
  Object_Shutdown();
}
BENCHMARK(BM_DebuggerRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace

// Saving and loading a room of 2000 instances with 8 variables each, to a
// file and back; bench/lua/saved_game.lua packs and unpacks the same values
// with Lua's string.pack for comparison (bench/lua/compare_save.sh).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/globals.h"
#include "script/variables/variable_registry.h"
#include "support/script_host_fake.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/save/saved_game.h"

namespace {

constexpr int32_t kInstances = 2000;
constexpr int32_t kVariables = 8;

class Quiet final : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char*, ...) override {}
};

void MakeWorld() {
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
  Room_Init();
  Variable_Global_Init();
  Object_Place(0);
  Object_SetCount(1);
  g_roomOrder.assign(1, Room_Add());
  Run_StartRoom(0, false);
  for (int32_t i = 0; i < kInstances; ++i) {
    CInstance* instance = g_currentRoom->AddInstance(static_cast<float>(i), 0.0f, 0);
    for (int32_t v = 0; v < kVariables; ++v) {
      ScriptValue value{};
      value.real = i * 0.5 + v;
      instance->locals->SetValue(100000 + v, 0, value);
    }
  }
}

void BM_SavedGameSaveAndLoad(benchmark::State& state) {
  static Quiet quiet;
  tagIConsole* saved = g_debugConsole;
  g_debugConsole = &quiet;
  MakeWorld();
  const std::string path = "/tmp/kv_bench_save_" + std::to_string(getpid());
  for (auto _ : state) {
    Run_SaveGame(path.c_str());
    Run_LoadGame(path.c_str());
    benchmark::DoNotOptimize(g_currentRoom->active.count);
  }
  unlink(path.c_str());
  Run_EndGame();
  Room_Shutdown();
  Object_Shutdown();
  g_debugConsole = saved;
}
BENCHMARK(BM_SavedGameSaveAndLoad)->Unit(benchmark::kMillisecond);

}  // namespace

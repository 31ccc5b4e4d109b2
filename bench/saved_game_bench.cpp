// Saving and loading a room of 2000 instances with 8 variables each, to a
// file and back; bench/lua/saved_game.lua packs and unpacks the same values
// with Lua's string.pack for comparison (bench/lua/compare_save.sh). And
// what game_save costs into the save folder, in time and system calls, beside
// the same bytes written with a plain fopen, fwrite and fclose.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/file_layer.h"
#include "gamefile/game_header.h"
#include "runtime/console.h"
#include "runtime/globals.h"
#include "runtime/stream.h"
#include "script/variables/variable_registry.h"
#include "support/script_host_fake.h"
#include "world/actions/world_actions.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/room/room_store.h"
#include "world/save/saved_game.h"
#include "write_cost.h"

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

// game_save of the world (as the built-in does it, by its name) into a save
// folder on a memory file system where there is one, or, with plain, the
// same bytes by fopen, fwrite and fclose.
void SaveCost(benchmark::State& state, bool plain) {
  static Quiet quiet;
  tagIConsole* saved = g_debugConsole;
  g_debugConsole = &quiet;
  MakeWorld();
  std::string folder = std::string(benchsupport::MemoryFolderBase()) + "/kv_save_cost_XXXXXX";
  if (mkdtemp(folder.data()) != nullptr) {
    LoadSave_SetSaveDirectory(folder.c_str());
    const std::string full = folder + "/g.sav";
    const auto once = [&] {
      if (!plain) return Run_GameSave("g.sav");
      CStream stream(1024);
      SavedGame_Write(stream);
      std::FILE* file = std::fopen(full.c_str(), "wb");
      if (file == nullptr) return false;
      std::fwrite(stream.GetBuffer(), 1, static_cast<size_t>(stream.GetPosition()), file);
      return std::fclose(file) == 0;
    };
    benchsupport::MeasureRewrite(state, once);
    LoadSave_SetSaveDirectory(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  Run_EndGame();
  Room_Shutdown();
  Object_Shutdown();
  g_debugConsole = saved;
}

void BM_GameSaveCost(benchmark::State& state) { SaveCost(state, false); }
BENCHMARK(BM_GameSaveCost)->Unit(benchmark::kMillisecond);

void BM_GameSaveCostPlain(benchmark::State& state) { SaveCost(state, true); }
BENCHMARK(BM_GameSaveCostPlain)->Unit(benchmark::kMillisecond);

}  // namespace

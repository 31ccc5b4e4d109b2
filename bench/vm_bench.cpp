// The bytecode machine against the tree interpreter on the same script
// text: an arithmetic loop, string building, an array filled and summed,
// and a loop of built-in calls. Items per second are loop iterations, so
// the figures compare with bench/lua/ run by bench/lua/compare.sh.
#include <benchmark/benchmark.h>

#include "runtime/run_flags.h"
#include "script/code.h"
#include "script/codegen.h"
#include "script/function_registry.h"
#include "script/interpreter.h"
#include "script/variable_list.h"
#include "script/vm.h"
#include "script/world_seam.h"

namespace {

constexpr int64_t kIterations = 100000;

struct BenchInstance {
  CVariableList variables;
};

class OneInstanceWorld final : public IWorldSeam {
 public:
  CVariableList* InstanceVariables(CInstance* instance) override {
    return instance == nullptr ? nullptr : &reinterpret_cast<BenchInstance*>(instance)->variables;
  }
  bool IsMarkedForDeletion(const CInstance*) override { return false; }
  CInstance* FindInstance(int32_t) override { return nullptr; }
  void VisitRoomInstances(InstanceVisitor&) override {}
  bool VisitObjectInstances(int32_t, InstanceVisitor&) override { return false; }
};

void Run(benchmark::State& state, const char* text, bool bytecode) {
  OneInstanceWorld world;
  WorldSeam_Install(&world);
  bool saved = g_useBytecode;
  g_useBytecode = bytecode;
  if (bytecode) {
    VM_InstallGenerator();
    VM_Install();
  }
  int32_t id = -1;
  if (!Function_Find("bench_add", &id))
    Function_Add("bench_add", [](ScriptValue* r, CInstance*, CInstance*, int32_t, ScriptValue* a) {
      ScriptValue_SetReal(r, a[0].real + a[1].real);
    }, 2);
  BenchInstance instance;
  auto* self = reinterpret_cast<CInstance*>(&instance);
  CCode code(text, false);
  if (!code.Compile("bench")) state.SkipWithError("does not compile");
  if (bytecode && code.code == nullptr) state.SkipWithError("no bytecode");
  ScriptValue result;
  for (auto _ : state) {
    if (!Code_Execute(self, self, &code, &result)) state.SkipWithError("does not run");
    benchmark::DoNotOptimize(result.real);
  }
  state.SetItemsProcessed(state.iterations() * kIterations);
  ScriptValue_Release(&result);
  Code_SetBytecodeGenerator(nullptr);
  Code_SetVMExecutor(nullptr);
  g_useBytecode = saved;
  WorldSeam_Install(nullptr);
}

constexpr const char* kArithmetic =
    "var i, s; s = 0; for (i = 0; i < 100000; i += 1) { s = s + (i * 3 + 7) mod 11 - i div 5 }";
constexpr const char* kStrings =
    "var i, t; t = \"\"; for (i = 0; i < 100000; i += 1) { t = t + \"x\"; if (i mod 100 == 0) t = \"\" }";
constexpr const char* kArrays =
    "var i, s; for (i = 0; i < 100000; i += 1) { arr[i mod 30000] = i } s = 0; "
    "for (i = 0; i < 100000; i += 1) { s += arr[i mod 30000] }";
constexpr const char* kCalls = "var i, s; s = 0; for (i = 0; i < 100000; i += 1) { s = bench_add(s, i) }";

void BM_VMArithmeticLoop(benchmark::State& state) { Run(state, kArithmetic, true); }
void BM_TreeArithmeticLoop(benchmark::State& state) { Run(state, kArithmetic, false); }
void BM_VMStringBuilding(benchmark::State& state) { Run(state, kStrings, true); }
void BM_TreeStringBuilding(benchmark::State& state) { Run(state, kStrings, false); }
void BM_VMArrayFillSum(benchmark::State& state) { Run(state, kArrays, true); }
void BM_TreeArrayFillSum(benchmark::State& state) { Run(state, kArrays, false); }
void BM_VMBuiltinCalls(benchmark::State& state) { Run(state, kCalls, true); }
void BM_TreeBuiltinCalls(benchmark::State& state) { Run(state, kCalls, false); }

BENCHMARK(BM_VMArithmeticLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeArithmeticLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMStringBuilding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeStringBuilding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMBuiltinCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeBuiltinCalls)->Unit(benchmark::kMillisecond);

}  // namespace

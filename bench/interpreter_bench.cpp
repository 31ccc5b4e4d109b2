// The tree interpreter on an arithmetic expression and on code that mostly
// reads and writes variables.
#include <benchmark/benchmark.h>

#include "one_instance_world.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/tree/interpreter.h"
#include "script/variables/variable_list.h"
#include "script/variables/world_seam.h"
#include "support/script_host_fake.h"

namespace {

void RunTree(benchmark::State& state, const char* text, bool expression) {
  FakeScriptHost([](ScriptHost& host) { host.variableWorld = OneInstanceWorld(); });
  bool saved = g_runFlags.useBytecode;
  g_runFlags.useBytecode = false;
  BenchInstance instance;
  auto* self = reinterpret_cast<CInstance*>(&instance);
  CCode code(text, expression);
  if (!code.Compile("bench")) state.SkipWithError("does not compile");
  ScriptValue result;
  for (auto _ : state) {
    if (!Code_Execute(self, self, &code, &result)) state.SkipWithError("does not run");
    benchmark::DoNotOptimize(result.real);
  }
  ScriptValue_Release(&result);
  g_runFlags.useBytecode = saved;
  FakeScriptHost([](ScriptHost& host) { host.variableWorld = WorldSeam{}; });
}

void BM_TreeArithmetic(benchmark::State& state) {
  RunTree(state, "x = 3; y = 4; z = (x * x + y * y) / (x + y) - x mod 2 + (y div 3) * 7 - (x << 2) | 1", false);
}
BENCHMARK(BM_TreeArithmetic);

void BM_TreeVariables(benchmark::State& state) {
  RunTree(state,
          "var i, j; i = 1; j = 2; a[i] = j; a[j] = i; b = a[1] + a[2]; c[1, 2] = b; "
          "d = c[1, 2] + i + j; self.e = d; e += 1; f = self.e",
          false);
}
BENCHMARK(BM_TreeVariables);

}  // namespace

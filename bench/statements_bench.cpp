// Speed of the tree walk's statements: a loop of a million iterations over
// local variables, and the same count spread over repeat and switch.
#include <benchmark/benchmark.h>

#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/tree/interpreter.h"
#include "script/tree/interpreter_statements.h"

class CInstance;

namespace {

// Locals only: the instance is never looked into.
alignas(16) unsigned char g_instance[64];

void RunTree(benchmark::State& state, const char* text) {
  Statements_Install();
  bool savedBytecode = g_runFlags.useBytecode;
  g_runFlags.useBytecode = false;
  CCode code(text, false);
  if (!code.Compile("bench")) {
    state.SkipWithError("the loop does not compile");
    return;
  }
  auto* instance = reinterpret_cast<CInstance*>(g_instance);
  for (auto _ : state) {
    ScriptValue result;
    if (!Code_Execute(instance, instance, &code, &result)) state.SkipWithError("the loop failed");
    benchmark::DoNotOptimize(result.real);
    ScriptValue_Release(&result);
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
  g_runFlags.useBytecode = savedBytecode;
  Interpreter_SetStatementHandler(nullptr);
}

void ForLoopMillion(benchmark::State& state) {
  RunTree(state, "var i, s; s = 0; for (i = 0; i < 1000000; i += 1) s += i; return s");
}
BENCHMARK(ForLoopMillion)->Unit(benchmark::kMillisecond);

void RepeatSwitchMillion(benchmark::State& state) {
  RunTree(state,
          "var i, s; i = 0; s = 0; repeat (1000000) { i += 1; switch (i & 3) { case 0: s += 1; break; "
          "case 1: s -= 1; break; default: s += 2 } } return s");
}
BENCHMARK(RepeatSwitchMillion)->Unit(benchmark::kMillisecond);

}  // namespace

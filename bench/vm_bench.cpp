// The bytecode machine against the tree interpreter on the same script
// text: recursive fib, an arithmetic loop, string building, an array filled
// and summed (one of self's, and one held in a local again and again), a
// loop of script calls and a loop of built-in calls. Items per second are
// loop iterations (calls for fib), so the figures compare with bench/lua/
// run by bench/lua/compare.sh. Two more: a map of 200,000 text
// keys filled and read back through the map built-ins, and a loop of ten
// million iterations.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "builtins/registration.h"
#include "one_instance_world.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/compiler/function_registry.h"
#include "script/events/script.h"
#include "script/tree/interpreter.h"
#include "script/tree/interpreter_statements.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_registry.h"
#include "script/variables/world_seam.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "support/script_chunk.h"
#include "support/script_host_fake.h"

namespace {

constexpr int64_t kIterations = 100000;

template <int32_t kSlot>
bool ReadArgument(CInstance*, int32_t, ScriptValue* out) {
  ScriptValue_Copy(out, &g_arguments[kSlot]);
  return true;
}

const std::vector<std::pair<std::string, std::string>> kScripts = {
    {"fib", "if (argument0 < 2) return argument0; return fib(argument0 - 1) + fib(argument0 - 2)"},
    {"script_add", "return argument0 + argument1"},
};

// Loads the scripts into the store as a game file would hold them and
// compiles them in the current mode.
class BenchScripts {
 public:
  BenchScripts() {
    if (Variable_BuiltIn_Find("argument0") < 0) {
      Variable_BuiltIn_Add("argument0", ReadArgument<0>, nullptr);
      Variable_BuiltIn_Add("argument1", ReadArgument<1>, nullptr);
    }
    // The scripts the benchmarks call, found by name while compiling.
    FakeScriptHost([](ScriptHost& host) {
      host.functions = FunctionStores{};
      host.functions.findScript = Script_Find;
    });
    image_.Assign(ScriptChunkBytes(kScripts));
    Script_Load(image_, kScriptChunkBody, static_cast<uint32_t>(image_.Size() - kScriptChunkBody));
    for (int32_t i = 0; i < Script_Count(); ++i) {
      CScript* script = Script_Get(i);
      script->code = new CCode(script->text, false);
      ok_ = ok_ && script->code->Compile((std::string("Script.") + script->name).c_str());
    }
  }
  ~BenchScripts() {
    Script_Clear();
    FakeScriptHost([](ScriptHost& host) { host.functions = FunctionStores{}; });
  }
  bool ok() const { return ok_; }

 private:
  GameImage image_;
  bool ok_ = true;
};

void Run(benchmark::State& state, const char* text, bool bytecode, int64_t items = kIterations) {
  FakeScriptHost([](ScriptHost& host) { host.variableWorld = OneInstanceWorld(); });
  bool saved = g_runFlags.useBytecode;
  g_runFlags.useBytecode = bytecode;
  Statements_Install();  // loops and `var` on the tree
  if (bytecode) {
    VM_InstallGenerator();
    VM_Install();
  }
  int32_t id = -1;
  if (!Function_Find("bench_add", &id))
    Function_Add(
        "bench_add",
        [](ScriptValue* r, CInstance*, CInstance*, int32_t, ScriptValue* a) {
          ScriptValue_SetReal(r, a[0].real + a[1].real);
        },
        2);
  if (!Function_Find("ds_map_create", &id)) {
    Builtins_RegisterFamily(BuiltinFamilyId::kMaths);
    Builtins_RegisterFamily(BuiltinFamilyId::kDataStructures);
  }
  BenchScripts scripts;
  if (!scripts.ok()) state.SkipWithError("scripts do not compile");
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
  state.SetItemsProcessed(state.iterations() * items);
  ScriptValue_Release(&result);
  Code_SetBytecodeGenerator(nullptr);
  Code_SetVMExecutor(nullptr);
  Interpreter_SetStatementHandler(nullptr);
  g_runFlags.useBytecode = saved;
  FakeScriptHost([](ScriptHost& host) { host.variableWorld = WorldSeam{}; });
}

// fib(20) makes 21891 calls.
constexpr const char* kFib = "var r; r = fib(20)";
constexpr int64_t kFibCalls = 21891;
constexpr const char* kScriptCalls = "var i, s; s = 0; for (i = 0; i < 100000; i += 1) { s = script_add(s, i) }";
constexpr const char* kArithmetic =
    "var i, s; s = 0; for (i = 0; i < 100000; i += 1) { s = s + (i * 3 + 7) mod 11 - i div 5 }";
constexpr const char* kStrings =
    "var i, t; t = \"\"; for (i = 0; i < 100000; i += 1) { t = t + \"x\"; if (i mod 100 == 0) t = \"\" }";
constexpr const char* kArrays =
    "var i, s; for (i = 0; i < 100000; i += 1) { arr[i mod 30000] = i } s = 0; "
    "for (i = 0; i < 100000; i += 1) { s += arr[i mod 30000] }";
// An array held in a local, filled and summed again 300 times: growth on the
// first round, stores and reads of existing elements after.
constexpr const char* kLocalArrays =
    "var s, r, i, a; s = 0; for (r = 1; r <= 300; r += 1) { for (i = 0; i < 30000; i += 1) { a[i] = i + r; } "
    "for (i = 0; i < 30000; i += 1) { s += a[i]; } }";
constexpr int64_t kLocalArrayAccesses = 300 * 30000 * 2;
constexpr const char* kMaps =
    "var m, i, s; m = ds_map_create(); for (i = 0; i < 200000; i += 1) { ds_map_add(m, \"k\" + string(i), i) } "
    "s = 0; for (i = 0; i < 200000; i += 1) { s += ds_map_find_value(m, \"k\" + string(i)) } ds_map_destroy(m)";
constexpr int64_t kMapOperations = 400000;
constexpr const char* kLongLoop = "var i, s; s = 0; for (i = 0; i < 10000000; i += 1) { s = s + i mod 7 }";
constexpr int64_t kLongLoopIterations = 10000000;
constexpr const char* kCalls = "var i, s; s = 0; for (i = 0; i < 100000; i += 1) { s = bench_add(s, i) }";

// A million calls of a two-real function of a native library (the tests'
// fixture, built from its C source) through external_call, beside the same
// loop calling a two-argument built-in; bench/lua/compare_external.sh puts
// LuaJIT's FFI calling the same function beside them.
constexpr int64_t kMillion = 1000000;
constexpr const char* kMillionBuiltinCalls =
    "var i, s; s = 0; for (i = 0; i < 1000000; i += 1) { s = bench_add(s, 1) }";

void BM_VMMillionBuiltinCalls(benchmark::State& state) { Run(state, kMillionBuiltinCalls, true, kMillion); }

#ifdef KV_EXT_FIXTURE
void BM_VMMillionExternalCalls(benchmark::State& state) {
  int32_t id = -1;
  if (!Function_Find("external_call", &id)) Builtins_RegisterFamily(BuiltinFamilyId::kMisc);
  std::string text = std::string("var d, i, s; d = external_define(\"") + KV_EXT_FIXTURE +
                     "\", \"add\", dll_cdecl, ty_real, 2, ty_real, ty_real); s = 0; "
                     "for (i = 0; i < 1000000; i += 1) { s = external_call(d, s, 1) }";
  Run(state, text.c_str(), true, kMillion);
}
BENCHMARK(BM_VMMillionExternalCalls)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_VMMillionBuiltinCalls)->Unit(benchmark::kMillisecond);

void BM_VMRecursiveFib(benchmark::State& state) { Run(state, kFib, true, kFibCalls); }
void BM_TreeRecursiveFib(benchmark::State& state) { Run(state, kFib, false, kFibCalls); }
void BM_VMScriptCalls(benchmark::State& state) { Run(state, kScriptCalls, true); }
void BM_TreeScriptCalls(benchmark::State& state) { Run(state, kScriptCalls, false); }
void BM_VMArithmeticLoop(benchmark::State& state) { Run(state, kArithmetic, true); }
void BM_TreeArithmeticLoop(benchmark::State& state) { Run(state, kArithmetic, false); }
void BM_VMStringBuilding(benchmark::State& state) { Run(state, kStrings, true); }
void BM_TreeStringBuilding(benchmark::State& state) { Run(state, kStrings, false); }
void BM_VMArrayFillSum(benchmark::State& state) { Run(state, kArrays, true); }
void BM_TreeArrayFillSum(benchmark::State& state) { Run(state, kArrays, false); }
void BM_VMLocalArrayFillSum(benchmark::State& state) { Run(state, kLocalArrays, true, kLocalArrayAccesses); }
void BM_TreeLocalArrayFillSum(benchmark::State& state) { Run(state, kLocalArrays, false, kLocalArrayAccesses); }
void BM_VMMapAddFind(benchmark::State& state) { Run(state, kMaps, true, kMapOperations); }
void BM_TreeMapAddFind(benchmark::State& state) { Run(state, kMaps, false, kMapOperations); }
void BM_VMLongLoop(benchmark::State& state) { Run(state, kLongLoop, true, kLongLoopIterations); }
void BM_TreeLongLoop(benchmark::State& state) { Run(state, kLongLoop, false, kLongLoopIterations); }
void BM_VMBuiltinCalls(benchmark::State& state) { Run(state, kCalls, true); }
void BM_TreeBuiltinCalls(benchmark::State& state) { Run(state, kCalls, false); }

BENCHMARK(BM_VMRecursiveFib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRecursiveFib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMScriptCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeScriptCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMArithmeticLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeArithmeticLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMStringBuilding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeStringBuilding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMLocalArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLocalArrayFillSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMMapAddFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeMapAddFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMLongLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLongLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VMBuiltinCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeBuiltinCalls)->Unit(benchmark::kMillisecond);

}  // namespace

// Speed of the variable layer: filling one array row in order, and finding
// variables in a list and names in the name table when there are many.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/script_value.h"
#include "script/variables/variable_list.h"
#include "script/variables/variable_names.h"

namespace {

void FillRowInOrder(benchmark::State& state) {
  ScriptValue value;
  for (auto _ : state) {
    CVariableList list;
    for (int32_t k = 0; k < 32000; ++k) {
      value.real = k;
      list.SetValue(100000, k, value);
    }
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * 32000);
}
BENCHMARK(FillRowInOrder);

void ReadAmongThousandVariables(benchmark::State& state) {
  CVariableList list;
  ScriptValue value;
  for (int32_t i = 0; i < 1000; ++i) {
    value.real = i;
    list.SetValue(100000 + i, 0, value);
  }
  int32_t i = 0;
  for (auto _ : state) {
    ScriptValue out;
    list.GetValue(100000 + i, 0, &out);
    benchmark::DoNotOptimize(out.real);
    i = (i + 397) % 1000;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReadAmongThousandVariables);

void FindAmongThousandNames(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) names.push_back("bench_name_" + std::to_string(i));
  for (const std::string& name : names) Code_Variable_Find(name.c_str());
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Code_Variable_Find(names[i].c_str()));
    i = (i + 397) % names.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FindAmongThousandNames);

}  // namespace

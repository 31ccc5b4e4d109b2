// List sort and search, map add and search, at script-sized scales; appends
// to every growing structure, whose time per append must not grow with the
// structure's size.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "runtime/ds_list.h"
#include "runtime/ds_map.h"
#include "runtime/ds_priority.h"
#include "runtime/ds_queue.h"
#include "runtime/ds_stack.h"
#include "runtime/random.h"

namespace {

constexpr int kKeys = 100000;

void FillRandom(CDS_List& list, int count) {
  Random_Seed(1);
  ScriptValue v{};
  for (int i = 0; i < count; ++i) {
    v.real = Random_Real(1000000.0);
    list.Add(&v);
  }
}

// The insertion sort is quadratic on shuffled data, so that case runs on
// fewer values; the 100000-value case starts nearly sorted.
void BM_ListSortShuffled(benchmark::State& state) {
  auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    CDS_List list;
    FillRandom(list, count);
    state.ResumeTiming();
    list.Sort(true);
    benchmark::DoNotOptimize(list.FindValue(0));
  }
}
BENCHMARK(BM_ListSortShuffled)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListSortNearlySorted(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    CDS_List list;
    ScriptValue v{};
    for (int i = 0; i < kKeys; ++i) {
      v.real = i + (i % 100 == 0 ? 3 : 0);
      list.Add(&v);
    }
    state.ResumeTiming();
    list.Sort(true);
  }
}
BENCHMARK(BM_ListSortNearlySorted)->Unit(benchmark::kMillisecond);

void BM_ListFindIndex(benchmark::State& state) {
  CDS_List list;
  FillRandom(list, kKeys);
  ScriptValue absent{};
  absent.real = -1.0;
  for (auto _ : state) benchmark::DoNotOptimize(list.FindIndex(&absent));
}
BENCHMARK(BM_ListFindIndex)->Unit(benchmark::kMicrosecond);

void StringKey(ScriptValue* key, char* buffer, int i) {
  std::snprintf(buffer, 32, "key%d", i);
  key->kind = kValueString;
  key->text = buffer;
}

void BM_MapAdd(benchmark::State& state) {
  char buffer[32];
  ScriptValue key{};
  ScriptValue value{};
  for (auto _ : state) {
    CDS_Map map;
    for (int i = 0; i < kKeys; ++i) {
      StringKey(&key, buffer, i);
      value.real = i;
      map.Add(&key, &value);
    }
    benchmark::DoNotOptimize(map.Size());
  }
}
BENCHMARK(BM_MapAdd)->Unit(benchmark::kMillisecond);

void BM_MapFind(benchmark::State& state) {
  char buffer[32];
  ScriptValue key{};
  ScriptValue value{};
  CDS_Map map;
  for (int i = 0; i < kKeys; ++i) {
    StringKey(&key, buffer, i);
    map.Add(&key, &value);
  }
  int i = 0;
  for (auto _ : state) {
    StringKey(&key, buffer, i);
    benchmark::DoNotOptimize(map.FindValue(&key));
    i = (i + 7919) % kKeys;
  }
}
BENCHMARK(BM_MapFind);

// Appends of one real, 1,000 to 1,000,000 of them: items per second stays
// level across the sizes.
template <typename Structure, void (*Append)(Structure&, const ScriptValue*)>
void BM_Append(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  ScriptValue v{};
  for (auto _ : state) {
    Structure structure;
    for (int i = 0; i < count; ++i) Append(structure, &v);
    benchmark::DoNotOptimize(structure.Size());
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void AppendSizes(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
}

void ListAdd(CDS_List& list, const ScriptValue* v) { list.Add(v); }
void StackPush(CDS_Stack& stack, const ScriptValue* v) { stack.Push(v); }
void QueueEnqueue(CDS_Queue& queue, const ScriptValue* v) { queue.Enqueue(v); }
void PriorityAdd(CDS_Priority& priority, const ScriptValue* v) { priority.Add(v, v); }

BENCHMARK_TEMPLATE(BM_Append, CDS_List, ListAdd)->Apply(AppendSizes);
BENCHMARK_TEMPLATE(BM_Append, CDS_Stack, StackPush)->Apply(AppendSizes);
BENCHMARK_TEMPLATE(BM_Append, CDS_Queue, QueueEnqueue)->Apply(AppendSizes);
BENCHMARK_TEMPLATE(BM_Append, CDS_Priority, PriorityAdd)->Apply(AppendSizes);

}  // namespace

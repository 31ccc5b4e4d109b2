// Timings of the text routines every string built-in leans on.
#include <benchmark/benchmark.h>

#include <string>

#include "runtime/memory.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

std::string MixedText(size_t bytes) {
  const std::string piece = "Korvalith \xC3\xA9\xE2\x82\xAC # ";
  std::string text;
  while (text.size() < bytes) text += piece;
  return text;
}

void BM_Utf8Length(benchmark::State& state) {
  std::string text = MixedText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(UTF8_Length(text.c_str()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8Length)->Arg(64)->Arg(4096);

void BM_StringConcat(benchmark::State& state) {
  std::string part = MixedText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    char* joined = nullptr;
    String_Concat(&joined, part.c_str(), " and ", part.c_str());
    benchmark::DoNotOptimize(joined);
    MemoryManager::Free(joined);
  }
}
BENCHMARK(BM_StringConcat)->Arg(16)->Arg(1024);

void BM_StringConcatGrowing(benchmark::State& state) {
  for (auto _ : state) {
    char* text = nullptr;
    for (int i = 0; i < 100; ++i) String_Concat(&text, text, "ab");
    benchmark::DoNotOptimize(text);
    MemoryManager::Free(text);
  }
}
BENCHMARK(BM_StringConcatGrowing);

void BM_HashToNewline(benchmark::State& state) {
  std::string source = MixedText(4096);
  std::string work;
  for (auto _ : state) {
    work = source;
    benchmark::DoNotOptimize(Text_HashToNewline(work.data()));
  }
}
BENCHMARK(BM_HashToNewline);

}  // namespace

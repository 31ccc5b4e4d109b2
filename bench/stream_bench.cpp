#include <benchmark/benchmark.h>

#include <vector>

#include "runtime/crc32.h"
#include "runtime/stream.h"

namespace {

void BM_Crc32Buffer(benchmark::State& state) {
  std::vector<uint8_t> bytes(static_cast<size_t>(state.range(0)));
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31);
  CRC32_InitTable();
  for (auto _ : state) benchmark::DoNotOptimize(CRC32_Buffer(bytes.data(), static_cast<int64_t>(bytes.size())));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc32Buffer)->Arg(64)->Arg(4096)->Arg(1 << 20);

// A saved-game-like mix of values written into a growing stream.
void BM_StreamWriteValues(benchmark::State& state) {
  for (auto _ : state) {
    CStream s;
    for (int64_t i = 0; i < state.range(0); ++i) {
      s.WriteInteger(static_cast<int32_t>(i));
      s.WriteReal(static_cast<double>(i) * 0.5);
      s.WriteString("instance");
    }
    benchmark::DoNotOptimize(s.GetBuffer());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_StreamWriteValues)->Arg(1000)->Arg(100000);

void BM_StreamWriteBuffer(benchmark::State& state) {
  std::vector<uint8_t> chunk(static_cast<size_t>(state.range(0)), 0x5A);
  for (auto _ : state) {
    CStream s;
    for (int i = 0; i < 256; ++i) s.WriteBuffer(chunk.data(), state.range(0));
    benchmark::DoNotOptimize(s.GetBuffer());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 256 * state.range(0));
}
BENCHMARK(BM_StreamWriteBuffer)->Arg(16)->Arg(4096);

}  // namespace

// Grid path searches on 1000 x 1000 cells: an open grid corner to corner,
// and a grid of staggered walls that forces long detours.
#include <benchmark/benchmark.h>

#include "resources/path.h"
#include "world/planning/motion_planning.h"

namespace {

constexpr int32_t kCells = 1000;

int32_t MakeGrid(bool walls) {
  const int32_t id = Motion_Grid_Create(0, 0, kCells, kCells, 4, 4);
  if (!walls) return id;
  // Every hundredth column is a wall with one gap, alternately at the top
  // and the bottom. (The path is filled point by point, and adding a point
  // recomputes the whole path, so longer detours measure the path more than
  // the search.)
  for (int32_t x = 100; x < kCells; x += 100) {
    const bool gapAtTop = (x / 100) % 2 == 0;
    for (int32_t y = 0; y < kCells; ++y) {
      if (gapAtTop ? y != 0 : y != kCells - 1) Motion_Grid_AddCell(id, x, y);
    }
  }
  return id;
}

void RunSearch(benchmark::State& state, bool walls) {
  Path_Init();
  const int32_t path = Path_Add();
  const int32_t grid = MakeGrid(walls);
  const bool diagonal = state.range(0) != 0;
  for (auto _ : state) {
    bool found = Motion_Grid_Path(grid, path, 2, 2, kCells * 4 - 2, kCells * 4 - 2, diagonal);
    benchmark::DoNotOptimize(found);
  }
  state.counters["points"] = Path_Get(path)->GetCount();
  Motion_Grid_DestroyAll();
  Path_Shutdown();
}

void BM_GridPathOpen(benchmark::State& state) { RunSearch(state, false); }
void BM_GridPathWalls(benchmark::State& state) { RunSearch(state, true); }

BENCHMARK(BM_GridPathOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPathWalls)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "resources/sprite.h"
#include "world/instance/instance.h"

namespace {

// Every instance against every other, boxes only: what a room of 1000
// solid instances costs for one sweep of collision checks.
void BM_InstanceCollisionSweep(benchmark::State& state) {
  Sprite_Init();
  const int32_t sprite = Sprite_AddEmpty();
  CSprite* square = Sprite_Get(sprite);
  square->bbox = {0, 0, 15, 15};
  square->frameCount = 1;
  square->precise = 0;
  const int32_t count = static_cast<int32_t>(state.range(0));
  std::vector<std::unique_ptr<CInstance>> instances;
  for (int32_t i = 0; i < count; ++i) {
    auto instance = std::make_unique<CInstance>(static_cast<float>(i % 40) * 20.0f, static_cast<float>(i / 40) * 20.0f,
                                                100000 + i, -1, false);
    instance->SetSpriteIndex(sprite);
    instance->SetMaskIndex(-1);
    instance->ComputeBoundingBox();
    instances.push_back(std::move(instance));
  }
  int64_t hits = 0;
  for (auto _ : state) {
    for (auto& a : instances) {
      for (auto& b : instances) hits += a->CollisionInstance(b.get(), 0) ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count * count);
  instances.clear();
  Sprite_Shutdown();
}
BENCHMARK(BM_InstanceCollisionSweep)->Arg(1000)->Unit(benchmark::kMillisecond);

// One step of motion for 1000 instances under friction and gravity.
void BM_InstanceMotion(benchmark::State& state) {
  std::vector<std::unique_ptr<CInstance>> instances;
  for (int32_t i = 0; i < 1000; ++i) {
    auto instance = std::make_unique<CInstance>(0.0f, 0.0f, 100000 + i, -1, false);
    instance->SetSpeed(static_cast<float>(i % 7));
    instance->SetDirection(static_cast<float>(i));
    instance->friction = 0.01f;
    instance->gravity = 0.2f;
    instances.push_back(std::move(instance));
  }
  for (auto _ : state) {
    for (auto& a : instances) a->ApplyFrictionGravity();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 1000);
}
BENCHMARK(BM_InstanceMotion);

}  // namespace

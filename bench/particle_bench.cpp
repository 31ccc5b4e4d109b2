// A particle system in its steady state: one emitter streaming a hundredth
// of the live count each step, life 100, speed 1-2, gravity 0.05, two
// colours and alpha 1 to 0, drawn as 16 x 16 disks. The update alone, then
// the update and drawing at 640 x 480 headless, with the memory each live
// particle takes.
#include <benchmark/benchmark.h>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/particles/particle_records.h"
#include "graphics/start/graphics_start.h"
#include "platform/device_window.h"
#include "resources/builtin_images.h"
#include "world/start/particle_world.h"
#include "world/start/service_list.h"

namespace {

constexpr int32_t kLife = 100;

// A system holding `live` particles once it has run a whole life.
int32_t StreamingSystem(int32_t live) {
  ServiceList_Install();
  Particle_Init();
  const int32_t type = Particle_Type_Create();
  Particle_Type_Shape(type, 1);
  Particle_Type_Size(type, 0.25f, 0.25f, 0, 0);
  Particle_Type_Life(type, kLife, kLife);
  Particle_Type_Speed(type, 1, 2, 0, 0);
  Particle_Type_Direction(type, 0, 360, 0, 0);
  Particle_Type_Gravity(type, 0.05f, 270);
  Particle_Type_Color2(type, 0x2080FF, 0xFF4010);
  Particle_Type_Alpha2(type, 1, 0);
  const int32_t system = Particle_System_Create();
  const int32_t emitter = Particle_Part_Create(ParticlePart::kEmitter, system);
  Particle_Emitter_Region(system, emitter, 300, 340, 200, 240, 0, 0);
  Particle_Emitter_Stream(system, emitter, type, live / kLife);
  for (int32_t i = 0; i < kLife; ++i) Particle_System_Update(system);
  return system;
}

void ReportMemory(benchmark::State& state, int32_t system) {
  const auto& particles = ParticleSystem_Get(system)->particles;
  const double bytes = static_cast<double>(particles.capacity() * sizeof(CParticle));
  state.counters["live"] = static_cast<double>(particles.size());
  state.counters["bytes_per_particle"] = bytes / static_cast<double>(particles.size());
}

void BM_ParticleUpdate(benchmark::State& state) {
  const int32_t system = StreamingSystem(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) Particle_System_Update(system);
  ReportMemory(state, system);
  Particle_Init();
}
BENCHMARK(BM_ParticleUpdate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ParticleUpdateAndDraw(benchmark::State& state) {
  ServiceList_Install();
  DeviceWindow_State() = DeviceWindowState{};
  if (!GR_D3D_Init(nullptr, 640, 480, 0)) {
    state.SkipWithError("no graphics device");
    return;
  }
  const int32_t system = StreamingSystem(static_cast<int32_t>(state.range(0)));
  ParticleWorld_MakeShapes();
  for (auto _ : state) {
    GR_D3D_Start_Frame();
    Particle_System_Update(system);
    Particle_System_DrawIt(system);
    Graphics::FlushBatch();
    GR_D3D_Finish_Frame(true);
  }
  ReportMemory(state, system);
  Particle_Shutdown();
  GR_D3D_Shutdown();
  DeviceWindow_Destroy();
}
BENCHMARK(BM_ParticleUpdateAndDraw)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

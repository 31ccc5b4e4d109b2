// The frame profiler's cost against the clock reads it wraps, and a recorded
// model against the same triangles drawn straight from one static buffer
// and through the vertex batch: on the software GL device, and on the
// recording fake, which draws nothing and so shows only the work done on
// our side of the device (see recorder_speed.md).
#include <benchmark/benchmark.h>

#include <vector>

#include "graphics/3d/graphics_recorder.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/device/vertex_buffer.h"
#include "graphics/overlay/profiler.h"
#include "platform/backends.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"
#include "runtime/timer.h"
#include "world/start/service_list.h"

namespace {

void BM_ProfilerMarkerPair(benchmark::State& state) {
  Profiler_Start_Frame();
  int32_t pairs = 0;
  for (auto _ : state) {
    Profiler_Begin(0xFF00FF00u, "bench");
    Profiler_End();
    // A frame holds at most 1024 markers; a new one keeps them recorded.
    if (++pairs == 1000) {
      Profiler_Start_Frame();
      pairs = 0;
    }
  }
}
BENCHMARK(BM_ProfilerMarkerPair);

void BM_TwoClockReads(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Timer_GetMicroseconds());
    benchmark::DoNotOptimize(Timer_GetMicroseconds());
  }
}
BENCHMARK(BM_TwoClockReads);

constexpr int kTriangles = 10000;

std::vector<NormalTexVertex> Triangles() {
  std::vector<NormalTexVertex> v(3 * kTriangles);
  for (size_t i = 0; i < v.size(); ++i) {
    const auto f = static_cast<float>(i % 640);
    v[i] = NormalTexVertex{f, static_cast<float>(i % 3 * 2), 0, 0, 0, 1, 0xFFFFFFFEu, 0, 0};
  }
  return v;
}

bool StartDevice(benchmark::State& state, bool fake = false) {
  ServiceList_Install();
  PlatformBackends_Put(&PlatformBackends::graphics, fake ? FakeGraphics_CreateSystem : nullptr);
  DeviceWindow_State() = DeviceWindowState{};
  if (Graphics::CreateDevice(nullptr, 640, 480, 0)) return true;
  state.SkipWithError("no graphics device");
  return false;
}

void EndDevice() {
  Graphics::Shutdown();
  Graphics::Release();
  PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
}

// Each iteration is one frame of 100 draws.
template <typename DrawOnce>
void Frames(benchmark::State& state, DrawOnce draw) {
  for (auto _ : state) {
    Graphics::BeginScene();
    Graphics::SetRenderState(kStateLighting, 0);
    Graphics::SetRenderState(kStateZEnable, 0);
    for (int i = 0; i < 100; ++i) draw(i);
    Graphics::EndScene();
    // The fake keeps a line per call; a frame's lines are dropped with it.
    FakeGraphics_Log().calls.clear();
  }
}

// Argument 1: on the recording fake.
void BM_RecordedModel(benchmark::State& state) {
  if (!StartDevice(state, state.range(0) != 0)) return;
  {
    const std::vector<NormalTexVertex> v = Triangles();
    GraphicsRecorder recorder(0xFFFFFFFEu, -1);
    recorder.AddPrimitive(4, static_cast<int32_t>(v.size()), v.data());
    Frames(state, [&](int i) { recorder.Draw(static_cast<float>(i), 0, 0); });
  }
  EndDevice();
}
BENCHMARK(BM_RecordedModel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OneStaticBuffer(benchmark::State& state) {
  if (!StartDevice(state)) return;
  const std::vector<NormalTexVertex> v = Triangles();
  const GfxObject buffer = Graphics::CreateVertexBuffer(v.data(), static_cast<int32_t>(v.size()));
  IGraphicsDevice* device = Graphics::GetDevice();
  Frames(state, [&](int) {
    device->SetStreamSource(0, buffer, 0, sizeof(NormalTexVertex));
    device->SetFVF(kNormalTexFormat);
    device->DrawPrimitive(4, 0, kTriangles);
  });
  Graphics::ReleaseVertexBuffer(buffer);
  EndDevice();
}
BENCHMARK(BM_OneStaticBuffer)->Unit(benchmark::kMillisecond);

void BM_TrianglesThroughTheBatch(benchmark::State& state) {
  if (!StartDevice(state, state.range(0) != 0)) return;
  const std::vector<NormalTexVertex> v = Triangles();
  Frames(state, [&](int) {
    Graphics::AddWholePrimitives(4, nullptr, sizeof(NormalTexVertex), v.data(), static_cast<int32_t>(v.size()));
    Graphics::FlushBatch();
  });
  EndDevice();
}
BENCHMARK(BM_TrianglesThroughTheBatch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

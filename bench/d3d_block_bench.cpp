// 100 blocks a frame, 3600 vertices, at 640 x 480 headless, side by side:
// through the 3D drawing code (each block its own flushed batch) and as one
// raw client-array draw of the same vertices on the same context, both
// finished on the device every frame. The drawing code should stay within
// twice the raw draw's time.
#include <benchmark/benchmark.h>

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

#include <vector>

#include "graphics/3d/graphics_recorder.h"
#include "graphics/3d/mode_3d.h"
#include "graphics/3d/primitive_3d.h"
#include "graphics/3d/transform_3d.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/start/graphics_start.h"
#include "platform/device_window.h"
#include "world/start/service_list.h"

namespace {

constexpr int kBlocks = 100;

void Block(int i) {
  const auto x = static_cast<float>(i % 10 * 64), y = static_cast<float>(i / 10 * 48);
  GR_3D_Draw_Block(x, y, 10, x + 40, y + 30, 40, -1, 1, 1);
}

bool Start(benchmark::State& state) {
  ServiceList_Install();
  DeviceWindow_State() = DeviceWindowState{};
  if (!GR_D3D_Init(nullptr, 640, 480, 0)) {
    state.SkipWithError("no graphics device");
    return false;
  }
  GR_3D_Set_Mode(true);
  GR_3D_Set_Projection_Ortho(0, 0, 640, 480, 0);
  GR_3D_Transform_Set_Identity();
  GR_Draw_Set_Color(0x3060C0);
  return true;
}

void Stop() {
  GR_3D_Set_Mode(false);
  GR_D3D_Shutdown();
  DeviceWindow_Destroy();
}

void BM_BlocksThroughTheDrawingCode(benchmark::State& state) {
  if (!Start(state)) return;
  for (auto _ : state) {
    GR_Clear_Depth();
    for (int i = 0; i < kBlocks; ++i) Block(i);
    glFinish();
  }
  Stop();
}
BENCHMARK(BM_BlocksThroughTheDrawingCode)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BlocksAsOneRawDraw(benchmark::State& state) {
  if (!Start(state)) return;
  // The very vertices the blocks are made of, recorded once.
  GraphicsRecorder recorder(0, -1);
  GR_3D_Set_Recorder(&recorder);
  for (int i = 0; i < kBlocks; ++i) Block(i);
  GR_3D_Set_Recorder(nullptr);
  const std::vector<NormalTexVertex> vertices = recorder.Triangles();
  // One draw call to put the device's matrices and states in place.
  Block(0);
  glUseProgram(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  const auto* base = reinterpret_cast<const uint8_t*>(vertices.data());
  for (auto _ : state) {
    GR_Clear_Depth();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(NormalTexVertex), base);
    glNormalPointer(GL_FLOAT, sizeof(NormalTexVertex), base + 12);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, sizeof(NormalTexVertex), base + 24);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glFinish();
  }
  state.counters["vertices"] = static_cast<double>(vertices.size());
  Stop();
}
BENCHMARK(BM_BlocksAsOneRawDraw)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

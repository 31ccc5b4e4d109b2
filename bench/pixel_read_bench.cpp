// 10,000 draw_getpixel reads in one frame against 10,000 reads from one
// read-back of the whole 640 x 480 screen, headless. Each run draws a point
// first, so neither side finds the screen already read.
#include <benchmark/benchmark.h>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/start/graphics_start.h"
#include "platform/device_window.h"
#include "runtime/memory.h"
#include "world/start/service_list.h"

namespace {

constexpr int32_t kWidth = 640, kHeight = 480, kReads = 10000;

// A frame with a cleared screen and a few shapes to read.
class PixelFrame {
 public:
  PixelFrame() {
    ServiceList_Install();
    DeviceWindow_State() = DeviceWindowState{};
    ok_ = GR_D3D_Init(nullptr, kWidth, kHeight, 0) && GR_D3D_Start_Frame();
    if (!ok_) return;
    GR_Draw_Clear_Alpha(0x203040, 1.0f);
    GR_Draw_Set_Color(0x00FF00);
    GR_Draw_Rectangle(100, 100, 300, 200, 0);
  }
  ~PixelFrame() {
    if (ok_) GR_D3D_Finish_Frame(false);
    Graphics::Shutdown();
    while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
    Graphics::Release();
    DeviceWindow_Destroy();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

void BM_PixelReadsOneByOne(benchmark::State& state) {
  PixelFrame frame;
  if (!frame.ok()) state.SkipWithError("no graphics device");
  for (auto _ : state) {
    GR_Draw_Point(1, 1);
    uint32_t sum = 0;
    for (int32_t i = 0; i < kReads; ++i) sum += GR_Draw_Get_Pixel(i * 37 % kWidth, i * 53 % kHeight);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kReads);
}
BENCHMARK(BM_PixelReadsOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PixelReadsFromOneScreenRead(benchmark::State& state) {
  PixelFrame frame;
  if (!frame.ok()) state.SkipWithError("no graphics device");
  for (auto _ : state) {
    GR_Draw_Point(1, 1);
    Graphics::FlushBatch();
    uint32_t* screen = Graphics::ReadScreenPixels(kWidth, kHeight, 0, 0, kWidth, kHeight);
    uint32_t sum = 0;
    for (int32_t i = 0; screen != nullptr && i < kReads; ++i)
      sum += screen[(i * 53 % kHeight) * kWidth + i * 37 % kWidth];
    MemoryManager::Free(screen);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kReads);
}
BENCHMARK(BM_PixelReadsFromOneScreenRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

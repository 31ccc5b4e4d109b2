// Drawing through a surface against drawing straight to the screen: 2000
// alpha-blended 32 x 32 sprites from one page at 640 x 480, headless; the
// surface form draws them into a 640 x 480 surface and then the surface
// once onto the screen. The two frame rates should stay within 1.15x.
#include <benchmark/benchmark.h>

#include <vector>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/start/graphics_start.h"
#include "graphics/surface/surfaces.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "platform/device_window.h"
#include "world/start/service_list.h"

namespace {

constexpr int32_t kWidth = 640, kHeight = 480;

void DrawSprites(TexturePage* sprite) {
  for (int i = 0; i < 2000; ++i) {
    GR_TexturePage_Draw_Ext(sprite, 16, 16, static_cast<float>(i * 37 % kWidth), static_cast<float>(i * 53 % kHeight),
                            1, 1, static_cast<float>(i) * 0.01f, 0xFFFFFF, 0.75f);
  }
}

void RunFrames(benchmark::State& state, bool throughSurface) {
  ServiceList_Install();
  DeviceWindow_State() = DeviceWindowState{};
  g_screenSize = ScreenSize{kWidth, kHeight};
  if (!GR_D3D_Init(nullptr, kWidth, kHeight, 0)) {
    state.SkipWithError("no graphics device");
    return;
  }
  std::vector<uint32_t> image(128 * 128);
  for (size_t i = 0; i < image.size(); ++i) image[i] = 0x80000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
  const int32_t texture = GR_Texture_Create_From_Pixels(128, 128, image.data(), 128 * 128 * 4);
  TexturePage sprite{};
  sprite.width = sprite.height = sprite.cropWidth = sprite.cropHeight = sprite.fullWidth = sprite.fullHeight = 32;
  sprite.page = static_cast<int16_t>(texture);
  const int32_t surface = GR_Surface_Create(kWidth, kHeight);
  for (auto _ : state) {
    GR_D3D_Start_Frame();
    GR_Set_View_Projection(0, 0, kWidth, kHeight, 0);
    if (throughSurface) GR_Surface_Set_Target(surface);
    DrawSprites(&sprite);
    if (throughSurface) {
      GR_Surface_Reset_Target();
      GR_Surface_Draw(surface, 0, 0);
    }
    Graphics::FlushBatch();
    GR_D3D_Finish_Frame(true);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  GR_Surface_Free_All();
  GR_Texture_Quit();
  GR_D3D_Shutdown();
  DeviceWindow_Destroy();
}

void BM_SpritesToTheScreen(benchmark::State& state) { RunFrames(state, false); }
void BM_SpritesThroughASurface(benchmark::State& state) { RunFrames(state, true); }
BENCHMARK(BM_SpritesToTheScreen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SpritesThroughASurface)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

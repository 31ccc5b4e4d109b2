// Frames per second of a room of sprites from one texture page: 2000
// alpha-blended, linearly filtered 32 x 32 images at 640 x 480, headless.
#include <benchmark/benchmark.h>

#include <vector>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/texture/texture_page.h"
#include "graphics/texture/texture_quads.h"
#include "graphics/texture/texture_table.h"
#include "platform/device_window.h"
#include "world/start/service_list.h"

namespace {

void BM_SpritesFromOnePage(benchmark::State& state) {
  ServiceList_Install();
  DeviceWindow_State() = DeviceWindowState{};
  if (!Graphics::CreateDevice(nullptr, 640, 480, 0)) {
    state.SkipWithError("no graphics device");
    return;
  }
  std::vector<uint32_t> image(128 * 128);
  for (size_t i = 0; i < image.size(); ++i) image[i] = 0x80000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
  const int32_t texture = GR_Texture_Create_From_Pixels(128, 128, image.data(), 128 * 128 * 4);
  TexturePage sprite{};
  sprite.width = sprite.height = sprite.cropWidth = sprite.cropHeight = sprite.fullWidth = sprite.fullHeight = 32;
  sprite.page = static_cast<int16_t>(texture);
  const Matrix identity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  const Matrix projection{{2.0f / 640, 0, 0, 0, 0, -2.0f / 480, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1}};
  int64_t draws = 0;
  for (auto _ : state) {
    Graphics::BeginScene();
    Graphics::SetDefaultStates();
    Graphics::SetRenderState(kStateLighting, 0);
    Graphics::SetRenderState(kStateZEnable, 0);
    Graphics::SetRenderState(kStateAlphaBlend, 1);
    Graphics::SetRenderState(kStateSourceBlend, 5);
    Graphics::SetRenderState(kStateDestinationBlend, 6);
    Graphics::SetSamplerState(0, kSamplerMagFilter, 0);
    Graphics::SetSamplerState(0, kSamplerMinFilter, 0);
    Graphics::SetTransform(0, identity);
    Graphics::SetTransform(2, identity);
    Graphics::SetTransform(1, projection);
    g_vertexBatches = 0;
    for (int i = 0; i < 2000; ++i) {
      GR_TexturePage_Draw_Ext(&sprite, 16, 16, static_cast<float>(i * 37 % 640), static_cast<float>(i * 53 % 480), 1, 1,
                              static_cast<float>(i) * 0.01f, 0xFFFFFF, 0.75f);
    }
    Graphics::FlushBatch();
    draws += g_vertexBatches;
    Graphics::EndScene();
    Graphics::Present();
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["draw_calls_per_frame"] =
      static_cast<double>(draws) / static_cast<double>(state.iterations() > 0 ? state.iterations() : 1);
  GR_Texture_Quit();
  Graphics::Shutdown();
  while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
  Graphics::Release();
  DeviceWindow_Destroy();
}
BENCHMARK(BM_SpritesFromOnePage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

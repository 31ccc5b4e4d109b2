// Frames per second of drawing a room of 2000 instances, each a 32 x 32
// half-transparent sprite blended over the room, at 640 x 480 headless.
#include <benchmark/benchmark.h>

#include <memory>

#include "graphics/device/batcher.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "platform/device_window.h"
#include "resources/sprite.h"
#include "runtime/globals.h"
#include "support/script_host_fake.h"
#include "world/draw/room_draw.h"
#include "world/instance/instance.h"
#include "world/instance/instance_seams.h"
#include "world/object/object.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/start/service_list.h"

namespace {

constexpr int32_t kInstances = 2000;
constexpr int32_t kSide = 32;

std::unique_ptr<TBitmap> HalfTransparent() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(kSide);
  bitmap->SetHeight(kSide);
  uint8_t* pixels = nullptr;
  bitmap->LockBits(0, &pixels, nullptr);
  for (int32_t i = 0; i < kSide * kSide; ++i) {
    pixels[i * 4] = static_cast<uint8_t>(i);
    pixels[i * 4 + 1] = static_cast<uint8_t>(i >> 3);
    pixels[i * 4 + 2] = 0xC0;
    pixels[i * 4 + 3] = 0x80;
  }
  return bitmap;
}

void BM_RoomDraw(benchmark::State& state) {
  ServiceList_Install();
  DeviceWindow_State() = DeviceWindowState{};
  if (!GR_D3D_Init(nullptr, 640, 480, 0)) {
    state.SkipWithError("no graphics device");
    return;
  }
  Graphics::SetProjectionSizeSource(RoomDraw_ProjectionSize);
  Object_Init();
  FakeScriptHost([](ScriptHost& host) { Object_AddEventStores(&host); });
  Sprite_Init();
  if (g_instanceMap.BucketCount() == 0) g_instanceMap.Init(512);
  FakeScriptHost([](ScriptHost& host) { InstanceSeams_AddTo(&host); });
  const int32_t sprite = Sprite_AddEmpty();
  Sprite_Get(sprite)->CreateFromBitmap(HalfTransparent().get(), false, false, false, true, 0, 0, 0);
  for (int32_t i = 0; i < 10; ++i) {
    CObject* object = Object_Place(i);
    object->sprite = sprite;
    object->depth = i * 10;
  }
  auto room = std::make_unique<CRoom>();
  room->width = 640;
  room->height = 480;
  for (int32_t i = 0; i < kInstances; ++i) {
    room->AddInstance(static_cast<float>(i * 37 % 608), static_cast<float>(i * 53 % 448), i % 10);
  }
  g_currentRoom = room.get();
  int64_t batches = 0;
  for (auto _ : state) {
    GR_D3D_Start_Frame();
    g_vertexBatches = 0;
    Room_Draw();
    Graphics::FlushBatch();
    batches += g_vertexBatches;
    GR_D3D_Finish_Frame(true);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["draw_calls_per_frame"] =
      static_cast<double>(batches) / static_cast<double>(state.iterations() > 0 ? state.iterations() : 1);
  g_currentRoom = nullptr;
  room.reset();
  Instance_DeleteAll();
  Sprite_Shutdown();
  Object_Shutdown();
  Graphics::SetProjectionSizeSource(nullptr);
  GR_D3D_Shutdown();
  DeviceWindow_Destroy();
}
BENCHMARK(BM_RoomDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

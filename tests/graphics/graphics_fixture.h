// Shared set-up for the graphics tests: a headless device of a chosen
// system (OpenGL or the recording fake), pixel-space drawing, and a console
// that keeps the trace lines.
#pragma once
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>

#include <string>
#include <vector>

#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/overlay/profiler.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "platform/backends.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"
#include "runtime/console.h"
#include "runtime/memory.h"

class CapturingConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3))) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    lines.emplace_back(buffer);
  }
  std::vector<std::string> lines;
};

// A test that keeps the console lines written while it runs.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
  }
  void TearDown() override { g_debugConsole = saved_; }

  CapturingConsole console_;
  tagIConsole* saved_ = nullptr;
};

struct ColourVertex {
  float x, y, z;
  uint32_t colour;
};
struct TexturedVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};

// The device stopped and the texture table with it, as at the program's
// end: an entry left behind would hold a freed device texture into the next
// test.
inline void StopGraphicsDevice() {
  Graphics::Shutdown();
  GR_Texture_Free_All();
  while (Graphics::TextureList() != nullptr) Graphics::FreeTexture(Graphics::TextureList());
  Graphics::Release();
  DeviceWindow_Destroy();
  PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
}

// The device layer reaches the profiler.
inline void InstallGraphicsStandIns() { ProfilerServices_Install(&ProfilerServices_Real()); }

class GraphicsTest : public ::testing::Test {
 protected:
  GraphicsTest() { InstallGraphicsStandIns(); }
  // Each starts from the drawing state of the program's start; TearDown
  // leaves it so again.
  void StartDevice(bool fake, int32_t width = 64, int32_t height = 64, uint32_t flags = 0) {
    DrawState_Reset();
    PlatformBackends_Put(&PlatformBackends::graphics, fake ? FakeGraphics_CreateSystem : nullptr);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    g_screenSize = ScreenSize{width, height};
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(Graphics::CreateDevice(nullptr, width, height, flags));
  }
  // The drawing core started on the recording device, its batch empty.
  void StartFakeDrawing() {
    DrawState_Reset();
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(GR_D3D_Init(nullptr, 64, 64, 0));
    Graphics::ResetVertexBuffers();
  }
  void TearDown() override {
    StopGraphicsDevice();
    if (saved_ != nullptr) g_debugConsole = saved_;
    DrawState_Reset();
  }
  // Pixel-space drawing into `target`: x right, y down, no states in the way.
  void DrawInto(DeviceTexture* target) {
    IGraphicsDevice* d = Graphics::GetDevice();
    Graphics::PushRenderTarget();
    Graphics::SetRenderTargetTexture(0, target);
    const float w = static_cast<float>(DeviceTexture_Width(target)),
                h = static_cast<float>(DeviceTexture_Height(target));
    const float projection[16] = {2 / w, 0, 0, 0, 0, -2 / h, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    d->SetTransform(D3DTS_PROJECTION, projection);
    d->SetTransform(D3DTS_VIEW, identity);
    d->SetTransform(D3DTS_WORLD, identity);
    d->SetRenderState(D3DRS_LIGHTING, 0);
    d->SetRenderState(D3DRS_ZENABLE, 0);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    d->SetTexture(0, 0);
  }
  void Done() { Graphics::PopRenderTarget(); }
  void Quad(float x0, float y0, float x1, float y1, uint32_t colour) {
    const ColourVertex v[4] = {{x0, y0, 0, colour}, {x1, y0, 0, colour}, {x1, y1, 0, colour}, {x0, y1, 0, colour}};
    Graphics::GetDevice()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    Graphics::GetDevice()->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, v, sizeof(ColourVertex));
  }
  std::vector<uint32_t> Read(DeviceTexture* t) {
    const int32_t w = DeviceTexture_Width(t), h = DeviceTexture_Height(t);
    uint32_t* block = Graphics::ReadTexturePixels(t, 0, 0, w, h);
    std::vector<uint32_t> pixels;
    if (block != nullptr) pixels.assign(block, block + static_cast<size_t>(w) * h);
    MemoryManager::Free(block);
    return pixels;
  }
  bool Traced(const std::string& line) const {
    for (const auto& l : console_.lines) {
      if (l == line) return true;
    }
    return false;
  }

  CapturingConsole console_;
  tagIConsole* saved_ = nullptr;
};

// What was drawn to a screen of the size, pending vertices included: row by
// row, 0xAARRGGBB; empty when the screen cannot be read.
inline std::vector<uint32_t> ReadScreen(int32_t width, int32_t height) {
  Graphics::FlushBatch();
  uint32_t* block = Graphics::ReadScreenPixels(width, height, 0, 0, width, height);
  std::vector<uint32_t> px;
  if (block != nullptr) px.assign(block, block + static_cast<size_t>(width) * static_cast<size_t>(height));
  MemoryManager::Free(block);
  return px;
}

// The drawing core on the OpenGL device at 64 x 64, a frame open and the
// screen cleared to opaque black; Screen() reads back what was drawn.
class ScreenDrawingTest : public GraphicsTest {
 protected:
  static constexpr int32_t kScreenSize = 64;
  static void ScreenProjectionSize(int32_t* w, int32_t* h) {
    *w = g_screenSize.width;
    *h = g_screenSize.height;
  }
  void SetUp() override {
    PlatformBackends_Put(&PlatformBackends::graphics, nullptr);
    saved_ = g_debugConsole;
    g_debugConsole = &console_;
    DeviceWindow_State() = DeviceWindowState{};
    Graphics::SetProjectionSizeSource(ScreenProjectionSize);
    DrawState_Reset();
    ASSERT_TRUE(GR_D3D_Init(nullptr, kScreenSize, kScreenSize, 0));
    ASSERT_TRUE(GR_D3D_Start_Frame());
    GR_Draw_Clear(0xFF000000u);
  }
  void TearDown() override {
    GR_D3D_Finish_Frame(false);
    Graphics::SetProjectionSizeSource(nullptr);
    GraphicsTest::TearDown();
  }
  std::vector<uint32_t> Screen() { return ReadScreen(kScreenSize, kScreenSize); }
};

inline int ChannelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int d = static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255);
    if (d < 0) d = -d;
    if (d > worst) worst = d;
  }
  return worst;
}

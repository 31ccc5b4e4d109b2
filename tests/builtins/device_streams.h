// The drawing built-ins seen where their work ends: the graphics layer on
// the recording device. A built-in with its tricky arguments must send the
// device exactly what a direct call of the module with the expected values
// sends (every call, every vertex byte, and the drawing state read back),
// and something that a run without it does not; a wrong expectation, where
// one is given, must send something else.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "builtin_test_support.h"
#include "graphics/bitmap/bitmap_platform.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "graphics/device/render_states.h"
#include "graphics/draw/draw_primitives.h"
#include "graphics/graphics_fixture.h"
#include "graphics/overlay/profiler.h"
#include "graphics/overlay/profiler_host.h"
#include "graphics/start/graphics_start.h"
#include "graphics/texture/texture_table.h"
#include "platform/backends.h"
#include "platform/device_window.h"
#include "platform/fake/fake_graphics.h"
#include "resources/text_draw.h"
#include "resources/texture_pages.h"
#include "runtime/memory.h"
#include "world/start/overlay_game.h"

namespace devicetest {

using Drawing = std::function<void()>;

// What the device was sent, and the drawing state afterwards.
struct Stream {
  std::vector<std::string> calls;
  std::vector<std::vector<uint8_t>> vertices;
  std::string state;
  bool operator==(const Stream&) const = default;
};

inline void PrintTo(const Stream& s, std::ostream* out) {
  *out << s.state << "\n";
  for (const std::string& call : s.calls) *out << "  " << call << "\n";
  for (const auto& draw : s.vertices) {
    *out << "  vertices:";
    for (uint8_t b : draw) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02x", b);
      *out << hex;
    }
    *out << "\n";
  }
}

// A w x h bitmap of one opaque colour (0xRRGGBB).
inline std::unique_ptr<TBitmap> SolidBitmap(int32_t w, int32_t h, uint32_t rgb) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(w);
  bitmap->SetHeight(h);
  uint8_t* row = nullptr;
  bitmap->LockBits(0, &row, nullptr);
  for (int32_t i = 0; i < w * h; ++i) {
    row[i * 4] = static_cast<uint8_t>(rgb);
    row[i * 4 + 1] = static_cast<uint8_t>(rgb >> 8);
    row[i * 4 + 2] = static_cast<uint8_t>(rgb >> 16);
    row[i * 4 + 3] = 0xFF;
  }
  return bitmap;
}

// The graphics layer started on the recording device at 64 x 64.
class Device {
 public:
  // The colour every run starts with; the alpha is 0.25.
  static constexpr uint32_t kStartColour = 0x123456;

  void Start() {
    ProfilerServices_Install(&ProfilerServices_Real());
    DrawState_Reset();
    PlatformBackends_Put(&PlatformBackends::graphics, FakeGraphics_CreateSystem);
    DeviceWindow_State() = DeviceWindowState{};
    ASSERT_TRUE(GR_D3D_Init(nullptr, 64, 64, 0));
    // The built-in font draws from the overlay's sheet, which the profiler
    // makes.
    ProfilerHost_Install(&ProfilerHost_Game());
    Profiler_Init();
    Graphics::ResetVertexBuffers();
    GR_Text_Reset();
    started_ = true;
  }
  // Call once the resources are made: the built-in font's texture is made
  // at its first use, which must not fall into a compared run.
  void Warm() {
    GR_Text_Draw(0, 0, "A", -1, -1);
    Graphics::FlushBatch();
  }
  void Stop() {
    if (!started_) return;
    started_ = false;
    FakeGraphics_Log().Clear();
    ProfilerHost_Install(nullptr);
    GR_Text_Reset();
    TexturePage_Clear();
    Graphics::ResetVertexBuffers();
    GR_Texture_Quit();
    StopGraphicsDevice();
    DrawState_Reset();
  }

  // The same state before every compared run, the log empty.
  void Fresh() {
    Graphics::ResetVertexBuffers();
    GR_Draw_Set_Blend_Mode(0);
    GR_Draw_Set_Circle_Precision(24);
    GR_Draw_Set_Color(kStartColour);
    GR_Draw_Set_Alpha(0.25f);
    GR_Text_Set_Font(-1);
    GR_Text_Set_Halign(0);
    GR_Text_Set_Valign(0);
    GR_Primitive_Begin(0, -1);
    g_drawDepth = 0.0f;
    g_viewProjection = ViewProjection{};
    g_viewport = ViewportRect{0, 0, 64, 64};
    g_currentViewRect[0] = g_currentViewRect[1] = -100000;
    g_currentViewRect[2] = g_currentViewRect[3] = 100000;
    Graphics::ForgetStateCaches();
    Graphics::SetVertexFormatCache(0);
    // A one-pixel read makes the read-back target every later one reuses.
    MemoryManager::Free(Graphics::ReadScreenPixels(64, 64, 0, 0, 1, 1));
    FakeGraphicsLog& log = FakeGraphics_Log();
    log.calls.clear();
    log.drawnVertices.clear();
    log.keepVertices = log.keepEveryDraw = true;
  }

  // What the drawing state shows: one rectangle, one circle outline and a
  // text in the current colour, alpha, blending, precision, font and
  // alignment.
  static void Probe() {
    GR_Draw_Rectangle(2, 2, 12, 9, 0);
    GR_Draw_Circle(30, 20, 9, 1);
    GR_Text_Draw(4, 40, "Ab", -1, -1);
  }

  // One run from the fresh state: before, the action, then `after` (the
  // probe when none), all of it sent to the device.
  Stream Run(const Drawing& action, const Drawing& before = {}, const Drawing& after = {}) {
    Fresh();
    if (before) before();
    if (action) action();
    if (after) {
      after();
    } else {
      Probe();
    }
    Graphics::FlushBatch();
    char state[160];
    std::snprintf(state, sizeof state, "colour %08X alpha %u blend %d %d circle %d align %d %d vertices %d",
                  g_drawColor, g_drawState.alpha, g_blendSrc, g_drawState.blendDest, g_circlePrecision,
                  GR_Text_Get_Halign(), GR_Text_Get_Valign(), GR_Primitive_Count());
    const FakeGraphicsLog& log = FakeGraphics_Log();
    return Stream{log.calls, log.drawnVertices, state};
  }

  // The built-in's run equals the expected direct calls' and differs from
  // a run without either; a wrong expectation gives another run.
  void ExpectSame(const std::string& what, const Drawing& builtin, const Drawing& expected, const Drawing& wrong = {},
                  const Drawing& before = {}, const Drawing& after = {}) {
    SCOPED_TRACE(what);
    ErrorCapture errors;
    const Stream actual = Run(builtin, before, after);
    EXPECT_TRUE(errors.Messages().empty());
    const Stream direct = Run(expected, before, after);
    EXPECT_EQ(actual, direct);
    EXPECT_NE(actual, Run({}, before, after)) << "the built-in changed nothing that shows";
    if (wrong) {
      EXPECT_NE(direct, Run(wrong, before, after)) << "the wrong expectation looks the same";
    }
  }

 private:
  bool started_ = false;
};

}  // namespace devicetest

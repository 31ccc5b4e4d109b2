#include "world/start/overlay_game.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/bitmap/image_decode.h"
#include "graphics/device/profiler_services.h"
#include "graphics/device/render_states.h"
#include "graphics/graphics_fixture.h"
#include "graphics/overlay/overlay_text.h"
#include "graphics/overlay/profiler.h"
#include "resources/builtin_images.h"
#include "runtime/run_flags.h"
#include "runtime/timer.h"
#include "shell/window.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

class ShownVirtualKeys : public GraphicsTest {
 protected:
  void SetUp() override {
    room_.width = room_.height = 64;
    g_currentRoom = &room_;
    VirtualKeys_Install(VirtualKeyHooks_Game());
    VirtualKeys_Free();
  }
  void TearDown() override {
    VirtualKeys_Free();
    VirtualKeys_Install(VirtualKeyHooks{});
    g_currentRoom = nullptr;
    GraphicsTest::TearDown();
  }
  void Key(int32_t x, int32_t y, int32_t w, int32_t h, bool shown) {
    VirtualKey* key = IO_FindFreeVirtualKey();
    key->flags = static_cast<uint16_t>(kVirtualKeyInUse | (shown ? kVirtualKeyShown : 0));
    key->x1 = x;
    key->y1 = y;
    key->x2 = x + w;
    key->y2 = y + h;
  }
  std::vector<uint32_t> Frame() {
    Graphics::BeginScene();
    Graphics::GetDevice()->Clear(D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
    IO_DrawVirtualKeys();
    std::vector<uint32_t> pixels = Read(Graphics::ScreenTexture());
    Graphics::EndScene();
    return pixels;
  }
  CRoom room_;
};

TEST_F(ShownVirtualKeys, AShownKeyIsScaledFromTheRoomToTheDrawingArea) {
  StartDevice(false, 128, 128);
  Key(8, 8, 16, 8, true);
  Key(40, 40, 8, 8, false);
  const std::vector<uint32_t> pixels = Frame();
  ASSERT_EQ(pixels.size(), 128u * 128u);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const bool inside = x >= 16 && x <= 47 && y >= 16 && y <= 31;
      ASSERT_EQ(pixels[static_cast<size_t>(y) * 128 + x] & 0xFFFFFFu, inside ? 0xFFFFFFu : 0u) << x << "," << y;
    }
  }
}

TEST_F(ShownVirtualKeys, WithoutARoomNothingIsDrawn) {
  StartDevice(false, 128, 128);
  g_currentRoom = nullptr;
  Key(8, 8, 16, 8, true);
  for (uint32_t p : Frame()) ASSERT_EQ(p & 0xFFFFFFu, 0u);
}

class OverlayFrames : public GraphicsTest {
 protected:
  void SetUp() override {
    StartDevice(false, 128, 128);
    Graphics::SetDefaultStates();
    // The normal blend mode a game starts with.
    Graphics::SetRenderState(kStateSourceBlend, D3DBLEND_SRCALPHA);
    Graphics::SetRenderState(kStateDestinationBlend, D3DBLEND_INVSRCALPHA);
    g_screenWidth = g_screenHeight = 128;
    ProfilerHost_Install(&ProfilerHost_Game());
    Timer_SelectClock(TimerClockKind::kVirtual);
    Profiler_Reset();
    Profiler_Init();
  }
  void TearDown() override {
    g_runFlags.overlayFlags = 0;
    Timer_SelectClock(TimerClockKind::kFromSwitches);
    ProfilerHost_Install(nullptr);
    GraphicsTest::TearDown();
  }
  std::vector<uint32_t> WhiteFrame(int32_t flags) {
    g_runFlags.overlayFlags = flags;
    Graphics::BeginScene();
    Graphics::GetDevice()->Clear(D3DCLEAR_TARGET, 0xFFFFFFFFu, 1, 0);
    Timer_WaitMicroseconds(20000);
    Graphics::EndScene();
    return Read(Graphics::ScreenTexture());
  }
  static uint32_t At(const std::vector<uint32_t>& p, int x, int y) {
    return p[static_cast<size_t>(y) * 128 + x] & 0xFFFFFFu;
  }
};

TEST_F(OverlayFrames, TheBarsAndFpsLineStayInTheTopRowsAndNoFlagsDrawNothing) {
  const std::vector<uint32_t> plain = WhiteFrame(0);
  for (uint32_t p : plain) ASSERT_EQ(p & 0xFFFFFFu, 0xFFFFFFu);
  const std::vector<uint32_t> bars = WhiteFrame(2);
  bool changed = false;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      if (y > 20) {
        ASSERT_EQ(At(bars, x, y), 0xFFFFFFu) << x << "," << y;
      }
      changed = changed || At(bars, x, y) != 0xFFFFFFu;
    }
  }
  EXPECT_TRUE(changed);
  EXPECT_NE(At(bars, 10, 15), 0xFFFFFFu) << "the frame's bar, 0.3 of the width, in its marker colours";
}

TEST_F(OverlayFrames, ThePanelDarkensTheTopHundredRows) {
  const std::vector<uint32_t> panel = WhiteFrame(1);
  for (const auto& xy : {std::pair{2, 95}, std::pair{120, 70}, std::pair{2, 2}}) {
    const uint32_t p = At(panel, xy.first, xy.second);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(static_cast<int>((p >> shift) & 255), 63, 1) << xy.first << "," << xy.second;
  }
  EXPECT_EQ(At(panel, 5, 110), 0xFFFFFFu);
}

// A glyph drawn white at scale 1 without interpolation shows its piece of
// the decoded font sheet: exactly where the sheet is opaque, the black
// clear where it is clear.
TEST_F(OverlayFrames, AGlyphAtScaleOneShowsItsPieceOfTheSheet) {
  uint32_t size = 0;
  const uint8_t* data = EmbeddedImage_Data(kBuiltinImageFontSheet, &size);
  const DecodedImage sheet = Image_Decode(data, size, 0);
  ASSERT_NE(sheet.pixels, nullptr);
  const bool interpolation = GR_Texture_Get_Interpolation();
  GR_Texture_Set_Interpolation(false);
  for (const char glyph : {'A', 'g', '%'}) {
    Graphics::BeginScene();
    Graphics::GetDevice()->Clear(D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
    GR_Overlay_Begin();
    const char text[2] = {glyph, 0};
    GR_Overlay_Draw_Text_Raw(20, 30, 1, 1, 0xFFFFFFFFu, text, 1);
    Graphics::FlushBatch();
    GR_Overlay_End();
    const std::vector<uint32_t> screen = Read(Graphics::ScreenTexture());
    Graphics::EndScene();
    ASSERT_EQ(screen.size(), 128u * 128u);
    const uint8_t* box = g_debugFontGlyphBoxes + 4 * (glyph - kDebugFontFirst);
    int opaque = 0, clear = 0;
    for (int y = 0; y < box[3]; ++y) {
      for (int x = 0; x < box[2]; ++x) {
        const uint32_t s = sheet.pixels[static_cast<size_t>(box[1] + y) * sheet.width + box[0] + x];
        const uint32_t got = At(screen, 20 + x, 30 + y);
        if (s >> 24 == 255) {
          ++opaque;
          ASSERT_EQ(got, s & 0xFFFFFFu) << glyph << " " << x << "," << y;
        } else if (s >> 24 == 0) {
          ++clear;
          ASSERT_EQ(got, 0u) << glyph << " " << x << "," << y;
        }
      }
    }
    EXPECT_GT(opaque, 4) << glyph;
    EXPECT_GT(clear, 4) << glyph;
    for (int x = 0; x < 128; ++x) {
      EXPECT_EQ(At(screen, x, 29), 0u) << "above the glyph, " << x;
      EXPECT_EQ(At(screen, x, 30 + box[3]), 0u) << "below the glyph, " << x;
    }
  }
  GR_Texture_Set_Interpolation(interpolation);
  MemoryManager::Free(sheet.pixels);
}

}  // namespace

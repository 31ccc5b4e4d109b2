#include "world/start/overlay_game.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/graphics_fixture.h"
#include "world/room/room.h"
#include "world/room/room_change.h"

namespace {

class ShownVirtualKeys : public GraphicsTest {
 protected:
  void SetUp() override {
    room_.width = room_.height = 64;
    g_currentRoom = &room_;
    VirtualKeys_SetServices(VirtualKeyServices_Game());
    VirtualKeys_Free();
  }
  void TearDown() override {
    VirtualKeys_Free();
    VirtualKeys_SetServices(VirtualKeyServices{});
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

}  // namespace

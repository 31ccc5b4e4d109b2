#include "world/input/virtual_keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/ini_file.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/graphics_fixture.h"
#include "platform/fake/fake_graphics.h"
#include "script/compiler/constants.h"
#include "world/input/input.h"
#include "world/input_test_support.h"

namespace {

VirtualKeySize g_port{100, 100};

// Keys are drawn on the recording device, whose back buffer is the
// drawing area keys are scaled to; names resolve through the built-in
// constants, with one above a byte.
class VirtualKeys : public GraphicsTest {
 protected:
  void SetUp() override {
    inputtest::ResetInput();
    StartDevice(true, 200, 200);
    FakeGraphics_Log().keepVertices = true;
    g_port = {100, 100};
    VirtualKeys_Install(VirtualKeyHooks{[] { return g_port; }});
    Code_Constant_Init();
    Code_Constant_AddReal("vk_big", 256 + 65);
  }
  void TearDown() override {
    Code_Constant_Free();
    VirtualKeys_Install(VirtualKeyHooks{});
    inputtest::ResetInput();
    GraphicsTest::TearDown();
  }
  // The vertices of the last triangle list drawn since the last call.
  static std::vector<TexVertex> Drawn() {
    std::vector<uint8_t>& bytes = FakeGraphics_Log().lastVertices;
    std::vector<TexVertex> vertices(bytes.size() / sizeof(TexVertex));
    if (!vertices.empty()) std::memcpy(vertices.data(), bytes.data(), vertices.size() * sizeof(TexVertex));
    bytes.clear();
    return vertices;
  }

  void Load(const std::string& text) {
    CIniFile ini("kv-never-written.ini", false);
    ini.ParseText(text.c_str(), static_cast<int32_t>(text.size()));
    IO_LoadVirtualButtons(&ini);
  }

  // A key in room pixels, driving `code` (0: mouse button `button`).
  static VirtualKey* Add(int32_t x, int32_t y, int32_t w, int32_t h, int32_t code, int32_t button = 0) {
    VirtualKey* key = IO_FindFreeVirtualKey();
    key->x1 = x;
    key->y1 = y;
    key->w = w;
    key->h = h;
    key->x2 = x + w;
    key->y2 = y + h;
    key->key = code;
    key->button = button;
    key->flags = kVirtualKeyInUse;
    return key;
  }
  // One pointer held, in window pixels, for the next step.
  static void StepTouching(int32_t x, int32_t y) {
    IO_SetPointerSlot(0, x, y);
    IO_Update();
  }
};

std::string Section(int i, const std::string& body) { return "[IO_BUTTON_" + std::to_string(i) + "]\n" + body; }

TEST_F(VirtualKeys, KeysAndButtonsComeFromTheOptionsFile) {
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=7\nTEXTURE=pad.png\n" +
       Section(0, "X=10\nY=20\nW=30\nH=40\nU=5\nV=6\nKEY=A\n") + Section(1, "KEY=VK_SPACE\n") +
       Section(2, "KEY=vk_space\n") + Section(3, "KEY=MB_LEFT\nBUTTON=MB_RIGHT\n") +
       Section(4, "KEY=VK_NOSUCHKEY\nBUTTON=mb_left\n") + Section(5, "KEY=\nX=2147483647\nW=9\n") +
       Section(6, "KEY=VK_BIG\n"));
  const VirtualKey* k = g_virtualKeys;
  EXPECT_STREQ(VirtualKeys_TextureName(), "pad.png");
  EXPECT_EQ(k[0].key, 65);
  EXPECT_EQ(k[0].x2, 40);
  EXPECT_EQ(k[0].y2, 60);
  EXPECT_EQ(k[0].u, 5);
  EXPECT_EQ(k[0].flags, kVirtualKeyInUse) << "in use, not shown";
  EXPECT_EQ(k[1].key, 32);
  EXPECT_EQ(k[2].key, 'v') << "only capital VK_ names constants";
  EXPECT_EQ(k[3].key, 0);
  EXPECT_EQ(k[3].button, 2);
  EXPECT_EQ(k[4].key, 0);
  EXPECT_EQ(k[4].button, 0) << "only capital MB_ names a button";
  EXPECT_EQ(k[5].key, 0);
  EXPECT_EQ(k[5].x2, INT32_MAX) << "a huge position saturates";
  EXPECT_EQ(k[6].key, 65) << "the low byte of the constant";
  EXPECT_EQ(k[7].flags, 0);
  EXPECT_EQ(k[6].index, 6);
}

TEST_F(VirtualKeys, NamesResolveThroughTheBuiltInConstants) {
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=3\n" + Section(0, "KEY=VK_SPACE\n") + Section(1, "KEY=VK_F1\n") +
       Section(2, "KEY=MB_LEFT\nBUTTON=MB_MIDDLE\n"));
  EXPECT_EQ(g_virtualKeys[0].key, 32);
  EXPECT_EQ(g_virtualKeys[1].key, 112);
  EXPECT_EQ(g_virtualKeys[2].button, 3);
}

TEST_F(VirtualKeys, OddCountsStayWithinTheTable) {
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=2000000000\n");
  EXPECT_EQ(IO_FindFreeVirtualKey(), nullptr);
  VirtualKeys_Free();
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=-4\n[IO_BUTTON_0]\nKEY=A\n");
  EXPECT_EQ(g_virtualKeys[0].flags, 0);
  EXPECT_EQ(VirtualKeys_TextureName(), nullptr);
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=x\n");
  EXPECT_EQ(g_virtualKeys[0].flags, 0);
  IO_LoadVirtualButtons(nullptr);
}

TEST_F(VirtualKeys, KeysReadBeforeStartUpSurviveIt) {
  IO_Free();
  Load("[IO_VIRTUAL_BUTTONS]\nNUM_BUTTONS=1\n[IO_BUTTON_0]\nKEY=B\n");
  IO_Init();
  EXPECT_EQ(g_virtualKeys[0].key, 'B');
  EXPECT_EQ(g_virtualKeys[0].flags, kVirtualKeyInUse);
}

TEST_F(VirtualKeys, TouchPressesThenHoldsThenReleases) {
  Add(10, 10, 20, 20, 'K');
  StepTouching(40, 40);  // room (20, 20)
  EXPECT_TRUE(IO_KeyPressed('K'));
  EXPECT_FALSE(IO_KeyDown('K'));
  StepTouching(40, 40);
  EXPECT_FALSE(IO_KeyPressed('K'));
  EXPECT_TRUE(IO_KeyDown('K'));
  IO_Update();
  EXPECT_TRUE(IO_KeyReleased('K'));
  EXPECT_FALSE(IO_KeyDown('K'));
  EXPECT_EQ(g_pointerSlots[0].flags, 0u) << "a slot is used once";
}

TEST_F(VirtualKeys, EdgesAndScaling) {
  Add(10, 10, 20, 20, 'K');
  StepTouching(60, 20);  // room x 30 = x2: outside
  EXPECT_FALSE(IO_KeyPressed('K'));
  StepTouching(59, 20);  // room x 29
  EXPECT_TRUE(IO_KeyPressed('K'));
  IO_Update();
  StepTouching(20, 19);  // room (10, 9): above
  EXPECT_FALSE(IO_KeyPressed('K'));
  StepTouching(INT32_MAX, INT32_MAX);
  EXPECT_FALSE(IO_KeyPressed('K'));
}

TEST_F(VirtualKeys, ButtonKeysDriveTheSystemMouse) {
  Add(0, 0, 50, 50, 0, 2);
  Add(50, 0, 50, 50, 0, -1);  // mb_any: drives nothing
  Add(0, 50, 50, 50, 0, 0);
  IO_SetPointerSlot(0, 10, 10);
  IO_SetPointerSlot(1, 150, 10);
  IO_SetPointerSlot(2, 10, 150);
  IO_Update();
  EXPECT_TRUE(IO_ButtonPressed(2, 0));
  EXPECT_FALSE(IO_ButtonPressed(1, 0));
  EXPECT_FALSE(IO_ButtonPressed(3, 0));
  StepTouching(10, 10);
  EXPECT_TRUE(IO_ButtonDown(2, 0));
  IO_Update();
  EXPECT_TRUE(IO_ButtonReleased(2, 0));
}

TEST_F(VirtualKeys, OnlyTheFirst32React) {
  for (int i = 0; i < 33; ++i) Add(0, 0, 100, 100, 'A' + i % 26);
  g_virtualKeys[31].key = '1';
  g_virtualKeys[32].key = '2';
  StepTouching(10, 10);
  EXPECT_TRUE(IO_KeyPressed('1'));
  EXPECT_FALSE(IO_KeyPressed('2'));
  StepTouching(10, 10);
  EXPECT_FALSE(IO_KeyDown('2'));
}

TEST_F(VirtualKeys, NoAreaMeansNoHitsAndNoDrawing) {
  VirtualKey* key = Add(0, 0, 100, 100, 'K');
  key->flags |= kVirtualKeyShown;
  g_port = {0, 0};
  StepTouching(10, 10);
  EXPECT_FALSE(IO_KeyPressed('K'));
  IO_DrawVirtualKeys();
  EXPECT_TRUE(Drawn().empty());
  g_port = {100, 100};
  g_screenSize = ScreenSize{0, 600};
  StepTouching(10, 10);
  EXPECT_FALSE(IO_KeyPressed('K'));
  IO_DrawVirtualKeys();
  EXPECT_TRUE(Drawn().empty());

  // A key held when the area goes away is released.
  g_screenSize = ScreenSize{200, 200};
  StepTouching(10, 10);
  EXPECT_TRUE(IO_KeyPressed('K'));
  g_port = {0, 0};
  StepTouching(10, 10);
  EXPECT_TRUE(IO_KeyReleased('K'));
}

TEST_F(VirtualKeys, ShownKeysAreDrawnScaledToTheWindow) {
  VirtualKey* shown = Add(10, 10, 20, 10, 'K');
  shown->flags |= kVirtualKeyShown;
  Add(50, 50, 10, 10, 'L');  // in use, hidden
  VirtualKey* unused = Add(0, 0, 5, 5, 'M');
  unused->flags = kVirtualKeyShown;  // shown but not in use
  g_screenSize = ScreenSize{200, 100};
  IO_DrawVirtualKeys();
  const std::vector<TexVertex> drawn = Drawn();
  ASSERT_EQ(drawn.size(), 6u);
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (const TexVertex& v : drawn) {
    minX = std::min(minX, v.x);
    maxX = std::max(maxX, v.x);
    minY = std::min(minY, v.y);
    maxY = std::max(maxY, v.y);
    EXPECT_EQ(v.colour, 0xFFFFFFFFu);
    EXPECT_EQ(v.z, 0.5f);
  }
  EXPECT_EQ(minX, 20.0f);
  EXPECT_EQ(maxX, 60.0f);
  EXPECT_EQ(minY, 10.0f);
  EXPECT_EQ(maxY, 20.0f);
}

}  // namespace

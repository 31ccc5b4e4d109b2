// Device creation, reset, frames and the render-target stack, mostly on the
// recording device so that the order of calls can be checked.
#include <algorithm>

#include "graphics/graphics_fixture.h"

namespace {

class DeviceFrames : public GraphicsTest {};

TEST_F(DeviceFrames, HeadlessCreationTracesItsStepsInOrder) {
  StartDevice(false, 640, 480);
  const std::vector<std::string> expected = {
      "Create D3D9 interface\n",
      "Enumerate Adapters\n",
      "Selected Resolution: 640x480\n",
      "Get Current Desktop Display Mode\n",
      "Prepare to create device\n",
      "Creating D3D device - ARGB=32bit, D24S8, SwapEffect=Copy, Hardware vertex processing\n",
      "Creating screen render target\n",
      "Get Device Caps\n",
      "Graphics initialisation end...\n"};
  EXPECT_EQ(console_.lines, expected);
  EXPECT_EQ(Graphics::TexturePool(), D3DPOOL_MANAGED);
  EXPECT_EQ(Graphics::MultisampleMask(), 0u);  // no anti-aliasing level passes
  ASSERT_NE(Graphics::ScreenTexture(), nullptr);
  EXPECT_EQ(DeviceTexture_Width(Graphics::ScreenTexture()), 640);
  EXPECT_EQ(Graphics::GetDisplayColorDepth(), 32);
  EXPECT_TRUE(Graphics::TestDisplayMode(1920, 1080, 60, 32));
  EXPECT_FALSE(Graphics::TestDisplayMode(800, 600, 0, 0));
  // The desktop's mode never changes: only a request that changes nothing
  // is granted.
  EXPECT_TRUE(Graphics::SetDisplayMode(1920, 1080, 60, 32));
  EXPECT_TRUE(Graphics::SetDisplayMode(0, -1, 60, 0));
  EXPECT_FALSE(Graphics::SetDisplayMode(1920, 1080, 75, 32));
  EXPECT_TRUE(Graphics::SetDisplaySize(1920, 1080));
  EXPECT_FALSE(Graphics::SetDisplaySize(800, 600));
  EXPECT_FALSE(Graphics::SetDisplaySize(1920, 600));
  EXPECT_TRUE(Graphics::SetDisplayFrequency(60));
  EXPECT_FALSE(Graphics::SetDisplayColorDepth(16));
}

TEST_F(DeviceFrames, RefusedDeviceFallsBackToD16AndDiscard) {
  FakeGraphics_Log().Clear();
  FakeGraphics_Log().Fail("CreateDevice");
  StartDevice(true);
  EXPECT_TRUE(Traced("Creating D3D device - ARGB=32bit, D16, SwapEffect=Discard, Software Vertex Processing\n"));
  EXPECT_TRUE(FakeGraphics_Log().Has("CreateDevice 64x64 behaviour=22 depth=80 swap=1"));
}

TEST_F(DeviceFrames, ResetRunsItsStepsInOrderAndKeepsTheScreenTarget) {
  StartDevice(true, 320, 240);
  Graphics::BeginScene();
  console_.lines.clear();
  Graphics::RequestWindowSize(400, 300);
  ASSERT_TRUE(Graphics::Reset());
  const std::vector<std::string> expected = {"--Reset Begin\n",
                                             "Restore Target\n",
                                             "Check Display Mode\n",
                                             "Free Screen Texture\n",
                                             "Toggle Fullscreen/windowed mode settings\n",
                                             "Execute Reset()\n",
                                             "WindowedMode: Setup window prefs\n",
                                             "Recreate screen texture\n",
                                             "--Reset End\n"};
  EXPECT_EQ(console_.lines, expected);
  EXPECT_TRUE(FakeGraphics_Log().Has("Reset 400x300 windowed=1"));
  int32_t bw = 0, bh = 0;
  Graphics::GetBackBufferSize(&bw, &bh);
  EXPECT_EQ(bw, 400);
  EXPECT_EQ(bh, 300);
  // The screen keeps its size and is the target again inside the open frame.
  EXPECT_EQ(DeviceTexture_Width(Graphics::ScreenTexture()), 320);
  EXPECT_EQ(Graphics::RenderTargetDepth(), 1);
  Graphics::EndScene();
}

TEST_F(DeviceFrames, FailedResetRetriesWithoutAntiAliasing) {
  StartDevice(true);
  FakeGraphics_Log().Fail("Reset", 1, D3DERR_INVALIDCALL);
  Graphics::SetMultisample(3);
  ASSERT_TRUE(Graphics::Reset());
  EXPECT_TRUE(Traced("Reset() Failed: 8876086C\n"));
  EXPECT_TRUE(Traced("Change SWAP+Multisample type effect, try Reset() again\n"));
  FakeGraphics_Log().Fail("Reset", 2, D3DERR_INVALIDCALL);
  EXPECT_FALSE(Graphics::Reset());
}

TEST_F(DeviceFrames, PlacedWindowKeepsItsPlaceAndOtherwiseIsCentred) {
  StartDevice(true, 200, 100);
  DeviceWindow* window = DeviceWindow_Get(0, 0);
  ASSERT_NE(window, nullptr);
  DeviceWindow_SetBounds(window, 33, 44, 200, 100);
  DeviceWindow_State().positionGiven = true;
  Graphics::RequestWindowSize(300, 200);
  ASSERT_TRUE(Graphics::Reset());
  int32_t x = 0, y = 0, w = 0, h = 0;
  DeviceWindow_GetPosition(window, &x, &y);
  DeviceWindow_GetClientSize(window, &w, &h);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(y, 44);
  EXPECT_EQ(w, 300);
  EXPECT_FALSE(DeviceWindow_State().positionGiven);
  ASSERT_TRUE(Graphics::Reset());
  DeviceWindow_GetPosition(window, &x, &y);
  EXPECT_EQ(x, (1920 - 300) / 2);
  EXPECT_EQ(y, (1080 - 200) / 2);
}

TEST_F(DeviceFrames, RenderTargetStackRefusesEmptyPopsAndANinthPush) {
  StartDevice(true);
  EXPECT_FALSE(Graphics::PopRenderTarget());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Graphics::PushRenderTarget());
  EXPECT_FALSE(Graphics::PushRenderTarget());
  EXPECT_EQ(Graphics::RenderTargetDepth(), 8);
  Graphics::PopAllRenderTargets();
  EXPECT_EQ(Graphics::RenderTargetDepth(), 0);
}

TEST_F(DeviceFrames, FrameEndWithASurfaceStillBoundRestoresAndReleasesEverything) {
  StartDevice(true);
  const uint32_t before = FakeGraphics_Log().liveObjects;
  DeviceTexture* surface = Graphics::CreateTexture(32, 32, 1, true, 6);
  Graphics::BeginScene();
  Graphics::PushRenderTarget();
  Graphics::SetRenderTargetTexture(0, surface);
  FakeGraphics_Log().Clear();
  Graphics::EndScene();
  EXPECT_EQ(Graphics::RenderTargetDepth(), 0);
  // The screen is drawn with the back buffer (object 1) as the target.
  const auto& calls = FakeGraphics_Log().calls;
  auto draw =
      std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("DrawPrimitiveUP", 0) == 0; });
  auto back = std::find(calls.begin(), calls.end(), "SetRenderTarget 0 1");
  ASSERT_NE(draw, calls.end());
  ASSERT_NE(back, calls.end());
  EXPECT_LT(back - calls.begin(), draw - calls.begin());
  Graphics::FreeTexture(surface);
  EXPECT_EQ(FakeGraphics_Log().liveObjects, before);
}

TEST_F(DeviceFrames, EntryPointsWithoutADeviceDoNothing) {
  EXPECT_FALSE(Graphics::HasDevice());
  EXPECT_EQ(Graphics::CreateTexture(64, 64, 1, false, 6), nullptr);
  EXPECT_FALSE(Graphics::PushRenderTarget());
  EXPECT_FALSE(Graphics::PopRenderTarget());
  EXPECT_FALSE(Graphics::Present());
  EXPECT_FALSE(Graphics::Reset());
  EXPECT_EQ(Graphics::ReadScreenPixels(10, 10, 0, 0, 10, 10), nullptr);
  EXPECT_EQ(Graphics::GetFogSupport(), 0);
  Graphics::BeginScene();
  EXPECT_EQ(Graphics::SceneDepth(), 0);
}

struct LetterboxCase {
  int32_t backWidth, backHeight, x, y;
};

TEST_F(DeviceFrames, LetterboxOffsetsCentreTheGameSizedPicture) {
  StartDevice(true, 640, 480, Graphics::kCreateKeepAspect);
  const LetterboxCase cases[] = {{1000, 480, 180, 0}, {640, 600, 0, 60}, {640, 480, 0, 0}};
  for (const LetterboxCase& c : cases) {
    Graphics::RequestWindowSize(c.backWidth, c.backHeight);
    ASSERT_TRUE(Graphics::Reset());
    g_screenSize = ScreenSize{640, 480};
    int32_t x = -1, y = -1;
    Graphics::GetLetterboxOffset(&x, &y);
    EXPECT_EQ(x, c.x) << c.backWidth << "x" << c.backHeight;
    EXPECT_EQ(y, c.y) << c.backWidth << "x" << c.backHeight;
  }
  Graphics::SetKeepAspect(false);
  int32_t x = -1, y = -1;
  Graphics::GetLetterboxOffset(&x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST_F(DeviceFrames, ModeChoicePrefersTheSmallestModeThatHoldsTheRequest) {
  FakeGraphics_Log().modes = {
      {0, 0, 1280, 1024, 32, 60}, {0, 0, 700, 500, 32, 60}, {0, 0, 600, 490, 32, 60}, {0, 0, 800, 600, 16, 60}};
  StartDevice(true, 640, 480);
  DisplayModeEntry e = Graphics::FindDisplayMode(640, 480);
  EXPECT_EQ(e.width, 700);
  EXPECT_EQ(e.height, 500);
  // Nothing holds 2000x2000: the nearest area wins, 32 bits before 16.
  FakeGraphics_Log().modes = {{0, 0, 1280, 1024, 16, 60}, {0, 0, 1280, 1024, 32, 75}, {0, 0, 1280, 1024, 32, 60}};
  Graphics::EnumerateAdapters();
  e = Graphics::FindDisplayMode(2000, 2000);
  EXPECT_EQ(e.bitsPerPixel, 32);
  EXPECT_EQ(e.frequency, 60);
  FakeGraphics_Log().modes = {{0, 0, 1920, 1080, 32, 60}};
}

}  // namespace

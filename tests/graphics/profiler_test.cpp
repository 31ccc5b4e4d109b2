#include "graphics/overlay/profiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "graphics/overlay/overlay_text.h"
#include "graphics/overlay/profiler_host.h"
#include "runtime/run_flags.h"
#include "runtime/timer.h"
#include "shell/window.h"

namespace {

// Every glyph 8 wide and 10 high, at (c, 0) on the sheet.
uint8_t g_boxes[4 * 105];
int32_t g_mouseX = 0, g_mouseY = 0;
bool g_released = false;

void Mouse(int32_t* x, int32_t* y) {
  *x = g_mouseX;
  *y = g_mouseY;
}
bool Released() { return g_released; }
bool NotPaused() { return false; }
void Port(int32_t* w, int32_t* h) { *w = *h = 100; }
bool NoTitle(const char**, int32_t*, int32_t*) { return false; }
int32_t NoTexture() { return -1; }
const uint8_t* Boxes() { return g_boxes; }

constexpr ProfilerHost kHost{Mouse, Released, NotPaused, Port, NoTitle, NoTexture, Boxes};

class Profiler : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    for (int i = 0; i < 105; ++i) {
      g_boxes[4 * i] = static_cast<uint8_t>(i);
      g_boxes[4 * i + 2] = 8;
      g_boxes[4 * i + 3] = 10;
    }
    ProfilerHost_Install(&kHost);
    Timer_SelectClock(TimerClockKind::kVirtual);
    Profiler_Reset();
    g_runFlags.overlayFlags = 0;
    g_presentTime = 0;
    g_screenSize = ScreenSize{100, 100};
    g_screenWidth = 100;
    g_screenHeight = 100;
  }
  void TearDown() override {
    ProfilerHost_Install(nullptr);
    Timer_SelectClock(TimerClockKind::kFromSwitches);
    g_runFlags.overlayFlags = 0;
    DrawState_Reset();
    ConsoleTest::TearDown();
  }
  void Frame(int64_t us) {
    Profiler_Start_Frame();
    Timer_WaitMicroseconds(us);
    Profiler_Draw();
  }
  std::string Logged() {
    console_.lines.clear();
    Profiler_Log_FPS();
    return console_.lines.size() == 4 ? console_.lines[2] : "";
  }
  void Tap(int32_t x, int32_t y) {
    g_mouseX = x;
    g_mouseY = y;
    g_released = true;
    Profiler_Handle_Taps();
    g_released = false;
  }
};

TEST_F(Profiler, FrameRatesAreCountedAfterTheFirstHundredAndOneFrames) {
  for (int i = 0; i < 5; ++i) Frame(20000);
  EXPECT_EQ(Profiler_Stats().lastFps, 50);
  EXPECT_EQ(Logged(), "2147483647, -2147483648, 30\n");
  EXPECT_EQ(console_.lines[1], "minFPS, maxFPS, avgFPS\n");
  EXPECT_EQ(console_.lines[0], std::string(63, '-') + "\n");
  EXPECT_EQ(console_.lines[3], console_.lines[0]);
  for (int i = 0; i < 98; ++i) Frame(20000);
  EXPECT_EQ(Logged(), "50, 50, 45\n");
}

TEST_F(Profiler, AFrameOfNoTimeCountsAsOneMicrosecond) {
  Frame(0);
  EXPECT_EQ(Profiler_Stats().lastFps, 1000000);
  g_presentTime = 5000;
  Frame(15000);
  EXPECT_EQ(Profiler_Stats().lastFps, 50);
}

TEST_F(Profiler, MarkersBeyondTheLimitsAreNotRecordedAndCloseNothing) {
  Profiler_Start_Frame();
  for (int i = 1; i < kProfilerMaxDepth; ++i) Profiler_Begin(0xFF, "deep");
  Profiler_Begin(0xFF, "too deep");
  EXPECT_EQ(Profiler_MarkerCount(), kProfilerMaxDepth);
  Timer_WaitMicroseconds(10);
  Profiler_End();
  EXPECT_EQ(Profiler_Marker(kProfilerMaxDepth - 1).end, Profiler_Marker(kProfilerMaxDepth - 1).start);
  Profiler_End();
  EXPECT_EQ(Profiler_Marker(kProfilerMaxDepth - 1).end, 10 + Profiler_Marker(kProfilerMaxDepth - 1).start);
  for (int i = 2; i < kProfilerMaxDepth; ++i) Profiler_End();
  for (int i = kProfilerMaxDepth; i < kProfilerMaxMarkers; ++i) {
    Profiler_Begin(0xFF, "flat");
    Profiler_End();
  }
  Profiler_Begin(0xFF, "one too many");
  Timer_WaitMicroseconds(10);
  Profiler_End();
  EXPECT_EQ(Profiler_MarkerCount(), kProfilerMaxMarkers);
  Timer_WaitMicroseconds(20);
  Profiler_Draw();
  EXPECT_EQ(Profiler_Stats().frameTime, 40);
  Profiler_Start_Frame();
  EXPECT_EQ(Profiler_MarkerCount(), 1);
}

TEST_F(Profiler, AFrameLeftWithOpenMarkersMeasuresTotalWhole) {
  Profiler_Start_Frame();
  Profiler_Begin(0xFF00FF00u, "IO&Vexa");
  Profiler_Begin(0xFF0000FFu, "Update");
  Timer_WaitMicroseconds(3000);
  Profiler_Draw();
  EXPECT_EQ(Profiler_Stats().frameTime, 3000);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Profiler_Marker(i).end, Profiler_Marker(i).start + 3000) << i;
}

TEST_F(Profiler, ZoneSequencesOpenThePanelAndOfferTheSwitch) {
  const int32_t corners[7][2] = {{5, 5}, {95, 5}, {95, 95}, {5, 95}, {55, 55}, {5, 5}, {95, 95}};
  for (int i = 0; i < 6; ++i) Tap(corners[i][0], corners[i][1]);
  EXPECT_EQ(Profiler_ZonePosition(), 6);
  Tap(-50, 500);
  EXPECT_EQ(Profiler_ZonePosition(), 6);
  Tap(95, 95);
  EXPECT_EQ(g_runFlags.overlayFlags & kOverlayPanel, 1);
  EXPECT_EQ(Profiler_ZonePosition(), 0);
  Tap(50, 5);
  EXPECT_EQ(Profiler_ZonePosition(), 1);
  Tap(20, 20);  // on the FPS switch: a wrong sequence tap while it is not offered
  EXPECT_EQ(Profiler_ZonePosition(), 0);
  EXPECT_EQ(g_runFlags.overlayFlags & kOverlayBars, 0);
  const int32_t sides[8][2] = {{50, 5}, {95, 50}, {50, 99}, {5, 50}, {50, 50}, {50, 5}, {50, 99}, {50, 50}};
  for (const auto& s : sides) Tap(s[0], s[1]);
  EXPECT_EQ(static_cast<uint32_t>(g_runFlags.overlayFlags), kOverlayPanel | kOverlayFpsSwitch);
  Tap(20, 20);
  EXPECT_EQ(static_cast<uint32_t>(g_runFlags.overlayFlags), kOverlayPanel | kOverlayFpsSwitch | kOverlayBars);
  Tap(50, 90);
  EXPECT_EQ(g_runFlags.overlayFlags, 2);
}

class OverlayText : public GraphicsTest {
 protected:
  void SetUp() override {
    StartFakeDrawing();
    for (int i = 0; i < 105; ++i) {
      g_boxes[4 * i] = static_cast<uint8_t>(i);
      g_boxes[4 * i + 2] = 8;
      g_boxes[4 * i + 3] = 10;
    }
    ProfilerHost_Install(&kHost);
    g_screenSize = ScreenSize{100, 100};
  }
  void TearDown() override {
    ProfilerHost_Install(nullptr);
    GraphicsTest::TearDown();
  }
  const TexVertex* Vertices() { return reinterpret_cast<const TexVertex*>(Graphics::PendingBatch().scratch); }
  int32_t Count() { return Graphics::PendingBatch().count; }
};

TEST_F(OverlayText, TabsSpacesAndUnknownCharactersMoveThePenAsTheyShould) {
  GR_Overlay_Draw_Text_Raw(0.9f, 0, 1, 1, 0xFF0000FFu, "A\tB C\x01\xC3\xA9", 100);
  ASSERT_EQ(Count(), 18);
  EXPECT_EQ(Vertices()[0].x, 0);
  EXPECT_EQ(Vertices()[0].colour, 0xFFFF0000u);
  EXPECT_EQ(Vertices()[6].x, 64);
  EXPECT_EQ(Vertices()[12].x, 64 + 8 + 8);
  EXPECT_FLOAT_EQ(Vertices()[12].u, ('C' - 32) / 256.0f);
  EXPECT_EQ(GR_Overlay_Text_Width("A\tB"), 72);
}

TEST_F(OverlayText, OutlinedAndCentredTextDrawsFiveTimesAroundItsPlace) {
  GR_Overlay_Draw_Text_Centered(30, 0xFFFFFFFFu, 0xFF000000u, "AB");
  ASSERT_EQ(Count(), 60);
  const float x = (100 - 16 + 1) / 2;
  const float expected[5][2] = {{x - 1, 30}, {x + 1, 30}, {x, 29}, {x, 32}, {x, 30}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Vertices()[12 * i].x, expected[i][0]) << i;
    EXPECT_EQ(Vertices()[12 * i].y, expected[i][1]) << i;
  }
  EXPECT_EQ(Vertices()[0].colour, 0xFF000000u);
  EXPECT_EQ(Vertices()[48].colour, 0xFFFFFFFFu);
}

TEST_F(OverlayText, PrintfCutsLongTextOnACodePointBoundary) {
  std::string text(2047, ' ');
  text += "\xC3\xA9!";
  GR_Overlay_Printf(0, 0, 0xFFFFFFFFu, "%s", text.c_str());
  EXPECT_EQ(Count(), 0);
  GR_Overlay_Printf(0, 0, 0xFFFFFFFFu, "%s", std::string(5000, 'A').c_str());
  EXPECT_EQ(Count(), 6 * kOverlayPrintfBytes);
}

TEST_F(OverlayText, BarsSpanTheFrameAndEachMarker) {
  g_screenWidth = 100;
  Timer_SelectClock(TimerClockKind::kVirtual);
  Profiler_Reset();
  Profiler_Start_Frame();
  Timer_WaitMicroseconds(5000);
  Profiler_Begin(0xFF0000FFu, "m");
  Timer_WaitMicroseconds(10000);
  Profiler_End();
  Timer_WaitMicroseconds(5000);
  Profiler_End();
  Graphics::ResetVertexBuffers();
  FakeGraphics_Log().keepVertices = true;
  Profiler_Draw_Bars(20000);
  Timer_SelectClock(TimerClockKind::kFromSwitches);
  ASSERT_EQ(Graphics::PendingBatch().primitiveType, 2);
  // The ticks are pending; the quads went out before them.
  EXPECT_EQ(Count(), 10);
  EXPECT_EQ(Vertices()[8].x, 101) << "a line at x lights column x - 1";
  EXPECT_EQ(Vertices()[9].y, 20);
  // The frame's quad, then one for "Total" and one for the marker, each
  // from y 10 to 20; 0.3 of the width is 20000 us.
  const std::vector<uint8_t>& sent = FakeGraphics_Log().lastVertices;
  ASSERT_EQ(sent.size(), 18 * sizeof(TexVertex));
  std::vector<TexVertex> quads(18);
  std::memcpy(quads.data(), sent.data(), sent.size());
  const auto span = [&](int quad) {
    float low = 1e9f, high = -1e9f;
    for (int i = 6 * quad; i < 6 * quad + 6; ++i) {
      low = std::min(low, quads[size_t(i)].x), high = std::max(high, quads[size_t(i)].x);
      EXPECT_TRUE(quads[size_t(i)].y == 10 || quads[size_t(i)].y == 20) << quad;
      EXPECT_EQ(quads[size_t(i)].colour, quads[size_t(6 * quad)].colour) << quad;
    }
    return std::pair{low, high};
  };
  EXPECT_NEAR(span(0).first, 0, 1e-4);
  EXPECT_NEAR(span(0).second, 30, 1e-4);
  EXPECT_EQ(quads[0].colour, 0xFFFFFFFFu);
  EXPECT_NEAR(span(2).first, 7.5, 1e-4);
  EXPECT_NEAR(span(2).second, 22.5, 1e-4);
  EXPECT_EQ(quads[12].colour, 0xFFFF0000u) << "script red, device red";
}

}  // namespace

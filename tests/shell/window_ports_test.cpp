#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

class WindowPorts : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    MakeWindow(640, 480);  // twice the 320 x 240 game screen
  }
  // A port showing the room rectangle one to one at its own place.
  static void Port(int32_t n, float x, float y, float w, float h, float angle = 0.0f) {
    Win_SetPort(n, x, y, w, h, x, y, w, h, angle, -1);
  }
};

TEST_F(WindowPorts, WithoutPortsTheWindowScalesOntoTheScreen) {
  int32_t x = -7, y = -7;
  Win_WindowToRoom(100, 50, &x, &y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 25);
  // Bars around the picture are taken off first.
  record().letterboxX = 20;
  Win_WindowToRoom(120, 50, &x, &y);
  EXPECT_EQ(x, 53);  // 100 * 320 / 600
}

TEST_F(WindowPorts, NoDrawnAreaLeavesTheOutputsAsTheyCame) {
  record().letterboxX = 320;  // the picture has no width
  int32_t x = -7, y = -9;
  Win_WindowToRoom(100, 50, &x, &y);
  EXPECT_EQ(x, -7);
  EXPECT_EQ(y, -9);
  record().letterboxX = 0;
  Port(0, 0, 0, 320, 240);
  Win_SetPortScale(0.0f, 1.0f);
  Win_PortWindowToRoom(0, 100, 50, &x, &y);
  EXPECT_EQ(x, -7);
  EXPECT_EQ(y, -9);
}

TEST_F(WindowPorts, OverlappingViewsAnswerThroughTheHigherPort) {
  // Port 0 shows room (0, 0)-(320, 240); port 3 shows room (1000, 1000) on
  // the same screen area.
  Port(0, 0, 0, 320, 240);
  Win_SetPort(3, 0, 0, 320, 240, 1000, 1000, 320, 240, 0, -1);
  int32_t x = 0, y = 0;
  Win_WindowToRoom(100, 50, &x, &y);
  EXPECT_EQ(x, 1050);
  EXPECT_EQ(y, 1025);
  // A point the higher view does not contain falls to the lower port.
  Win_ClearPort(3);
  Win_SetPort(3, 0, 0, 160, 120, 1000, 1000, 160, 120, 0, -1);
  Win_WindowToRoom(400, 300, &x, &y);
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 150);
  EXPECT_EQ(g_windowPortsInUse, 2);
}

TEST_F(WindowPorts, ATinyAngleIsUnrotatedAndARightAngleRoundTrips) {
  Port(0, 0, 0, 320, 240, 0.005f);
  int32_t x = 0, y = 0;
  Win_PortWindowToRoom(0, 100, 50, &x, &y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 25);

  Port(1, 0, 0, 320, 240, 90.0f);
  for (int32_t wx : {0, 40, 320, 600}) {
    for (int32_t wy : {0, 90, 240, 470}) {
      Win_PortWindowToRoom(1, wx, wy, &x, &y);
      int32_t backX = 0, backY = 0;
      Win_PortRoomToWindow(1, static_cast<float>(x), static_cast<float>(y), &backX, &backY);
      EXPECT_LE(std::abs(backX - wx / 2), 1) << wx << "," << wy;
      EXPECT_LE(std::abs(backY - wy / 2), 1) << wx << "," << wy;
    }
  }
  // The centre of the view stays put.
  Win_PortWindowToRoom(1, 320, 240, &x, &y);
  EXPECT_EQ(x, 160);
  EXPECT_EQ(y, 120);
}

TEST_F(WindowPorts, PortNumbersOutsideTheTableChangeNothing) {
  for (int32_t n : {-1, 32, std::numeric_limits<int32_t>::min()}) {
    Win_SetPort(n, 0, 0, 320, 240, 0, 0, 320, 240, 0, -1);
    Win_ClearPort(n);
    int32_t x = 11, y = 12;
    Win_PortWindowToRoom(n, 100, 50, &x, &y);
    EXPECT_EQ(x, 11);
    EXPECT_EQ(y, 12);
    Win_PortRoomToWindow(n, 3.6f, -2.5f, &x, &y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, -2);
    EXPECT_EQ(Win_GetViewMouseX(n), 0);
    EXPECT_EQ(Win_GetViewMouseY(n), 0);
  }
  EXPECT_EQ(g_windowPortsInUse, 0);
}

TEST_F(WindowPorts, CountsFollowUseAndClearing) {
  Port(5, 0, 0, 320, 240);
  Port(5, 0, 0, 320, 240);
  Port(6, 0, 0, 320, 240);
  EXPECT_EQ(g_windowPortsInUse, 2);
  Win_ClearPort(5);
  Win_ClearPort(5);
  EXPECT_EQ(g_windowPortsInUse, 1);
  Win_ClearAllPorts();
  EXPECT_EQ(g_windowPortsInUse, 0);
}

TEST_F(WindowPorts, MouseGettersMapTheStepMouse) {
  record().stepMouseX = 100;
  record().stepMouseY = 50;
  EXPECT_EQ(Win_GetMouseX(), 100);
  EXPECT_EQ(Win_GetDeviceMouseX(4), 50);
  EXPECT_EQ(Win_GetDeviceMouseY(0), 25);
  EXPECT_EQ(Win_GetDeviceMouseX(5), 0);
  EXPECT_EQ(Win_GetDeviceMouseY(-1), 0);
  Win_SetPort(2, 0, 0, 320, 240, 500, 600, 320, 240, 0, -1);
  EXPECT_EQ(Win_GetViewMouseX(2), 550);
  EXPECT_EQ(Win_GetViewMouseY(2), 625);
  EXPECT_EQ(Win_GetViewMouseX(1), 0);
}

TEST_F(WindowPorts, BrokenPortNumbersGiveDefinedAnswers) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Win_SetPort(0, nan, 0, 320, 240, 0, nan, 320, 240, nan, -1);
  int32_t x = 0, y = 0;
  Win_PortWindowToRoom(0, 100, 50, &x, &y);
  Win_PortRoomToWindow(0, nan, 1e30f, &x, &y);
  Win_SetPort(1, 0, 0, 1e-30f, 240, 0, 0, 1e30f, 240, 0, -1);
  Win_WindowToRoom(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), &x, &y);
  SUCCEED();
}

}  // namespace
}  // namespace windowtest

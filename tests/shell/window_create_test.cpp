#include <gtest/gtest.h>

#include "platform/cursors.h"
#include "shell/window_fixture.h"
#include "support/test_support.h"

namespace windowtest {
namespace {

class WindowCreate : public WindowTest {};

TEST_F(WindowCreate, OffscreenClientIsClampedCentredAndTitledAfterTheGame) {
  testsupport::ConsoleCapture console;
  WindowGameSettings settings;
  settings.screenWidth = 320;
  settings.screenHeight = 240;
  settings.displayName = "Win Test";
  Win_SetGameSettings(settings);
  Win_CreateMainWindow(3000, 500);
  EXPECT_EQ(Win_GetWidth(), 1920);
  EXPECT_EQ(Win_GetHeight(), 500);
  EXPECT_EQ(Win_GetX(), 0);
  EXPECT_EQ(Win_GetY(), 290);
  EXPECT_EQ(g_clientWidth, 1920);
  EXPECT_EQ(g_outerWidth, 1920);  // no frame offscreen
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "Win Test");
  EXPECT_EQ(Win_GetScreenWidth(), 320);
  EXPECT_EQ(Win_GetScreenHeight(), 240);
  const std::string text = console.Text();
  const size_t adjust = text.find("AdjustWindowRectEx\n");
  const size_t reg = text.find("RegisterClassEx\n");
  const size_t create = text.find("CreateWindowEx\n");
  ASSERT_NE(create, std::string::npos);
  EXPECT_LT(adjust, reg);
  EXPECT_LT(reg, create);
}

TEST_F(WindowCreate, StyleAndCursorComeFromTheHeaderOptions) {
  MakeWindow(320, 240, 0x0);
  EXPECT_EQ(g_windowStyle, kStyleFixed);
  EXPECT_EQ(Win_GetCursor(), -1);
  EXPECT_EQ(NativeCursor_Shown(), kCursorNone);
  MakeWindow(320, 240, 0x40 | 0x20);
  EXPECT_EQ(g_windowStyle, kStyleSizeable);
  EXPECT_EQ(Win_GetCursor(), 0);
  EXPECT_EQ(NativeCursor_Shown(), kCursorArrow);
  MakeWindow(320, 240, 0x41);
  EXPECT_EQ(g_windowStyle, kStylePopup);
}

TEST_F(WindowCreate, CursorConstantsPickTheirTableEntries) {
  Win_SetCursor(-20);  // help
  EXPECT_EQ(NativeCursor_Shown(), 13);
  Win_SetCursor(-12);  // drag
  EXPECT_EQ(NativeCursor_Shown(), 10);
  Win_SetCursor(-21);  // hand point
  EXPECT_EQ(NativeCursor_Shown(), 10);
  Win_SetCursor(-10);  // up arrow
  EXPECT_EQ(NativeCursor_Shown(), 8);
  Win_SetCursor(-5);
  EXPECT_EQ(NativeCursor_Shown(), kCursorNone);
  Win_SetCursor(-22);
  EXPECT_EQ(NativeCursor_Shown(), 14);
  // Stored, but no new cursor.
  for (int32_t constant : {1, -23, INT32_MIN}) {
    Win_SetCursor(constant);
    EXPECT_EQ(Win_GetCursor(), constant);
    EXPECT_EQ(NativeCursor_Shown(), 14);
  }
  // The procedure puts the current cursor back inside the client area only.
  NativeCursor_Show(kCursorArrow);
  EXPECT_EQ(Win_WindowProc(g_mainWindow, WM_SETCURSOR, 0, HTCLIENT), 1);
  EXPECT_EQ(NativeCursor_Shown(), 14);
  NativeCursor_Show(kCursorArrow);
  Win_WindowProc(g_mainWindow, WM_SETCURSOR, 0, 2);
  EXPECT_EQ(NativeCursor_Shown(), kCursorArrow);
}

TEST_F(WindowCreate, CaptionsAreKeptAndShownWhateverTheyHold) {
  Win_SetCaption("", false);
  EXPECT_STREQ(Win_GetCaption(), "");
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "");
  Win_SetCaption("Caf\xC3\xA9", false);
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "Caf\xC3\xA9");
  Win_SetCaption(nullptr, true);
  EXPECT_STREQ(Win_GetCaption(), "");
  Win_SetCaption("bad \xFF\xC3", false);
  EXPECT_STREQ(Win_GetCaption(), "bad \xFF\xC3");
  MakeWindow(320, 240, 0, nullptr);
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "");

  // A title shown alone leaves the caption, which shows again when set.
  Win_SetCaption("Hello", false);
  Win_SetTitle("Other");
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "Other");
  EXPECT_STREQ(Win_GetCaption(), "Hello");
  Win_SetCaption(Win_GetCaption(), false);
  EXPECT_STREQ(DeviceWindow_GetTitle(DeviceWindow_Current()), "Hello");
}

TEST_F(WindowCreate, SizeAndFullScreenAreRequestsForTheNextReset) {
  Win_SetSize(800, 600);
  EXPECT_EQ(record().requestedWidth, 800);
  EXPECT_EQ(record().resets, 1);
  EXPECT_EQ(Win_GetWidth(), 320);
  Win_SetRectangle(10, 20, 640, 480);
  EXPECT_EQ(Win_GetX(), 10);
  EXPECT_EQ(Win_GetY(), 20);
  EXPECT_EQ(record().requestedHeight, 480);
  EXPECT_TRUE(DeviceWindow_State().positionGiven);
  Win_SetFullscreen(true);
  EXPECT_TRUE(Win_GetFullscreen());
  EXPECT_EQ(record().resets, 3);
  Win_Center();
  EXPECT_EQ(Win_GetX(), (1920 - 320) / 2);
  EXPECT_EQ(Win_GetY(), (1080 - 240) / 2);
}

TEST_F(WindowCreate, ColourKeepsTheLowBytes) {
  Win_SetColor(0x12345678u);
  EXPECT_EQ(Win_GetColor(), 0x345678u);
  EXPECT_EQ(DeviceWindow_State().windowColour, 0x345678u);
}

}  // namespace
}  // namespace windowtest

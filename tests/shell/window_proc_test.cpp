#include <gtest/gtest.h>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

using Keys = std::vector<int32_t>;

MsgLParam Scan(uint32_t scanByte, bool extended = false) {
  return (static_cast<MsgLParam>(scanByte) << 16) | (extended ? kKeyExtended : 0);
}

MsgResult Send(uint32_t message, MsgWParam wParam = 0, MsgLParam lParam = 0) {
  return Win_WindowProc(g_mainWindow, message, wParam, lParam);
}

class WindowProc : public WindowTest {};

TEST_F(WindowProc, ShiftSidesFollowTheKeyStateOnPressAndTheScanCodeOnRelease) {
  HoldRightShift(true);
  EXPECT_EQ(Send(WM_KEYDOWN, VK_SHIFT, Scan(0x36)), 0);
  HoldRightShift(false);
  Send(WM_KEYUP, VK_SHIFT, Scan(0x36));
  EXPECT_EQ(record().keysDown, (Keys{16, 161}));
  EXPECT_EQ(record().keysUp, (Keys{16, 161}));

  record() = Record();
  Send(WM_KEYDOWN, VK_SHIFT, Scan(0x2A));
  Send(WM_KEYUP, VK_SHIFT, Scan(0x2A));
  EXPECT_EQ(record().keysDown, (Keys{16, 160}));
  EXPECT_EQ(record().keysUp, (Keys{16, 160}));

  // Right pressed, then the left one released: its scan code differs.
  record() = Record();
  HoldRightShift(true);
  Send(WM_KEYDOWN, VK_SHIFT, Scan(0x36));
  Send(WM_KEYUP, VK_SHIFT, Scan(0x2A));
  EXPECT_EQ(record().keysUp, (Keys{16, 160}));
}

TEST_F(WindowProc, AltAndCtrlSidesComeFromTheExtendedBit) {
  Send(WM_SYSKEYDOWN, VK_MENU, Scan(0x38, true));
  Send(WM_KEYDOWN, VK_CONTROL, Scan(0x1D, true));
  Send(WM_SYSKEYDOWN, VK_MENU, Scan(0x38));
  Send(WM_KEYDOWN, VK_CONTROL, Scan(0x1D));
  EXPECT_EQ(record().keysDown, (Keys{18, 165, 17, 163, 18, 164, 17, 162}));
  Send(WM_SYSKEYUP, VK_MENU, Scan(0x38, true));
  EXPECT_EQ(record().keysUp, (Keys{18, 165}));
  // Other keys go alone.
  Send(WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(record().keysDown.back(), 'A');
}

TEST_F(WindowProc, WheelAnswersWhetherTheInputStateTookIt) {
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, 0)), 0), 1);
  EXPECT_EQ(record().wheelUps + record().wheelDowns, 0);
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, 120)), 0), 0);
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, -120)), 0), 0);
  EXPECT_EQ(record().wheelUps, 1);
  EXPECT_EQ(record().wheelDowns, 1);
  Win_SetServices(WindowServices());
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, 120)), 0), 1);
}

TEST_F(WindowProc, CloseDestroysOnceAndTheQuitReachesThePump) {
  EXPECT_TRUE(Native_KeysFiltered());
  EXPECT_EQ(Send(WM_CLOSE), 0);
  Send(WM_CLOSE);
  EXPECT_TRUE(Win_DispatchMessages());
  EXPECT_FALSE(Native_KeysFiltered());
  EXPECT_FALSE(Win_DispatchMessages());
}

TEST_F(WindowProc, AltEnterTogglesFullScreenOnlyWhenTheOptionAllowsIt) {
  Send(WM_SYSCOMMAND, SC_KEYMENU, 13);
  EXPECT_FALSE(Win_GetFullscreen());
  EXPECT_EQ(record().resets, 0);
  record().altEnter = true;
  Send(WM_SYSCOMMAND, SC_KEYMENU, 32);
  Send(WM_SYSCOMMAND, 0xF020, 13);
  EXPECT_FALSE(Win_GetFullscreen());
  Send(WM_SYSCOMMAND, SC_KEYMENU, 13);
  EXPECT_TRUE(Win_GetFullscreen());
  EXPECT_EQ(record().resets, 1);
  Send(WM_SYSCOMMAND, SC_KEYMENU, 13);
  EXPECT_FALSE(Win_GetFullscreen());
}

TEST_F(WindowProc, MousePlacesStaySignedAndButtonsAreNumberedLeftRightMiddle) {
  Send(WM_MOUSEMOVE, 0, MakeLParam(-1, -20));
  EXPECT_EQ(record().mouseX, -1);
  EXPECT_EQ(record().mouseY, -20);
  Send(WM_MOUSEMOVE, 0, MakeLParam(700, 30000));
  EXPECT_EQ(record().mouseX, 700);
  EXPECT_EQ(record().mouseY, 30000);
  Send(WM_LBUTTONDOWN);
  Send(WM_RBUTTONDOWN);
  Send(WM_MBUTTONDOWN);
  Send(WM_MBUTTONUP);
  EXPECT_EQ(record().buttonsDown, (Keys{1, 2, 3}));
  EXPECT_EQ(record().buttonsUp, (Keys{3}));
}

TEST_F(WindowProc, FocusMessagesSetTheActiveFlag) {
  Send(WM_KILLFOCUS);
  EXPECT_FALSE(Win_IsActive());
  Send(WM_SETFOCUS);
  EXPECT_TRUE(Win_IsActive());
  Send(WM_ACTIVATEAPP, 0);
  EXPECT_FALSE(Win_IsActive());
  Send(WM_ACTIVATEAPP, 1);
  EXPECT_TRUE(Win_IsActive());
  // Only a deactivation in favour of another program's window counts.
  Send(WM_ACTIVATE, WA_INACTIVE, 12);
  Send(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(record().lostFocus, 0);
  Send(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(record().lostFocus, 1);
}

TEST_F(WindowProc, CharactersGoOnAsTyped) {
  Send(WM_CHAR, 0x20AC);
  Send(WM_CHAR, 8);
  EXPECT_EQ(record().chars, (Keys{0x20AC, 8}));
}

}  // namespace
}  // namespace windowtest

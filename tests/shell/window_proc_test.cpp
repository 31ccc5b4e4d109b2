#include <gtest/gtest.h>

#include <utility>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

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
  EXPECT_EQ(Marked(Window().keyDown), (Keys{16, 161}));
  EXPECT_EQ(Window().lastKey, 161) << "the side after the generic key";
  HoldRightShift(false);
  Send(WM_KEYUP, VK_SHIFT, Scan(0x36));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 161}));
  EXPECT_TRUE(Marked(Window().keyDown).empty());

  ClearInput();
  Send(WM_KEYDOWN, VK_SHIFT, Scan(0x2A));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{16, 160}));
  Send(WM_KEYUP, VK_SHIFT, Scan(0x2A));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 160}));

  // Right pressed, then the left one released: its scan code differs.
  ClearInput();
  HoldRightShift(true);
  Send(WM_KEYDOWN, VK_SHIFT, Scan(0x36));
  Send(WM_KEYUP, VK_SHIFT, Scan(0x2A));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 160}));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{161}));
}

TEST_F(WindowProc, AltAndCtrlSidesComeFromTheExtendedBit) {
  struct Case {
    uint32_t message;
    MsgWParam key;
    uint32_t scan;
    bool extended;
    Keys held;  // the generic key, then its side
  };
  const Case cases[] = {
      {WM_SYSKEYDOWN, VK_MENU, 0x38, true, {18, 165}},
      {WM_KEYDOWN, VK_CONTROL, 0x1D, true, {17, 163}},
      {WM_SYSKEYDOWN, VK_MENU, 0x38, false, {18, 164}},
      {WM_KEYDOWN, VK_CONTROL, 0x1D, false, {17, 162}},
  };
  for (const Case& c : cases) {
    ClearInput();
    Send(c.message, c.key, Scan(c.scan, c.extended));
    EXPECT_EQ(Marked(Window().keyDown), c.held) << c.key << (c.extended ? " extended" : "");
    EXPECT_EQ(Window().lastKey, c.held.back()) << c.key;
  }
  Send(WM_SYSKEYUP, VK_MENU, Scan(0x38, true));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{18, 165}));
  // Other keys go alone.
  ClearInput();
  Send(WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(Marked(Window().keyDown), (Keys{'A'}));
}

TEST_F(WindowProc, WheelAnswersWhetherTheInputStateTookIt) {
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, 0)), 0), 1);
  EXPECT_EQ(Window().wheelUp + Window().wheelDown, 0);
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, 120)), 0), 0);
  EXPECT_EQ(Window().wheelUp, 1);
  EXPECT_EQ(Window().wheelDown, 0);
  EXPECT_EQ(Send(WM_MOUSEWHEEL, static_cast<MsgWParam>(MakeLParam(0, -120)), 0), 0);
  EXPECT_EQ(Window().wheelDown, 1);
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
  EXPECT_EQ(Window().mouseX, -1);
  EXPECT_EQ(Window().mouseY, -20);
  Send(WM_MOUSEMOVE, 0, MakeLParam(700, 30000));
  EXPECT_EQ(Window().mouseX, 700);
  EXPECT_EQ(Window().mouseY, 30000);
  const std::pair<uint32_t, int32_t> downs[] = {{WM_LBUTTONDOWN, 1}, {WM_RBUTTONDOWN, 2}, {WM_MBUTTONDOWN, 3}};
  for (const auto& [message, button] : downs) {
    Send(message);
    EXPECT_EQ(Window().lastButton, button);
  }
  Send(WM_MBUTTONUP);
  EXPECT_EQ(Marked(Window().buttonDown, 1), (Keys{1, 2}));
  EXPECT_EQ(Marked(Window().buttonReleased, 1), (Keys{3}));
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
  Send(WM_CHAR, 'a');
  Send(WM_CHAR, 0x20AC);
  EXPECT_EQ(Typed(), (Keys{'a', 0x20AC}));
  Send(WM_CHAR, 8);
  EXPECT_EQ(Typed(), (Keys{'a'}));
  EXPECT_EQ(Window().lastChar, 8);
  Send(WM_CHAR, 8);
  EXPECT_TRUE(Typed().empty());
}

}  // namespace
}  // namespace windowtest

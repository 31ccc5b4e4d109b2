// Keys the game presses itself: they pass the keyboard hook, reach the
// window procedure through the queue like the desktop's keys, and read as
// held until released.
#include <gtest/gtest.h>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

class SyntheticKeys : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Native_ResetSyntheticKeys();
  }
  void TearDown() override {
    Native_ResetSyntheticKeys();
    WindowTest::TearDown();
  }
  static void Press(int32_t key) { Native_KeybdEvent(key, false); }
  static void Release(int32_t key) { Native_KeybdEvent(key, true); }
  static bool Held(int32_t key) { return (Native_GetAsyncKeyState(key) & 0x8000) != 0; }
};

TEST_F(SyntheticKeys, APressIsHeldAtOnceAndReachesTheWindowThroughTheQueue) {
  Press(37);
  EXPECT_TRUE(Held(37)) << "held before any message is handled";
  EXPECT_NE(Native_GetKeyState(37) & 0x80, 0);
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  Win_DispatchMessages();
  EXPECT_EQ(Marked(Window().keyDown), (Keys{37}));
  Window().lastKey = 0;
  Press(37);  // a repeat while held
  Release(37);
  EXPECT_FALSE(Held(37));
  Win_DispatchMessages();
  EXPECT_EQ(Window().lastKey, 37) << "the repeat reached the window";
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{37}));

  // Codes outside 1..255 are no keys; Return also types its character.
  for (int32_t code : {0, 256, -1, INT32_MIN}) Press(code);
  EXPECT_FALSE(Held(0));
  Press(VK_RETURN);
  Release(VK_RETURN);
  Win_DispatchMessages();
  EXPECT_EQ(Window().lastKey, 13);
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{13, 37}));
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  EXPECT_EQ(Window().lastChar, 13);
}

TEST_F(SyntheticKeys, ModifiersAreReportedWithTheirSides) {
  Press(VK_RSHIFT);
  Press(VK_RCONTROL);
  Win_DispatchMessages();
  EXPECT_EQ(Marked(Window().keyDown), (Keys{16, 17, 161, 163}));
  EXPECT_EQ(Window().lastKey, 163);
  EXPECT_TRUE(Held(VK_SHIFT));
  EXPECT_TRUE(Held(VK_CONTROL));
  EXPECT_FALSE(Held(VK_LCONTROL));
  Release(VK_RSHIFT);
  Release(VK_RCONTROL);
  Win_DispatchMessages();
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 17, 161, 163}));
  EXPECT_FALSE(Held(VK_SHIFT));

  // The generic key counts as the left one.
  Press(VK_SHIFT);
  EXPECT_TRUE(Held(VK_LSHIFT));
  Release(VK_SHIFT);
  Win_DispatchMessages();
  EXPECT_EQ(Window().lastKey, 160);
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 17, 160, 161, 163}));
}

TEST_F(SyntheticKeys, TheDesktopTakesThemAltF4EndsTheGame) {
  Press(VK_MENU);
  Press(VK_F4);
  EXPECT_TRUE(Native_TakeStopRequest());
  Win_DispatchMessages();
  EXPECT_EQ(Marked(Window().keyDown), (Keys{18, 164})) << "F4 was swallowed";
  Release(VK_F4);
  Release(VK_MENU);
  Win_DispatchMessages();

  // The Windows keys are swallowed in full screen only.
  DeviceWindow_State().fullScreenStyle = true;
  ClearInput();
  Press(VK_LWIN);
  Release(VK_LWIN);
  Win_DispatchMessages();
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  EXPECT_TRUE(Marked(Window().keyReleased).empty());
}

TEST_F(SyntheticKeys, ALockKeyPressFlipsItsLockButHeldItReadsNegative) {
  const bool before = (Native_GetKeyState(VK_NUMLOCK) & 1) != 0;
  Press(VK_NUMLOCK);
  EXPECT_LT(Native_GetKeyState(VK_NUMLOCK), 0) << "held";
  EXPECT_EQ((Native_GetKeyState(VK_NUMLOCK) & 1) != 0, !before);
  Press(VK_NUMLOCK);  // a repeat flips nothing
  Release(VK_NUMLOCK);
  EXPECT_EQ(Native_GetKeyState(VK_NUMLOCK) > 0, !before);
  Press(VK_NUMLOCK);
  Release(VK_NUMLOCK);
  EXPECT_EQ(Native_GetKeyState(VK_NUMLOCK) > 0, before);
  EXPECT_EQ(Native_GetKeyState(VK_SCROLL) & 1, 0) << "the other locks stay";
  EXPECT_EQ(Native_GetKeyState('A') & 1, 0) << "other keys have no lock";
}

}  // namespace
}  // namespace windowtest

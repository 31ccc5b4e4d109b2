// Keys the program presses itself, typed on a private X server's keyboard:
// each code reaches the server as the key that code names, keys still held
// are let go at the end, and a headless run keeps its keys to itself.
#include <gtest/gtest.h>

// After the test framework, whose names X's macros would replace.
#include <SDL.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <memory>

#include "platform/desktop_keys.h"
#include "platform/native_messages.h"
#include "platform/switches.h"
#include "support/leaks_unwatched.h"
#include "support/x_server.h"

namespace {

class DesktopKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::XServer::Available()) GTEST_SKIP() << "no Xvfb";
    server_ = std::make_unique<testsupport::XServer>();
    ASSERT_FALSE(server_->Name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server_->Name().c_str(), 1);
    unsetenv("KORVALITH_HEADLESS");
    Switches_Reload();
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    while (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // The desktop bus library keeps a block once SDL's video has started.
    testsupport::StopWatchingLeaks();
    const int started = SDL_InitSubSystem(SDL_INIT_VIDEO);
    testsupport::WatchLeaksAgain();
    ASSERT_EQ(started, 0) << SDL_GetError();
    viewer_ = XOpenDisplay(server_->Name().c_str());
    ASSERT_NE(viewer_, nullptr);
  }

  void TearDown() override {
    DesktopKeys_Shutdown();
    Native_ResetSyntheticKeys();
    if (viewer_ != nullptr) XCloseDisplay(viewer_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    setenv("KORVALITH_HEADLESS", "1", 1);
    Switches_Reload();
    unsetenv("DISPLAY");
  }

  // The server's view: is the key that types `sym` down?
  bool Down(KeySym sym) {
    char keys[32] = {};
    XQueryKeymap(viewer_, keys);
    const KeyCode code = XKeysymToKeycode(viewer_, sym);
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
  }

  bool AnyDown() {
    char keys[32] = {};
    XQueryKeymap(viewer_, keys);
    for (char byte : keys)
      if (byte != 0) return true;
    return false;
  }

  bool LightOn(const char* indicator) {
    Bool on = False;
    XkbGetNamedIndicator(viewer_, XInternAtom(viewer_, indicator, False), nullptr, &on, nullptr, nullptr);
    return on != False;
  }

  std::unique_ptr<testsupport::XServer> server_;
  Display* viewer_ = nullptr;
};

TEST_F(DesktopKeys, EachCodeIsTypedAsTheKeyItNames) {
  struct Case {
    int32_t code;
    KeySym sym;
  } cases[] = {
      {'A', XK_a},           {'Z', XK_z},           {'0', XK_0},          {'9', XK_9},         {112, XK_F1},
      {123, XK_F12},         {96, XK_KP_0},         {97, XK_KP_1},        {105, XK_KP_9},      {106, XK_KP_Multiply},
      {107, XK_KP_Add},      {109, XK_KP_Subtract}, {110, XK_KP_Decimal}, {111, XK_KP_Divide}, {8, XK_BackSpace},
      {9, XK_Tab},           {13, XK_Return},       {27, XK_Escape},      {32, XK_space},      {33, XK_Prior},
      {34, XK_Next},         {35, XK_End},          {36, XK_Home},        {37, XK_Left},       {40, XK_Down},
      {45, XK_Insert},       {46, XK_Delete},       {16, XK_Shift_L},     {160, XK_Shift_L},   {161, XK_Shift_R},
      {17, XK_Control_L},    {163, XK_Control_R},   {18, XK_Alt_L},       {164, XK_Alt_L},     {0x5B, XK_Super_L},
      {186, XK_semicolon},   {187, XK_equal},       {188, XK_comma},      {191, XK_slash},     {192, XK_grave},
      {219, XK_bracketleft}, {220, XK_backslash},   {222, XK_apostrophe},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    ASSERT_NE(XKeysymToKeycode(viewer_, c.sym), 0) << "the server's keyboard lacks the key";
    Native_KeybdEvent(c.code, false);
    EXPECT_TRUE(Down(c.sym));
    Native_KeybdEvent(c.code, true);
    EXPECT_FALSE(Down(c.sym));
    EXPECT_EQ(Native_GetAsyncKeyState(c.code), 0) << "the game's window did not have the focus";
  }
}

TEST_F(DesktopKeys, CodesOutsideTheKeysOrWithoutADesktopKeyNeverReachTheServer) {
  for (int32_t code : {0, -1, 256, 300}) {
    Native_KeybdEvent(code, false);
    EXPECT_FALSE(AnyDown()) << code;
  }
  // A code no key of the desktop gives stays inside the game.
  Native_KeybdEvent(7, false);
  EXPECT_FALSE(AnyDown());
  EXPECT_NE(Native_GetAsyncKeyState(7), 0);
}

TEST_F(DesktopKeys, KeysStillHeldAreLetGoWhenTheProgramEnds) {
  Native_KeybdEvent(VK_SHIFT, false);
  Native_KeybdEvent('Q', false);
  ASSERT_TRUE(Down(XK_Shift_L) && Down(XK_q));
  DesktopKeys_Shutdown();
  XSync(viewer_, False);
  EXPECT_FALSE(AnyDown());
}

TEST_F(DesktopKeys, AHeadlessRunKeepsItsKeys) {
  setenv("KORVALITH_HEADLESS", "1", 1);
  Switches_Reload();
  Native_KeybdEvent('A', false);
  Native_KeybdEvent(VK_NUMLOCK, false);
  EXPECT_FALSE(AnyDown());
  EXPECT_FALSE(LightOn("Num Lock"));
  EXPECT_NE(Native_GetAsyncKeyState('A'), 0);
  EXPECT_EQ(Native_GetKeyState(VK_NUMLOCK) & 1, 1) << "flipped for the game only";
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

SDL_Event Key(Uint32 type, SDL_Keycode key, SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.key.type = type;
  e.key.windowID = g_mainWindow;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  return e;
}

void Feed(const SDL_Event& e) {
  Translator_Translate(e);
  Win_DispatchMessages();
}

void Button(Uint32 type, Uint8 button) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.button.type = type;
  e.button.windowID = g_mainWindow;
  e.button.button = button;
  Feed(e);
}

void Text(const char* bytes) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.text.type = SDL_TEXTINPUT;
  e.text.windowID = g_mainWindow;
  std::memcpy(e.text.text, bytes, std::min(std::strlen(bytes), sizeof e.text.text - 1));
  Feed(e);
}

void WindowEvent(Uint8 event) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.window.type = SDL_WINDOWEVENT;
  e.window.windowID = g_mainWindow;
  e.window.event = event;
  Feed(e);
}

class Translator : public WindowTest {};

TEST_F(Translator, MouseButtonsSwapMiddleAndRightAndSideButtonsAreIgnored) {
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1);
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_X2);
  EXPECT_EQ(Window().lastButton, 3) << "the side buttons are ignored";
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  EXPECT_EQ(Marked(Window().buttonDown, 1), (Keys{1, 3}));
  EXPECT_EQ(Marked(Window().buttonReleased, 1), (Keys{2}));
}

TEST_F(Translator, ControlCharactersComeFromTheirKeysRepeatsIncluded) {
  Text("abc");
  Feed(Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
  Feed(Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, 1));
  Feed(Key(SDL_KEYUP, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
  Feed(Key(SDL_KEYDOWN, SDLK_TAB, SDL_SCANCODE_TAB));
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN));
  Feed(Key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE));
  EXPECT_EQ(Window().lastChar, 27);
  Feed(Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A));  // its character comes as text
  EXPECT_EQ(Typed(), (Keys{'a'})) << "two backspaces, then no text";
  EXPECT_EQ(Window().lastChar, 27);
  EXPECT_EQ(Marked(Window().keyDown), (Keys{9, 13, 27, 65}));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{8}));
}

TEST_F(Translator, KeysGetTheirVirtualCodes) {
  EXPECT_EQ(Translator_VirtualKey(SDLK_z, SDL_SCANCODE_Z), 90);
  EXPECT_EQ(Translator_VirtualKey(SDLK_7, SDL_SCANCODE_7), 55);
  EXPECT_EQ(Translator_VirtualKey(SDLK_F24, SDL_SCANCODE_F24), 135);
  EXPECT_EQ(Translator_VirtualKey(SDLK_KP_0, SDL_SCANCODE_KP_0), 96);
  EXPECT_EQ(Translator_VirtualKey(SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE), 111);
  EXPECT_EQ(Translator_VirtualKey(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(Translator_VirtualKey(SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE), 192);
  EXPECT_EQ(Translator_VirtualKey(SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE), 222);
  // A layout's own symbol falls back to the key's place.
  EXPECT_EQ(Translator_VirtualKey(0xE9, SDL_SCANCODE_SLASH), 191);
  EXPECT_EQ(Translator_VirtualKey(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST_F(Translator, ModifiersReachTheProcedureWithTheirSides) {
  HoldRightShift(true);
  Feed(Key(SDL_KEYDOWN, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT));
  EXPECT_EQ(Window().lastKey, 161);
  HoldRightShift(false);
  Feed(Key(SDL_KEYUP, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT));
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{16, 161}));
  const std::pair<SDL_Event, int32_t> presses[] = {
      {Key(SDL_KEYDOWN, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 160},
      {Key(SDL_KEYDOWN, SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT), 165},
      {Key(SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL), 163},
  };
  for (const auto& [press, side] : presses) {
    Feed(press);
    EXPECT_EQ(Window().lastKey, side) << "the side after the generic key";
  }
  EXPECT_EQ(Marked(Window().keyDown), (Keys{16, 17, 18, 160, 163, 165}));
}

TEST_F(Translator, WindowsKeysAreSwallowedOnlyInFullScreenWithTheFocus) {
  Feed(Key(SDL_KEYDOWN, SDLK_LGUI, SDL_SCANCODE_LGUI));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{0x5B}));
  ClearInput();
  DeviceWindow_State().fullScreenStyle = true;
  Feed(Key(SDL_KEYDOWN, SDLK_LGUI, SDL_SCANCODE_LGUI));
  Feed(Key(SDL_KEYUP, SDLK_RGUI, SDL_SCANCODE_RGUI));
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  EXPECT_TRUE(Marked(Window().keyReleased).empty());
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  Feed(Key(SDL_KEYDOWN, SDLK_RGUI, SDL_SCANCODE_RGUI));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{0x5C}));
}

TEST_F(Translator, AltF4EndsTheGameAndNeverReachesTheInput) {
  Feed(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  Feed(Key(SDL_KEYUP, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  EXPECT_TRUE(Native_TakeStopRequest());
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  EXPECT_TRUE(Marked(Window().keyReleased).empty());
  // Without Alt, F4 is a key like any other; F10 still reaches the input.
  Feed(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4));
  Feed(Key(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{115, 121}));
  EXPECT_FALSE(Native_TakeStopRequest());
}

TEST_F(Translator, AltReturnAsksForFullScreenOnceAndTypesNothing) {
  record().altEnter = true;
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 1));
  EXPECT_TRUE(Win_GetFullscreen());
  EXPECT_EQ(record().resets, 1);
  EXPECT_EQ(Window().lastChar, 0);
  EXPECT_TRUE(Typed().empty());
}

TEST_F(Translator, TextGivesOneCharacterPerCodePointAndSkipsMalformedBytes) {
  Text("a\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(Typed(), (Keys{'a', 0xE9, 0x20AC}));
  ClearInput();
  Text("\xF0\x9F\x98\x80");  // beyond 16 bits: the low 16 bits
  Text("x\xFFy\xC3");        // a stray byte, and a sequence cut short
  Text("\xE0\x80\xAF");      // an overlong form
  EXPECT_EQ(Typed(), (Keys{0xF600, 'x', 'y'}));
}

TEST_F(Translator, WheelDirectionFollowsTheFlippedSetting) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.wheel.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = g_mainWindow;
  e.wheel.y = 2;
  Feed(e);
  EXPECT_EQ(Window().wheelUp, 1);
  EXPECT_EQ(Window().wheelDown, 0);
  ClearInput();
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  Feed(e);
  EXPECT_EQ(Window().wheelUp, 0);
  EXPECT_EQ(Window().wheelDown, 1);
  ClearInput();
  e.wheel.y = 0;
  Feed(e);
  EXPECT_EQ(Window().wheelUp + Window().wheelDown, 0);
}

TEST_F(Translator, FocusLostToAnotherProgramDeactivatesOnce) {
  WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_TRUE(Win_IsActive());
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_FALSE(Win_IsActive());
  EXPECT_EQ(record().lostFocus, 1);
}

TEST_F(Translator, QuitAndWindowCloseEndInTheQuitMessage) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_QUIT;
  Translator_Translate(e);
  EXPECT_TRUE(Win_DispatchMessages());
  MakeWindow();
  WindowEvent(SDL_WINDOWEVENT_CLOSE);  // Feed dispatches; the quit is consumed there
  EXPECT_FALSE(Native_KeysFiltered());
}

TEST_F(Translator, KeysWithoutAWindowGoToTheMainWindowAndOthersAreNotHandled) {
  SDL_Event e = Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
  e.key.windowID = g_mainWindow + 1000;
  Feed(e);
  EXPECT_TRUE(Marked(Window().keyDown).empty());
  e.key.windowID = 0;
  Feed(e);
  EXPECT_EQ(Marked(Window().keyDown), (Keys{65}));
}

}  // namespace
}  // namespace windowtest

namespace windowtest {
namespace {

TEST_F(Translator, AReleaseWaitsUntilTheStepHasSeenThePress) {
  Win_InputTaken();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_Event down = Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
  SDL_Event up = Key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
  SDL_Event other = Key(SDL_KEYDOWN, SDLK_b, SDL_SCANCODE_B);
  SDL_PushEvent(&down);
  SDL_PushEvent(&up);
  SDL_PushEvent(&other);
  Win_PumpMessages();
  Win_PumpMessages();
  EXPECT_EQ(Marked(Window().keyDown), (Keys{65}));
  EXPECT_TRUE(Marked(Window().keyReleased).empty());
  Win_InputTaken();
  Win_PumpMessages();
  EXPECT_EQ(Marked(Window().keyReleased), (Keys{65}));
  EXPECT_EQ(Marked(Window().keyDown), (Keys{66}));
}

}  // namespace
}  // namespace windowtest

#include <gtest/gtest.h>

#include <cstring>

#include "shell/window_fixture.h"

namespace windowtest {
namespace {

using Keys = std::vector<int32_t>;

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
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  EXPECT_EQ(record().buttonsDown, (Keys{1, 2, 3}));
  EXPECT_EQ(record().buttonsUp, (Keys{2}));
}

TEST_F(Translator, ControlCharactersComeFromTheirKeysRepeatsIncluded) {
  Feed(Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
  Feed(Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, 1));
  Feed(Key(SDL_KEYUP, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE));
  Feed(Key(SDL_KEYDOWN, SDLK_TAB, SDL_SCANCODE_TAB));
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN));
  Feed(Key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE));
  Feed(Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A));  // its character comes as text
  EXPECT_EQ(record().chars, (Keys{8, 8, 9, 13, 27}));
  EXPECT_EQ(record().keysDown, (Keys{8, 8, 9, 13, 27, 65}));
  EXPECT_EQ(record().keysUp, (Keys{8}));
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
  HoldRightShift(false);
  Feed(Key(SDL_KEYUP, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT));
  Feed(Key(SDL_KEYDOWN, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT));
  Feed(Key(SDL_KEYDOWN, SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT));
  Feed(Key(SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL));
  EXPECT_EQ(record().keysDown, (Keys{16, 161, 16, 160, 18, 165, 17, 163}));
  EXPECT_EQ(record().keysUp, (Keys{16, 161}));
}

TEST_F(Translator, WindowsKeysAreSwallowedOnlyInFullScreenWithTheFocus) {
  Feed(Key(SDL_KEYDOWN, SDLK_LGUI, SDL_SCANCODE_LGUI));
  DeviceWindow_State().fullScreenStyle = true;
  Feed(Key(SDL_KEYDOWN, SDLK_LGUI, SDL_SCANCODE_LGUI));
  Feed(Key(SDL_KEYUP, SDLK_RGUI, SDL_SCANCODE_RGUI));
  EXPECT_EQ(record().keysDown, (Keys{0x5B}));
  EXPECT_TRUE(record().keysUp.empty());
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  Feed(Key(SDL_KEYDOWN, SDLK_RGUI, SDL_SCANCODE_RGUI));
  EXPECT_EQ(record().keysDown, (Keys{0x5B, 0x5C}));
}

TEST_F(Translator, AltF4EndsTheGameAndNeverReachesTheInput) {
  Feed(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  Feed(Key(SDL_KEYUP, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  EXPECT_TRUE(Native_TakeStopRequest());
  EXPECT_TRUE(record().keysDown.empty());
  EXPECT_TRUE(record().keysUp.empty());
  // Without Alt, F4 is a key like any other; F10 still reaches the input.
  Feed(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4));
  Feed(Key(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10));
  EXPECT_EQ(record().keysDown, (Keys{115, 121}));
  EXPECT_FALSE(Native_TakeStopRequest());
}

TEST_F(Translator, AltReturnAsksForFullScreenOnceAndTypesNothing) {
  record().altEnter = true;
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
  Feed(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, 1));
  EXPECT_TRUE(Win_GetFullscreen());
  EXPECT_EQ(record().resets, 1);
  EXPECT_TRUE(record().chars.empty());
}

TEST_F(Translator, TextGivesOneCharacterPerCodePointAndSkipsMalformedBytes) {
  Text("a\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(record().chars, (Keys{'a', 0xE9, 0x20AC}));
  record().chars.clear();
  Text("\xF0\x9F\x98\x80");  // beyond 16 bits: the low 16 bits
  Text("x\xFFy\xC3");        // a stray byte, and a sequence cut short
  Text("\xE0\x80\xAF");      // an overlong form
  EXPECT_EQ(record().chars, (Keys{0xF600, 'x', 'y'}));
}

TEST_F(Translator, WheelDirectionFollowsTheFlippedSetting) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  e.wheel.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = g_mainWindow;
  e.wheel.y = 2;
  Feed(e);
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  Feed(e);
  e.wheel.y = 0;
  Feed(e);
  EXPECT_EQ(record().wheelUps, 1);
  EXPECT_EQ(record().wheelDowns, 1);
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
  EXPECT_TRUE(record().keysDown.empty());
  e.key.windowID = 0;
  Feed(e);
  EXPECT_EQ(record().keysDown, (Keys{65}));
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
  EXPECT_EQ(record().keysDown, (Keys{65}));
  EXPECT_TRUE(record().keysUp.empty());
  Win_InputTaken();
  Win_PumpMessages();
  EXPECT_EQ(record().keysUp, (Keys{65}));
  EXPECT_EQ(record().keysDown, (Keys{65, 66}));
}

}  // namespace
}  // namespace windowtest

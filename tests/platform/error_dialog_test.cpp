// The error dialog: what its buttons and its close box do, and the dialog
// drawn with Dear ImGui on SDL's offscreen driver, driven by keys pushed
// into SDL's queue (Tab and Shift+Tab move round the text and the buttons,
// Space and Return press a button).
#include "platform/error_dialog.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/dialog_box.h"
#include "platform/game_gl_window.h"
#include "platform/native_messages.h"
#include "platform/window_messages.h"

namespace {

using Command = ErrorDialogCommand;

struct LogicCase {
  const char* name;
  bool canIgnore;
  std::vector<Command> commands;
  bool done;                        // after the last command
  ErrorDialogAnswer answer;         // when done
  std::vector<std::string> copies;  // what reached the clipboard
  std::string shown;
};

TEST(ErrorDialogLogic, ButtonsAndTheCloseBox) {
  const std::string text = "ERROR in\r\naction\r\n";
  const std::string lines = "ERROR in\naction\n";
  const LogicCase cases[] = {
      {"abort", true, {Command::kAbort}, true, kErrorDialogAbort, {}, lines},
      {"ignore", true, {Command::kIgnore}, true, kErrorDialogIgnore, {}, lines},
      {"no ignore if fatal", false, {Command::kIgnore}, false, kErrorDialogAbort, {}, lines},
      {"copy stays", true, {Command::kCopy}, false, kErrorDialogAbort, {text}, lines},
      {"clear, copy", true, {Command::kClear, Command::kCopy}, false, kErrorDialogAbort, {}, " "},
      {"copy, clear, copy",
       false,
       {Command::kCopy, Command::kClear, Command::kCopy},
       false,
       kErrorDialogAbort,
       {text},
       " "},
      {"close box stays", true, {Command::kClose}, false, kErrorDialogAbort, {}, lines},
      {"clear, ignore", true, {Command::kClear, Command::kIgnore}, true, kErrorDialogIgnore, {}, " "},
  };
  for (const LogicCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> copies;
    ErrorDialogState state(text.c_str(), c.canIgnore, [&copies](const std::string& t) { copies.push_back(t); });
    bool done = false;
    for (Command command : c.commands) done = state.Apply(command);
    EXPECT_EQ(done, c.done);
    if (c.done) {
      EXPECT_EQ(state.Answer(), c.answer);
    }
    EXPECT_EQ(copies, c.copies);
    EXPECT_EQ(state.Shown(), c.shown);
  }
  const std::vector<Command> fatal = {Command::kAbort, Command::kCopy, Command::kClear};
  EXPECT_EQ(ErrorDialogState("", false, nullptr).Buttons(), fatal);
  const std::vector<Command> all = {Command::kAbort, Command::kIgnore, Command::kCopy, Command::kClear};
  EXPECT_EQ(ErrorDialogState("", true, nullptr).Buttons(), all);
}

class DrawnErrorDialog : public testgl::BesideTheGame {
 protected:
  static void SetUpTestSuite() { testgl::MakeGameWindow(320, 200); }
  // A dialog the keys never end fails its case instead of hanging.
  void SetUp() override {
    BesideTheGame::SetUp();
    DialogHost_SetQuitCheck([] { return SDL_GetTicks() > g_deadline; });
  }
  void TearDown() override {
    DialogHost_SetQuitCheck(nullptr);
    BesideTheGame::TearDown();
  }
  static void Start() { g_deadline = SDL_GetTicks() + 10000; }
  static inline Uint32 g_deadline = 0;

  static Uint32 Window() { return SDL_GetWindowID(testgl::g_gameWindow); }
  // Keys written "Tab", "S-Tab" (with Shift), "Space", "Return", "Escape",
  // a blank between two.
  static void Keys(const std::string& keys) {
    std::istringstream words(keys);
    std::string key;
    while (words >> key) {
      const bool shift = key == "S-Tab";
      const SDL_Scancode code = key == "Space"    ? SDL_SCANCODE_SPACE
                                : key == "Return" ? SDL_SCANCODE_RETURN
                                : key == "Escape" ? SDL_SCANCODE_ESCAPE
                                                  : SDL_SCANCODE_TAB;
      if (shift) testgl::PushKey(Window(), SDL_SCANCODE_LSHIFT, true);
      testgl::PushKey(Window(), code, true);
      testgl::PushKey(Window(), code, false);
      if (shift) testgl::PushKey(Window(), SDL_SCANCODE_LSHIFT, false);
    }
  }
  static void Push(Uint32 type, SDL_WindowEventID windowEvent) {
    SDL_Event event{};
    event.type = type;
    event.window.windowID = Window();
    event.window.event = windowEvent;
    SDL_PushEvent(&event);
  }
  // Whether the game's side got a close or any key.
  static bool GameGotCloseOrKeys() { return testgl::GameGotAny({WM_CLOSE, WM_KEYDOWN, WM_CHAR}); }
};

struct KeysCase {
  const char* name;
  bool canIgnore;
  const char* keys;
  ErrorDialogAnswer answer;
  std::vector<std::string> copies;
};

TEST_F(DrawnErrorDialog, KeysPressItsButtons) {
  const KeysCase cases[] = {
      {"Tab to Ignore", true, "Tab Tab Space", kErrorDialogIgnore, {}},
      {"Return on Abort", true, "Tab Return", kErrorDialogAbort, {}},
      {"Return, Escape on the text", true, "Return Escape S-Tab S-Tab S-Tab S-Tab Space", kErrorDialogAbort, {}},
      {"fatal: Copy second", false, "Tab Tab Space Tab Tab Tab Space", kErrorDialogAbort, {"the text"}},
      {"Clear, then Copy", true, "S-Tab Space S-Tab Space Tab Tab Tab Space", kErrorDialogAbort, {}},
  };
  for (const KeysCase& c : cases) {
    SCOPED_TRACE(c.name);
    Keys(c.keys);
    std::vector<std::string> copies;
    Start();
    ErrorDialogState state("the text", c.canIgnore, [&copies](const std::string& t) { copies.push_back(t); });
    ASSERT_EQ(ErrorDialog_Draw(testgl::g_gameWindow, &state), DialogHostResult::kFinished);
    EXPECT_EQ(state.Answer(), c.answer);
    EXPECT_EQ(copies, c.copies);
    EXPECT_FALSE(GameGotCloseOrKeys());
  }
}

TEST_F(DrawnErrorDialog, TheCloseBoxKeepsItOpenAndNeverReachesTheGame) {
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
  Push(SDL_QUIT, SDL_WINDOWEVENT_NONE);
  Keys("Tab Tab Space");
  Start();
  ErrorDialogState state("text", true, nullptr);
  ASSERT_EQ(ErrorDialog_Draw(testgl::g_gameWindow, &state), DialogHostResult::kFinished);
  EXPECT_EQ(state.Answer(), kErrorDialogIgnore);
  EXPECT_FALSE(GameGotCloseOrKeys());
}

TEST_F(DrawnErrorDialog, OddTextsAreShownHereAndInTheMessageBox) {
  std::string big;
  while (big.size() < 100 * 1024) big += "line of an error text \xC3\xA9\xE2\x9C\x93\r\n\t";
  const std::string oneLine(100 * 1024, 'x');
  for (const std::string& text : {std::string(), big, oneLine, std::string("\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"),
                                  std::string("cut \xE6\x97")}) {
    Keys("Tab Space");
    Start();
    ErrorDialogState state(text.c_str(), false, nullptr);
    ASSERT_EQ(ErrorDialog_Draw(testgl::g_gameWindow, &state), DialogHostResult::kFinished);
    EXPECT_EQ(state.Answer(), kErrorDialogAbort);
    // The message box shows them too, and Return closes it.
    Keys("Return");
    Start();
    DialogBoxContent message;
    message.kind = DialogBoxKind::kMessage;
    message.caption = text;
    message.prompt = text;
    DialogBoxAnswer answer;
    ASSERT_EQ(DialogBox_Run(testgl::g_gameWindow, message, &answer), DialogHostResult::kFinished);
  }
}

}  // namespace

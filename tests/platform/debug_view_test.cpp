// The debugger's window on SDL's offscreen driver, with the desktop's
// events pushed into SDL's queue: what it draws and reports, what a click
// and a double-click hand back, that its events never reach the game (nor
// the other filters), and that the game's frames are the same beside it.
#include "platform/debug_view.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialog_box.h"
#include "platform/game_gl_window.h"
#include "platform/native_messages.h"
#include "platform/window_messages.h"
#include "platform/window_picture.h"
#include "support/test_support.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int32_t kPause = 501;
constexpr int32_t kDelete = 502;
// The 16-pixel font's title bar, the window's padding and a row's height.
constexpr float kTitleBar = 22.0f;
constexpr float kPadding = 8.0f;
constexpr float kRowHeight = 20.0f;

using testgl::g_gameGl;
using testgl::g_gameWindow;
using testgl::GameFrame;
using testgl::GamePixels;

class DebugViewTest : public testgl::BesideTheGame {
 protected:
  static void SetUpTestSuite() { testgl::MakeGameWindow(kWidth, kHeight); }
  void SetUp() override {
    BesideTheGame::SetUp();
    // An ImGui settings file would land in the working folder.
    ASSERT_NE(getcwd(saved_, sizeof saved_), nullptr);
    ASSERT_EQ(chdir(folder_.Path().c_str()), 0);
    rows_ = {"alpha", "beta", "gamma"};
    values_ = {"1", "2", "3"};
    content_.toolbar = {{500, "Run"}, {kPause, "Pause"}, {503, "Step"}};
    content_.texts = {"Room Speed: 30", "inst: 3"};
    content_.checkBoxLabel = "Show FPS";
    content_.checkBoxCommand = 600;
    content_.watchExpressions = {"x", "y"};
    content_.watchValues = {"1", "2"};
    content_.deleteWatchCommand = kDelete;
    for (int i = 0; i < 4; ++i) {
      DebugViewPane pane;
      pane.title = "Pane " + std::to_string(i);
      pane.visible = i != 1;
      pane.columnCount = 2;
      pane.columns[0] = &rows_;
      pane.columns[1] = &values_;
      content_.panes.push_back(pane);
    }
    content_.panes[2].copyable = true;
  }
  void TearDown() override {
    DebugView_Close();
    BesideTheGame::TearDown();
    EXPECT_EQ(chdir(saved_), 0);
  }

  static Uint32 ViewId() { return SDL_GetWindowID(DebugView_Window()); }
  static void Push(SDL_Event event) { SDL_PushEvent(&event); }
  static void Mouse(Uint32 type, float x, float y) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
      event.motion.windowID = ViewId();
      event.motion.x = static_cast<Sint32>(x);
      event.motion.y = static_cast<Sint32>(y);
    } else {
      event.button.windowID = ViewId();
      event.button.button = SDL_BUTTON_LEFT;
      event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = 1;
      event.button.x = static_cast<Sint32>(x);
      event.button.y = static_cast<Sint32>(y);
    }
    Push(event);
  }
  static void Click(const DebugViewRect& rect) {
    const float x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    Mouse(SDL_MOUSEMOTION, x, y);
    Mouse(SDL_MOUSEBUTTONDOWN, x, y);
    Mouse(SDL_MOUSEBUTTONUP, x, y);
  }
  static void Key(Uint32 window, SDL_Scancode code, bool down) { testgl::PushKey(window, code, down); }
  // The desktop pump, then what reached the game's side.
  static std::vector<uint32_t> GameMessages() {
    Native_PumpEvents();
    Native_InputTaken();
    std::vector<uint32_t> messages;
    WindowMessage message;
    while (Native_NextMessage(&message)) messages.push_back(message.message);
    return messages;
  }
  // Pumps, then draws `frames` times; every action handed back.
  std::vector<DebugViewAction> Draw(int frames) {
    EXPECT_TRUE(GameMessages().empty()) << "the debugger's events never reach the game";
    std::vector<DebugViewAction> all;
    for (int i = 0; i < frames; ++i) {
      std::vector<DebugViewAction> actions = DebugView_Draw(&content_);
      all.insert(all.end(), actions.begin(), actions.end());
    }
    return all;
  }
  static int Count(const std::vector<DebugViewAction>& actions, DebugViewActionKind kind, int32_t value) {
    return static_cast<int>(std::count_if(actions.begin(), actions.end(), [&](const DebugViewAction& action) {
      return action.kind == kind && action.value == value;
    }));
  }

  testsupport::ScratchFolder folder_{"kv_debug_view"};
  char saved_[4096] = {};
  std::vector<std::string> rows_, values_;
  DebugViewContent content_;
};

TEST_F(DebugViewTest, DrawsEveryShownPaneWhereItWasPlacedAndLeavesTheGameAlone) {
  const std::vector<unsigned char> before = GamePixels();
  content_.panes[3].placement[0] = 420;
  content_.panes[3].placement[1] = 30;
  content_.panes[3].placement[2] = 700;
  content_.panes[3].placement[3] = 230;
  ASSERT_TRUE(DebugView_Open());
  EXPECT_STREQ(SDL_GetWindowTitle(DebugView_Window()), "Debugger");
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl) << "opening leaves the game's context current";
  EXPECT_TRUE(Draw(2).empty()) << "nothing was done";
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl) << "drawing leaves the game's context current";

  for (int i : {0, 2, 3}) {
    DebugViewRect rect;
    ASSERT_TRUE(DebugView_PaneRect(i, &rect)) << "pane " << i;
    EXPECT_GT(rect.right, rect.left);
    EXPECT_GT(rect.bottom, rect.top);
    // The placement handed back is where the pane stands.
    EXPECT_EQ(content_.panes[static_cast<size_t>(i)].placement[0], static_cast<int32_t>(rect.left));
    EXPECT_EQ(content_.panes[static_cast<size_t>(i)].placement[3], static_cast<int32_t>(rect.bottom));
  }
  DebugViewRect hidden;
  EXPECT_FALSE(DebugView_PaneRect(1, &hidden)) << "a hidden pane is not drawn";
  EXPECT_EQ(content_.panes[3].placement[0], 420);
  EXPECT_EQ(content_.panes[3].placement[1], 30);
  EXPECT_EQ(content_.panes[3].placement[2], 700);
  EXPECT_EQ(content_.panes[3].placement[3], 230);
  // The panes given no placement do not lie on each other.
  DebugViewRect first, second;
  ASSERT_TRUE(DebugView_PaneRect(0, &first) && DebugView_PaneRect(2, &second));
  EXPECT_NE(first.left, second.left);

  EXPECT_EQ(GamePixels(), before) << "the game's frame beside the debugger is the frame without it";
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 1.0f);
  DebugView_Close();
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl);
  EXPECT_EQ(GamePixels(), before);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "imgui.ini"));
}

// Debug.ini may hold any numbers: the widest placement still draws a pane
// of a size a screen could show.
TEST_F(DebugViewTest, APlacementFromTheFarEndsOfTheNumbersStillDraws) {
  content_.panes[0].placement[0] = INT32_MIN;
  content_.panes[0].placement[1] = INT32_MIN;
  content_.panes[0].placement[2] = INT32_MAX;
  content_.panes[0].placement[3] = INT32_MAX;
  ASSERT_TRUE(DebugView_Open());
  Draw(2);
  DebugViewRect rect;
  ASSERT_TRUE(DebugView_PaneRect(0, &rect));
  EXPECT_GT(rect.right, rect.left);
  EXPECT_LE(rect.right - rect.left, 65536);
  DebugView_Close();
}

TEST_F(DebugViewTest, ClicksAndKeysBecomeActionsAndTheCloseBoxIsReported) {
  ASSERT_TRUE(DebugView_Open());
  Draw(1);
  DebugViewRect pause;
  ASSERT_TRUE(DebugView_ButtonRect(kPause, &pause));
  EXPECT_GT(pause.right, pause.left);
  Click(pause);
  std::vector<DebugViewAction> actions = Draw(3);
  EXPECT_EQ(Count(actions, DebugViewActionKind::kCommand, kPause), 1) << "one click, one command";
  EXPECT_EQ(actions.size(), 1u);

  // A double-click on a pane's second row activates it.
  DebugViewRect pane;
  ASSERT_TRUE(DebugView_PaneRect(0, &pane));
  // Below the title bar and the window's padding, rows of text and cell
  // padding: the middle of the second row.
  const float y = pane.top + kTitleBar + kPadding + kRowHeight * 1.5f;
  DebugViewRect row{pane.left + 16, y, pane.left + 16, y};
  Click(row);
  Click(row);
  actions = Draw(5);
  EXPECT_EQ(Count(actions, DebugViewActionKind::kRowActivated, 1), 1);

  // Delete while the form (clicked just before) has the focus.
  Click(pause);
  Draw(3);
  Key(ViewId(), SDL_SCANCODE_DELETE, true);
  Key(ViewId(), SDL_SCANCODE_DELETE, false);
  actions = Draw(3);
  EXPECT_EQ(Count(actions, DebugViewActionKind::kCommand, kDelete), 1);

  // Ctrl+C in the copyable pane copies its rows; Delete there is no command.
  DebugViewRect messages;
  ASSERT_TRUE(DebugView_PaneRect(2, &messages));
  Click(DebugViewRect{messages.left + 16, messages.bottom - 12, messages.left + 16, messages.bottom - 12});
  Draw(3);
  Clipboard_SetText("before");
  SDL_SetModState(KMOD_LCTRL);
  Key(ViewId(), SDL_SCANCODE_C, true);
  Key(ViewId(), SDL_SCANCODE_C, false);
  Key(ViewId(), SDL_SCANCODE_DELETE, true);
  Key(ViewId(), SDL_SCANCODE_DELETE, false);
  actions = Draw(4);
  SDL_SetModState(KMOD_NONE);
  EXPECT_EQ(Clipboard_GetText(), "alpha\t1\nbeta\t2\ngamma\t3\n");
  EXPECT_EQ(Count(actions, DebugViewActionKind::kCommand, kDelete), 0);

  // A pane's close box, at the right of its title bar.
  Click(DebugViewRect{messages.right - 14, messages.top + kTitleBar / 2, messages.right - 14,
                      messages.top + kTitleBar / 2});
  actions = Draw(3);
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].kind, DebugViewActionKind::kPaneClosed);
  EXPECT_EQ(actions[0].pane, 2);

  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = ViewId();
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(close);
  EXPECT_FALSE(DebugView_CloseAsked());
  EXPECT_TRUE(GameMessages().empty()) << "closing the debugger does not close the game";
  EXPECT_TRUE(DebugView_CloseAsked());
}

int g_pictures = 0;
bool CountedGameFrame() {
  ++g_pictures;
  return GameFrame();
}

// The debugger asks its questions in its own window, on a plain ground:
// the game's picture is not drawn there.
TEST_F(DebugViewTest, AModalQuestionInTheDebuggersWindowTakesItsKeys) {
  ASSERT_TRUE(DebugView_Open());
  Draw(1);
  WindowPicture_SetDrawer(CountedGameFrame);
  g_pictures = 0;
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = ViewId();
  std::strcpy(text.text.text, "x+1");
  Push(text);
  Key(ViewId(), SDL_SCANCODE_RETURN, true);
  Key(ViewId(), SDL_SCANCODE_RETURN, false);
  DialogBoxContent box;
  box.kind = DialogBoxKind::kInput;
  box.caption = "Provide an expression";
  DialogBoxAnswer answer;
  ASSERT_EQ(DialogBox_Run(DebugView_Window(), box, &answer), DialogHostResult::kFinished);
  EXPECT_TRUE(answer.confirmed);
  EXPECT_EQ(answer.text, "x+1");
  EXPECT_EQ(g_pictures, 0);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl);
  EXPECT_TRUE(Draw(2).empty()) << "the window draws on afterwards";
}

// The dialog shown beside the game and the debugger's window both filter
// the desktop's events: each gets its own, the game neither.
TEST_F(DebugViewTest, ADialogBesideTheGameAndTheDebuggerEachTakeTheirEvents) {
  std::optional<DialogBoxAnswer> answered;
  DialogBoxContent box;
  box.kind = DialogBoxKind::kInput;
  box.caption = "Game";
  ASSERT_TRUE(DialogBox_Open(g_gameWindow, box, [&answered](const DialogBoxAnswer& answer) { answered = answer; }));
  ASSERT_TRUE(DebugView_Open());
  Draw(1);
  DebugViewRect pause;
  ASSERT_TRUE(DebugView_ButtonRect(kPause, &pause));
  Click(pause);
  Key(SDL_GetWindowID(g_gameWindow), SDL_SCANCODE_A, true);
  Key(SDL_GetWindowID(g_gameWindow), SDL_SCANCODE_A, false);
  std::vector<DebugViewAction> actions = Draw(3);
  EXPECT_EQ(Count(actions, DebugViewActionKind::kCommand, kPause), 1);
  // Escape to the dialog closes it unanswered: it had the game's keys.
  Key(SDL_GetWindowID(g_gameWindow), SDL_SCANCODE_ESCAPE, true);
  Key(SDL_GetWindowID(g_gameWindow), SDL_SCANCODE_ESCAPE, false);
  EXPECT_TRUE(GameMessages().empty());
  for (int frame = 0; frame < 8 && !answered; ++frame) DialogHost_FrameEnd();
  ASSERT_TRUE(answered.has_value());
  EXPECT_FALSE(answered->confirmed);
  DialogHost_FrameEnd();
  // With the dialog gone its filter is too: the game's keys reach the game,
  // the debugger's still do not.
  Key(SDL_GetWindowID(g_gameWindow), SDL_SCANCODE_A, true);
  Key(ViewId(), SDL_SCANCODE_B, true);
  std::vector<uint32_t> messages = GameMessages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), static_cast<uint32_t>(WM_KEYDOWN)), 1);
}

}  // namespace

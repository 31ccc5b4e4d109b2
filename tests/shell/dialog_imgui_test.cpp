// The four dialogs drawn with Dear ImGui on SDL's offscreen driver, with
// the desktop's events pushed into SDL's queue: what typing answers, what
// Escape does to each kind, that the game never sees the keys, and that
// the game's own GL state (so its frames) is the same after a dialog.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/device_window.h"
#include "platform/dialog_box.h"
#include "platform/game_gl_window.h"
#include "platform/native_messages.h"
#include "platform/window_messages.h"
#include "platform/window_picture.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

using testgl::g_gameGl;
using testgl::g_gameWindow;
using testgl::GameFrame;
using testgl::GamePixels;

class ImguiDialogs : public testgl::BesideTheGame {
 protected:
  static void SetUpTestSuite() { testgl::MakeGameWindow(kWidth, kHeight); }

  static void Push(SDL_Event event) { SDL_PushEvent(&event); }
  static void Key(SDL_Scancode code, bool down) { testgl::PushKey(SDL_GetWindowID(g_gameWindow), code, down); }
  static void Press(SDL_Scancode code) {
    Key(code, true);
    Key(code, false);
  }
  static void Type(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(g_gameWindow);
    std::strncpy(event.text.text, text, sizeof event.text.text - 1);
    Push(event);
  }
  static DialogBoxContent Content(DialogBoxKind kind) {
    DialogBoxContent content;
    content.kind = kind;
    content.caption = "Game";
    content.prompt = "Age\r\nplease";
    return content;
  }
  // Whether the game's side got any key, character or mouse message.
  static bool GameGotInput() { return testgl::GameGotAny({WM_KEYDOWN, WM_KEYUP, WM_CHAR}); }
};

TEST_F(ImguiDialogs, TypedTextAndReturnAnswerTheModalInput) {
  Type("21");
  Press(SDL_SCANCODE_RETURN);
  DialogBoxAnswer answer;
  ASSERT_EQ(DialogBox_Run(g_gameWindow, Content(DialogBoxKind::kInput), &answer), DialogHostResult::kFinished);
  EXPECT_TRUE(answer.confirmed);
  EXPECT_EQ(answer.text, "21");
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl) << "the game's context is current again";
  EXPECT_FALSE(GameGotInput());
  EXPECT_FALSE(std::filesystem::exists("imgui.ini"));
}

TEST_F(ImguiDialogs, EscapeCancelsInputAndLoginButNotQuestionOrMessage) {
  for (DialogBoxKind kind : {DialogBoxKind::kInput, DialogBoxKind::kLogin}) {
    Type("x");
    Press(SDL_SCANCODE_ESCAPE);
    DialogBoxContent content = Content(kind);
    content.text = "default";
    DialogBoxAnswer answer;
    answer.confirmed = true;
    ASSERT_EQ(DialogBox_Run(g_gameWindow, content, &answer), DialogHostResult::kFinished);
    EXPECT_FALSE(answer.confirmed);
    EXPECT_EQ(answer.text, "");
  }
  for (DialogBoxKind kind : {DialogBoxKind::kQuestion, DialogBoxKind::kMessage}) {
    Press(SDL_SCANCODE_ESCAPE);
    Press(SDL_SCANCODE_RETURN);
    DialogBoxAnswer answer;
    ASSERT_EQ(DialogBox_Run(g_gameWindow, Content(kind), &answer), DialogHostResult::kFinished);
    EXPECT_TRUE(answer.confirmed) << "Escape did nothing, Return said Yes or OK";
  }
  // A quit ends a modal dialog as Cancel.
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  DialogBoxAnswer answer;
  EXPECT_EQ(DialogBox_Run(g_gameWindow, Content(DialogBoxKind::kQuestion), &answer), DialogHostResult::kClosed);
  EXPECT_FALSE(answer.confirmed);
  EXPECT_FALSE(GameGotInput());
}

TEST_F(ImguiDialogs, ADialogBesideTheGameTakesItsKeysAndLeavesItsFramesAlone) {
  const std::vector<unsigned char> before = GamePixels();
  ASSERT_EQ(before[2], 255) << "the ground is blue";
  ASSERT_EQ(before[(10 * kWidth + 10) * 4], 255) << "the scissored clear is red";
  std::optional<DialogBoxAnswer> answered;
  ASSERT_TRUE(DialogBox_Open(g_gameWindow, Content(DialogBoxKind::kInput),
                             [&answered](const DialogBoxAnswer& answer) { answered = answer; }));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl) << "the game goes on with its own context";
  Type("21");
  EXPECT_FALSE(GameGotInput()) << "typed keys reach the dialog alone";
  for (int frame = 0; frame < 6; ++frame) DialogHost_FrameEnd();
  Press(SDL_SCANCODE_RETURN);
  EXPECT_FALSE(GameGotInput());
  for (int frame = 0; frame < 4 && !answered; ++frame) DialogHost_FrameEnd();
  ASSERT_TRUE(answered.has_value());
  EXPECT_TRUE(answered->confirmed);
  EXPECT_EQ(answered->text, "21");
  DialogHost_FrameEnd();
  EXPECT_FALSE(DialogHost_IsOpen());
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_gameGl);
  EXPECT_EQ(GamePixels(), before) << "the game's frame after the dialog is the frame before it";
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 1.0f);
  EXPECT_EQ(clear[2], 0.0f);
  // Keys reach the game again.
  Press(SDL_SCANCODE_A);
  EXPECT_TRUE(GameGotInput());
}

}  // namespace

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
#include "platform/imgui/dialog_boxes.h"
#include "platform/sdl/native_messages.h"
#include "platform/window_messages.h"
#include "platform/window_picture.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

SDL_Window* g_window = nullptr;
SDL_GLContext g_game = nullptr;

// The game's frame: a blue ground, then a clear with the colour and
// scissor box the game set once, so any change to its state shows.
bool GameFrame() {
  SDL_GL_MakeCurrent(g_window, g_game);
  GLfloat colour[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(colour[0], colour[1], colour[2], colour[3]);
  glEnable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT);
  return true;
}

std::vector<unsigned char> GamePixels() {
  GameFrame();
  std::vector<unsigned char> pixels(static_cast<size_t>(kWidth * kHeight * 4));
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

class ImguiDialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(DeviceWindow_StartVideo());
    ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    g_window = SDL_CreateWindow("Game", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    ASSERT_NE(g_window, nullptr);
    g_game = SDL_GL_CreateContext(g_window);
    ASSERT_NE(g_game, nullptr);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glScissor(8, 8, 16, 16);
    glViewport(0, 0, kWidth, kHeight);
  }
  // The window and its context stay for the program's life: the GL driver
  // unloaded with the last GL window would leave blocks no tool can name.
  void SetUp() override {
    DialogHost_AllowUnseen(true);
    WindowPicture_SetDrawer(GameFrame);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    Native_ClearMessages();
  }
  void TearDown() override {
    DialogHost_Close();
    WindowPicture_SetDrawer(nullptr);
    DialogHost_AllowUnseen(false);
  }

  static void Push(SDL_Event event) { SDL_PushEvent(&event); }
  static void Key(SDL_Scancode code, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(g_window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = code;
    event.key.keysym.sym = SDL_GetKeyFromScancode(code);
    Push(event);
  }
  static void Press(SDL_Scancode code) {
    Key(code, true);
    Key(code, false);
  }
  static void Type(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(g_window);
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
  static bool GameGotInput() {
    Native_PumpEvents();
    Native_InputTaken();
    bool got = false;
    WindowMessage message;
    while (Native_NextMessage(&message)) {
      got = got || message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
    }
    return got;
  }
};

TEST_F(ImguiDialogs, TypedTextAndReturnAnswerTheModalInput) {
  Type("21");
  Press(SDL_SCANCODE_RETURN);
  DialogBoxAnswer answer;
  ASSERT_EQ(DialogBox_Run(g_window, Content(DialogBoxKind::kInput), &answer), DialogHostResult::kFinished);
  EXPECT_TRUE(answer.confirmed);
  EXPECT_EQ(answer.text, "21");
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_game) << "the game's context is current again";
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
    ASSERT_EQ(DialogBox_Run(g_window, content, &answer), DialogHostResult::kFinished);
    EXPECT_FALSE(answer.confirmed);
    EXPECT_EQ(answer.text, "");
  }
  for (DialogBoxKind kind : {DialogBoxKind::kQuestion, DialogBoxKind::kMessage}) {
    Press(SDL_SCANCODE_ESCAPE);
    Press(SDL_SCANCODE_RETURN);
    DialogBoxAnswer answer;
    ASSERT_EQ(DialogBox_Run(g_window, Content(kind), &answer), DialogHostResult::kFinished);
    EXPECT_TRUE(answer.confirmed) << "Escape did nothing, Return said Yes or OK";
  }
  // A quit ends a modal dialog as Cancel.
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  DialogBoxAnswer answer;
  EXPECT_EQ(DialogBox_Run(g_window, Content(DialogBoxKind::kQuestion), &answer), DialogHostResult::kClosed);
  EXPECT_FALSE(answer.confirmed);
  EXPECT_FALSE(GameGotInput());
}

TEST_F(ImguiDialogs, ADialogBesideTheGameTakesItsKeysAndLeavesItsFramesAlone) {
  const std::vector<unsigned char> before = GamePixels();
  ASSERT_EQ(before[2], 255) << "the ground is blue";
  ASSERT_EQ(before[(10 * kWidth + 10) * 4], 255) << "the scissored clear is red";
  std::optional<DialogBoxAnswer> answered;
  ASSERT_TRUE(DialogBox_Open(g_window, Content(DialogBoxKind::kInput),
                             [&answered](const DialogBoxAnswer& answer) { answered = answer; }));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_game) << "the game goes on with its own context";
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
  EXPECT_EQ(SDL_GL_GetCurrentContext(), g_game);
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

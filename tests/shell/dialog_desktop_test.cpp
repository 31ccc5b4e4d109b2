// The file dialog drawn over a game window on a real desktop. These cases
// run only under tests/shell/xvfb_run.sh, which starts a private X server
// and sets KV_TEST_DESKTOP=1; elsewhere they are skipped.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "files/file_layer.h"
#include "platform/device_window.h"
#include "platform/gl/gl_context.h"
#include "platform/native_messages.h"
#include "platform/switches.h"
#include "platform/window_messages.h"
#include "shell/file_dialog.h"
#include "support/test_support.h"

namespace {

using testsupport::ScratchFolder;
using testsupport::WriteRaw;

// Hands an event to the queue a while after the dialog has started, as a
// desktop would deliver it.
Uint32 Deliver(Uint32, void* event) {
  SDL_PushEvent(static_cast<SDL_Event*>(event));
  return 0;
}

class DialogOnDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* desktop = std::getenv("KV_TEST_DESKTOP");
    if (desktop == nullptr || std::strcmp(desktop, "1") != 0) GTEST_SKIP() << "needs tests/shell/xvfb_run.sh";
    unsetenv("KORVALITH_HEADLESS");
    Switches_Reload();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
    DeviceWindowRequest request;
    request.x = 40;
    request.y = 40;
    request.width = 400;
    request.height = 300;
    window_ = DeviceWindow_Create(request);
    ASSERT_NE(window_, nullptr);
    DeviceWindow_Show(window_, true);
    context_ = GlContext_CreateForWindow(window_);
    ASSERT_NE(context_, nullptr);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    Native_PumpEvents();
    Native_ClearMessages();
    id_ = DeviceWindow_Id(window_);
  }
  void TearDown() override {
    context_.reset();
    DeviceWindow_Destroy();
    setenv("KORVALITH_HEADLESS", "1", 1);
    Switches_Reload();
  }

  // Delivers the event after `milliseconds`.
  void Later(Uint32 milliseconds, const SDL_Event& event) {
    deliveries_[count_] = event;
    SDL_AddTimer(milliseconds, Deliver, &deliveries_[count_++]);
  }
  SDL_Event Key(Uint32 type) const {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = id_;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = SDL_SCANCODE_RETURN;
    event.key.keysym.sym = SDLK_RETURN;
    return event;
  }
  SDL_Event Text(const char* text) const {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = id_;
    std::strncpy(event.text.text, text, sizeof event.text.text - 1);
    return event;
  }

  // Whether the game's side got a message of this kind once the dialog ended.
  bool GameGot(uint32_t kind) {
    SDL_Delay(300);
    Native_PumpEvents();
    Native_InputTaken();
    bool got = false;
    WindowMessage message;
    while (Native_NextMessage(&message)) got = got || message.message == kind;
    return got;
  }

  DeviceWindow* window_ = nullptr;
  std::unique_ptr<GlContext> context_;
  Uint32 id_ = 0;
  SDL_Event deliveries_[8];
  int count_ = 0;
};

TEST_F(DialogOnDesktop, TypedNameAndReturnAnswerOverTheGameWindow) {
  ScratchFolder folder("kv_desktop");
  WriteRaw(folder / "sub/a.txt", "a");
  const SDL_GLContext game = SDL_GL_GetCurrentContext();
  Later(150, Text("sub/a.txt"));
  Later(300, Key(SDL_KEYDOWN));
  Later(450, Key(SDL_KEYUP));
  std::string path;
  ASSERT_TRUE(Win_GetOpenFileName("Text|*.txt", nullptr, folder.Path().c_str(), "Pick", &path));
  EXPECT_EQ(path, folder / "sub/a.txt");

  // The game's GL context is current again, its state as it was.
  EXPECT_EQ(SDL_GL_GetCurrentContext(), game);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 1.0f);
  EXPECT_EQ(clear[1], 0.0f);
  // What was typed into the dialog never reaches the game.
  EXPECT_FALSE(GameGot(WM_CHAR));
}

TEST_F(DialogOnDesktop, ClosingTheWindowCancelsAndTheGameSeesTheClose) {
  ScratchFolder save("kv_desktop_save");
  LoadSave_SetSaveDirectory((save.Path() + "/").c_str());
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = id_;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  Later(150, close);
  std::string path;
  EXPECT_FALSE(Win_GetSaveFileName("Text|*.txt", "slot", nullptr, nullptr, &path));
  EXPECT_TRUE(path.empty());
  EXPECT_TRUE(GameGot(WM_CLOSE));
}

}  // namespace

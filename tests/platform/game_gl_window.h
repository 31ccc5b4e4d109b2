// A game's window with its own GL context on SDL's offscreen driver, for the
// tests of what draws beside the game (the dialogs, the debugger's window).
// It stays for the program's life: the GL driver unloaded with the last GL
// window would leave blocks no tool can name.
#pragma once

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/device_window.h"
#include "platform/dialog_host.h"
#include "platform/native_messages.h"
#include "platform/window_messages.h"
#include "platform/window_picture.h"

namespace testgl {

inline SDL_Window* g_gameWindow = nullptr;
inline SDL_GLContext g_gameGl = nullptr;
inline int g_gameWidth = 0;
inline int g_gameHeight = 0;

// Makes the window once, its clear colour red and its scissor box set.
inline void MakeGameWindow(int width, int height) {
  ASSERT_TRUE(DeviceWindow_StartVideo());
  ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "offscreen");
  if (g_gameWindow != nullptr) return;
  g_gameWidth = width;
  g_gameHeight = height;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  g_gameWindow = SDL_CreateWindow("Game", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  ASSERT_NE(g_gameWindow, nullptr);
  g_gameGl = SDL_GL_CreateContext(g_gameWindow);
  ASSERT_NE(g_gameGl, nullptr);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glScissor(8, 8, 16, 16);
  glViewport(0, 0, width, height);
}

// The game's frame: a blue ground, then a clear with the colour and
// scissor box the game set once, so any change to its state shows.
inline bool GameFrame() {
  SDL_GL_MakeCurrent(g_gameWindow, g_gameGl);
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

inline std::vector<unsigned char> GamePixels() {
  GameFrame();
  std::vector<unsigned char> pixels(static_cast<size_t>(g_gameWidth * g_gameHeight * 4));
  glReadPixels(0, 0, g_gameWidth, g_gameHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Whether the game's side got a message of one of these kinds from what
// the desktop has sent so far.
inline bool GameGotAny(std::initializer_list<uint32_t> kinds) {
  Native_PumpEvents();
  Native_InputTaken();
  bool got = false;
  WindowMessage message;
  while (Native_NextMessage(&message)) {
    got = got || std::find(kinds.begin(), kinds.end(), message.message) != kinds.end();
  }
  return got;
}

// A key pressed or released in a window, pushed into SDL's queue.
inline void PushKey(Uint32 window, SDL_Scancode code, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = window;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = code;
  event.key.keysym.sym = SDL_GetKeyFromScancode(code);
  SDL_PushEvent(&event);
}

// Tests of what draws beside the game: dialogs allowed on the offscreen
// desktop, the game's frame as the window's picture, no event left over.
class BesideTheGame : public ::testing::Test {
 protected:
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
};

}  // namespace testgl

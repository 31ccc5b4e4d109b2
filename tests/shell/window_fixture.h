// A main window made headless (on the offscreen desktop) with every service
// the window calls recorded and an empty window side of the input state, for
// the window tests.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/device_window.h"
#include "platform/native_messages.h"
#include "platform/sdl/event_translator.h"
#include "shell/window.h"
#include "shell/window_input.h"

namespace windowtest {

using Keys = std::vector<int32_t>;

struct Record {
  int32_t resets = 0, lostFocus = 0;
  int32_t requestedWidth = -1, requestedHeight = -1;
  bool altEnter = false;
  int32_t letterboxX = 0, letterboxY = 0;
  int32_t stepMouseX = 0, stepMouseY = 0;
};
Record& Recorded();

WindowServices RecordingServices();

// The window side of the input state, where the window procedure marks the
// keys, characters and mouse it is handed.
inline InputWindowSide& Window() { return Input_WindowSide(); }
// Emptied, with the identity key map.
void ClearInput();
// The indices whose flag is set, counted from `first` (1 for buttons).
template <size_t N>
Keys Marked(const uint8_t (&flags)[N], int32_t first = 0) {
  Keys marked;
  for (size_t i = 0; i < N; ++i) {
    if (flags[i] != 0) marked.push_back(static_cast<int32_t>(i) + first);
  }
  return marked;
}
// keyboard_string's units on the window side.
Keys Typed();
// Holds or lets go of the right Shift as a key of this program's own, its
// messages dropped: what the window reads as the key's state.
void HoldRightShift(bool held);

class WindowTest : public ::testing::Test {
 protected:
  // Makes the window at this client size for a 320 x 240 game.
  void MakeWindow(int32_t width = 320, int32_t height = 240, uint32_t flags = 0, const char* name = "Win Test");
  void SetUp() override;
  void TearDown() override;
  Record& record() { return Recorded(); }
};

}  // namespace windowtest
